#pragma once
// The report's standby power block: what the standby battery calculation was given (the standard,
// the periods, the panel's own currents, the other loads and the loop totals), its working and
// the battery it recommends.
#include <optional>
#include <vector>

#include "engine/StandbyPower.h"
#include "print/Printing.h"
#include "shell/Numbers.h"

struct StandbyPowerReport {
    StandbyPowerInputs inputs;
    LoopCurrentTotals loops;  // the main window's totals
    // The battery list in Ah; nothing when it could not be read.
    std::optional<std::vector<Amount>> batterySizes;
};

// The number of lines the block prints in the job's font (long lines of the working take more).
int StandbyBlockLineCount(PrintJobPages& pages, const StandbyPowerReport& report);

// Prints the block: on a new page when it does not fit on this one; one longer than a page runs
// on over the following pages, each repeating the block's title and the table headings.
void PrintStandbyPowerBlock(PrintJobPages& pages, const StandbyPowerReport& report);
