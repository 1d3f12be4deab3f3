#include "text/CodePage.h"
#include "text/CodePoints.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace fontlathe {
namespace {

constexpr int None = -1;

int CharacterOf(const CodePage& page, int code) {
    return static_cast<int>(page.CharacterAt(code).value_or(static_cast<char32_t>(None)));
}

TEST(CodePageTest, StandardPagesByNameAndAlias) {
    const CodePage latin1;
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(CharacterOf(latin1, code), code);
    }
    // Aliases and any case; undefined codes, controls and the library's swapped DOS controls.
    const std::tuple<QString, int, int> cases[] = {
        {u"cp850"_s, 0x82, 0xE9},          {u"IBM850"_s, 0x82, 0xE9},
        {u"CP437"_s, 0x9B, 0xA2},          {u"cp437"_s, 0x7F, None},
        {u"cp437"_s, 0x1A, 0x1A},          {u"cp1251"_s, 0xC0, 0x410},
        {u" Windows-1251"_s, 0xC0, 0x410}, {u"cp1251"_s, 0x98, None},
        {u"cp1252"_s, 0x80, 0x20AC},       {u"cp1252"_s, 0x81, None},
        {u"iso-8859-5"_s, 0x85, None},     {u"ISO-8859-5"_s, 0xB0, 0x410},
        {u"koi8-r"_s, 0xE1, 0x410},        {u"cp866"_s, 0x80, 0x410},
        {u"cp857"_s, 0xD5, None},          {u"cp737"_s, 0x80, 0x391},
        {u"cp862"_s, 0x80, 0x5D0},         {u"cp1255"_s, 0xE0, 0x5D0},
        {u"iso-8859-1"_s, 0x85, 0x85},
    };
    for (const auto& [name, code, character] : cases) {
        const std::optional<CodePage> page = CodePage::Standard(name);
        ASSERT_TRUE(page.has_value()) << name.toStdString();
        EXPECT_EQ(CharacterOf(*page, code), character) << name.toStdString() << " " << code;
    }
    EXPECT_EQ(CodePage::Standard(u"IBM850"_s)->name(), u"cp850"_s);
    EXPECT_EQ(CodePage::Standard(u"ISO-8859-1"_s)->name(), u"latin1"_s);
    EXPECT_EQ(CodePage::Standard(u"l1"_s)->name(), u"latin1"_s);
    for (const CodePageInfo& info : KnownCodePages()) {
        const std::optional<CodePage> page = CodePage::Standard(info.name.toUpper());
        ASSERT_TRUE(page.has_value()) << info.name.toStdString();
        EXPECT_EQ(page->name(), info.name);
        EXPECT_FALSE(info.script.isEmpty());
    }
    for (const QString& unknown : {u"cp9999"_s, u"utf-8"_s, u"Shift_JIS"_s, u""_s}) {
        EXPECT_FALSE(CodePage::Standard(unknown).has_value()) << unknown.toStdString();
    }
    EXPECT_EQ(CodePage::Standard(u"cp1251"_s)->DisplayText(0xC0), u"\u0410"_s);
    EXPECT_EQ(CodePage::Standard(u"cp1251"_s)->DisplayText(0x98), u"n.p."_s);
    EXPECT_EQ(latin1.DisplayText(31), u"n.p."_s);
    // A report names no control character as it is: the terminal would act on it.
    for (const char32_t control : {U'\x1B', U'\x7F', U'\x9B', U'\x9F'}) {
        EXPECT_EQ(CharacterText(control), u"n.p."_s);
    }
    EXPECT_EQ(CharacterText(U'ź'), u"ź"_s);
}

TEST(CodePageTest, MappingFilesAndTheLowestCode) {
    CodePage page;
    ASSERT_TRUE(
        CodePage::ParseMapping("\xEF\xBB\xBF# Unicode's layout\r\n0x01\t0x263A\r\n0x41\t0x0041\r\n"
                               "0x80\t0x0104\t#LATIN CAPITAL LETTER A WITH OGONEK\r\n"
                               "0x81\t\t#UNDEFINED\r\n0x90 0x0104\n0xA0 0x1F600\n0xa1 0x1f600",
                               u"mine"_s, page)
            .ok());
    EXPECT_EQ(page.name(), u"mine"_s);
    EXPECT_EQ(page.ControlCodesLeftOut(), 1) << "0x01 is told, not taken";
    EXPECT_EQ(CharacterOf(page, 0x01), 0x01);
    for (const QString& name : {u"MAP.TXT"_s, u"dir/cyrillic"_s, u"x.Txt"_s}) {
        EXPECT_TRUE(CodePage::NamesMappingFile(name)) << name.toStdString();
    }
    EXPECT_FALSE(CodePage::NamesMappingFile(u"cp1251"_s));
    EXPECT_EQ(CharacterOf(page, 0x80), 0x104);
    EXPECT_EQ(CharacterOf(page, 0x81), None);
    EXPECT_EQ(CharacterOf(page, 0x42), None);
    EXPECT_EQ(page.CodesOf(u"A\u0104\U0001F600B\r"_s + QChar(0xD83D)),
              (std::vector<int>{0x41, 0x80, 0xA0, None, '\r', None}));
    EXPECT_EQ(CodePage::Standard(u"cp850"_s)->CodesOf(u"été"_s),
              (std::vector<int>{0x82, 't', 0x82}));

    const std::pair<QByteArray, QString> refusals[] = {
        {"0x41 0x41\n# note\n0x4G 0x41", u"line 3 is not a code and a character"_s},
        {"0x41", u"line 1 is not"_s},
        {"0x41 0x41 0x42", u"line 1 is not"_s},
        {"41 0x41", u"line 1 is not"_s},
        {"0x100 0x41", u"line 1 gives the code 0x100, above 0xFF"_s},
        {"0x41 0x41\n0x41\t#UNDEFINED", u"line 2 gives the code 0x41 a second time"_s},
        {"0x41 0xD800", u"line 1 gives 0xD800, which is not a Unicode character"_s},
        {"0x41 0x110000", u"line 1 gives 0x110000"_s},
        {"\n#" + QByteArray(2000, 'x'), u"line 2 is longer than 1000 characters"_s},
        {"# nothing\n0x0A 0x0A", u"no code from 0x20 up"_s},
        {QByteArray(64, '\0'), u"NUL"_s},
    };
    for (const auto& [text, reason] : refusals) {
        const Result parsed = CodePage::ParseMapping(text, u"mine"_s, page);
        EXPECT_TRUE(parsed.reason().contains(reason)) << parsed.reason().toStdString();
        EXPECT_EQ(page.name(), u"mine"_s) << "the page before stays";
    }
}

TEST(CodePageTest, MappingFilesAreReadBoundedAndRegularOnly) {
    QTemporaryDir dir;
    const auto write = [&dir](const QString& name, const QByteArray& bytes, qint64 size = 0) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.resize(std::max(size, qint64(bytes.size())));
        return file.fileName();
    };
    const QString fifo = dir.filePath(u"fifo"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const std::pair<QString, QString> refusals[] = {
        {fifo, u"not a regular file"_s},
        {u"/dev/zero"_s, u"not a regular file"_s},
        {write(u"huge.txt"_s, "0x41 0x41\n", qint64(2) << 30), u"larger than"_s},
        {write(u"nul.txt"_s, QByteArray(4096, '\0')), u"NUL"_s},
        {write(u"line.txt"_s, "#" + QByteArray(1'000'000, 'x')), u"line 1 is longer"_s},
        {dir.filePath(u"none.txt"_s), u"cannot be opened"_s},
    };
    CodePage page;
    for (const auto& [path, reason] : refusals) {
        const Result loaded = CodePage::Choose(path, page);
        EXPECT_TRUE(loaded.reason().contains(reason)) << loaded.reason().toStdString();
        EXPECT_EQ(page.name(), u"latin1"_s);
    }
    const QString mine = write(u"mine.txt"_s, "0x80 0x0104\n");
    ASSERT_TRUE(CodePage::Choose(mine, page).ok());
    EXPECT_EQ(page.name(), mine);
    EXPECT_EQ(page.CodeOf(0x104), 0x80);
    EXPECT_EQ(CodePage::Choose(u"cp9999"_s, page).reason(), u"unknown code page \"cp9999\""_s);
}

} // namespace
} // namespace fontlathe
