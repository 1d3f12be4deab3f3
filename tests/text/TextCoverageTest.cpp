#include "text/TextCoverage.h"
#include "support/SampleSets.h"
#include "text/ReservedCodes.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe {

// Found by argument-dependent lookup, so outside the unnamed namespace.
void PrintTo(const MissingCharacter& missing, std::ostream* out) {
    *out << CodePointName(missing.codePoint).toStdString() << " x" << missing.count << " "
         << MissingReasonName(missing.reason).toStdString();
}

namespace {

// Letters a to z, and Ç stored at 199; é and È present but past the 200 stored codes.
Charset LatinSet() {
    Charset set;
    set.NewCharset(1);
    set.SetNumChars(200);
    for (int code : {0xE9, 0xC7, 0xC8, 0}) {
        test::SetGlyph(set, code, 1, 1, [](int, int) { return 1; });
    }
    for (int code = 'a'; code <= 'z'; ++code) {
        test::SetGlyph(set, code, 2, 2, [](int, int) { return 1; });
    }
    return set;
}

TEST(TextCoverageTest, ReasonsCountsAndOrderOnTrickyText) {
    using enum MissingReason;
    // A combining acute, a character beyond the BMP, line breaks of every kind, and U+2028,
    // U+0085, VT and FF, which are characters like any other.
    const QString text =
        u"cafe\u0301 caf\u00E9\r\nQ\U0001F600\nQ\n\r\r\u2028\u0085\v\f\U0001F600 x"_s;
    const std::vector<MissingCharacter> expected = {
        {0x301, 1, NotInCodePage},   {' ', 2, Absent},
        {0xE9, 1, NotStored},        {'Q', 2, Absent},
        {0x1F600, 2, NotInCodePage}, {0x2028, 1, NotInCodePage},
        {0x85, 1, Absent},           {'\v', 1, Absent},
        {'\f', 1, Absent},
    };
    const Charset set = LatinSet();
    const std::pair<const char*, TextCoverage> checks[] = {
        {"UTF-16", CheckCoverage(set, text)},
        {"UTF-8", CheckCoverageUtf8(set, text.toUtf8())},
    };
    for (const auto& [name, coverage] : checks) {
        EXPECT_EQ(coverage.distinct, 14) << name;
        EXPECT_EQ(coverage.missing, expected) << name;
    }

    const TextCoverage lone = CheckCoverage(set, QString(QChar(0xD83D)) + u"ab\r\n"_s);
    EXPECT_EQ(lone.missing, (std::vector<MissingCharacter>{{0xD83D, 1, NotInCodePage}}));
    EXPECT_EQ(CheckCoverage(set, u"\u00C7\u00C8"_s).missing,
              (std::vector<MissingCharacter>{{0xC8, 1, NotStored}}));
    EXPECT_TRUE(CheckCoverage(set, u"abc\r\n"_s).complete());
    EXPECT_EQ(MissingCharacterList(CheckCoverage(set, u"a\u0105b\u0119\u0105"_s)), u"ą ę"_s);
}

TEST(TextCoverageTest, ThroughACodePage) {
    using enum MissingReason;
    Charset set = LatinSet();
    for (const int code : {0x80, 0x40}) {
        test::SetGlyph(set, code, 1, 1, [](int, int) { return 1; });
    }
    CodePage mine;
    ASSERT_TRUE(CodePage::ParseMapping("0x61 0x0061\n0x80 0x0104", u"mine"_s, mine).ok());
    const CodePage cp850 = *CodePage::Standard(u"cp850"_s);
    const CodePage cp1251 = *CodePage::Standard(u"cp1251"_s);
    const CodePage latin1;
    // é is 0x82 in cp850, absent there; Ú is 0xE9, past the stored codes. The game's text
    // reader reserves @ (present here), 0xFF and 0xFE (past the stored codes) whatever is there.
    const std::tuple<const CodePage*, QString, std::vector<MissingCharacter>> cases[] = {
        {&latin1,
         u"a@\u00FF\u00FE"_s,
         {{'@', 1, ReservedCode}, {0xFF, 1, ReservedCode}, {0xFE, 1, ReservedCode}}},
        {&cp1251,
         u"\u044F\u044E\u0410"_s,
         {{0x44F, 1, ReservedCode}, {0x44E, 1, ReservedCode}, {0x410, 1, Absent}}},
        {&mine, u"a\u0104"_s, {}},
        {&mine, u"b\u0104"_s, {{'b', 1, NotInCodePage}}},
        {&cp850, u"\u00E9\u00DAa"_s, {{0xE9, 1, Absent}, {0xDA, 1, NotStored}}},
    };
    for (const auto& [page, text, missing] : cases) {
        const TextCoverage coverage = CheckCoverage(set, text, *page);
        EXPECT_EQ(coverage.missing, missing) << text.toStdString();
        EXPECT_EQ(coverage.codePage, page->name());
        EXPECT_EQ(CheckCoverageUtf8(set, text.toUtf8(), *page).missing, missing);
    }
    EXPECT_EQ(CheckCoverage(set, u"\u0104"_s).missing,
              (std::vector<MissingCharacter>{{0x104, 1, NotInCodePage}}));
    // Read through cp1251, a font drawn for Latin-1 shows è at 0xE8 where и should be; told the
    // page it is drawn for, coverage says so.
    set.SetNumChars(256);
    test::SetGlyph(set, 0xE8, 1, 1, [](int, int) { return 1; });
    EXPECT_TRUE(CheckCoverage(set, u"\u0438"_s, cp1251).complete());
    MissingCharacter other{0x438, 1, OtherLetter, U'è', 0xE8};
    EXPECT_EQ(CheckCoverage(set, u"\u0438a"_s, cp1251, &latin1).missing,
              std::vector<MissingCharacter>{other});
    EXPECT_TRUE(CheckCoverage(set, u"\u00E8a"_s, latin1, &latin1).complete());
}

// The engine's text reader drops every @ and reads 0xFF, and in the games up to version 6 also
// 0xFE, as an escape; no other byte is reserved in any game the program reads.
TEST(TextCoverageTest, ReservedCodesUnderEveryGameVersion) {
    for (const int version : {AnyGameVersion, 5, 6, 7}) {
        for (int code = 0; code < 256; ++code) {
            const bool reserved = code == '@' || code == 0xFF || (code == 0xFE && version != 7);
            EXPECT_EQ(!ReservedCodeReason(code, version).isEmpty(), reserved)
                << "version " << version << ", code " << code;
        }
    }
}

TEST(TextCoverageTest, FirstInvalidUtf8Byte) {
    const std::pair<QByteArray, qsizetype> cases[] = {
        {"", -1},
        {"plain \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", -1},
        {"\xF4\x8F\xBF\xBF", -1}, // U+10FFFF
        {"ab\xC3", 2},            // cut short at the end
        {"a\xC3"
         "A",
         1},                     // a lead byte without its continuation
        {"a\xC0\x80", 1},        // overlong
        {"\xE0\x9F\xBF", 0},     // overlong in three bytes
        {"\xED\xA0\x80", 0},     // a surrogate
        {"\xF4\x90\x80\x80", 0}, // above U+10FFFF
        {"\x80", 0},             // a lone continuation byte
        {"\xF0\x9F\x98\x80ok\xFF", 6},
    };
    for (const auto& [bytes, offset] : cases) {
        EXPECT_EQ(FirstInvalidUtf8Byte(bytes), offset) << bytes.toHex().toStdString();
    }
}

} // namespace
} // namespace fontlathe
