// batchgen run whole over arbitrary liste.txt and neu.txt bytes in every mode: it never
// crashes, every command line ends with CR LF but the unfinished one of an invalid name, and
// every percent sign of a name stands doubled.
#include "memory_platform.h"

#include <cstdlib>
#include <string>

int batchgen_main(int argc, char** argv);

static const char* const modes[] = {"renumm",     "move",    "move-nn", "rename",
                                    "autorenumm", "moveall", "list"};
static const std::string header = "@echo off\r\nchcp 1250 >NULL\r\n";

static bool percent_signs_doubled(const std::string& s) {
    for (size_t at = 0; (at = s.find('%', at)) != std::string::npos;) {
        size_t run = s.find_first_not_of('%', at);
        if (run == std::string::npos) run = s.size();
        if ((run - at) % 2 != 0) return false;
        at = run;
    }
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    std::string mode = modes[data[0] % 7];
    std::string start = std::to_string(static_cast<int16_t>(data[1] << 8 | data[2]));
    std::string width = std::to_string(static_cast<int8_t>(data[3]));
    std::string rest(reinterpret_cast<const char*>(data + 4), size - 4);
    size_t cut = rest.find('\xff');

    reset_memory_platform();
    memory_files["liste.txt"] = rest.substr(0, cut);
    if (cut != std::string::npos) memory_files["neu.txt"] = rest.substr(cut + 1);
    std::string program = "batchgen";
    char* argv[] = {program.data(), mode.data(), start.data(), width.data(), nullptr};
    int status = -1;
    try {
        batchgen_main(4, argv);
    } catch (const ProgramEnd& end) {
        status = end.status;
    }
    const std::string& batch = memory_files["renhlp-b.bat"];
    bool needs_neu = mode == "rename" || mode == "move-nn";
    if (needs_neu && cut == std::string::npos) {
        if (status != 2 || !batch.empty()) std::abort();
        return 0;
    }
    if (status != 0 && !(status == 1 && mode == "autorenumm")) std::abort();
    if (batch.compare(0, header.size(), header) != 0) std::abort();
    std::string commands = batch.substr(header.size());
    if (!percent_signs_doubled(commands)) std::abort();
    size_t at = 0;
    for (size_t end; (end = commands.find("\r\n", at)) != std::string::npos; at = end + 2) {
        std::string line = commands.substr(at, end - at);
        if (line.rfind("ren \"", 0) != 0 && line.rfind("move \"", 0) != 0) std::abort();
        if (line.back() != '"') std::abort();
    }
    std::string unfinished = commands.substr(at);
    if (status == 0 && !unfinished.empty()) std::abort();
    if (status == 1 && (unfinished.rfind("ren \"", 0) != 0 || unfinished.size() < 8 ||
                        unfinished.compare(unfinished.size() - 3, 3, "\" \"") != 0))
        std::abort();
    return 0;
}
