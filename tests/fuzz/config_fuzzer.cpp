// Feeds arbitrary bytes to the configuration reader, then checks that what was
// read, written and read again gives the same records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/config_file.h"
#include "platform/platform.h"

namespace {

bool SameRecords(const CAppList& a, const CAppList& b) {
    if (a.Count() != b.Count()) return false;
    for (uint32_t i = 0; i < a.Count(); ++i) {
        const SAppData& x = *a.Item(i);
        const SAppData& y = *b.Item(i);
        if (std::strcmp(x.path.get(), y.path.get()) != 0 || x.nCmdShow != y.nCmdShow ||
            x.Delay != y.Delay || x.WorkWeekEnable != y.WorkWeekEnable || x.WorkWeek != y.WorkWeek ||
            x.DOWEnable != y.DOWEnable || x.DOW != y.DOW || x.DOMEnable != y.DOMEnable ||
            x.DOM != y.DOM)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::SetMessageSink([](const std::string&, const std::string&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reader sees the file as LoadConfig hands it over: NUL bytes removed.
    std::string text;
    for (size_t i = 0; i < size; ++i)
        if (data[i]) text += static_cast<char>(data[i]);

    CAppList first;
    ReadConfigText(first, text.c_str());
    std::string written = WriteConfigText(first);
    CAppList second;
    ReadConfigText(second, written.c_str());
    if (!SameRecords(first, second) || WriteConfigText(second) != written) std::abort();
    return 0;
}
