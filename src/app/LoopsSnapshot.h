#pragma once
// Every loop of the design as it stands: names, models, and the values carried from the file.
// A change that may be refused halfway (a panel change whose second question is cancelled, an
// edited panel that cannot be stored after its loops were emptied) puts every loop back exactly.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "document/DesignDocument.h"

class LoopsSnapshot {
public:
    LoopsSnapshot();
    ~LoopsSnapshot();
    LoopsSnapshot(const LoopsSnapshot&) = delete;
    LoopsSnapshot& operator=(const LoopsSnapshot&) = delete;
    // Puts every loop back as it was when the snapshot was taken (once).
    void Restore();

private:
    struct Saved {
        std::unique_ptr<clsCalculator> model;  // none for a loop never used
        std::string name;
        std::array<std::int16_t, kAddressCount> carried{};
        std::array<bool, kAddressCount> eavesdrop{};
    };
    std::array<Saved, kLoopCount> saved_;
};
