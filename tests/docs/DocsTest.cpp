// The README and the guides under docs/: every link between them reaches a file in the
// repository, and every link to a heading reaches one; every picture is shown; the README reads
// in minutes, with the two commands near the top.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

const QString Source = QDir::cleanPath(QStringLiteral(FONTLATHE_SOURCE_DIR));

QStringList Lines(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll()).split(u'\n');
}

// README.md and every page under docs/.
QStringList Pages() {
    QStringList pages{Source + QStringLiteral("/README.md")};
    for (const QString& name : QDir(Source + QStringLiteral("/docs"))
                                   .entryList({QStringLiteral("*.md")}, QDir::Files)) {
        pages << Source + QStringLiteral("/docs/") + name;
    }
    return pages;
}

// The lines of a page outside fenced code blocks, by line number, with inline code taken out.
std::map<int, QString> Prose(const QString& page) {
    static const QRegularExpression code(QStringLiteral("`[^`]*`"));
    std::map<int, QString> prose;
    bool fenced = false;
    const QStringList lines = Lines(page);
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().startsWith(QStringLiteral("```"))) {
            fenced = !fenced;
        } else if (!fenced) {
            prose[i + 1] = QString(lines[i]).remove(code);
        }
    }
    return prose;
}

// The anchors GitHub gives a page's headings: lower case, letters, digits, hyphens and
// underscores kept, each space a hyphen, the rest dropped; a repeated one gets -1, -2 and on.
std::set<QString> Anchors(const QString& page) {
    std::set<QString> anchors;
    std::map<QString, int> seen;
    static const QRegularExpression heading(QStringLiteral("^#{1,6} +(.*?) *$"));
    bool fenced = false;
    for (const QString& line : Lines(page)) {
        fenced = fenced != line.trimmed().startsWith(QStringLiteral("```"));
        const QRegularExpressionMatch match = heading.match(line);
        if (fenced || !match.hasMatch()) {
            continue;
        }
        QString anchor;
        for (const QChar c : match.captured(1).toLower()) {
            if (c.isLetterOrNumber() || c == u'-' || c == u'_') {
                anchor += c;
            } else if (c == u' ') {
                anchor += u'-';
            }
        }
        const int count = seen[anchor]++;
        anchors.insert(count == 0 ? anchor : anchor + u'-' + QString::number(count));
    }
    return anchors;
}

// Every link of the pages that is no web address, resolved: "page:line: target" for each
// that reaches no file inside the repository or no heading of its page.
QStringList BrokenLinks(std::set<QString>& reached) {
    static const QRegularExpression link(QStringLiteral("\\]\\(([^()\\s]+)\\)"));
    QStringList broken;
    for (const QString& page : Pages()) {
        for (const auto& [number, line] : Prose(page)) {
            for (const QRegularExpressionMatch& match : link.globalMatch(line)) {
                const QString target = match.captured(1);
                if (target.contains(QStringLiteral("://")) || target.startsWith(u"mailto:")) {
                    continue;
                }
                const QString file = target.section(u'#', 0, 0);
                const QString anchor = target.section(u'#', 1);
                const QString path =
                    file.isEmpty() ? page
                                   : QDir::cleanPath(QFileInfo(page).dir().filePath(file));
                const bool inside = path.startsWith(Source + u'/');
                const bool found = inside && QFileInfo::exists(path) &&
                                   (anchor.isEmpty() || Anchors(path).count(anchor) != 0);
                if (found) {
                    reached.insert(path);
                } else {
                    broken << QStringLiteral("%1:%2: %3")
                                  .arg(QDir(Source).relativeFilePath(page))
                                  .arg(number)
                                  .arg(target);
                }
            }
        }
    }
    return broken;
}

TEST(DocsTest, AnchorsAreGitHubs) {
    const QString page = QDir::temp().filePath(QStringLiteral("fontlathe-docs-test.md"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# Fonts inside a game's files (for modders)\n## `fontlathe-cli`\n"
               "```\n# not a heading\n```\n## Keys\n## Keys\n");
    file.close();
    const std::set<QString> anchors = Anchors(page);
    EXPECT_EQ(QStringList(anchors.begin(), anchors.end()).join(u' ').toStdString(),
              "fontlathe-cli fonts-inside-a-games-files-for-modders keys keys-1");
    QFile::remove(page);
}

TEST(DocsTest, EveryLinkReachesAFileOrHeadingInTheRepository) {
    std::set<QString> reached;
    EXPECT_EQ(BrokenLinks(reached).join(u'\n').toStdString(), "");
    EXPECT_GT(reached.size(), 10u);
}

TEST(DocsTest, EveryPictureUnderDocsIsShown) {
    std::set<QString> reached;
    BrokenLinks(reached);
    QStringList unshown;
    for (const QString& folder : {QStringLiteral("/docs"), QStringLiteral("/docs/pictures")}) {
        for (const QString& name :
             QDir(Source + folder).entryList({QStringLiteral("*.png")}, QDir::Files)) {
            if (reached.count(Source + folder + u'/' + name) == 0) {
                unshown << folder.mid(1) + u'/' + name;
            }
        }
    }
    EXPECT_EQ(unshown.join(u' ').toStdString(), "");
}

TEST(DocsTest, TheReadmeReadsInMinutes) {
    const QStringList lines = Lines(Source + QStringLiteral("/README.md"));
    EXPECT_LE(lines.size(), 201) << "README.md has " << lines.size() - 1 << " lines";
    const QString top = lines.mid(0, 60).join(u'\n');
    EXPECT_TRUE(top.contains(QStringLiteral("scripts/run.sh")));
    EXPECT_TRUE(top.contains(QStringLiteral("scripts/test.sh")));
}

TEST(DocsTest, NoLineIsLongerThan400Characters) {
    for (const QString& page : Pages()) {
        const QStringList lines = Lines(page);
        for (int i = 0; i < lines.size(); ++i) {
            EXPECT_LE(lines[i].size(), 400) << QDir(Source).relativeFilePath(page).toStdString()
                                            << ":" << i + 1;
        }
    }
}

} // namespace
