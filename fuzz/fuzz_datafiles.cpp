// Loads arbitrary bytes as the four shipped data files (device, panel, cable and battery file)
// through the whole start-up sequence, then reads the battery list as its first use does.
// Whatever the bytes, each load must end with success or with its first problem's message; a
// battery list read is smallest first, each size once, every size above 0 and at most 1000 Ah.
// Never a crash, a hang or undefined behaviour.
//
// Input layout: three 16-bit little-endian lengths, then the device file, the panel file, the
// cable file and the battery file (the lengths are cut to what remains; the battery file takes
// the rest). The four files are served from memory.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "catalogue/Batteries.h"
#include "catalogue/CatalogueStartup.h"
#include "shell/FileRead.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/ProfileFile.h"
#include "shell/Settings.h"

namespace {

struct FuzzFolders {
    FuzzFolders() {
        root = (std::filesystem::temp_directory_path() /
                ("quelmar-fuzz-datafiles-" + std::to_string(getpid())))
                   .string();
        std::filesystem::remove_all(root);
        AppPaths paths;
        paths.dataRoot = root + "/data";
        paths.userRoot = root + "/user";
        paths.configDir = root + "/config";
        paths.documentsDir = root + "/docs";
        for (const char* sub :
             {"/data/Tarvex/Devices", "/data/Tarvex/Panels", "/data/Tarvex/Cables",
              "/data/Tarvex/Batteries", "/user", "/config"})
            std::filesystem::create_directories(root + sub);
        SetPaths(paths);
        // The settings are read but never written, as by the command-line tool: a run touches
        // no disk.
        SetSettingsReadOnly(true);
    }
    std::string root;
    ScriptedPlatform platform;
    ScopedInstall<Platform> installed{platform};
};

FuzzFolders& Folders() {
    static FuzzFolders folders;
    return folders;
}

void PutFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    PutMemoryFile(path, std::string(reinterpret_cast<const char*>(data), size));
}

std::size_t TakeLength(const std::uint8_t*& data, std::size_t& size) {
    if (size < 2) {
        data += size;
        size = 0;
        return 0;
    }
    const std::size_t length =
        static_cast<std::size_t>(data[0]) | (static_cast<std::size_t>(data[1]) << 8);
    data += 2;
    size -= 2;
    return length < size ? length : size;
}

void CheckBatterySizes() {
    const std::vector<Amount>& sizes = BatterySizes();
    if (sizes.empty()) std::abort();
    for (std::size_t i = 0; i < sizes.size(); ++i)
        if (sizes[i] <= Amount() || sizes[i] > Amount::FromWhole(1000) ||
            (i > 0 && sizes[i] <= sizes[i - 1]))
            std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzFolders& folders = Folders();
    std::size_t devicesSize = TakeLength(data, size);
    std::size_t panelsSize = TakeLength(data, size);
    std::size_t cablesSize = TakeLength(data, size);
    if (devicesSize > size) devicesSize = size;
    if (panelsSize > size - devicesSize) panelsSize = size - devicesSize;
    if (cablesSize > size - devicesSize - panelsSize) cablesSize = size - devicesSize - panelsSize;
    const std::size_t batteriesAt = devicesSize + panelsSize + cablesSize;
    const std::string dataRoot = folders.root + "/data/Tarvex";
    PutFile(dataRoot + "/Devices/Devices.dat", data, devicesSize);
    PutFile(dataRoot + "/Panels/stdpan.dat", data + devicesSize, panelsSize);
    PutFile(dataRoot + "/Cables/Cables.dat", data + devicesSize + panelsSize, cablesSize);
    PutFile(dataRoot + "/Batteries/Batteries.dat", data + batteriesAt, size - batteriesAt);
    LoadCatalogues();
    // The battery list is read on its first use, after start-up.
    if (LoadBatteryCatalogue()) CheckBatterySizes();
    // What a run loaded goes within the run: libFuzzer runs an input again, looking for a
    // leak, whenever a run leaves more memory blocks than it found. The parsed files go too, or
    // the next run would be served them within the profile files' recheck interval.
    ResetCatalogues();
    ResetProfileCache();
    folders.platform.messages.clear();
    folders.platform.beeps.clear();
    return 0;
}
