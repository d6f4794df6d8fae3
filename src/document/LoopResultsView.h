#pragma once
// The results of one loop's calculation as the loop editor shows them. Every open loop editor
// implements LoopResultsView and installs it with ScopedInstall<LoopResultsView> while it is
// open; each installed view is told every loop's results and keeps those of its own loop, so
// the main window and any number of editors receive results side by side.
#include <cstdint>
#include <optional>
#include <string>

#include "engine/VoltageProfile.h"
#include "shell/ScopedInstall.h"

struct LoopResults {
    std::string deviceCount;       // devices + addressable slave bases, general number format
    std::string quiescentDevices;  // the devices' own currents, as current texts
    std::string alarmDevices;
    std::string quiescentTotal;  // devices, other devices and cable, as current texts
    std::string alarmTotal;
    std::string panelLimitNote;      // "* - " + the panel limit that capped the alarm current
    bool panelLimitVisible = false;  // the note and its star are shown (a limit applied)
    std::string maxVoltDropNote;     // "(Max. permissible = 12.3 V)"
    std::string voltDrop;            // "1.2 V"
    // Calculating the longest run: that run in display units, for the total length field.
    std::optional<std::string> totalRun;
    // Calculating the cable: the impedance of the smallest usable cable, for the cable list.
    std::optional<std::int16_t> cableImpedance;
    bool cableRunAtLimit = false;  // the total run is at its 2000 m limit
    std::string verdictLong;       // shown bold, size 12
    std::string explanation;
    VoltageProfile profile;  // the voltage along the cable
    friend bool operator==(const LoopResults&, const LoopResults&) = default;
};

class LoopResultsView {
public:
    virtual ~LoopResultsView() = default;
    // Loop 1 to 8 was calculated; a view showing another loop ignores it.
    virtual void ShowLoopResults(int loop, const LoopResults& results) = 0;
};
