#pragma once
// Opening a configuration file (.QMR) into the design.
#include <cstdint>
#include <string>
#include <vector>

#include "document/OpenPrompts.h"

enum class OpenOutcome {
    Opened,     // the file is now the current design
    NotOpened,  // a reported failure; see PreviousDesignKept
    Cancelled,  // the user stopped the open; the design is a new, empty one
};

struct OpenResult {
    // The load reached one of its ends (success, a reported failure or cancel).
    bool finished = false;
    OpenOutcome outcome = OpenOutcome::NotOpened;
    // The open stopped before the design was touched (no file, a format it does not know), so
    // the previous design is still there, unchanged; otherwise a stop leaves a new, empty design.
    bool previousDesignKept = false;
};

// Reads the file into the design, showing its progress (with Cancel) in `progress` and asking
// `unknown` about device types that cannot be placed. A read-only request, or a file that
// nobody may write, opens the design read-only. Afterwards the panel choice is shown again and
// every loop recalculated.
OpenResult OpenConfigurationFile(const std::string& path, bool readOnlyRequest,
                                 OpenProgressView& progress, IgnoreUnknownPrompt& unknown);

// Device types that older catalogue data numbered differently: an entry of type FromType opens
// as type ToType, with the other device numbered StandaloneOtherNumber in standalone slot 2 of
// its address. The shipped catalogue needs none, so the table starts empty.
struct LegacyTypeConversion {
    std::int16_t FromType = 0;
    std::int16_t ToType = 0;
    std::int16_t StandaloneOtherNumber = 0;
};
std::vector<LegacyTypeConversion>& LegacyTypeConversions();
