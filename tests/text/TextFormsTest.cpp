#include "text/TextForms.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe {
namespace {

TEST(TextFormsTest, CodesLettersAndBytesReadTheSameEverywhere) {
    EXPECT_EQ(CodeText(0xE9) + CodeText(0x0A) + CodeText(0x141), u"0xE90x0A0x141"_s);
    EXPECT_EQ(HexText(0x104, 4), u"0x0104"_s);
    EXPECT_EQ(LetterName(U' ') + LetterName(U'ą'), u"spaceą"_s);
    EXPECT_EQ(PrintableBytes("CH ~\x01\x7f\xff"), u"CH ~\\x01\\x7f\\xff"_s);
}

// Every string, in either form, reads back as itself; the form decides only what is escaped.
TEST(TextFormsTest, JsonStringsReadBackAsTheText) {
    const struct { QString text; QByteArray utf8, ascii; } cases[] = {
        {u"a\"b\\c"_s, "\"a\\\"b\\\\c\"", "\"a\\\"b\\\\c\""},
        {u"tab\t\x7f"_s, "\"tab\\u0009\x7f\"", "\"tab\\u0009\\u007f\""},
        {u"Zażółć"_s, "\"Za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87\"",
         "\"Za\\u017c\\u00f3\\u0142\\u0107\""},
        {QString::fromUcs4(U"\U0001D400", 1), "\"\xf0\x9d\x90\x80\"", "\"\\ud835\\udc00\""},
    };
    for (const auto& c : cases) {
        for (const auto& [form, expected] : {std::pair{JsonCharacters::Utf8, c.utf8},
                                              std::pair{JsonCharacters::Ascii, c.ascii}}) {
            const QByteArray json = JsonString(c.text, form);
            EXPECT_EQ(json, expected) << c.text.toStdString();
            const QJsonDocument read = QJsonDocument::fromJson("{\"s\":" + json + "}");
            EXPECT_EQ(read.object().value(u"s"_s).toString(), c.text) << json.toStdString();
        }
    }
}

} // namespace
} // namespace fontlathe
