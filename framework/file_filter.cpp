#include "framework/file_filter.h"

namespace framework {

std::string SystemFilter(const char* filter) {
    std::string out = filter ? filter : "";
    for (char& c : out) {
        if (c == '|') c = '\0';
    }
    // A filter without its trailing bar still ends its last part.
    if (out.empty() || out.back() != '\0') out.push_back('\0');
    out.push_back('\0');
    return out;
}

}  // namespace framework
