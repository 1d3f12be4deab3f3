// The Generate commands: a font from the requester, then a whole set drawn from it.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "document/Document.h"
#include "edit/WholeSetEdit.h"
#include "generate/DrawingSource.h"
#include "generate/Rasterizer.h"
#include "gui/Environment.h"

#include <QStringList>

#include <cmath>
#include <vector>

namespace fontlathe {

bool Dispatcher::ChooseGenerationFont() {
    GenerationFont& font = state_.generationFont;
    const FontChoice preselected{font.familyName,
                                 static_cast<double>(font.size),
                                 (font.styleFlags & GenerationFont::Bold) != 0,
                                 (font.styleFlags & GenerationFont::Italic) != 0,
                                 false,
                                 font.styleName};
    const std::optional<FontChoice> chosen = environment_.AskFont(&window_, preselected);
    if (!chosen) {
        return false;
    }
    font.familyName = chosen->family;
    font.size = static_cast<std::int32_t>(std::trunc(chosen->pointSize));
    font.styleFlags = (chosen->bold ? GenerationFont::Bold : 0) |
                      (chosen->italic ? GenerationFont::Italic : 0) |
                      (chosen->underline ? GenerationFont::Underline : 0);
    font.styleName = chosen->styleName;
    return true;
}

namespace {

// "Generate Shadowed": what the step of a run is called.
QString GenerationStepName(GenerationStyle style) {
    QString name = GenerationStyleName(style);
    name[0] = name[0].toUpper();
    return QStringLiteral("Generate ") + name;
}

// The codes as a short list: "1, 2, 127 to 140".
QString CodeList(const std::vector<int>& codes) {
    QStringList parts;
    for (std::size_t first = 0; first < codes.size();) {
        std::size_t last = first;
        while (last + 1 < codes.size() && codes[last + 1] == codes[last] + 1) {
            ++last;
        }
        if (last - first >= 2) {
            parts << QStringLiteral("%1 to %2").arg(codes[first]).arg(codes[last]);
        } else {
            for (std::size_t i = first; i <= last; ++i) {
                parts << QString::number(codes[i]);
            }
        }
        first = last + 1;
    }
    return parts.join(QStringLiteral(", "));
}

// The game's glyphs a generated set has no match for: those below the space and above the
// tilde, which Generate draws from the code page's letters or not at all.
QString GenerateOverGameFontText(const Charset& set, int fontNumber) {
    std::vector<int> codes;
    for (int code = 0; code < GlyphSlotCount; ++code) {
        if ((code < 32 || code > 126) && set.GlyphAt(code) != nullptr) {
            codes.push_back(code);
        }
    }
    QString text = QStringLiteral("Generate replaces every glyph of font %1 and its colour map")
                       .arg(fontNumber);
    if (codes.empty()) {
        return text + u'.';
    }
    return text +
           QStringLiteral("; the game's own glyphs at codes %1 will be lost.").arg(CodeList(codes));
}

} // namespace

void Dispatcher::Generate(GenerationStyle style) {
    if (const std::optional<GameFont>& gameFont = document_.gameFont()) {
        switch (environment_.AskGenerateOverGameFont(
            &window_, ProgramTitle,
            GenerateOverGameFontText(document_.set(), gameFont->number()))) {
        case GenerateOverGameFontAnswer::Replace:
            break;
        case GenerateOverGameFontAnswer::AddLettersInstead:
            AddLetters(style);
            return;
        case GenerateOverGameFontAnswer::Cancel:
            return;
        }
    }
    if (!ChooseGenerationFont()) {
        ShowAgain();
        return;
    }
    // The set is drawn aside and replaces the document's only when the whole run succeeds, so a
    // failed run makes no edit.
    Result generated = Result::Success();
    const std::optional<DrawingSource> source = MakeDrawingSource(state_.generationFont, generated);
    Charset drawn;
    if (source) {
        generated = GenerateCharset(drawn, *source, style, document_.codePage());
    }
    if (!generated) {
        ShowFailure(QStringLiteral("Could not generate the set from %1")
                        .arg(state_.generationFont.familyName),
                    generated);
        ShowAgain();
        return;
    }
    document_.Apply(std::make_unique<ReplaceSet>(GenerationStepName(style), std::move(drawn)));
}

} // namespace fontlathe
