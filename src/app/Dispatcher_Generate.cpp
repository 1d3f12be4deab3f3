// The Generate commands: a font from the requester, then a whole set drawn from it.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "document/Document.h"
#include "edit/WholeSetEdit.h"
#include "generate/DrawingFont.h"
#include "generate/Rasterizer.h"
#include "gui/Environment.h"

#include <cmath>

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

} // namespace

ViewScope Dispatcher::Generate(GenerationStyle style) {
    if (!ChooseGenerationFont()) {
        return ViewScope::WholeSet;
    }
    // The rasterizer replaces the set only when the whole run succeeds, so a failed run ends the
    // edit without a step.
    FileResult generated = FileResult::Success();
    document_.Change(std::make_unique<WholeSetEdit>(GenerationStepName(style), document_.set()),
                     [&](Charset& set) {
                         generated = GenerateCharset(set, MakeDrawingFont(state_.generationFont),
                                                     style, document_.codePage());
                     });
    if (!generated) {
        ShowFailure(QStringLiteral("Could not generate the set from %1")
                        .arg(state_.generationFont.familyName),
                    generated);
    }
    return ViewScope::WholeSet;
}

} // namespace fontlathe
