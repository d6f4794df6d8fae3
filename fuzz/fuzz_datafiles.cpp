// Loads arbitrary bytes as the three shipped data files (device, panel and cable file) through
// the whole start-up sequence. Whatever the bytes, the load must end with success or with its
// first problem's message; never a crash, a hang or undefined behaviour.
//
// Input layout: two 16-bit little-endian lengths, then the device file, the panel file and
// the cable file (the lengths are cut to what remains; the cable file takes the rest).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "catalogue/CatalogueStartup.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/ProfileFile.h"

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
    }
    std::string root;
    ScriptedPlatform platform;
    ScopedInstall<Platform> installed{platform};
};

FuzzFolders& Folders() {
    static FuzzFolders folders;
    return folders;
}

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
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
    WriteFile(dataRoot + "/Devices/Devices.dat", data, devicesSize);
    WriteFile(dataRoot + "/Panels/stdpan.dat", data + devicesSize, panelsSize);
    WriteFile(dataRoot + "/Cables/Cables.dat", data + devicesSize + panelsSize,
              size - devicesSize - panelsSize);
    // The files keep their size within one clock tick often enough: parse them afresh.
    ResetProfileCache();
    // The settings are kept between runs as they are between starts of the program (which
    // also spares the first-run writes), but they must not grow without bound.
    const std::string settings = folders.root + "/config/settings.ini";
    std::error_code ec;
    if (std::filesystem::file_size(settings, ec) > 65536 && !ec) std::filesystem::remove(settings);
    LoadCatalogues();
    folders.platform.messages.clear();
    folders.platform.beeps.clear();
    return 0;
}
