#pragma once
// The one design held in memory: site, panel, file, dates, loop names and the eight loop models.
// It holds data only; the rules that change it as a whole (a new design, a change marked) are in
// DocumentRules.h.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/StandbyPower.h"

class clsCalculator;

inline constexpr int kLoopCount = 8;       // loops 1 to 8
inline constexpr int kAddressCount = 256;  // address slots 0 to 255 per loop

// A calendar date and time of day, as the configuration file keeps it.
struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// The current local date and time.
DateTime CurrentDateTime();
// "yyyy-mm-dd hh:mm:ss".
std::string FormatFileDate(const DateTime& d);
// A date as files hold it ("yyyy-mm-dd hh:mm:ss"; the time may be left out and one-digit month,
// day, hour, minute or second are accepted); nothing when the text is not a valid date.
std::optional<DateTime> ParseFileDate(const std::string& text);

class DesignDocument {
public:
    DesignDocument();
    ~DesignDocument();
    DesignDocument(const DesignDocument&) = delete;
    DesignDocument& operator=(const DesignDocument&) = delete;

    std::string DocumentPath;     // empty for a design never saved or opened
    bool OpenedReadOnly = false;  // saving under DocumentPath is refused
    bool DataChanged = false;     // set by MarkModified, cleared by save, new and open
    DateTime CreatedDate;
    DateTime ModifiedDate;
    std::string SiteName;
    // The standby battery inputs; all defaults until the user enters something.
    StandbyPowerInputs StandbyPower;

    // The chosen panel is the panel catalogue's current panel (-1 when none).
    int ChosenPanel() const;

    // Loop names and models, loops 1 to 8.
    std::string& LoopName(int loop);
    const std::string& LoopName(int loop) const;
    // The loop's calculator, created on first use.
    clsCalculator& LoopModel(int loop);
    // Whether the loop's calculator has been created yet.
    bool HasLoopModel(int loop) const;
    // Puts a new calculator in place of the loop's (the loop editor's Cancel restores its backup).
    void ReplaceLoopModel(int loop, std::unique_ptr<clsCalculator> model);

    // Per loop (1 to 8) and address (0 to 255): the second field of a device entry, carried from
    // the file it was opened from back into the file it is saved to, and whether the entry was
    // found under the eavesdrop key. Both move with their device and are cleared with it.
    std::int16_t& DeviceCarriedValue(int loop, int address);
    std::int16_t DeviceCarriedValue(int loop, int address) const;
    bool& DeviceEavesdropFlag(int loop, int address);
    bool DeviceEavesdropFlag(int loop, int address) const;
    // Sets both to 0 for every address of the loop.
    void ClearCarriedData(int loop);
    // Whether both are 0 for every address of the loop, or for one address.
    bool CarriesNothing(int loop) const;
    bool CarriesNothingAt(int loop, int address) const;

private:
    std::array<std::string, kLoopCount> loopNames_;
    std::array<std::unique_ptr<clsCalculator>, kLoopCount> loopModels_;
    std::array<std::array<std::int16_t, kAddressCount>, kLoopCount> carried_{};
    std::array<std::array<bool, kAddressCount>, kLoopCount> eavesdrop_{};
};

// The program's one design.
DesignDocument& CurrentDocument();
