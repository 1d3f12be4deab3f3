// Feeds arbitrary CHAR blocks to Add Letters: whatever the decoder accepts gets every letter of
// one code page (the last byte says which) composed, built or reported missing with a reason, and
// the font with them must encode and decode again. A crash, a missing letter without a reason or
// a font that does not read back is a fault.
#include "charset/CharCodec.h"
#include "letters/AddLetters.h"
#include "letters/LetterTables.h"
#include "text/CodePage.h"

#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

using namespace fontlathe;

// Letters are read against DejaVu Sans drawn with Qt, which needs an application.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    Charset font;
    font.NewCharset(1);
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!DecodeCharset(bytes, font)) {
        return 0;
    }
    // Game fonts are up to about 30 pixels high. Fitting drawn letters to a line taller than that
    // takes seconds under the sanitizers (the stroke check is quadratic in a letter's size)
    // without reaching other code: those fonts, and glyphs wider than that, are left out.
    constexpr int GameSize = 32;
    int top = 0, bottom = font.fontHeight();
    for (const Glyph& glyph : font.glyphs()) {
        if (glyph.present()) {
            top = std::min(top, int(glyph.yOffset));
            bottom = std::max(bottom, int(glyph.yOffset) + glyph.height());
        }
        if (glyph.width() > GameSize) {
            return 0;
        }
    }
    if (bottom - top > GameSize) {
        return 0;
    }
    static const std::array<const char*, 3> pages = {"cp1250", "cp1251", "cp1253"};
    AddLettersRequest request;
    request.toPage = *CodePage::Standard(QString::fromLatin1(pages[data[size - 1] % pages.size()]));
    request.letters = EveryLetterOf(request.toPage);
    const AddLettersPlan plan = PlanAddLetters(font, request);
    for (const LetterRow& row : plan.rows) {
        if (row.source == LetterSource::Missing && !row.detail.startsWith(u"missing")) {
            std::abort();
        }
    }
    ApplyAddLetters(plan, font);
    EncodedBlock block;
    Charset again;
    if (!EncodeCharset(font, DirtyBytes::Off, block) || !DecodeCharset(block.bytes, again)) {
        std::abort();
    }
    return 0;
}
