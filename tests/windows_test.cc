// What only the Windows build has: raw command lines, names in the ANSI code page, and the
// hidden and system attributes.
#include "linefile.h"
#include "programs.h"
#include "testkit.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <windows.h>

TEST(Windows, RawCommandLinesAreSplitByTheProgram) {
    TempDir dir;
    // A program path with blanks, quoted, is one word.
    fs::create_directory(dir / "dir with blanks");
    fs::copy_file(binary_dir() / "batchgen.exe", dir / "dir with blanks" / "batchgen.exe");
    const std::string program = "\"" + (dir / "dir with blanks" / "batchgen.exe").string() + "\"";
    struct Case {
        std::string words;
        std::string command;
    } cases[] = {
        {"renumm 5 3", "ren \"07 Song.mp3\" \"005 - Song.mp3\""},
        {"\"mo\"\"ve\" 5 3", "move \"07 Song.mp3\" \".\\005 - Song.mp3\""},
        {"re\"\"numm \"2\" 3", "ren \"07 Song.mp3\" \"002 - Song.mp3\""},
        {"renumm \"\" 3", "ren \"07 Song.mp3\" \"001 - Song.mp3\""},
        {"renumm \"5 3", "ren \"07 Song.mp3\" \"1 - Song.mp3\""},
        {"\trenumm\t5\t3\t", "ren \"07 Song.mp3\" \"005 - Song.mp3\""},
    };
    for (auto& c : cases) {
        write_file(dir / "liste.txt", "07 Song.mp3\r\n");
        RunResult r =
            run_raw(dir / "dir with blanks" / "batchgen.exe", program + " " + c.words, dir.path);
        EXPECT_EQ(r.status, 0) << c.words;
        EXPECT_EQ(dump(read_file(dir / "renhlp-b.bat")), dump(batch_header + crlf({c.command})))
            << c.words;
    }
}

TEST(Windows, NameBytesAreReadInTheAnsiCodePage) {
    TempDir dir;
    const std::string name = "\xe4 \xdf.txt";
    wchar_t wide[32];
    int n = MultiByteToWideChar(GetACP(), 0, name.data(), static_cast<int>(name.size()), wide, 32);
    ASSERT_GT(n, 0);
    write_file(dir.path / std::wstring(wide, n), "found\r\n");
    LineFile f;
    bind_name(f, (dir.path.string() + "\\") + name);
    open_read(f);
    LineString line;
    read_line(f, line);
    close_file(f);
    EXPECT_EQ(pending_failure(), 0);
    EXPECT_EQ(view(line), "found");
}

TEST(Windows, HiddenAndSystemFilesAreNotListed) {
    TempDir dir;
    struct File {
        const char* name;
        DWORD attributes;
    } files[] = {
        {"plain.mp3", FILE_ATTRIBUTE_NORMAL},
        {"archive.mp3", FILE_ATTRIBUTE_ARCHIVE},
        {"readonly.mp3", FILE_ATTRIBUTE_READONLY},
        {"hidden.mp3", FILE_ATTRIBUTE_HIDDEN},
        {"system.mp3", FILE_ATTRIBUTE_SYSTEM},
        {"both.mp3", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
    };
    for (auto& f : files) {
        write_file(dir / f.name, f.name);
        ASSERT_TRUE(SetFileAttributesW((dir / f.name).wstring().c_str(), f.attributes)) << f.name;
    }
    fs::create_directory(dir / "folder.mp3");
    EXPECT_EQ(run_program("stamplist", {}, dir.path).status, 0);
    std::vector<std::string> names;
    for (auto& line : crlf_lines(read_file(dir / "liste.tmp"))) names.push_back(name_of(line));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"archive.mp3", "plain.mp3", "readonly.mp3"}));
    for (auto& f : files)
        SetFileAttributesW((dir / f.name).wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
}
