// Opening the hospital example through the main window, offscreen: the progress window, the
// reader, the recalculation of every loop and the refresh of every row and the totals.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <string>

#include "app/AppInfo.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/RecentFiles.h"
#include "shell/Settings.h"
#include "ui/frmMain.h"

namespace {

const std::string kFolder =
    (std::filesystem::temp_directory_path() / "quelmar-bench-window").string();

frmMain& Window() {
    static int argc = 1;
    static char name[] = "bench_window";
    static char* argv[] = {name, nullptr};
    static frmMain* window = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Left for the process's end, like the window: destroying them among the exit-time
        // statics crashes Qt.
        new QApplication(argc, argv);
        // The example must open without a message; any message would be answered by default.
        static ScriptedPlatform quiet;
        static ScopedInstall<Platform> installed(quiet);
        std::filesystem::remove_all(kFolder);
        SetPaths(
            {QUELMAR_SOURCE_DATA_DIR, kFolder + "/user", kFolder + "/config", kFolder + "/docs"});
        auto* w = new frmMain;
        if (!w->Start()) std::abort();
        w->show();
        w->SetCommandLine(std::string(QUELMAR_EXAMPLES_DIR) + "/Hospital.QMR");
        // The welcome and new-version windows would wait for the user.
        WriteSettingFlag("FirstTimeDone", true);
        WriteSettingText("LatestVersion", RunningVersion());
        w->Activate();
        return w;
    }();
    return *window;
}

void BM_OpenHospitalThroughTheWindow(benchmark::State& state) {
    frmMain& window = Window();
    for (auto _ : state) {
        window.Model().OpenRecentCommand(0);
        QApplication::processEvents();
    }
    if (window.windowTitle() != "Quelmar - Hospital") state.SkipWithError("not opened");
}
BENCHMARK(BM_OpenHospitalThroughTheWindow)->Unit(benchmark::kMillisecond);

}  // namespace
