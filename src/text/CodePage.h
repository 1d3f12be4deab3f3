#pragma once

#include "charset/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace fontlathe {

// A standard page the program offers by name, and the script it is for ("Latin", "Cyrillic",
// "Greek", "Hebrew"); description says where it was used ("DOS, Western European").
struct CodePageInfo {
    QString name;
    QString script;
    QString description;
};

// Which Unicode character each code 0 to 255 of a font stands for, or none.
//
// Codes 0 to 31 stand for U+0000 to U+001F in every page, whatever a page or a file says, and
// are shown as "n.p.": the games use none of them as letters, and a text's line breaks and tabs
// keep the codes they always had. The default page, latin1, is the identity: code k is U+00k
// for every k, the C1 controls at 128 to 159 included. Every other standard page comes from the
// conversion library; there a code the library leaves undefined, or decodes to a control
// character (U+007F to U+009F: the Windows pages give their unused codes as C1 controls, the
// DOS pages give 127 as U+001A), stands for nothing.
//
// A page is a small value: copies share one table.
class CodePage {
public:
    // What CodeOf and CodesOf give for a character the page does not hold.
    static constexpr int NotInPage = -1;

    // latin1.
    CodePage();

    // The standard page of that name: one of KnownCodePages() in any case, or any of the
    // library's aliases of one ("IBM850", "windows-1251", "ISO-8859-1"), which give the page
    // its listed name. Another single-byte page the library knows is accepted under its own
    // name. Nothing for a name the library does not know or a multi-byte encoding.
    static std::optional<CodePage> Standard(const QString& name);

    // The page a mapping file describes, in the format of Unicode's code page tables: one
    // "0xNN<whitespace>0xUUUU" pair a line, "#" starts a comment, a code without a line or
    // marked "#UNDEFINED" stands for nothing. The page is named by the file's absolute path.
    // A file that is not a regular file, larger than MaxMappingFileSize, holds a NUL byte, or
    // has a line that does not parse, is too long, gives a code above 0xFF, a code a second
    // time or a value that is no Unicode scalar value, is refused; the reason names the line
    // (the caller names the file), and page stays as it was.
    static Result LoadMappingFile(const QString& path, CodePage& page);
    // The same for the file's bytes; name becomes the page's name.
    static Result ParseMapping(QByteArrayView text, const QString& name, CodePage& page);
    static constexpr qint64 MaxMappingFileSize = 1024 * 1024;
    // The page as a mapping file LoadMappingFile reads back as the same page: one line a code,
    // "0xHH<TAB>0xHHHH<TAB># c", codes ascending; none for codes below 0x20, codes the page leaves
    // undefined or control characters, which stand for nothing either way.
    QByteArray MappingFileText() const;
    // The same page under another name (a mapping file's path).
    CodePage Renamed(const QString& name) const;
    // The page with each (code, character) given put in its place: the character leaves the
    // code it had, and whatever stood at the new code goes. Named `name`.
    CodePage WithMoves(const std::vector<std::pair<int, char32_t>>& moves,
                       const QString& name) const;

    // A command line's or a setting's choice: a value holding a "/" or ending in ".txt" is a
    // mapping file, any other a standard name ("unknown code page \"NAME\"" when it is none).
    static Result Choose(const QString& nameOrFile, CodePage& page);
    static bool NamesMappingFile(const QString& nameOrFile);

    const QString& name() const;

    // How many codes below 0x20 the mapping file gave a character: the page leaves them out, as
    // they stand for themselves in every page.
    int ControlCodesLeftOut() const;

    // The character code stands for; nothing for none or a code outside 0..255.
    std::optional<char32_t> CharacterAt(int code) const;
    // How the code is shown to the user: the character, or "n.p." below 32 and for none.
    QString DisplayText(int code) const;

    // The lowest code that stands for the character, or NotInPage.
    int CodeOf(char32_t character) const;
    // The code of each character of the text in order, a surrogate pair being one character;
    // NotInPage for one the page does not hold (an unpaired surrogate among them).
    std::vector<int> CodesOf(QStringView text) const;

    // The page's tables, which only the files that make pages see (CodePageTable.h).
    struct Table;

private:
    explicit CodePage(std::shared_ptr<const Table> table);

    std::shared_ptr<const Table> table_;
};

// The standard pages, latin1 first, then grouped by script.
const std::vector<CodePageInfo>& KnownCodePages();

} // namespace fontlathe
