#include "render/TextPreview.h"
#include "support/AppFixture.h"
#include "views/ImageView.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class CodePageWindowTest : public AppFixture {
protected:
    void Choose(const QString& name) {
        for (QAction* action : window().codePageMenu()->findChildren<QAction*>()) {
            if (action->data().toString() == name) {
                action->trigger();
                return;
            }
        }
        FAIL() << "no menu item for " << name.toStdString();
    }
    QString CharAt(int code) {
        return window().charList()->charModel()->Text(code, CharTableModel::CharColumn);
    }
    void Open(const QString& name) {
        environment_.openAnswers.push_back(PathOf(name));
        dispatcher().MenuCommand(Menu::Open);
    }
};

TEST_F(CodePageWindowTest, APageChangesWhatTheCodesShowNotTheSetAndStaysWithItsFile) {
    Charset font;
    font.NewCharset(2);
    SetGlyph(font, 0xC0, 4, 5, [](int x, int y) { return (x * y) % 4; });
    WriteSet(u"cyr.char"_s, font);
    WriteSet(u"other.char"_s, font);
    Start({u"cyr.char"_s});
    EXPECT_EQ(Text(Control::CodePageLabel), u"Code Page: latin1"_s);
    EXPECT_EQ(CharAt(0xC0), u"\u00C0"_s);

    Choose(u"cp1251"_s);
    EXPECT_EQ(CharAt(0xC0), u"\u0410"_s);
    EXPECT_EQ(CharAt(0x98), u"n.p."_s) << "cp1251 leaves 0x98 empty";
    EXPECT_EQ(CharAt(0x20), u" "_s) << "the space is a character of every page";
    EXPECT_EQ(CharAt(0x1F), u"n.p."_s);
    EXPECT_EQ(Text(Control::CodePageLabel), u"Code Page: cp1251"_s);
    EXPECT_EQ(dispatcher().history().StepCount(), 0u) << "a page is no edit of the set";
    EXPECT_FALSE(window().windowTitle().endsWith(u" *"_s));
    ClickRow(0xC1);
    Click(Control::OnButton);
    EXPECT_EQ(window().menuAction(Menu::Undo)->text(), u"Undo On '\u0411'"_s)
        << "a step names the letter as the page reads its code";
    dispatcher().MenuCommand(Menu::Undo);
    window().previewText()->setPlainText(u"\u0410"_s);
    EXPECT_EQ(window().previewImage()->image(),
              RenderPreview(set(), u"\u00C0"_s, window().PreviewZoom()))
        << "А is code 0xC0";

    Open(u"other.char"_s);
    EXPECT_EQ(Text(Control::CodePageLabel), u"Code Page: latin1"_s)
        << "a font never opened starts with the page game fonts are drawn for";
    EXPECT_TRUE(window().control(Control::CodePageLabel)->toolTip().contains(u"No page was chosen"_s));
    Choose(u"latin1"_s);
    environment_.openAnswers.push_back(PathOf(u"cyr.char"_s));
    window().recentMenu()->actions().at(1)->trigger();
    EXPECT_EQ(document().fileType().path(), PathOf(u"cyr.char"_s));
    EXPECT_EQ(CharAt(0xC0), u"\u0410"_s) << "Open Recent brings the file's page back";
    dispatcher().MenuCommand(Menu::New2Colors);
    EXPECT_EQ(Text(Control::CodePageLabel), u"Code Page: latin1"_s) << "the page chosen last";
}

TEST_F(CodePageWindowTest, AMappingFileIsAPageAndABadOneChangesNothing) {
    WriteFile(u"polish.txt"_s, "0x80\t0x0104\t# A with ogonek\n");
    WriteFile(u"bad.txt"_s, "0x80 0x0104\n0x80 0x0105\n");
    Start();
    environment_.openAnswers = {PathOf(u"polish.txt"_s)};
    dispatcher().MenuCommand(Menu::LoadMappingFile);
    // The file's name whole: "Code Page: " goes where both do not fit.
    const auto showsPolish = [this] {
        const QString label = Text(Control::CodePageLabel);
        return label == u"Code Page: polish.txt"_s || label == u"polish.txt"_s;
    };
    EXPECT_TRUE(showsPolish()) << Text(Control::CodePageLabel).toStdString();
    EXPECT_EQ(CharAt(0x80), u"\u0104"_s);
    EXPECT_EQ(CharAt(0x41), u"n.p."_s) << "a code without a line stands for nothing";
    environment_.openAnswers = {PathOf(u"bad.txt"_s)};
    dispatcher().MenuCommand(Menu::LoadMappingFile);
    ASSERT_FALSE(environment_.messages.empty());
    EXPECT_TRUE(environment_.messages.back().text.contains(u"line 2"_s, Qt::CaseInsensitive))
        << environment_.messages.back().text.toStdString();
    EXPECT_TRUE(showsPolish());
    // A font never opened before starts with a standard page, never with another's mapping file.
    Charset font;
    font.NewCharset(1);
    WriteSet(u"other.char"_s, font);
    environment_.openAnswers = {PathOf(u"other.char"_s)};
    dispatcher().MenuCommand(Menu::Open);
    EXPECT_EQ(Text(Control::CodePageLabel), u"Code Page: latin1"_s);
}

} // namespace
} // namespace fontlathe::test
