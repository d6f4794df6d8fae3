#pragma once
// The standby battery inputs in the configuration file: the [StandbyPower] section.
//
// The section is the last of the file and is written only when the inputs differ from the
// defaults, so a design without them is saved exactly as before, and a program that does not
// know the section reads everything else unchanged. When written it holds every key:
//
//   Standard=bs5839                 bs5839, nfpa72-2019 or nfpa72-2022
//   VoiceSystem=False               True or False
//   StandbyHours=24                 numbers in the general format: "0.5", never "0,5"
//   AlarmMinutes=30
//   PanelQuiescentmA=0
//   PanelAlarmmA=0
//   OtherLoads=2                    the loads follow as Load1... to LoadN...
//   Load1Name="Door holders, east"
//   Load1Quantity=4
//   Load1QuiescentmA=25
//   Load1AlarmmA=0
//
// A name is written in double quotes, which keep its leading and trailing blanks. What a line of
// the file cannot carry as it is ("%", line breaks and other control characters, characters
// outside the Windows code page) is written as "%" and two hexadecimal digits per UTF-8 byte, so
// every name comes back exactly. A name longer than a value may be continues in Load1Name2,
// Load1Name3, ...
#include <string>
#include <utility>
#include <vector>

#include "engine/StandbyPower.h"

inline constexpr const char* kStandbyPowerSection = "StandbyPower";

// The section's entries (key, value) in the order they are written; none for default inputs.
std::vector<std::pair<std::string, std::string>> StandbyPowerEntries(
    const StandbyPowerInputs& inputs);

// The inputs a configuration file holds. A missing section or key gives its default silently;
// a damaged value gives its default, and the damaged values are reported together in one
// data-file problem message naming the section, each key and its value.
StandbyPowerInputs ReadStandbyPowerSection(const std::string& file);
