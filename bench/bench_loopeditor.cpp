// Typing a quantity and pressing Enter on a full loop (252 devices on a 252-address panel): the
// editor's model alone, and through the bound window offscreen (keys to the quantity edit box,
// recalculation, the window and the main window's row redrawn), and with the chart of the
// voltage along the loop painted after them. Each iteration changes the quantity by one device (252
// -> 251 -> 252 ...), so every one places or removes a device and recalculates the loop. The median
// of the iterations is reported as median_ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

#include "catalogue/CatalogueStartup.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/Options.h"
#include "catalogue/Panels.h"
#include "document/CalcGlue.h"
#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "document/LoopEditorModel.h"
#include "document/LoopEditorPlacement.h"
#include "engine/clsCalculator.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "ui/VoltageChartView.h"
#include "ui/frmLoop.h"

namespace {

using Clock = std::chrono::steady_clock;

ScriptedPlatform quiet;

// The shipped catalogue, a 252-address panel, and the first device type that may fill every
// address, made a standard device so that the editor lists it. Answers the type.
int FullLoopType() {
    static const int type = [] {
        static int argc = 1;
        static char name[] = "bench_loopeditor";
        static char* argv[] = {name, nullptr};
        static QApplication* application = new QApplication(argc, argv);  // kept to the end
        (void)application;
        const std::string folder =
            (std::filesystem::temp_directory_path() / "quelmar-bench-loopeditor").string();
        std::filesystem::create_directories(folder + "/config");
        static ScopedInstall<Platform> installed(quiet);
        SetPaths({QUELMAR_SOURCE_DATA_DIR, folder + "/user", folder + "/config", folder + "/docs"});
        if (!LoadCatalogues() || !SelectPanelByName("Halvorsen HS-2")) return 0;
        for (std::size_t t = 1; t < DeviceTypeTable.size(); ++t)
            if (AddressRangeCountOf(static_cast<int>(t)) >= 252 &&
                IsPlaceableDeviceType(static_cast<int>(t)) &&
                !IsBaseMountedSlaveType(static_cast<int>(t))) {
                StandardDevice[t] = true;
                return static_cast<int>(t);
            }
        return 0;
    }();
    return type;
}

int RowOf(const LoopEditorModel& editor, int type) {
    const auto& rows = editor.DeviceRows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].type == type) return static_cast<int>(i);
    return -1;
}

void ReportMedian(benchmark::State& state, std::vector<double>& milliseconds) {
    if (milliseconds.empty()) return;
    std::nth_element(milliseconds.begin(), milliseconds.begin() + milliseconds.size() / 2,
                     milliseconds.end());
    state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
}

void BM_QuantityEnter_Model(benchmark::State& state) {
    const int type = FullLoopType();
    if (type == 0) return state.SkipWithError("no 252-address panel or device type");
    NewDocument();
    LoopEditorModel editor(1);
    editor.Activate();
    const int row = RowOf(editor, type);
    editor.ValidateDeviceQuantity(row, "252", CheckMode::Leaving);
    std::vector<double> times;
    bool full = true;
    for (auto _ : state) {
        const auto start = Clock::now();
        editor.ValidateDeviceQuantity(row, full ? "251" : "252", CheckMode::Leaving);
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        times.push_back(took.count() * 1000);
        full = !full;
    }
    if (editor.DeviceRows()[static_cast<std::size_t>(row)].quantity < 251)
        state.SkipWithError("the quantities were not applied");
    if (!quiet.messages.empty()) state.SkipWithError(quiet.messages.front().text.c_str());
    ReportMedian(state, times);
}
BENCHMARK(BM_QuantityEnter_Model)->UseManualTime()->Unit(benchmark::kMillisecond);

// The loop editor open on loop 1 with the focus in the full device type's quantity box, holding
// 252 devices; Enter or Up applies a typed quantity, the other key comes back to the row.
struct FullLoopWindow {
    std::unique_ptr<frmLoop> window;
    QLineEdit* edit = nullptr;
    int row = -1;
    Qt::Key there = Qt::Key_Return;
    Qt::Key back = Qt::Key_Up;

    // Types the quantity and applies it; answers the time taken.
    double Apply(const char* quantity) {
        edit->selectAll();
        const auto start = Clock::now();
        QTest::keyClicks(edit, quantity);
        QTest::keyClick(edit, there);
        return std::chrono::duration<double>(Clock::now() - start).count();
    }
    bool Applied() const {
        return window->Model().DeviceRows()[static_cast<std::size_t>(row)].quantity >= 251;
    }
};

// Opens the window; a null window when it cannot be.
FullLoopWindow OpenFullLoop(int type) {
    FullLoopWindow w;
    w.window = std::make_unique<frmLoop>(1);
    w.window->show();
    w.window->activateWindow();
    if (!QTest::qWaitForWindowActive(w.window.get())) return {};
    w.row = RowOf(w.window->Model(), type);
    w.edit = w.window->findChild<QLineEdit*>("txtDevicesQty");
    // To the row: Enter moves down from the rows above it.
    for (int r = 0; r < w.row; ++r)
        QTest::keyClick(w.edit, Qt::Key_Return);
    const bool last = w.row + 1 == static_cast<int>(w.window->Model().DeviceRows().size());
    w.there = last ? Qt::Key_Up : Qt::Key_Return;
    w.back = last ? Qt::Key_Down : Qt::Key_Up;
    w.Apply("252");
    QTest::keyClick(w.edit, w.back);
    return w;
}

void BM_QuantityEnter_Window(benchmark::State& state) {
    const int type = FullLoopType();
    if (type == 0) return state.SkipWithError("no 252-address panel or device type");
    NewDocument();
    FullLoopWindow w = OpenFullLoop(type);
    if (!w.window) return state.SkipWithError("no active window");
    std::vector<double> times;
    bool full = true;
    for (auto _ : state) {
        const double took = w.Apply(full ? "251" : "252");
        QTest::keyClick(w.edit, w.back);  // back to the row, not timed
        state.SetIterationTime(took);
        times.push_back(took * 1000);
        full = !full;
    }
    if (!w.Applied()) state.SkipWithError("the typed quantities were not applied");
    if (!quiet.messages.empty()) state.SkipWithError(quiet.messages.front().text.c_str());
    w.window->reject();
    ReportMedian(state, times);
}
BENCHMARK(BM_QuantityEnter_Window)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same keys on 1000 m of cable, and the chart of the voltage along the loop painted at once
// after them: the time from the first key to the chart drawn anew.
void BM_QuantityEnter_VoltageChart(benchmark::State& state) {
    const int type = FullLoopType();
    if (type == 0) return state.SkipWithError("no 252-address panel or device type");
    NewDocument();
    CurrentDocument().LoopModel(1).CableTotal(10000);
    CurrentDocument().LoopModel(1).CableImpedance(1810);
    FullLoopWindow w = OpenFullLoop(type);
    if (!w.window) return state.SkipWithError("no active window");
    auto* chart = w.window->findChild<VoltageChartView*>("picVoltageChart");
    std::vector<double> times;
    bool full = true;
    for (auto _ : state) {
        const auto start = Clock::now();
        w.Apply(full ? "251" : "252");
        chart->repaint();
        const std::chrono::duration<double> took = Clock::now() - start;
        QTest::keyClick(w.edit, w.back);
        state.SetIterationTime(took.count());
        times.push_back(took.count() * 1000);
        full = !full;
    }
    if (!w.Applied()) state.SkipWithError("the typed quantities were not applied");
    if (chart->Layout().points.size() < 254) state.SkipWithError("the chart shows no full loop");
    w.window->reject();
    ReportMedian(state, times);
}
BENCHMARK(BM_QuantityEnter_VoltageChart)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
