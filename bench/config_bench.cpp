// LoadConfig and SaveConfig on a small and on the largest possible file.
// Run from any directory: it works in a temporary one of its own.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "config/config_file.h"
#include "platform/platform.h"

namespace fs = std::filesystem;

namespace {

std::string SampleFile(int records) {
    CAppList list;
    for (int i = 0; i < records; ++i) {
        auto r = std::make_unique<SAppData>();
        std::string path = "C:\\Program Files\\Vendor " + std::to_string(i) + "\\app.exe";
        r->path.reset(HeapCopy(path.c_str()));
        r->nCmdShow = 1 + i % 3;
        r->Delay = static_cast<uint16_t>(i % 301);
        r->WorkWeekEnable = i % 2;
        r->WorkWeek = 2;
        r->DOW = static_cast<uint16_t>(i % 7);
        r->DOM = static_cast<uint16_t>(1 + i % 31);
        list.Append(std::move(r));
    }
    return WriteConfigText(list);
}

class InTempDir {
public:
    InTempDir() : old_(fs::current_path()) {
        dir_ = fs::temp_directory_path() / "trellis-bench";
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    ~InTempDir() {
        fs::current_path(old_);
        fs::remove_all(dir_);
    }

private:
    fs::path old_, dir_;
};

void BM_LoadConfig(benchmark::State& state) {
    InTempDir dir;
    const std::string content = SampleFile(static_cast<int>(state.range(0)));
    std::ofstream(ConfigFileName(), std::ios::binary) << content;
    for (auto _ : state) {
        LoadConfig();
        benchmark::DoNotOptimize(AppList->Count());
    }
    FreeAppList();
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(content.size()));
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}

void BM_SaveConfig(benchmark::State& state) {
    InTempDir dir;
    std::ofstream(ConfigFileName(), std::ios::binary) << SampleFile(static_cast<int>(state.range(0)));
    LoadConfig();
    std::size_t bytes = WriteConfigText(*AppList).size();
    for (auto _ : state) SaveConfig();
    FreeAppList();
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}

// Where the time goes for the large file: the parts of LoadConfig alone.
void BM_ReadConfigText(benchmark::State& state) {
    const std::string content = SampleFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CAppList list;
        ReadConfigText(list, content.c_str());
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(content.size()));
}

void BM_AppendOnly(benchmark::State& state) {
    for (auto _ : state) {
        CAppList list;
        for (int64_t i = 0; i < state.range(0); ++i) {
            auto r = std::make_unique<SAppData>();
            r->path.reset(HeapCopy("x"));
            list.Append(std::move(r));
        }
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}

}  // namespace

BENCHMARK(BM_LoadConfig)->Arg(20)->Arg(65535)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveConfig)->Arg(20)->Arg(65535)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadConfigText)->Arg(65535)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AppendOnly)->Arg(65535)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    platform::SetMessageSink([](const std::string&, const std::string&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
