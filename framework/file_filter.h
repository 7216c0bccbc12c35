// File-dialog filters are written as "Name|pattern|Name|pattern|"; the system
// dialog wants each part ended by a NUL and the list ended by one more.
#pragma once

#include <string>

namespace framework {

// The system form of `filter`; data() holds every part NUL-ended and a final
// NUL. An empty or null filter gives an empty list (two NULs).
std::string SystemFilter(const char* filter);

}  // namespace framework
