#include "charset/FileType.h"

#include <gtest/gtest.h>

namespace fontlathe {
namespace {

FileType FontFiles() {
    return FileType(QStringLiteral("SCUMM Font"), QStringLiteral(".char"));
}

TEST(FileTypeTest, StartsAtNewChar) {
    const FileType type = FontFiles();
    EXPECT_EQ(type.path(), QStringLiteral("new.char"));
    EXPECT_EQ(type.extensions(), QStringList{QStringLiteral(".char")});
}

TEST(FileTypeTest, FilePatternJoinsLabelAndPatterns) {
    EXPECT_EQ(FontFiles().FilePattern(), QStringLiteral("SCUMM Font (*.char)|*.char"));
    const FileType several(QStringLiteral("Fonts"), QStringLiteral(".char;.fnt"));
    EXPECT_EQ(several.FilePattern(), QStringLiteral("Fonts (*.char;*.fnt)|*.char;*.fnt"));
}

TEST(FileTypeTest, ExtensionRule) {
    const std::pair<const char*, bool> cases[] = {
        {"small", false},          {"fonts/small", false},
        {"bold.fnt", true},        {"bold.char", true},
        {"my.font file", false},   {"dir.d/file", false},
        {".hidden", false},        {"fonts/.hidden", false},
        {"fonts\\.hidden", false}, {"fonts\\bold.fnt", true},
        {"fonts\\bold", false},    {"trailing.", false},
        {"a.b.c", true},           {"", false},
    };
    for (auto [name, expected] : cases) {
        EXPECT_EQ(FileType::HasExtension(QString::fromUtf8(name)), expected) << name;
    }
}

TEST(FileTypeTest, SetPathAddsTheExtensionOnlyWhenMissing) {
    FileType type = FontFiles();
    type.SetPath(QStringLiteral("bold"));
    EXPECT_EQ(type.path(), QStringLiteral("bold.char"));
    type.SetPath(QStringLiteral("bold.fnt"));
    EXPECT_EQ(type.path(), QStringLiteral("bold.fnt"));
    type.SetPath(QStringLiteral("fonts/small"));
    EXPECT_EQ(type.path(), QStringLiteral("fonts/small.char"));
    type.SetPath(QStringLiteral("my.font file"));
    EXPECT_EQ(type.path(), QStringLiteral("my.font file.char"));
    type.SetPath(QStringLiteral("new"));
    EXPECT_EQ(type.path(), QStringLiteral("new.char"));
}

} // namespace
} // namespace fontlathe
