// The directory search in-process: the exclusion mask the attribute word makes, and the
// result codes that end a search.
#include "dirsearch.h"
#include "testkit.h"

#include <gtest/gtest.h>

#include <algorithm>

static std::vector<std::string> found(const TempDir& dir, uint32_t attributes, uint16_t& result) {
    DirSearch s;
    std::vector<std::string> names;
    start_search(s, line_string((dir.path / "*.mp3").string()), attributes);
    for (; s.search_result == 0; next_entry(s)) names.emplace_back(view(s.name));
    result = s.search_result;
    std::sort(names.begin(), names.end());
    return names;
}

TEST(DirSearch, TheAttributeWordChoosesWhatIsSkipped) {
    TempDir dir;
    write_file(dir / "a.mp3", "");
    write_file(dir / ".hidden.mp3", "");
    write_file(dir / "notes.txt", "");
    fs::create_directory(dir / "folder.mp3");
    struct Case {
        uint32_t attributes;
        std::vector<std::string> names;
    } cases[] = {
        {attr_archive, {"a.mp3"}},
        {0, {"a.mp3"}},
        {attr_read_only, {"a.mp3"}},
        {attr_archive | attr_hidden, {".hidden.mp3", "a.mp3"}},
        {attr_archive | attr_directory, {"a.mp3", "folder.mp3"}},
        {attr_hidden | attr_directory, {".hidden.mp3", "a.mp3", "folder.mp3"}},
    };
    for (auto& c : cases) {
        uint16_t result;
        EXPECT_EQ(found(dir, c.attributes, result), c.names) << c.attributes;
        EXPECT_EQ(result, search_no_more_files);
    }
}

TEST(DirSearch, ResultCodes) {
    TempDir dir;
    uint16_t result;
    EXPECT_TRUE(found(dir, attr_archive, result).empty());
    EXPECT_EQ(result, search_no_more_files) << "nothing matched ends like no more files";
    write_file(dir / ".only-hidden.mp3", "");
    EXPECT_TRUE(found(dir, attr_archive, result).empty());
    EXPECT_EQ(result, search_no_more_files);

    DirSearch s;
    start_search(s, line_string((dir.path / "missing" / "*.mp3").string()), attr_archive);
    EXPECT_EQ(s.search_result, 3) << "a folder that is not there";
    EXPECT_EQ(length(s.name), 0);
}
