// Loads arbitrary bytes as the three shipped data files (device, panel and cable file) through
// the whole start-up sequence. Whatever the bytes, the load must end with success or with its
// first problem's message; never a crash, a hang or undefined behaviour.
//
// Input layout: two 16-bit little-endian lengths, then the device file, the panel file and
// the cable file (the lengths are cut to what remains; the cable file takes the rest). The
// three files are served from memory.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

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
        for (const char* sub : {"/data/Tarvex/Devices", "/data/Tarvex/Panels",
                                "/data/Tarvex/Cables", "/user", "/config"})
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzFolders& folders = Folders();
    std::size_t devicesSize = TakeLength(data, size);
    std::size_t panelsSize = TakeLength(data, size);
    if (devicesSize > size) devicesSize = size;
    if (panelsSize > size - devicesSize) panelsSize = size - devicesSize;
    const std::string dataRoot = folders.root + "/data/Tarvex";
    PutFile(dataRoot + "/Devices/Devices.dat", data, devicesSize);
    PutFile(dataRoot + "/Panels/stdpan.dat", data + devicesSize, panelsSize);
    PutFile(dataRoot + "/Cables/Cables.dat", data + devicesSize + panelsSize,
            size - devicesSize - panelsSize);
    LoadCatalogues();
    // What a run loaded goes within the run: libFuzzer runs an input again, looking for a
    // leak, whenever a run leaves more memory blocks than it found. The parsed files go too, or
    // the next run would be served them within the profile files' recheck interval.
    ResetCatalogues();
    ResetProfileCache();
    folders.platform.messages.clear();
    folders.platform.beeps.clear();
    return 0;
}
