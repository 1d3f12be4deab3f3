// Feeds arbitrary bundles to the bundle reader: two bytes give the index's length, the index
// follows, the rest is the data file. Every font of a bundle it accepts is replaced by a larger
// and by a smaller block; whatever the rewrite accepts must read back as a sound bundle holding
// the new font, and must never touch the other fonts: anything else is a fault.
#include "bundle/BundleRewrite.h"
#include "bundle/GameBundle.h"
#include "charset/CharCodec.h"

#include <cstdint>
#include <cstdlib>

using namespace fontlathe;

namespace {

QByteArray SmallBlock() {
    Charset set;
    set.NewCharset(1);
    set.SetNumChars(2);
    set.CreateBlankGlyph(1);
    EncodedBlock block;
    EncodeCharset(set, DirtyBytes::Off, block);
    return block.bytes;
}

void CheckReplace(const GameBundle& bundle, const BundleFont& font, const QByteArray& block) {
    RewrittenBundle rewritten;
    if (!ReplaceFont(bundle, font.number, block, rewritten)) {
        return;
    }
    if (bundle.encrypted()) {
        GameBundle::Crypt(rewritten.index);
        GameBundle::Crypt(rewritten.data);
    }
    GameBundle again;
    if (!GameBundle::FromBytes(rewritten.index, rewritten.data, bundle.paths(), again) ||
        again.fonts().size() != bundle.fonts().size()) {
        std::abort();
    }
    for (const BundleFont& other : bundle.fonts()) {
        const BundleFont* now = again.Font(other.number);
        const bool sameBlock = other.offset == font.offset;
        if (now == nullptr || (!sameBlock && again.FontBlock(*now) != bundle.FontBlock(other))) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t indexSize = std::min<std::size_t>(data[0] | data[1] << 8, size - 2);
    const auto* bytes = reinterpret_cast<const char*>(data) + 2;
    GameBundle bundle;
    if (!GameBundle::FromBytes(
            QByteArray(bytes, qsizetype(indexSize)),
            QByteArray(bytes + indexSize, qsizetype(size - 2 - indexSize)),
            {QStringLiteral("fuzz.000"), QStringLiteral("fuzz.001"), QStringLiteral("fuzz.001")},
            bundle)) {
        return 0;
    }
    static const QByteArray small = SmallBlock();
    for (std::size_t i = 0; i < bundle.fonts().size() && i < 4; ++i) {
        const BundleFont& font = bundle.fonts()[i];
        CheckReplace(bundle, font, small);
        QByteArray larger = bundle.FontBlock(font);
        if (larger.size() < 33) {
            larger = small;
        }
        larger.append(QByteArray(40, '\0'));
        CheckReplace(bundle, font, larger);
    }
    return 0;
}
