#pragma once
// Where the program finds its data and keeps its files.
//
// data root:   shipped reference data (Tarvex/Devices, Tarvex/Panels, Tarvex/Cables)
// user root:   files the program or the user writes (Tarvex/Devices/CustomDevices.dat,
//              Tarvex/Panels/CUSTPAN.DAT)
// config dir:  the settings file and profile files named without a folder (QUELMAR.INI)
// documents:   the default folder of configuration files
#include <string>

#include "shell/FileWrite.h"  // the crash-safe whole-file write

struct AppPaths {
    std::string dataRoot;
    std::string userRoot;
    std::string configDir;
    std::string documentsDir;
};

// Works the paths out from the options given (empty = not given), the environment
// (QUELMAR_DATA_DIR, QUELMAR_USER_DIR, QUELMAR_CONFIG_DIR, XDG_DATA_HOME, XDG_CONFIG_HOME,
// XDG_DOCUMENTS_DIR, HOME) and the shipped data next to the executable or in the source tree.
AppPaths ResolveAppPaths(const std::string& dataDirOption, const std::string& userDirOption,
                         const std::string& configDirOption);

const AppPaths& Paths();
void SetPaths(const AppPaths& paths);

// Joins two path parts with one '/'.
std::string JoinPath(const std::string& folder, const std::string& name);
// The folder part of a path (without the final '/'), empty when there is none.
std::string FolderOf(const std::string& path);
// The name part of a path.
std::string FileNameOf(const std::string& path);
// Creates the folder and its parents; true when it exists afterwards.
bool EnsureFolder(const std::string& folder);
// Whether a regular file (or a file held in memory, see FileRead.h) exists at the path.
bool FileExists(const std::string& path);
