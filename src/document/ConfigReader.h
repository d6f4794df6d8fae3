#pragma once
// Opening a configuration file (.QMR) into the design.
#include <cstdint>
#include <string>
#include <vector>

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

// Reads the file into the design, with progress and Cancel through the platform. A read-only
// request, or a file that nobody may write, opens the design read-only. Afterwards the panel
// choice is shown again and every loop recalculated.
OpenResult OpenConfigurationFile(const std::string& path, bool readOnlyRequest);

// Reads the nine calculation settings of one loop from a section of the file into the loop's
// calculator; a missing value takes its default, a bad one is reported and takes its default.
void ReadCalcData(int loop, const std::string& path, const std::string& section);

// The items of a value list, as GetField gives them one at a time (item k is element k-1;
// later items are empty), split in one pass.
std::vector<std::string> SplitValueList(const std::string& value);

// The unknown-device question: an entry names a device type that cannot be placed.
// UnknownResponse gives 'Y' (leave the address without a device), 'A' (the same, and ask no
// more during this open) or 'C' (cancel the open).
class IgnoreUnknownPrompt {
public:
    virtual ~IgnoreUnknownPrompt() = default;
    virtual char UnknownResponse(std::int16_t l, std::int16_t s, std::int16_t T) = 0;
};
// The question's text for loop l, address s and device type T.
std::string UnknownDeviceText(std::int16_t l, std::int16_t s, std::int16_t T);
// The installed question. Until the windows install their dialog, the question is reported as a
// message (title "Unknown Device Type") and answered 'A', as a run without a user needs.
IgnoreUnknownPrompt& CurrentIgnoreUnknownPrompt();
// Installs a question; returns the previous one. The caller keeps ownership; nullptr restores
// the default.
IgnoreUnknownPrompt* SetIgnoreUnknownPrompt(IgnoreUnknownPrompt* prompt);

// Device types that older catalogue data numbered differently: an entry of type FromType opens
// as type ToType, with the other device numbered StandaloneOtherNumber in standalone slot 2 of
// its address. The shipped catalogue needs none, so the table starts empty.
struct LegacyTypeConversion {
    std::int16_t FromType = 0;
    std::int16_t ToType = 0;
    std::int16_t StandaloneOtherNumber = 0;
};
std::vector<LegacyTypeConversion>& LegacyTypeConversions();
