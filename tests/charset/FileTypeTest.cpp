#include "charset/FileType.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe {
namespace {

FileType FontFiles() {
    return FileType(u"SCUMM Font"_s, u".char"_s);
}

TEST(FileTypeTest, StartsAtNewChar) {
    const FileType type = FontFiles();
    EXPECT_EQ(type.path(), u"new.char"_s);
    EXPECT_EQ(type.extensions(), QStringList{u".char"_s});
}

TEST(FileTypeTest, FilePatternJoinsLabelAndPatterns) {
    EXPECT_EQ(FontFiles().FilePattern(), u"SCUMM Font (*.char)|*.char"_s);
    const FileType several(u"Fonts"_s, u".char;.fnt"_s);
    EXPECT_EQ(several.FilePattern(), u"Fonts (*.char;*.fnt)|*.char;*.fnt"_s);
}

TEST(FileTypeTest, ExtensionRule) {
    const std::pair<const char*, bool> cases[] = {
        {"small", false},          {"fonts/small", false},
        {"bold.fnt", true},        {"bold.char", true},
        {"my.font file", false},   {"dir.d/file", false},
        {".hidden", false},        {"fonts/.hidden", false},
        {"fonts\\.hidden", false}, {"fonts\\bold.fnt", true},
        {"fonts\\bold", false},    {"trailing.", false},
        {"a.b.c", true},           {"", false}};
    for (auto [name, expected] : cases) {
        EXPECT_EQ(FileType::HasExtension(QString::fromUtf8(name)), expected) << name;
    }
}

TEST(FileTypeTest, SetPathAddsTheExtensionOnlyWhenMissing) {
    FileType type = FontFiles();
    type.SetPath(u"bold"_s);
    EXPECT_EQ(type.path(), u"bold.char"_s);
    type.SetPath(u"bold.fnt"_s);
    EXPECT_EQ(type.path(), u"bold.fnt"_s);
    type.SetPath(u"fonts/small"_s);
    EXPECT_EQ(type.path(), u"fonts/small.char"_s);
    type.SetPath(u"my.font file"_s);
    EXPECT_EQ(type.path(), u"my.font file.char"_s);
    type.SetPath(u"new"_s);
    EXPECT_EQ(type.path(), u"new.char"_s);
}

} // namespace
} // namespace fontlathe
