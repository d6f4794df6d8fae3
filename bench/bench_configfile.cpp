// Saving and opening the largest design: every loop full (252 devices on a 252-address panel,
// with other devices, bases and standalone devices), against the same with one loop filled.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "catalogue/CatalogueStartup.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/OtherDevices.h"
#include "catalogue/Panels.h"
#include "document/CalcGlue.h"
#include "document/ConfigReader.h"
#include "document/ConfigWriter.h"
#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "engine/clsCalculator.h"
#include "shell/Paths.h"
#include "shell/Platform.h"

namespace {

// Records any message; the designs must open without one.
ScriptedPlatform quiet;
SilentOpenProgress progress;
// The designs hold no unknown device types; one stops the open.
class StoppingPrompt : public IgnoreUnknownPrompt {
    char UnknownResponse(std::int16_t, std::int16_t, std::int16_t) override { return 'C'; }
} unknown;
const std::string kFolder =
    (std::filesystem::temp_directory_path() / "quelmar-bench-configfile").string();

bool LoadShippedCatalogue() {
    static const bool loaded = [] {
        std::filesystem::create_directories(kFolder + "/config");
        static ScopedInstall<Platform> installed(quiet);
        SetPaths(
            {QUELMAR_SOURCE_DATA_DIR, kFolder + "/user", kFolder + "/config", kFolder + "/docs"});
        return LoadCatalogues() && SelectPanelByName("Halvorsen HS-8");
    }();
    return loaded;
}

// Fills loops 1 to `loops`: detectors on every address the type allows (252 of them), each
// carrying an ancillary or a base, a standalone isolator behind every tenth address, and
// a rearranged stretch of cable.
void BuildDesign(int loops) {
    NewDocument();
    const int detector = FindDeviceTypeByName("Meridane Plus Optical Detector");
    const int relayBase = FindOtherByKey("RelayBase");
    const int remoteLed = FindOtherByKey("RemoteLED");
    const int isolator = FindOtherByKey("StandaloneIsolator");
    for (int loop = 1; loop <= loops; ++loop) {
        DesignDocument& doc = CurrentDocument();
        doc.LoopName(loop) = "Loop " + std::to_string(loop);
        clsCalculator& c = doc.LoopModel(loop);
        c.CableImpedance(1210);
        c.CableFirst(300);
        c.CableTotal(12000);
        for (int a = 0; a < 256; ++a) {
            if (!IsAddressAllowed(detector, a)) continue;
            c.DeviceType(a, static_cast<std::int16_t>(detector));
            if (a % 2)
                c.DeviceOtherBaseType(a, static_cast<std::int16_t>(relayBase));
            else
                c.DeviceOtherType(a, static_cast<std::int16_t>(remoteLed));
            if (a % 10 == 0)
                c.DeviceStandaloneTypeAndAddress(a, 2 + a % 50, static_cast<std::int16_t>(isolator),
                                                 0);
        }
        for (int a = 140; a < 150; ++a)
            c.AddressOrder(a, 289 - a);
    }
}

std::string FileFor(int loops) {
    return kFolder + "/Largest" + std::to_string(loops) + ".QMR";
}

void BM_SaveDesign(benchmark::State& state) {
    if (!LoadShippedCatalogue()) {
        state.SkipWithError("the shipped catalogue does not load");
        return;
    }
    const int loops = static_cast<int>(state.range(0));
    BuildDesign(loops);
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveConfigurationFile(FileFor(loops)));
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(FileFor(loops)));
}

void BM_OpenDesign(benchmark::State& state) {
    if (!LoadShippedCatalogue()) {
        state.SkipWithError("the shipped catalogue does not load");
        return;
    }
    const int loops = static_cast<int>(state.range(0));
    BuildDesign(loops);
    SaveConfigurationFile(FileFor(loops));
    for (auto _ : state) {
        const OpenResult result = OpenConfigurationFile(FileFor(loops), false, progress, unknown);
        if (result.outcome != OpenOutcome::Opened || !quiet.messages.empty())
            state.SkipWithError("the design did not open cleanly");
    }
    state.counters["devices"] = TotalDevicesAllLoops();
}

}  // namespace

BENCHMARK(BM_SaveDesign)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDesign)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);
