// The command table of fontlathe-cli: each command's syntax, the texts it tells a user who gave
// it too little, and its lines of the usage text.
#include "CliCommand.h"

namespace fontlathe {

namespace {

const QString CodePage = QStringLiteral("--codepage");
const QString Json = QStringLiteral("--json");
const QString DirtyBytes = QStringLiteral("--dirty-bytes");
const QString Output = QStringLiteral("-o");
const QString Text = QStringLiteral("--text");
const QString TextFile = QStringLiteral("--text-file");
const QString TextEncoding = QStringLiteral("--text-encoding");
const QString Font = QStringLiteral("--font");
const QString Style = QStringLiteral("--style");

std::vector<CliCommand> MakeCommands() {
    std::vector<CliCommand> commands;
    const auto add = [&commands](QString name, CommandSyntax syntax, QString shape, QString needs,
                                 QString usage, CliRunner run, bool fonts = false) {
        commands.push_back({std::move(name), std::move(syntax), std::move(shape), std::move(needs),
                            std::move(usage), run, fonts});
    };
    add(QStringLiteral("info"), {{Json}, {CodePage, Font}, 1},
        QStringLiteral("info takes one FILE and an optional --json"), QString(),
        QStringLiteral("  info [--json] [--codepage P] (FILE | GAME --font N)\n"
                       "                                   show the header and the stored glyphs "
                       "of a font\n"),
        RunInfo);
    add(QStringLiteral("resave"), {{DirtyBytes}, {Output}, 1, 1},
        QStringLiteral("resave takes IN and -o OUT and an optional --dirty-bytes"),
        QStringLiteral("resave takes IN and either -o OUT or OUT"),
        QStringLiteral("  resave IN -o OUT [--dirty-bytes] load IN and save it as OUT (OUT may "
                       "also follow\n"
                       "                                   IN as a plain second word)\n"),
        RunResave);
    add(QStringLiteral("render"),
        {{}, {Text, QStringLiteral("--zoom"), QStringLiteral("--size"), Output, CodePage, Font}, 1},
        QStringLiteral("render takes FILE and -o OUT.png"),
        QStringLiteral("render takes FILE and -o OUT.png"),
        QStringLiteral("  render (FILE | GAME --font N) [--text TEXT] [--zoom S] [--size WxH]\n"
                       "           [--codepage P] -o OUT.png\n"
                       "                                   draw TEXT with the font as the "
                       "editor's preview\n"
                       "                                   does (default: the sample text, zoom "
                       "2, 600x70)\n"),
        RunRender);
    add(QStringLiteral("generate"),
        {{QStringLiteral("--bold"), QStringLiteral("--italic"), DirtyBytes},
         {QStringLiteral("--family"), QStringLiteral("--size"), Style, Output, CodePage},
         0},
        QStringLiteral("generate takes --family NAME --size N and -o OUT.char"),
        QStringLiteral("generate takes --family NAME --size N (or --family FACE-FILE) and -o "
                       "OUT.char"),
        QStringLiteral("  generate --family NAME --size N [--bold] [--italic]\n"
                       "           [--style normal|shadowed|outlined] [--codepage P] "
                       "[--dirty-bytes]\n"
                       "           -o OUT.char\n"
                       "                                   draw codes 32 to 255 of an installed "
                       "font into\n"
                       "                                   a new set, as the editor's Generate "
                       "commands do;\n"
                       "                                   N is 1 to 100 points, one pixel a "
                       "point;\n"
                       "                                   NAME may be a BDF, PCF or PSF file, "
                       "drawn as it is\n"),
        RunGenerate, true);
    add(QStringLiteral("export"), {{}, {QStringLiteral("--cell"), Output, CodePage}, 1},
        QStringLiteral("export takes FILE.char and -o SHEET.png"),
        QStringLiteral("export takes FILE.char and -o SHEET.png"),
        QStringLiteral("  export FILE.char [--cell WxH] [--codepage P] -o SHEET.png\n"
                       "                                   write every glyph into one PNG sheet "
                       "of 16 x 16\n"
                       "                                   cells for a paint program (default "
                       "cell: the\n"
                       "                                   largest glyph plus 4)\n"),
        RunExport);
    add(QStringLiteral("import"), {{DirtyBytes}, {Output}, 1},
        QStringLiteral("import takes SHEET.png and -o FILE.char"),
        QStringLiteral("import takes SHEET.png and -o FILE.char"),
        QStringLiteral("  import SHEET.png [--dirty-bytes] -o FILE.char\n"
                       "                                   read a sheet back into a font file\n"),
        RunImport);
    add(QStringLiteral("import-font"), {{}, {CodePage, Output}, 1},
        QStringLiteral("import-font takes FACE and -o OUT.char"),
        QStringLiteral("import-font takes FACE and -o OUT.char"),
        QStringLiteral("  import-font FACE [--codepage P] -o OUT.char\n"
                       "                                   make a 1-bit font of a BDF, PCF or PSF "
                       "face\n"
                       "                                   (gzip-compressed or not): each code "
                       "gets the face's\n"
                       "                                   glyph of the character page P puts "
                       "there\n"),
        RunImportFont);
    add(QStringLiteral("export-font"), {{}, {CodePage, Output}, 1},
        QStringLiteral("export-font takes FONT.char and -o OUT.bdf"),
        QStringLiteral("export-font takes FONT.char and -o OUT.bdf"),
        QStringLiteral("  export-font FONT.char [--codepage P] -o OUT.bdf\n"
                       "                                   write the font as a BDF face, each "
                       "glyph at the\n"
                       "                                   Unicode character page P puts at its "
                       "code\n"),
        RunExportFont);
    add(QStringLiteral("coverage"),
        {{Json}, {Text, TextFile, TextEncoding, CodePage, QStringLiteral("--from-page"), Font}, 1},
        QStringLiteral("coverage takes FILE.char and --text TEXT or --text-file PATH"),
        QStringLiteral("coverage takes either --text TEXT or --text-file PATH"),
        QStringLiteral("  coverage (FILE.char | GAME --font N|all) (--text TEXT | --text-file "
                       "PATH)\n"
                       "           [--json] [--codepage P] [--text-encoding E] [--from-page P]\n"
                       "                                   list the characters of a text (UTF-8, "
                       "UTF-16 with\n"
                       "                                   its mark, or page E) that the font "
                       "lacks, with\n"
                       "                                   their counts and why; with "
                       "--from-page, a glyph\n"
                       "                                   showing another letter in the page the "
                       "font is\n"
                       "                                   drawn for is missing too\n"),
        RunCoverage);
    add(QStringLiteral("codepages"), {{}, {QStringLiteral("--write")}, 0, 1},
        QStringLiteral("codepages takes at most one page P and an optional --write FILE"),
        QString(),
        QStringLiteral("  codepages [P [--write FILE]]     list the code pages --codepage "
                       "knows; with P,\n"
                       "                                   print page P as a mapping file "
                       "(--codepage FILE\n"
                       "                                   reads it), or write it to FILE\n"),
        RunCodePages);
    add(QStringLiteral("fonts"), {{Json}, {}, 1},
        QStringLiteral("fonts takes GAME and an optional --json"), QString(),
        QStringLiteral("  fonts GAME [--json]              list the fonts inside a game's "
                       "bundle (GAME:\n"
                       "                                   either file, NAME.000/.001, "
                       ".LA0/.LA1, .HE0/.HE1)\n"),
        RunFonts);
    add(QStringLiteral("extract"), {{}, {Font, Output}, 1},
        QStringLiteral("extract takes GAME, --font N and -o OUT.char"),
        QStringLiteral("extract takes GAME, --font N and -o OUT.char"),
        QStringLiteral("  extract GAME --font N -o OUT.char\n"
                       "                                   write font N of the bundle as a font "
                       "file\n"),
        RunExtract);
    add(QStringLiteral("insert"), {{}, {Font}, 2},
        QStringLiteral("insert takes GAME, --font N and IN.char"),
        QStringLiteral("insert takes GAME, --font N and IN.char"),
        QStringLiteral("  insert GAME --font N IN.char     put a font file back in place of "
                       "font N\n"),
        RunInsert);
    add(QStringLiteral("repair"), {{}, {}, 1}, QStringLiteral("repair takes GAME"), QString(),
        QStringLiteral("  repair GAME                      finish a write into the game's files "
                       "that was cut\n"
                       "                                   short (reading the game never does)\n"),
        RunRepair);
    add(QStringLiteral("add-letters"),
        {{QStringLiteral("--all"), QStringLiteral("--dry-run"), Json, QStringLiteral("--all-rows")},
         {CodePage, QStringLiteral("--from-page"), Text, TextFile, TextEncoding,
          QStringLiteral("--draw-with"), Style, Font, Output, QStringLiteral("--picture"),
          QStringLiteral("--move-reserved")},
         1,
         0,
         {QStringLiteral("--from-page"), QStringLiteral("--draw-with")}},
        QStringLiteral("add-letters takes one FONT.char or GAME"),
        QStringLiteral("add-letters takes FONT.char -o OUT.char, or GAME --font N|all, with "
                       "--codepage P and one of --text, --text-file or --all"),
        QStringLiteral(
            "  add-letters (FONT.char -o OUT.char | GAME --font N|all) --codepage P\n"
            "           [--from-page P] (--text T | --text-file F | --all) "
            "[--draw-with FAMILY]\n"
            "           [--text-encoding E] [--style normal|shadowed|outlined] "
            "[--dry-run] [--json]\n"
            "           [--picture OUT.png] [--move-reserved FILE] [--all-rows]\n"
            "                                   add the letters page P needs to the "
            "font, each in\n"
            "                                   the font's own style, and tell how "
            "each was made;\n"
            "                                   --from-page N=P and --draw-with "
            "N=FACE (again for\n"
            "                                   each) give a game's font N a page and "
            "a face of its\n"
            "                                   own; --move-reserved puts letters at reserved "
            "codes\n"
            "                                   at free ones and writes that page to FILE; the\n"
            "                                   table lists the letters kept only with "
            "--all-rows\n"),
        RunAddLetters, true);
    return commands;
}

} // namespace

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> commands = MakeCommands();
    return commands;
}

} // namespace fontlathe
