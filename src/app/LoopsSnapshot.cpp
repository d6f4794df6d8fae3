#include "app/LoopsSnapshot.h"

#include <cstddef>
#include <utility>

#include "engine/clsCalculator.h"

LoopsSnapshot::LoopsSnapshot() {
    DesignDocument& doc = CurrentDocument();
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        Saved& s = saved_[static_cast<std::size_t>(loop - 1)];
        if (doc.HasLoopModel(loop)) s.model = doc.LoopModel(loop).Copy();
        s.name = doc.LoopName(loop);
        for (int a = 0; a < kAddressCount; ++a) {
            s.carried[static_cast<std::size_t>(a)] = doc.DeviceCarriedValue(loop, a);
            s.eavesdrop[static_cast<std::size_t>(a)] = doc.DeviceEavesdropFlag(loop, a);
        }
    }
}

LoopsSnapshot::~LoopsSnapshot() = default;

void LoopsSnapshot::Restore() {
    DesignDocument& doc = CurrentDocument();
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        Saved& s = saved_[static_cast<std::size_t>(loop - 1)];
        if (s.model) doc.ReplaceLoopModel(loop, std::move(s.model));
        doc.LoopName(loop) = s.name;
        for (int a = 0; a < kAddressCount; ++a) {
            doc.DeviceCarriedValue(loop, a) = s.carried[static_cast<std::size_t>(a)];
            doc.DeviceEavesdropFlag(loop, a) = s.eavesdrop[static_cast<std::size_t>(a)];
        }
    }
}
