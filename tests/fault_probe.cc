// fault_probe: faults on purpose, by the word on its command line, so that the tests see the
// report a processor fault gives.
#include "linefile.h"

static volatile int zero = 0, seven = 7;
static int* volatile nowhere = nullptr;

int main(int argc, char** argv) {
    start_program(argc, argv);
    LineString word = command_word(1);
    if (equal(word, line_string("divide"))) return seven / zero;
    if (equal(word, line_string("access"))) return *nowhere;
    if (equal(word, line_string("illegal"))) __builtin_trap();
    end_program(0);
}
