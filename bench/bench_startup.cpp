// The whole start-up loading sequence on the shipped reference data, as the main window runs it
// on every start (settings already present from an earlier run). The cold case parses every file
// afresh, as a newly started program does; the warm case serves unchanged files from memory.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "catalogue/CatalogueStartup.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/ProfileFile.h"

namespace {

// Points the program at the shipped data with scratch user and config folders for its lifetime.
class ShippedDataScope {
public:
    ShippedDataScope()
        : scratch_((std::filesystem::temp_directory_path() / "quelmar-bench-startup").string()) {
        std::filesystem::remove_all(scratch_);
        AppPaths paths;
        paths.dataRoot = QUELMAR_SOURCE_DATA_DIR;
        paths.userRoot = scratch_ + "/user";
        paths.configDir = scratch_ + "/config";
        paths.documentsDir = scratch_ + "/docs";
        SetPaths(paths);
    }
    ~ShippedDataScope() { std::filesystem::remove_all(scratch_); }
    ShippedDataScope(const ShippedDataScope&) = delete;
    ShippedDataScope& operator=(const ShippedDataScope&) = delete;

    ScriptedPlatform platform;

private:
    std::string scratch_;
    ScopedInstall<Platform> installed_{platform};
};

void RunStartup(benchmark::State& state, bool cold) {
    ShippedDataScope scope;
    // The first run writes the first-run settings; the measured runs find them.
    if (!LoadCatalogues()) {
        state.SkipWithError(scope.platform.AllMessageTexts().c_str());
        return;
    }
    for (auto _ : state) {
        if (cold) ResetProfileCache();
        benchmark::DoNotOptimize(LoadCatalogues());
    }
    if (!scope.platform.messages.empty()) state.SkipWithError("the start-up showed a message");
}

void BM_StartupCold(benchmark::State& state) {
    RunStartup(state, true);
}
void BM_StartupWarm(benchmark::State& state) {
    RunStartup(state, false);
}
BENCHMARK(BM_StartupCold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupWarm)->Unit(benchmark::kMillisecond);

}  // namespace
