// Any configuration file, however damaged, opens or fails with a message. When it opens, the
// design it gives is saved, opened again and saved again: the two saves must be the same bytes.
//
// The input is served from memory and the saves are kept there: a run touches no disk. The
// settings are read but never written, as by the command-line tool.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "catalogue/CatalogueStartup.h"
#include "document/ConfigReader.h"
#include "document/ConfigWriter.h"
#include "shell/FileRead.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/ProfileFile.h"
#include "shell/Settings.h"

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
    static ScopedInstall<Platform> installed(quiet);
    SetSettingsReadOnly(true);
    SetPaths(
        {QUELMAR_SOURCE_DATA_DIR, Folder() + "/user", Folder() + "/config", Folder() + "/docs"});
    return LoadCatalogues();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = Setup();
    static SilentOpenProgress progress;
    static YesToAllPrompt unknown;
    if (!ready) __builtin_trap();
    const std::string input = Folder() + "/input.QMR";
    PutMemoryFile(input, std::string(reinterpret_cast<const char*>(data), size));
    ResetProfileCache();
    if (OpenConfigurationFile(input, false, progress, unknown).outcome != OpenOutcome::Opened)
        return 0;

    // Both saves replace files held in memory.
    const std::string first = Folder() + "/first.QMR", second = Folder() + "/second.QMR";
    PutMemoryFile(first, "");
    PutMemoryFile(second, "");
    if (!SaveConfigurationFile(first)) return 0;  // e.g. an other device counted past 255
    if (OpenConfigurationFile(first, false, progress, unknown).outcome != OpenOutcome::Opened)
        __builtin_trap();
    if (!SaveConfigurationFile(second)) __builtin_trap();
    if (MemoryFileBytes(first) != MemoryFileBytes(second)) __builtin_trap();
    return 0;
}
