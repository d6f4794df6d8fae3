#pragma once
// The display units as the user's settings keep them (the setting Units), and the choice made
// from the regional settings on the first run.
#include <cstdint>

#include "engine/Scaling.h"
#include "shell/Locale.h"

// Reads the setting Units; a value other than 0 or 1 is reported and replaced by metric.
void LoadUnits();
// Sets the display units and stores them as the setting Units (a failed write throws
// RuntimeFault, see shell/Settings.h).
void SetUnits(std::uint8_t units);
// Chooses imperial only for a North American language code with the US measurement system, else
// metric, and stores the choice. The measurement system comes from the locale, or when the
// locale names none from the value iMeasure of section [intl] of the system initialisation file.
void SetUnitsFromRegionalSettings(const LocaleEnvironment& env);
void SetUnitsFromRegionalSettings();

// The system initialisation file (a profile file named without a folder).
inline constexpr const char* kSystemIniFile = "WIN.INI";
