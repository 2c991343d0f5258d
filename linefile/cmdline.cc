// The command line split into words, and the word list handed out by command_word.
#include "internal.h"

#include <utility>

static std::vector<std::string> words;

static bool is_separator(uint8_t c) {
    return c >= 1 && c <= 32;
}

std::vector<std::string> split_command_line(std::string_view line) {
    std::vector<std::string> found;
    size_t i = 0, n = line.size();
    for (;;) {
        while (i < n && is_separator(line[i])) i++;
        if (i >= n) return found;
        std::string& word = found.emplace_back();
        bool quoting = false;
        for (; i < n; i++) {
            uint8_t c = line[i];
            if (c == '"') {
                if (i + 1 < n && line[i + 1] == '"') {
                    i++;
                } else {
                    quoting = !quoting;
                }
            } else if (is_separator(c) && !quoting) {
                break;
            } else {
                word += static_cast<char>(c);
            }
        }
    }
}

void set_command_words(std::vector<std::string> list) {
    words = std::move(list);
}

LineString command_word(int n) {
    if (n < 0 || static_cast<size_t>(n) >= words.size()) return {};
    return line_string(words[n]);
}
