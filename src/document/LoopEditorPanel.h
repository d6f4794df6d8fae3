#pragma once
// The chosen control panel as the loop editor reads it: its limits on devices, outputs and
// current.
#include "catalogue/Panels.h"

// The current panel's record, or an empty record (no devices, no outputs) when none is chosen.
inline const ControlPanel& CurrentPanelRecord() {
    static const ControlPanel none{};
    const int panel = GetCurrentPanel();
    if (panel < 0 || panel >= static_cast<int>(PanelTable.size())) return none;
    return PanelTable[static_cast<std::size_t>(panel)];
}
