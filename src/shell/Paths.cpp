#include "shell/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "shell/FileRead.h"

namespace fs = std::filesystem;

namespace {

AppPaths& Current() {
    static AppPaths paths = ResolveAppPaths("", "", "");
    return paths;
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string Home() {
    std::string home = Env("HOME");
    return home.empty() ? std::string("/tmp") : home;
}

std::string ExecutableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

// The shipped data: beside the executable (an install tree: ../share/quelmar/data), in the
// build tree's source folder, or the current folder's data/.
std::string FindShippedData() {
    const std::string exeFolder = ExecutableFolder();
    std::vector<std::string> candidates;
    if (!exeFolder.empty()) {
        candidates.push_back(JoinPath(exeFolder, "data"));
        candidates.push_back(JoinPath(exeFolder, "../share/quelmar/data"));
    }
#ifdef QUELMAR_SOURCE_DATA_DIR
    candidates.push_back(QUELMAR_SOURCE_DATA_DIR);
#endif
    candidates.push_back("data");
    for (const auto& c : candidates) {
        std::error_code ec;
        if (fs::is_directory(JoinPath(c, "Tarvex"), ec))
            return fs::absolute(c, ec).lexically_normal().string();
    }
    return candidates.empty() ? std::string("data") : candidates.back();
}

std::string FirstOf(const std::string& option, const char* envName, const std::string& fallback) {
    if (!option.empty()) return option;
    std::string env = Env(envName);
    return env.empty() ? fallback : env;
}

}  // namespace

AppPaths ResolveAppPaths(const std::string& dataDirOption, const std::string& userDirOption,
                         const std::string& configDirOption) {
    AppPaths p;
    p.dataRoot = !dataDirOption.empty()             ? dataDirOption
                 : !Env("QUELMAR_DATA_DIR").empty() ? Env("QUELMAR_DATA_DIR")
                                                    : FindShippedData();
    const std::string dataHome =
        Env("XDG_DATA_HOME").empty() ? JoinPath(Home(), ".local/share") : Env("XDG_DATA_HOME");
    const std::string configHome =
        Env("XDG_CONFIG_HOME").empty() ? JoinPath(Home(), ".config") : Env("XDG_CONFIG_HOME");
    p.userRoot = FirstOf(userDirOption, "QUELMAR_USER_DIR", JoinPath(dataHome, "quelmar"));
    p.configDir = FirstOf(configDirOption, "QUELMAR_CONFIG_DIR", JoinPath(configHome, "quelmar"));
    p.documentsDir = FirstOf("", "XDG_DOCUMENTS_DIR", JoinPath(Home(), "Documents"));
    return p;
}

const AppPaths& Paths() {
    return Current();
}

void SetPaths(const AppPaths& paths) {
    Current() = paths;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string FileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool EnsureFolder(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec);
}

bool FileExists(const std::string& path) {
    if (IsMemoryFile(path)) return true;
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}
