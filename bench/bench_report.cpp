// quelmar-cli report on the eight-loop hospital example, timed as a whole process as a user runs
// it: start-up, catalogues, opening the design, laying out and writing the PDF.
#include <benchmark/benchmark.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void BM_ReportHospitalWholeProcess(benchmark::State& state) {
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / "quelmar-bench-report";
    std::filesystem::create_directories(scratch);
    const std::string command =
        std::string(QUELMAR_CLI_PATH) + " --data-dir '" + QUELMAR_SOURCE_DATA_DIR +
        "' --user-dir '" + (scratch / "user").string() + "' --config-dir '" +
        (scratch / "config").string() + "' report '" + QUELMAR_SOURCE_DATA_DIR +
        "/../examples/Hospital.QMR' --pdf '" + (scratch / "hospital.pdf").string() + "'";
    for (auto _ : state) {
        const int status = std::system(command.c_str());
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("report failed");
    }
    std::filesystem::remove_all(scratch);
}
BENCHMARK(BM_ReportHospitalWholeProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
