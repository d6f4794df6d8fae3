// Any configuration file, however damaged, opens or fails with a message. When it opens, the
// design it gives is saved, opened again and saved again: the two saves must be the same bytes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalogue/CatalogueStartup.h"
#include "document/ConfigReader.h"
#include "document/ConfigWriter.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/ProfileFile.h"

namespace {

const std::string& Folder() {
    static const std::string folder = (std::filesystem::temp_directory_path() /
                                       ("quelmar-fuzz-config-" + std::to_string(getpid())))
                                          .string();
    return folder;
}

// Unknown device types are left out, as the command-line tool does.
class YesToAllPrompt : public IgnoreUnknownPrompt {
    char UnknownResponse(std::int16_t, std::int16_t, std::int16_t) override { return 'A'; }
};

bool Setup() {
    // Shows nothing; answers every question with its default button and never cancels.
    static ConsolePlatform quiet;
    quiet.quiet = true;
    std::filesystem::create_directories(Folder() + "/config");
    static ScopedInstall<Platform> installed(quiet);
    SetPaths(
        {QUELMAR_SOURCE_DATA_DIR, Folder() + "/user", Folder() + "/config", Folder() + "/docs"});
    return LoadCatalogues();
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = Setup();
    static SilentOpenProgress progress;
    static YesToAllPrompt unknown;
    if (!ready) __builtin_trap();
    const std::string input = Folder() + "/input.QMR";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ResetProfileCache();
    if (OpenConfigurationFile(input, false, progress, unknown).outcome != OpenOutcome::Opened)
        return 0;

    const std::string first = Folder() + "/first.QMR", second = Folder() + "/second.QMR";
    if (!SaveConfigurationFile(first)) return 0;  // e.g. an other device counted past 255
    if (OpenConfigurationFile(first, false, progress, unknown).outcome != OpenOutcome::Opened)
        __builtin_trap();
    if (!SaveConfigurationFile(second)) __builtin_trap();
    if (ReadAll(first) != ReadAll(second)) __builtin_trap();
    return 0;
}
