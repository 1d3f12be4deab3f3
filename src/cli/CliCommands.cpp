// The command table of fontlathe-cli, part one: the commands on font files and bitmap faces, each
// with its syntax, the texts it tells a user who gave it too little, and its help, from which the
// help texts and the manual page are written.
#include "CliCommand.h"
#include "CliHelp.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace fontlathe {

std::vector<CliCommand> FontFileCommands() {
    using option::DirtyBytes, option::Font, option::FromPage, option::Json, option::Output,
        option::Style, option::Text, option::TextEncoding, option::TextFile;
    std::vector<CliCommand> commands;
    commands.push_back(
        {.name = u"info"_s,
         .syntax = {{Json}, {option::CodePage, Font}, 1},
         .shape = u"info takes one FILE and an optional --json"_s,
         .needs = {},
         .help = {.summary = u"show the header and the stored glyphs of a font"_s,
                  .synopsis = u"[--json] [--codepage P] (FILE | GAME --font N)"_s,
                  .about = u"Print the header of a font file, or of font N of a game's bundle, "
                           "and every glyph it stores: its code, letter, size and offsets. With "
                           "--json, one object with tag, blockSize, dataSize, version, colorMap, "
                           "bitsPerPixel, fontHeight, numChars and glyphs: the present glyphs in "
                           "code order, each with code, width, height, xOffset, yOffset and rows "
                           "(one string per pixel row, one hex digit per pixel: its palette "
                           "index)."_s,
                  .options = {{option::CodePage, u"P"_s,
                               u"the page of the letters shown (default latin1)"_s}},
                  .exits = {},
                  .examples = {u"fontlathe-cli info --json font.char"_s,
                               u"fontlathe-cli info game.000 --font 2"_s}},
         .run = RunInfo});
    commands.push_back(
        {.name = u"resave"_s,
         .syntax = {{DirtyBytes}, {Output}, 1, 1},
         .shape = u"resave takes IN and -o OUT and an optional --dirty-bytes"_s,
         .needs = u"resave takes IN and either -o OUT or OUT"_s,
         .help = {.summary = u"load a font file and save it again"_s,
                  .synopsis = u"IN -o OUT [--dirty-bytes]"_s,
                  .about = u"Load IN and save it as OUT, which may also follow IN as a plain "
                           "second word; OUT may be IN itself."_s,
                  .options = {{Output, u"OUT"_s, u"the font file to write, which may be IN"_s}},
                  .exits = {},
                  .examples = {u"fontlathe-cli resave old.char -o new.char --dirty-bytes"_s}},
         .run = RunResave});
    commands.push_back(
        {.name = u"render"_s,
         .syntax = {{}, {Text, u"--zoom"_s, u"--size"_s, Output, option::CodePage, Font}, 1},
         .shape = u"render takes FILE and -o OUT.png"_s,
         .needs = u"render takes FILE and -o OUT.png"_s,
         .help = {.summary = u"draw a text with the font as the editor's preview does"_s,
                  .synopsis = u"(FILE | GAME --font N) [--text TEXT] [--zoom S] [--size WxH] "
                              "[--codepage P] -o OUT.png"_s,
                  .about = u"Draw a text with the font as the editor's preview does and write it "
                           "as a PNG image. The image is at least 600x70 pixels, grown to "
                           "hold the whole text; a --size that cuts the text is kept, and a note "
                           "says so."_s,
                  .options = {{Output, u"OUT.png"_s, u"the image to write"_s},
                              {Text, u"TEXT"_s, u"the text to draw (default: the sample text)"_s},
                              {u"--zoom"_s, u"S"_s,
                               u"draw each pixel S times as large, 1 to 6 "
                               "(default 2)"_s},
                              {u"--size"_s, u"WxH"_s, u"the image's size, each side 1 to 8192"_s},
                              {option::CodePage, u"P"_s,
                               u"the page that gives each letter its code"_s}},
                  .exits = {},
                  .examples = {u"fontlathe-cli render font.char --text Hello --zoom 3 -o "
                               "hello.png"_s}},
         .run = RunRender});
    commands.push_back(
        {.name = u"generate"_s,
         .syntax = {{u"--bold"_s, u"--italic"_s, DirtyBytes},
                    {u"--family"_s, u"--size"_s, Style, Output, option::CodePage},
                    0},
         .shape = u"generate takes --family NAME --size N and -o OUT.char"_s,
         .needs = u"generate takes --family NAME --size N (or --family FACE-FILE) and -o "
                  "OUT.char"_s,
         .help =
             {.summary = u"draw a new set from an installed font or a bitmap face"_s,
              .synopsis = u"--family NAME --size N [--bold] [--italic] [--style S] "
                          "[--codepage P] [--dirty-bytes] -o OUT.char"_s,
              .about = u"Draw codes 32 to 255 of an installed font into a new set, as the "
                       "editor's Generate commands do. N is 1 to 100 points, drawn one pixel "
                       "a point; a font whose glyphs are larger than 127 pixels a side is "
                       "refused. A family that is not installed is drawn with the one that "
                       "stands in for it, which a line on standard error names. NAME may "
                       "also be a BDF, PCF or PSF face file, drawn as it is: --size is then "
                       "left out or the face's pixel size, and --bold and --italic are "
                       "refused."_s,
              .options = {{Output, u"OUT.char"_s, u"the font file to write"_s},
                          {u"--family"_s, u"NAME"_s,
                           u"the installed family, or a BDF, PCF or PSF face file"_s},
                          {u"--size"_s, u"N"_s, u"the size in points, 1 to 100"_s},
                          {u"--bold"_s, QString(), u"draw the family's bold"_s},
                          {u"--italic"_s, QString(), u"draw the family's italic"_s},
                          {option::CodePage, u"P"_s,
                           u"draw at each code the letter page P puts "
                           "there"_s}},
              .exits = {},
              .examples =
                  {u"fontlathe-cli generate --family \"DejaVu Sans\" --size 12 --bold -o dv.char"_s,
                   u"fontlathe-cli generate --family ter-u16n.psf.gz -o ter.char"_s}},
         .run = RunGenerate,
         .drawsWithFonts = true});
    commands.push_back(
        {.name = u"export"_s,
         .syntax = {{}, {u"--cell"_s, Output, option::CodePage}, 1},
         .shape = u"export takes FILE.char and -o SHEET.png"_s,
         .needs = u"export takes FILE.char and -o SHEET.png"_s,
         .help = {.summary = u"write every glyph into one PNG sheet for a paint program"_s,
                  .synopsis = u"FILE.char [--cell WxH] [--codepage P] -o SHEET.png"_s,
                  .about = u"Write every glyph into one PNG sheet of 16 x 16 cells, for a paint "
                           "program; import reads it back."_s,
                  .options = {{Output, u"SHEET.png"_s, u"the sheet to write"_s},
                              {u"--cell"_s, u"WxH"_s,
                               u"each cell's size, 1 to 127 a side "
                               "(default: largest glyph + 4)"_s},
                              {option::CodePage, u"P"_s,
                               u"the page the sheet notes the font is drawn "
                               "for"_s}},
                  .exits = {},
                  .examples = {u"fontlathe-cli export font.char --cell 24x24 -o sheet.png"_s}},
         .run = RunExport});
    commands.push_back(
        {.name = u"import"_s,
         .syntax = {{DirtyBytes}, {Output}, 1},
         .shape = u"import takes SHEET.png and -o FILE.char"_s,
         .needs = u"import takes SHEET.png and -o FILE.char"_s,
         .help = {.summary = u"read a sheet that export wrote back into a font file"_s,
                  .synopsis = u"SHEET.png [--dirty-bytes] -o FILE.char"_s,
                  .about = u"Read a sheet that export wrote, edited in a paint program, back "
                           "into a font file."_s,
                  .options = {{Output, u"FILE.char"_s, u"the font file to write"_s}},
                  .exits = {},
                  .examples = {u"fontlathe-cli import sheet.png -o font.char"_s}},
         .run = RunImport});
    commands.push_back(
        {.name = u"import-font"_s,
         .syntax = {{}, {option::CodePage, Output}, 1},
         .shape = u"import-font takes FACE and -o OUT.char"_s,
         .needs = u"import-font takes FACE and -o OUT.char"_s,
         .help = {.summary = u"make a 1-bit font of a BDF, PCF or PSF face"_s,
                  .synopsis = u"FACE [--codepage P] -o OUT.char"_s,
                  .about = u"Make a 1-bit font of a bitmap face: a BDF, PCF (X11's) or PSF1/PSF2 "
                           "(the Linux console's) file, gzip-compressed or not. Each code gets "
                           "the face's glyph of the character page P puts there; the line is the "
                           "face's ascent plus descent, each glyph spans its advance (and any ink "
                           "past it), and ink above the line keeps a negative y offset. The "
                           "characters the face lacks are listed. A face whose glyphs would not "
                           "fit a font file is refused with its size, a damaged file with the "
                           "byte offset and the reason."_s,
                  .options = {{Output, u"OUT.char"_s, u"the font file to write"_s},
                              {option::CodePage, u"P"_s,
                               u"the page whose characters the codes get"_s}},
                  .exits = {},
                  .examples = {u"fontlathe-cli import-font ter-u16n.psf.gz --codepage cp850 -o "
                               "ter.char"_s}},
         .run = RunImportFont});
    commands.push_back(
        {.name = u"export-font"_s,
         .syntax = {{}, {option::CodePage, Output}, 1},
         .shape = u"export-font takes FONT.char and -o OUT.bdf"_s,
         .needs = u"export-font takes FONT.char and -o OUT.bdf"_s,
         .help = {.summary = u"write a font as a BDF face"_s,
                  .synopsis = u"FONT.char [--codepage P] -o OUT.bdf"_s,
                  .about = u"Write the font as a BDF 2.1 face, each glyph at the Unicode "
                           "character page P puts at its code; a code the page gives no "
                           "character (0 to 31, a page's holes) is written as ENCODING -1 with "
                           "its code and comes back to it through import-font. A pixel is ink "
                           "unless it is colour 0, so a 2- or 4-bit font comes out in one "
                           "colour."_s,
                  .options = {{Output, u"OUT.bdf"_s, u"the face to write"_s},
                              {option::CodePage, u"P"_s,
                               u"the page that gives each code its character"_s}},
                  .exits = {},
                  .examples = {u"fontlathe-cli export-font font.char --codepage cp850 -o "
                               "font.bdf"_s}},
         .run = RunExportFont});
    commands.push_back(
        {.name = u"coverage"_s,
         .syntax = {{Json}, {Text, TextFile, TextEncoding, option::CodePage, FromPage, Font}, 1},
         .shape = u"coverage takes FILE.char and --text TEXT or --text-file PATH"_s,
         .needs = u"coverage takes either --text TEXT or --text-file PATH"_s,
         .help = {.summary = u"list the characters of a text that a font lacks"_s,
                  .synopsis = u"(FILE.char | GAME --font N|all) (--text TEXT | --text-file PATH) "
                              "[--json] [--codepage P] [--text-encoding E] [--from-page P]"_s,
                  .about = u"List the characters of a text that the font lacks, with their "
                           "counts and why (among the reasons reservedCode: a code the game's "
                           "text reader takes as a control code). A text file is read as UTF-8, "
                           "as UTF-16 behind its byte order mark, or in page E. With --from-page, "
                           "the page the font is drawn for, a glyph that shows another letter "
                           "there is reported as otherLetter. --font all checks every font of "
                           "the game, one by one."_s,
                  .options = {{Text, u"TEXT"_s, u"the text to check"_s},
                              {TextFile, u"PATH"_s, u"read the text to check from PATH"_s},
                              {Font, u"N|all"_s, u"font N of GAME's bundle, or all of them"_s},
                              {FromPage, u"P"_s,
                               u"count glyphs of other letters in page P as missing"_s}},
                  .exits = {{ExitSuccess, u"the font has every character of the text"_s},
                            {ExitFailure},
                            {ExitUsage},
                            {ExitMissing, u"characters are missing, as the report lists"_s}},
                  .examples = {u"fontlathe-cli coverage font.char --text-file de.txt"_s,
                               u"fontlathe-cli coverage game.000 --font all --text \"Ça va\" "
                               "--json"_s}},
         .run = RunCoverage});
    commands.push_back(
        {.name = u"codepages"_s,
         .syntax = {{}, {u"--write"_s}, 0, 1},
         .shape = u"codepages takes at most one page P and an optional --write FILE"_s,
         .needs = {},
         .help = {.summary = u"list the code pages --codepage knows, or print one"_s,
                  .synopsis = u"[P [--write FILE]]"_s,
                  .about = u"List the code pages that --codepage knows, with the script each is "
                           "for. With P, print page P as a mapping file, which --codepage FILE "
                           "reads: a start for a translation's own page."_s,
                  .options = {{u"--write"_s, u"FILE"_s, u"write page P's mapping file to FILE"_s}},
                  .exits = {},
                  .examples = {u"fontlathe-cli codepages"_s,
                               u"fontlathe-cli codepages cp850 --write my-page.txt"_s}},
         .run = RunCodePages});
    return commands;
}

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> commands = [] {
        std::vector<CliCommand> all = FontFileCommands();
        std::ranges::move(GameAndLetterCommands(), std::back_inserter(all));
        return all;
    }();
    return commands;
}

const CliCommand* CommandNamed(const QString& name) {
    const std::vector<CliCommand>& commands = CliCommands();
    const auto found = std::ranges::find(commands, name, &CliCommand::name);
    return found == commands.end() ? nullptr : &*found;
}

} // namespace fontlathe
