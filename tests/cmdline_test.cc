// The command-line split and the word list.
#include "internal.h"
#include "platform.h"
#include "testkit.h"

#include <gtest/gtest.h>

TEST(SplitCommandLine, QuotesSeparatorsAndPairs) {
    struct Case {
        const char* line;
        std::vector<std::string> words; // the program's own name first
    } cases[] = {
        {"prog renumm 5 3", {"prog", "renumm", "5", "3"}},
        {"prog \"a b\" c", {"prog", "a b", "c"}},
        {"prog a\" b\"c", {"prog", "a bc"}},
        {"prog a\"\"b", {"prog", "ab"}},
        {"prog \"\" x", {"prog", "", "x"}},
        {"prog \"a b", {"prog", "a b"}},
        {"prog", {"prog"}},
        {"\"my prog\" move", {"my prog", "move"}},
        {"  prog\t\tx\x01y \x1f z  ", {"prog", "x", "y", "z"}},
        {"prog \"\"\"\"", {"prog", ""}},
        {"prog \"a\"\"b\"", {"prog", "ab"}},
        {"prog \"\t\"", {"prog", "\t"}},
        {"", {}},
        {"   ", {}},
        {"prog \xe4\xf6 \"x\"y\"z\"", {"prog", "\xe4\xf6", "xyz"}},
    };
    for (auto& c : cases) EXPECT_EQ(split_command_line(c.line), c.words) << "[" << c.line << "]";
}

TEST(CommandWord, MissingWordsAreEmptyAndLongOnesCut) {
    set_command_words({"/bin/prog", "renumm", std::string(300, 'w'), ""});
    EXPECT_EQ(view(command_word(0)), "/bin/prog");
    EXPECT_EQ(view(command_word(1)), "renumm");
    EXPECT_EQ(view(command_word(2)), std::string(255, 'w'));
    EXPECT_EQ(view(command_word(3)), "");
    EXPECT_EQ(view(command_word(4)), "");
    EXPECT_EQ(view(command_word(-1)), "");
    set_command_words({"/bin/prog"});
    EXPECT_EQ(view(command_word(1)), "");
}

TEST(CommandWord, WordZeroIsTheRunningProgramsFullName) {
    char name[] = "linefile_tests";
    char* argv[] = {name, nullptr};
    std::vector<std::string> words = platform_command_words(1, argv);
    ASSERT_FALSE(words.empty());
    fs::path expected = binary_dir() / (windows_build() ? "linefile_tests.exe" : "linefile_tests");
    EXPECT_EQ(fs::path(words[0]), expected);
}
