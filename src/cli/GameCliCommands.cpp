// The command table of fontlathe-cli, part two: the commands on games' bundles, add-letters and
// help.
#include "CliCommand.h"
#include "CliHelp.h"

using namespace Qt::StringLiterals;

namespace fontlathe {

namespace {

const QString AddLettersAbout =
    u"Add the letters that the text (or, with --all, page P) needs to a font file, or to fonts of "
    "a game's bundle, each at the code page P gives it and in the font's own style: kept where "
    "the glyph already shows it, moved from another code, composed from a base letter and a mark "
    "the font has, borrowed from a letter that looks the same, or drawn with --draw-with, an "
    "installed family or a BDF, PCF or PSF face. The letters that can't be made are listed as "
    "lost. The page a font is drawn for is --from-page, or the one its glyphs show; --from-page "
    "N=P and --draw-with N=FAMILY, once for each, give a game's font N its own. Nothing else of "
    "the font changes. Codes the game's text reader reserves (@, 0xFF, and 0xFE in versions 5 "
    "and 6) are left alone and reported; --move-reserved puts their letters at free codes and "
    "writes the page with the moves to FILE, for the translated text. A game's bundle is written "
    "back as insert writes it."_s;

} // namespace

std::vector<CliCommand> GameAndLetterCommands() {
    using option::DirtyBytes, option::Font, option::FromPage, option::Json, option::Output,
        option::Style, option::Text, option::TextEncoding, option::TextFile;
    std::vector<CliCommand> commands;
    commands.push_back(
        {.name = u"fonts"_s,
         .syntax = {{Json}, {}, 1},
         .shape = u"fonts takes GAME and an optional --json"_s,
         .needs = {},
         .help = {.summary = u"list the fonts inside a game's resource bundle"_s,
                  .synopsis = u"GAME [--json]"_s,
                  .about = u"List the fonts inside a game's resource bundle: number, room, "
                           "offset, size, bits per pixel, height, codes and glyphs. GAME is "
                           "either file of it: NAME.000 and NAME.001, .LA0 and .LA1, or .HE0 and "
                           ".HE1. Reading a game never writes into its folder: where a write was "
                           "cut short, fonts and extract read the files its journal names and "
                           "say that a write is pending."_s,
                  .options = {},
                  .exits = {},
                  .examples = {u"fontlathe-cli fonts game.000 --json"_s}},
         .run = RunFonts});
    commands.push_back(
        {.name = u"extract"_s,
         .syntax = {{}, {Font, Output}, 1},
         .shape = u"extract takes GAME, --font N and -o OUT.char"_s,
         .needs = u"extract takes GAME, --font N and -o OUT.char"_s,
         .help = {.summary = u"write one font of a game's bundle as a font file"_s,
                  .synopsis = u"GAME --font N -o OUT.char"_s,
                  .about = u"Write font N of the bundle as a font file, byte for byte."_s,
                  .options = {{Output, u"OUT.char"_s, u"the font file to write"_s}},
                  .exits = {},
                  .examples = {u"fontlathe-cli extract game.000 --font 2 -o font2.char"_s}},
         .run = RunExtract});
    commands.push_back(
        {.name = u"insert"_s,
         .syntax = {{}, {Font}, 2},
         .shape = u"insert takes GAME, --font N and IN.char"_s,
         .needs = u"insert takes GAME, --font N and IN.char"_s,
         .help = {.summary = u"put a font file back into a game's bundle"_s,
                  .synopsis = u"GAME --font N IN.char"_s,
                  .about = u"Put a font file back in place of font N of the bundle. A font that "
                           "is not larger keeps the block's size and leaves the index file "
                           "alone; a larger one moves what follows it and corrects every size and "
                           "offset. The first write keeps the original files beside the bundle as "
                           "NAME.000.orig and NAME.001.orig."_s,
                  .options = {{Font, u"N"_s, u"the font to replace, as fonts GAME lists them"_s}},
                  .exits = {},
                  .examples = {u"fontlathe-cli insert game.000 --font 2 font2.char"_s}},
         .run = RunInsert});
    commands.push_back(
        {.name = u"repair"_s,
         .syntax = {{}, {}, 1},
         .shape = u"repair takes GAME"_s,
         .needs = {},
         .help = {.summary = u"finish a write into a game's files that was cut short"_s,
                  .synopsis = u"GAME"_s,
                  .about = u"Finish a write into the game's files that was cut short (a crash, a "
                           "power cut): every file a write changes is written beside the game "
                           "first and then put in place while a journal, "
                           "NAME.000.fontlathe-pending, names them all, so the game's files are "
                           "all the old ones or all the new ones. The next write into the game "
                           "finishes it too; reading the game never does."_s,
                  .options = {},
                  .exits = {},
                  .examples = {u"fontlathe-cli repair game.000"_s}},
         .run = RunRepair});
    commands.push_back(
        {.name = u"add-letters"_s,
         .syntax = {{u"--all"_s, u"--dry-run"_s, Json, u"--all-rows"_s},
                    {option::CodePage, FromPage, Text, TextFile, TextEncoding, u"--draw-with"_s,
                     Style, Font, Output, u"--picture"_s, u"--move-reserved"_s},
                    1,
                    0,
                    {FromPage, u"--draw-with"_s}},
         .shape = u"add-letters takes one FONT.char or GAME"_s,
         .needs = u"add-letters takes FONT.char -o OUT.char, or GAME --font N|all, with "
                  "--codepage P and one of --text, --text-file or --all"_s,
         .help =
             {.summary = u"add the letters a code page needs, in the font's own style"_s,
              .synopsis = u"(FONT.char -o OUT.char | GAME --font N|all) --codepage P "
                          "(--text T | --text-file F | --all) [--from-page [N=]P] "
                          "[--draw-with [N=]FAMILY] [--text-encoding E] [--style S] "
                          "[--dry-run] [--json] [--picture OUT.png] [--move-reserved FILE] "
                          "[--all-rows]"_s,
              .about = AddLettersAbout,
              .options = {{Output, u"OUT.char"_s, u"the font file to write"_s},
                          {Font, u"N|all"_s, u"font N of GAME's bundle, or all of them"_s},
                          {option::CodePage, u"P"_s, u"the page whose letters are added"_s},
                          {Text, u"T"_s, u"add the letters of text T"_s},
                          {TextFile, u"F"_s, u"add the letters of the text in file F"_s},
                          {u"--all"_s, QString(), u"add every letter of page P"_s},
                          {FromPage, u"[N=]P"_s,
                           u"the page the font (or font N) is drawn "
                           "for"_s},
                          {u"--draw-with"_s, u"[N=]FAMILY"_s,
                           u"draw what can't be built "
                           "with FAMILY or a face file"_s},
                          {Style, u"S"_s,
                           u"the style of the new letters (default: the "
                           "font's)"_s},
                          {u"--dry-run"_s, QString(), u"write no font, only report"_s},
                          {u"--picture"_s, u"OUT.png"_s,
                           u"draw each letter made beside its "
                           "source"_s},
                          {u"--move-reserved"_s, u"FILE"_s,
                           u"move letters off reserved "
                           "codes, page to FILE"_s},
                          {u"--all-rows"_s, QString(),
                           u"list the letters kept in the table "
                           "too"_s}},
              .exits = {{ExitSuccess, u"success; the letters that can't be made are listed "
                                      "as lost"_s},
                        {ExitFailure},
                        {ExitUsage, u"wrong arguments, among them a --draw-with family that "
                                    "is not installed and a font number the game lacks"_s}},
              .examples = {u"fontlathe-cli add-letters font.char --codepage cp1250 --all -o "
                           "pl.char"_s,
                           u"fontlathe-cli add-letters game.000 --font all --codepage cp1251 \\\n"
                           "    --text-file ru.txt --dry-run"_s}},
         .run = RunAddLetters,
         .drawsWithFonts = true});
    commands.push_back(
        {.name = u"help"_s,
         .syntax = {{}, {}, 0, 1},
         .shape = u"help takes at most one COMMAND"_s,
         .needs = {},
         .help = {.summary = u"print one command's options, or this list"_s,
                  .synopsis = u"[COMMAND]"_s,
                  .about = u"Print the help of COMMAND as COMMAND --help does: its usage, "
                           "options, exit statuses and examples. Without COMMAND, print the list "
                           "of commands."_s,
                  .options = {},
                  .exits = {{ExitSuccess},
                            {ExitUsage, u"wrong arguments: COMMAND is none of the commands"_s}},
                  .examples = {u"fontlathe-cli help add-letters"_s}},
         .run = RunHelp});
    return commands;
}

} // namespace fontlathe
