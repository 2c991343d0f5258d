// batchgen run in fresh folders: the set-up lines, every mode's command lines, the warnings.
#include "programs.h"
#include "testkit.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Case {
    std::string what;
    std::vector<std::string> args;
    std::string liste;
    std::optional<std::string> neu = std::nullopt;
    std::vector<std::string> files = {}; // already in the folder, each with its own contents
    std::string commands = "";           // the batch file after its two header lines
    std::string console = "";            // on the terminal after the clearing
    int status = 0;
};

const std::string song = "07 Song.mp3";

void check(const Case& c) {
    TempDir dir;
    write_file(dir / "liste.txt", c.liste);
    if (c.neu) write_file(dir / "neu.txt", *c.neu);
    for (std::string f : c.files) {
        write_file_in(dir, f, "contents of " + f);
    }
    RunResult r = run_program("batchgen", c.args, dir.path, Output::terminal);
    EXPECT_EQ(r.status, c.status) << c.what;
    EXPECT_EQ(dump(read_file(dir / "renhlp-b.bat")), dump(batch_header + c.commands)) << c.what;
    expect_console(r, clear_screen + c.console, c.what);
    EXPECT_EQ(r.err, "") << c.what;
}

const std::string start_1_3 = crlf({" Start der Nummerierung 1", "Stellen: 3"});

} // namespace

TEST(BatchgenSetUp, ConsoleLinesAndCounter) {
    Case cases[] = {
        {.what = "renumm 5 3",
         .args = {"renumm", "5", "3"},
         .liste = crlf({song}),
         .commands = crlf({"ren \"07 Song.mp3\" \"005 - Song.mp3\""}),
         .console = crlf({" Start der Nummerierung 5", "Stellen: 3"})},
        {.what = "start 0 numbers from 1",
         .args = {"renumm", "0", "3"},
         .liste = crlf({song}),
         .commands = crlf({"ren \"07 Song.mp3\" \"001 - Song.mp3\""}),
         .console = crlf({" Start der Nummerierung 0", "Stellen: 3"})},
        {.what = "renumm alone",
         .args = {"renumm"},
         .liste = crlf({song}),
         .commands = crlf({"ren \"07 Song.mp3\" \"1 - Song.mp3\""}),
         .console = crlf({" Start der Nummerierung 0", "Stellen: 0"})},
        {.what = "an invalid start number is 0",
         .args = {"renumm", "5x", "abc"},
         .liste = crlf({song}),
         .commands = crlf({"ren \"07 Song.mp3\" \"1 - Song.mp3\""}),
         .console = crlf({" Start der Nummerierung 0", "Stellen: 0"})},
        {.what = "40000 wraps",
         .args = {"renumm", "40000", "3"},
         .liste = crlf({song}),
         .commands = crlf({"ren \"07 Song.mp3\" \"-25535 - Song.mp3\""}),
         .console = crlf({" Start der Nummerierung -25536", "Stellen: 3"})},
        {.what = "hex start",
         .args = {"move", "$10", "2"},
         .liste = crlf({song}),
         .commands = crlf({"move \"07 Song.mp3\" \".\\16 - Song.mp3\""}),
         .console = crlf({" Start der Nummerierung 16", "Stellen: 2"})},
        {.what = "autorenumm 3",
         .args = {"autorenumm", "3"},
         .liste = crlf({"7 a.mp3"}),
         .commands = crlf({"ren \"7 a.mp3\" \"007 a.mp3\""}),
         .console = crlf({" Start der Nummerierung 3", "Stellen: 0", "Stellen: 3"})},
        {.what = "autorenumm 3 4",
         .args = {"autorenumm", "3", "4"},
         .liste = crlf({"7 a.mp3"}),
         .commands = crlf({"ren \"7 a.mp3\" \"007 a.mp3\""}),
         .console = crlf({" Start der Nummerierung 3", "Stellen: 4", "Stellen: 3"})},
        {.what = "rename shows nothing",
         .args = {"rename", "5", "3"},
         .liste = crlf({song}),
         .neu = crlf({"New.mp3"}),
         .commands = crlf({"ren \"07 Song.mp3\" \"New.mp3\""})},
        {.what = "mode words are case-sensitive",
         .args = {"Renumm", "1", "2"},
         .liste = crlf({song})},
        {.what = "a mode word that only contains move",
         .args = {"moveall", "1", "2"},
         .liste = crlf({song, "x"}),
         .console = crlf({" Start der Nummerierung 1", "Stellen: 2"})},
        {.what = "a mode word that contains autorenumm",
         .args = {"xautorenumm", "4", "2"},
         .liste = crlf({song}),
         .console = crlf({" Start der Nummerierung 4", "Stellen: 2", "Stellen: 4"})},
        {.what = "an unknown mode word", .args = {"list", "1", "2"}, .liste = crlf({song})},
        {.what = "no mode word", .args = {}, .liste = crlf({song})},
        {.what = "an empty name list",
         .args = {"renumm", "1", "3"},
         .liste = "",
         .console = start_1_3},
        {.what = "move-nn with an empty neu.txt",
         .args = {"move-nn", "1", "3"},
         .liste = crlf({song, "a.mp"}),
         .neu = "",
         .commands = crlf({"move \"07 Song.mp3\" \".\\001 - \"", "move \"a.mp\" \".\\002\""}),
         .console = start_1_3},
    };
    for (auto& c : cases) check(c);
}

TEST(BatchgenCommands, NumberingModes) {
    Case cases[] = {
        {.what = "renumm",
         .args = {"renumm", "1", "3"},
         .liste = crlf({song, "CD1\\07 Song.mp3", "07.mp3", "07 A.mp3"}),
         .commands = crlf({"ren \"07 Song.mp3\" \"001 - Song.mp3\"",
                           "ren \"CD1\\07 Song.mp3\" \"002 - Song.mp3\"",
                           "ren \"07.mp3\" \"003.mp3\"", "ren \"07 A.mp3\" \"004 - A.mp3\""}),
         .console = start_1_3},
        {.what = "title cut",
         .args = {"renumm", "1", "3"},
         .liste = crlf({"01 - 02 - Song.mp3", "--Song.mp3", "1 2 Song.mp3", "123", "",
                        "07. Song.mp3", "a\\b\\12  -- x.mp3", "7_x.mp3", "\"q\".mp3"}),
         .commands =
             crlf({"ren \"01 - 02 - Song.mp3\" \"001 - 02 - Song.mp3\"",
                   "ren \"--Song.mp3\" \"002 - Song.mp3\"",
                   "ren \"1 2 Song.mp3\" \"003 - 2 Song.mp3\"", "ren \"123\" \"004\"",
                   "ren \"\" \"005\"", "ren \"07. Song.mp3\" \"006 - . Song.mp3\"",
                   "ren \"a\\b\\12  -- x.mp3\" \"007 - x.mp3\"", "ren \"7_x.mp3\" \"008 - _x.mp3\"",
                   "ren \"\"q\".mp3\" \"009 - \"q\".mp3\""}),
         .console = start_1_3},
        {.what = "move",
         .args = {"move", "1", "3"},
         .liste = crlf({song, "07.mp3"}),
         .commands =
             crlf({"move \"07 Song.mp3\" \".\\001 - Song.mp3\"", "move \"07.mp3\" \".\\002.mp3\""}),
         .console = start_1_3},
        {.what = "negative start",
         .args = {"renumm", "-3", "3"},
         .liste = crlf({"a.mp3", "b.mp3", "c.mp3", "d.mp3"}),
         .commands = crlf({"ren \"a.mp3\" \"0-2 - a.mp3\"", "ren \"b.mp3\" \"0-1 - b.mp3\"",
                           "ren \"c.mp3\" \"000 - c.mp3\"", "ren \"d.mp3\" \"001 - d.mp3\""}),
         .console = crlf({" Start der Nummerierung -3", "Stellen: 3"})},
        {.what = "counter wraps",
         .args = {"renumm", "32767", "3"},
         .liste = crlf({"a.mp3", "b.mp3"}),
         .commands = crlf({"ren \"a.mp3\" \"32767 - a.mp3\"", "ren \"b.mp3\" \"-32768 - b.mp3\""}),
         .console = crlf({" Start der Nummerierung 32767", "Stellen: 3"})},
        {.what = "width 0 and a number longer than width",
         .args = {"renumm", "1234", "0"},
         .liste = crlf({"a.mp3"}),
         .commands = crlf({"ren \"a.mp3\" \"1234 - a.mp3\""}),
         .console = crlf({" Start der Nummerierung 1234", "Stellen: 0"})},
        {.what = "negative width",
         .args = {"renumm", "1", "-5"},
         .liste = crlf({"a.mp3"}),
         .commands = crlf({"ren \"a.mp3\" \"1 - a.mp3\""}),
         .console = crlf({" Start der Nummerierung 1", "Stellen: -5"})},
        {.what = "padding stops at 255 bytes",
         .args = {"move", "1", "300"},
         .liste = crlf({"a.mp3"}),
         .commands = crlf({"move \"a.mp3\" \".\\" + std::string(254, '0') + "1 - a.mp3\""}),
         .console = crlf({" Start der Nummerierung 1", "Stellen: 300"})},
        {.what = "move-nn",
         .args = {"move-nn", "1", "3"},
         .liste = crlf({song, "a.mp", "CD\\x.mp3"}),
         .neu = crlf({"Album.mp3", "ignored"}),
         .commands = crlf({"move \"07 Song.mp3\" \".\\001 - Album.mp3\"",
                           "move \"a.mp\" \".\\002Album.mp3\"",
                           "move \"CD\\x.mp3\" \".\\003 - Album.mp3\""}),
         .console = start_1_3},
        {.what = "move-nn keeps the folder part of its name",
         .args = {"move-nn", "1", "2"},
         .liste = crlf({song}),
         .neu = "X\\Album.mp3",
         .commands = crlf({"move \"07 Song.mp3\" \".\\01 - X\\Album.mp3\""}),
         .console = crlf({" Start der Nummerierung 1", "Stellen: 2"})},
    };
    for (auto& c : cases) check(c);
}

TEST(BatchgenCommands, RenameAndAutorenumm) {
    Case cases[] = {
        {.what = "rename",
         .args = {"rename"},
         .liste = crlf({"a.mp3", "CD\\b.mp3", "c.mp3"}),
         .neu = crlf({"X\\New One.mp3", "Y\\Z\\B.mp3"}),
         .commands = crlf({"ren \"a.mp3\" \"New One.mp3\"", "ren \"CD\\b.mp3\" \"B.mp3\"",
                           "ren \"c.mp3\" \"\""})},
        {.what = "rename with neu.txt longer than the list",
         .args = {"rename"},
         .liste = crlf({"a.mp3"}),
         .neu = crlf({"1.mp3", "2.mp3"}),
         .commands = crlf({"ren \"a.mp3\" \"1.mp3\""})},
        {.what = "autorenumm",
         .args = {"autorenumm", "3"},
         .liste = crlf({"7 Song.mp3", "12-Song.mp3", "0012 x.mp3", "1234 x.mp3", "5"}),
         .commands =
             crlf({"ren \"7 Song.mp3\" \"007 Song.mp3\"", "ren \"12-Song.mp3\" \"012-Song.mp3\"",
                   "ren \"0012 x.mp3\" \"0012 x.mp3\"", "ren \"1234 x.mp3\" \"1234 x.mp3\"",
                   "ren \"5\" \"005\""}),
         .console = crlf({" Start der Nummerierung 3", "Stellen: 0", "Stellen: 3"})},
        {.what = "autorenumm stops at an invalid name and keeps what came before",
         .args = {"autorenumm", "2"},
         .liste = crlf({"1 a.mp3", "2 b.mp3", "3 c.mp3", "Song.mp3", "4 d.mp3"}),
         .commands = crlf({"ren \"1 a.mp3\" \"01 a.mp3\"", "ren \"2 b.mp3\" \"02 b.mp3\"",
                           "ren \"3 c.mp3\" \"03 c.mp3\""}) +
                     "ren \"Song.mp3\" \"",
         .console = crlf({" Start der Nummerierung 2", "Stellen: 0", "Stellen: 2",
                          "  Fehler: ungueltiger Dateiname: Song.mp3"}),
         .status = 1},
        {.what = "autorenumm: an empty line is an invalid name",
         .args = {"autorenumm", "2"},
         .liste = crlf({""}),
         .commands = "ren \"\" \"",
         .console = crlf({" Start der Nummerierung 2", "Stellen: 0", "Stellen: 2",
                          "  Fehler: ungueltiger Dateiname: "}),
         .status = 1},
        {.what = "autorenumm: a folder part is no digit",
         .args = {"autorenumm", "2"},
         .liste = crlf({"CD\\1 a.mp3"}),
         .commands = "ren \"CD\\1 a.mp3\" \"",
         .console = crlf({" Start der Nummerierung 2", "Stellen: 0", "Stellen: 2",
                          "  Fehler: ungueltiger Dateiname: CD\\1 a.mp3"}),
         .status = 1},
    };
    for (auto& c : cases) check(c);
}

// The command processor expands %...% even inside quotes: every percent sign of a name is
// doubled in the batch file, and only there.
TEST(BatchgenCommands, PercentSignsAreDoubled) {
    Case cases[] = {
        {.what = "renumm",
         .args = {"renumm", "1", "3"},
         .liste = crlf({"50% off.mp3", "1 %a%.mp3"}),
         .commands = crlf({"ren \"50%% off.mp3\" \"001 - %% off.mp3\"",
                           "ren \"1 %%a%%.mp3\" \"002 - %%a%%.mp3\""}),
         .console = start_1_3},
        {.what = "move: the four-byte rule counts the name as read",
         .args = {"move", "1", "3"},
         .liste = crlf({"1 %%%", "1 %%%%"}),
         .commands =
             crlf({"move \"1 %%%%%%\" \".\\001%%%%%%\"", "move \"1 %%%%%%%%\" \".\\002%%%%%%%%\""}),
         .console = start_1_3},
        {.what = "move-nn",
         .args = {"move-nn", "1", "3"},
         .liste = crlf({"a%.mp3"}),
         .neu = "100% Album.mp3",
         .commands = crlf({"move \"a%%.mp3\" \".\\001 - 100%% Album.mp3\""}),
         .console = start_1_3},
        {.what = "rename",
         .args = {"rename"},
         .liste = crlf({"%PATH%.mp3"}),
         .neu = "X\\%new%.mp3",
         .commands = crlf({"ren \"%%PATH%%.mp3\" \"%%new%%.mp3\""})},
        {.what = "autorenumm",
         .args = {"autorenumm", "3"},
         .liste = crlf({"5%x.mp3", "%bad"}),
         .commands = crlf({"ren \"5%%x.mp3\" \"005%%x.mp3\""}) + "ren \"%%bad\" \"",
         .console = crlf({" Start der Nummerierung 3", "Stellen: 0", "Stellen: 3",
                          "  Fehler: ungueltiger Dateiname: %bad"}),
         .status = 1},
    };
    for (auto& c : cases) check(c);
}

// A target that is already there as another file: "move" would overwrite it, "ren" would fail.
// The batch file stays the same; the console says so.
TEST(BatchgenCommands, WarnsWhenATargetIsTaken) {
    const std::string warning = "  Warnung: Ziel existiert bereits: ";
    Case cases[] = {
        {.what = "renumm",
         .args = {"renumm", "1", "3"},
         .liste = crlf({song, "08 Other.mp3"}),
         .files = {song, "08 Other.mp3", "001 - Song.mp3"},
         .commands = crlf({"ren \"07 Song.mp3\" \"001 - Song.mp3\"",
                           "ren \"08 Other.mp3\" \"002 - Other.mp3\""}),
         .console = start_1_3 + crlf({warning + "001 - Song.mp3"})},
        {.what = "move",
         .args = {"move", "1", "3"},
         .liste = crlf({song}),
         .files = {song, "001 - Song.mp3"},
         .commands = crlf({"move \"07 Song.mp3\" \".\\001 - Song.mp3\""}),
         .console = start_1_3 + crlf({warning + ".\\001 - Song.mp3"})},
        {.what = "move-nn onto an earlier numbering",
         .args = {"move-nn", "1", "3"},
         .liste = crlf({"00 New.mp3", "001 - Album.mp3"}),
         .neu = "Album.mp3",
         .files = {"00 New.mp3", "001 - Album.mp3"},
         .commands = crlf({"move \"00 New.mp3\" \".\\001 - Album.mp3\"",
                           "move \"001 - Album.mp3\" \".\\002 - Album.mp3\""}),
         .console = start_1_3 + crlf({warning + ".\\001 - Album.mp3"})},
        {.what = "rename looks in the listed file's folder",
         .args = {"rename"},
         .liste = crlf({"CD\\a.mp3", "CD\\b.mp3"}),
         .neu = crlf({"New.mp3", "Old.mp3"}),
         .files = {"CD\\a.mp3", "CD\\b.mp3", "CD\\New.mp3", "Old.mp3"},
         .commands = crlf({"ren \"CD\\a.mp3\" \"New.mp3\"", "ren \"CD\\b.mp3\" \"Old.mp3\""}),
         .console = crlf({warning + "New.mp3"})},
        {.what = "autorenumm",
         .args = {"autorenumm", "3"},
         .liste = crlf({"7 x.mp3"}),
         .files = {"7 x.mp3", "007 x.mp3"},
         .commands = crlf({"ren \"7 x.mp3\" \"007 x.mp3\""}),
         .console = crlf(
             {" Start der Nummerierung 3", "Stellen: 0", "Stellen: 3", warning + "007 x.mp3"})},
        {.what = "the listed file itself is no clash",
         .args = {"renumm", "1", "3"},
         .liste = crlf({"001 - Song.mp3"}),
         .files = {"001 - Song.mp3"},
         .commands = crlf({"ren \"001 - Song.mp3\" \"001 - Song.mp3\""}),
         .console = start_1_3},
        {.what = "a percent sign shows once",
         .args = {"move", "1", "3"},
         .liste = crlf({"1 50% x.mp3"}),
         .files = {"001 - 50% x.mp3"},
         .commands = crlf({"move \"1 50%% x.mp3\" \".\\001 - 50%% x.mp3\""}),
         .console = start_1_3 + crlf({warning + ".\\001 - 50% x.mp3"})},
        {.what = "no clash",
         .args = {"renumm", "1", "3"},
         .liste = crlf({song}),
         .files = {song, "002 - Song.mp3"},
         .commands = crlf({"ren \"07 Song.mp3\" \"001 - Song.mp3\""}),
         .console = start_1_3},
    };
    for (auto& c : cases) check(c);
}
