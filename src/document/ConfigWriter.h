#pragma once
// Writing the design to a configuration file (.QMR).
#include <string>

// The layout of the file, shared by the writer and the reader.
inline constexpr const char* kConfigFileComment = ";Configuration data for Tarvex Meridane Vantra";
inline constexpr const char* kMainSection = "Vantra";
inline constexpr int kDataFormat = 1;
inline constexpr const char* kCustomDeviceSection = "CustomDevice";
inline constexpr const char* kCustomOtherSection = "CustomOther";
// Per-address keys, followed by the address in decimal.
inline constexpr const char* kDeviceKey = "Device";
inline constexpr const char* kEavesdropKey =
    "EavesdropDevice";  // entries flagged for eavesdropping
inline constexpr const char* kEavesdroppingKey =
    "EavesdroppingDevice";  // the same, as older files name it
inline constexpr const char* kStandaloneKey = "DeviceBetween";
// "Loop1" to "Loop8".
inline std::string LoopSectionName(int loop) {
    return "Loop" + std::to_string(loop);
}

// Writes the current design to `path`, keeping the file that was there as the one backup
// (the path with its last three characters replaced by "BAK"; none when the path itself ends
// in "BAK"). At every moment `path` holds the old or the new complete file. On success clears
// DataChanged and returns true. On failure shows "Unable to save the configuration data", leaves
// DataChanged as it was and returns false. DocumentPath, the caption and the recent files are
// left to the caller.
bool SaveConfigurationFile(const std::string& path);
