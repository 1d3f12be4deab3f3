#include "gui/AddLettersDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

// The real dialog, driven as a user would: the page found from the glyphs is marked, and
// "Mapping File..." at the end of the drawn-for list reads the font through a file the
// requester gives (starting in the font's folder), in the same pass.
TEST(AddLettersDialogTest, TheDrawnForListMarksTheFoundPageAndTakesAMappingFile) {
    AddLettersChoices initial;
    initial.toPage = u"cp1251"_s;
    initial.fromPage = u"cp1251"_s;
    initial.fromPageFound = true;
    std::vector<QString> planned;
    const AddLettersPlanner plan = [&planned](const AddLettersChoices& choices) {
        planned.push_back(choices.fromPage);
        return LetterReport{};
    };
    int asked = 0;
    const FileAsker askFile = [&asked](QWidget*) {
        ++asked;
        return u"/fonts/game-layout.txt"_s;
    };
    QString found;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* from = dialog->findChild<QComboBox*>(u"fromPage"_s);
        ASSERT_NE(from, nullptr);
        found = from->currentText();
        ASSERT_EQ(from->itemText(from->count() - 1), u"Mapping File..."_s);
        from->setCurrentIndex(from->count() - 1);
        dialog->accept();
    });
    const std::optional<AddLettersChoices> chosen = RunAddLettersDialog(
        nullptr, initial, plan, [](QWidget*, const FontChoice&) { return std::nullopt; }, askFile,
        [](QWidget*, const AddLettersChoices&) {});
    EXPECT_TRUE(found.startsWith(u"cp1251"_s) && found.endsWith(u" (found from its glyphs)"_s))
        << found.toStdString();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(chosen->fromPage, u"/fonts/game-layout.txt"_s);
    EXPECT_EQ(planned.back(), u"/fonts/game-layout.txt"_s) << "the table reads the font through it";
}

} // namespace
} // namespace fontlathe::test
