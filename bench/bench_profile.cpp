// Reading keys from a large profile file: the first read parses the file, later reads come
// from memory while the file is unchanged.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "shell/ProfileFile.h"

namespace {

std::string MakeFile() {
    const std::string path =
        (std::filesystem::temp_directory_path() / "quelmar-bench-profile.ini").string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    // 5,000 lines: 50 sections of 99 keys each.
    for (int s = 0; s < 50; ++s) {
        out << "[Section" << s << "]\r\n";
        for (int k = 0; k < 99; ++k)
            out << "Key" << k << "=\"value " << s << "," << k << "\"\r\n";
    }
    return path;
}

void BM_FirstRead(benchmark::State& state) {
    const std::string path = MakeFile();
    for (auto _ : state) {
        ResetProfileCache();
        benchmark::DoNotOptimize(ReadProfileString(path, "Section49", "Key98"));
    }
}
BENCHMARK(BM_FirstRead)->Unit(benchmark::kMicrosecond);

void BM_TenThousandCachedReads(benchmark::State& state) {
    const std::string path = MakeFile();
    ResetProfileCache();
    ReadProfileString(path, "Section0", "Key0");
    std::string keys[99];
    for (int k = 0; k < 99; ++k)
        keys[k] = "key" + std::to_string(k);
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i)
            benchmark::DoNotOptimize(
                ReadProfileString(path, "SECTION" + std::to_string(i % 50), keys[i % 99]));
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_TenThousandCachedReads)->Unit(benchmark::kMillisecond);

}  // namespace
