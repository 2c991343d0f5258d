// Whether a name is taken by another file than a given one.
#include "linefile.h"
#include "platform.h"

bool other_file_exists(std::string_view target, std::string_view source) {
    return platform_other_file_exists(target, source);
}
