#pragma once
// Carries the settings of the old settings file QUELMAR.INI over into the settings store.

// The old settings file, a profile file named without a folder (so it lies in the config dir).
inline constexpr const char* kLegacySettingsFile = "QUELMAR.INI";

// Copies the old file's settings once: nothing is done when the flag FirstTimeDone is already set.
// Only entries that hold something are copied (a flag entry "1", a non-empty text, a non-zero
// number); any other entry leaves its setting as it is. The old file is neither changed nor
// deleted. A failure to write the settings throws RuntimeFault (see Settings.h) and stores none of
// them.
void MigrateIniSettings();
