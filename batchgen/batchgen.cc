// batchgen: writes the batch file renhlp-b.bat, one "ren" or "move" command for every file
// named in liste.txt, by the mode word on its command line. It renames nothing itself.
#include "linefile.h"

#include <algorithm>
#include <cstring>

enum class Mode { renumm, move, move_nn, rename, autorenumm, other };

static LineString mode_word;
static Mode mode;
static int16_t counter;        // the number given last; wraps within 16 bits
static int16_t width;          // the least length of a number text
static LineString number_text; // the number of the current command; in rename mode the new name
static LineString fixed_name;  // move-nn: the one name every file gets after its number
static LineString listed_name; // the line of liste.txt being worked on, as read
static LineString title;       // what the new name keeps of the listed name
static LineFile name_list, batch_file, new_names;

// Where the current command puts its file: the listed file's folder for "ren", which renames
// in place, then the target as the command names it.
static char target[1024];
static size_t target_length, target_shown_from;

static Mode mode_of(const LineString& word);
static bool contains(const char* word);
static void set_up_numbering();
static void renumber();
static void move_to_fixed_name();
static void rename_from_list();
static void repad();

static void number();
static void pad_number();
static int last_backslash(const LineString& s);
static void put(std::string_view text);
static void put_head(std::string_view verb);
static void put_name(const LineString& name);
static void put_new(std::string_view text);
static void put_new(const LineString& text);
static void end_command();
static void say(std::string_view text);
static void say_number(int32_t value);
static void say_line_end();

int main(int argc, char** argv) {
    start_program(argc, argv);
    mode_word = command_word(1);
    mode = mode_of(mode_word);

    clear_console();
    bind_name(name_list, "liste.txt");
    open_read(name_list);
    failure_check();
    bind_name(batch_file, "renhlp-b.bat");
    open_write(batch_file);
    failure_check();
    if (mode == Mode::rename || mode == Mode::move_nn) {
        bind_name(new_names, "neu.txt");
        open_read(new_names);
        failure_check();
    }
    if (mode == Mode::move_nn) {
        read_line(new_names, fixed_name);
        failure_check();
        close_file(new_names);
        failure_check();
    }
    put("@echo off");
    write_line_end(batch_file);
    failure_check();
    put("chcp 1250 >NULL");
    write_line_end(batch_file);
    failure_check();
    set_up_numbering();

    for (;;) {
        bool at_end = end_of_data(name_list);
        failure_check();
        if (at_end) break;
        read_line(name_list, listed_name);
        failure_check();
        switch (mode) {
        case Mode::renumm:
        case Mode::move:
            renumber();
            break;
        case Mode::move_nn:
            move_to_fixed_name();
            break;
        case Mode::rename:
            rename_from_list();
            break;
        case Mode::autorenumm:
            repad();
            break;
        case Mode::other:
            break;
        }
    }

    close_file(name_list);
    failure_check();
    close_file(batch_file);
    failure_check();
    if (mode == Mode::rename) {
        close_file(new_names);
        failure_check();
    }
    end_program(0);
}

static Mode mode_of(const LineString& word) {
    const char* names[] = {"renumm", "move", "move-nn", "rename", "autorenumm"};
    for (int i = 0; i < 5; i++)
        if (equal(word, line_string(names[i]))) return static_cast<Mode>(i);
    return Mode::other;
}

static bool contains(const char* word) {
    return find(line_string(word), mode_word) != 0;
}

// Any mode word that contains "renumm" or "move" sets up the numbering, whether or not it
// names a mode; "autorenumm" takes its width from word 2.
static void set_up_numbering() {
    if (!contains("renumm") && !contains("move")) return;
    counter = parse_number16(command_word(2));
    say(" Start der Nummerierung ");
    say_number(counter);
    finish_write(standard_output);
    failure_check();
    if (counter > 0) counter--;
    say_line_end();
    width = parse_number16(command_word(3));
    say("Stellen: ");
    say_number(width);
    say_line_end();
    if (contains("autorenumm")) {
        width = parse_number16(command_word(2));
        say("Stellen: ");
        say_number(width);
        say_line_end();
    }
}

// renumm and move: the number, then the title of the listed name. A title of more than four
// bytes is set off by " - ", so that "07.mp3" becomes "001.mp3".
static void renumber() {
    number();
    put_head(mode == Mode::renumm ? "ren " : "move ");
    if (mode == Mode::move) put_new(".\\");
    put_new(number_text);
    finish_write(batch_file);
    failure_check();

    // One run each of digits, blanks, hyphens and blanks goes, after the folder part.
    title = listed_name;
    int cut = last_backslash(title);
    for (std::string_view run : {"0123456789", " ", "-", " "})
        while (cut < length(title) && run.find(title.bytes[cut]) != std::string_view::npos) cut++;
    delete_range(title, 1, cut);

    if (length(title) > 4) put_new(" - ");
    put_new(title);
    end_command();
}

// move-nn: every file gets its number and the same name; the separator goes by the listed
// name, not by the name it gets.
static void move_to_fixed_name() {
    number();
    put_head("move ");
    put_new(".\\");
    put_new(number_text);
    finish_write(batch_file);
    failure_check();
    if (length(listed_name) > 4) put_new(" - ");
    put_new(fixed_name);
    end_command();
}

// rename: line k of neu.txt, without its folder part, is the new name of line k of liste.txt.
// Past the end of neu.txt the new names are empty.
static void rename_from_list() {
    read_line(new_names, number_text);
    failure_check();
    if (int cut = last_backslash(number_text)) delete_range(number_text, 1, cut);
    put_head("ren ");
    put_new(number_text);
    end_command();
}

// autorenumm: the digits at the front padded to width, the rest as it is. A name without
// leading digits ends the run; the commands before it are kept, its own stays unfinished.
static void repad() {
    number_text = LineString{};
    put_head("ren ");
    finish_write(batch_file);
    failure_check();
    title = listed_name;
    int digits = 0;
    while (digits < length(title) && title.bytes[digits] >= '0' && title.bytes[digits] <= '9')
        digits++;
    number_text = line_string(view(title).substr(0, digits));
    delete_range(title, 1, digits);
    if (length(number_text) == 0) {
        say("  Fehler: ungueltiger Dateiname: ");
        write_text(standard_output, listed_name);
        failure_check();
        say_line_end();
        end_program(1);
    }
    pad_number();
    put_new(number_text);
    put_new(title);
    end_command();
}

static void number() {
    counter = static_cast<int16_t>(counter + 1);
    number_text = format_decimal(counter);
    pad_number();
}

// Zeros go in front, also in front of a minus sign. A number text never grows past 255 bytes,
// so a width above 255 pads to 255.
static void pad_number() {
    while (length(number_text) < std::min<int>(width, LineString::capacity))
        number_text = concat(line_string("0"), number_text);
}

static int last_backslash(const LineString& s) {
    size_t at = view(s).rfind('\\');
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

static void put(std::string_view text) {
    write_text(batch_file, text);
    failure_check();
}

static void add_to_target(std::string_view text) {
    size_t n = std::min(text.size(), sizeof target - target_length);
    std::memcpy(target + target_length, text.data(), n);
    target_length += n;
}

// Writes verb Q L Q " " Q and starts the new target.
static void put_head(std::string_view verb) {
    put(verb);
    put("\"");
    put_name(listed_name);
    put("\" \"");
    target_length = 0;
    if (verb == "ren ") add_to_target(view(listed_name).substr(0, last_backslash(listed_name)));
    target_shown_from = target_length;
}

// The command processor expands %...% even between quotes, so every percent sign of a name
// is written doubled.
static void put_name(const LineString& name) {
    std::string_view rest = view(name);
    for (size_t at; (at = rest.find('%')) != std::string_view::npos; rest.remove_prefix(at + 1)) {
        put(rest.substr(0, at + 1));
        put("%");
    }
    put(rest);
}

static void put_new(std::string_view text) {
    put(text);
    add_to_target(text);
}

static void put_new(const LineString& text) {
    put_name(text);
    add_to_target(view(text));
}

// Closes the command line, then warns when its target is a file that is already there: "move"
// would overwrite it without asking, "ren" would fail.
static void end_command() {
    put("\"");
    write_line_end(batch_file);
    failure_check();
    if (!other_file_exists({target, target_length}, view(listed_name))) return;
    say("  Warnung: Ziel existiert bereits: ");
    say({target + target_shown_from, target_length - target_shown_from});
    say_line_end();
}

static void say(std::string_view text) {
    write_text(standard_output, text);
    failure_check();
}

static void say_number(int32_t value) {
    write_number(standard_output, value);
    failure_check();
}

static void say_line_end() {
    write_line_end(standard_output);
    failure_check();
}
