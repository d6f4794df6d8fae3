// The voltage along the loop against the calculator's own volt drop.
#include <gtest/gtest.h>

#include <random>

#include "engine/EngineFixtures.h"
#include "engine/VoltageProfile.h"

namespace {

class VoltageProfileTest : public ::testing::Test {
protected:
    EngineCatalogue cat;
};

// 20 devices of 5 mA on 500 m of 18.1 ohm/km with a 1 ohm driver; 24 V drive, 17 V needed.
TEST_F(VoltageProfileTest, TwentyDevicesOnFiveHundredMetres) {
    DeviceTypeRecord d = Device(200, 5000);
    d.MinimumVoltage = 1700;
    const auto type = cat.AddDevice(d);
    auto loop = NewLoop();
    for (int slot = 1; slot <= 20; ++slot)
        loop->DeviceType(slot, type);
    loop->CableTotal(5000);
    loop->CableImpedance(1810);
    loop->SetPanelData(256, 256, 256, 2400, 500, 100);
    Recalculate(*loop);
    // 18.1 ohm x 21/40 + 1 ohm = 10.5025 ohm; 0.1 A x 10.5025 ohm. The first device is at the
    // panel: 0.1 A x 1 ohm = 0.1 V; the next, 25 m on, adds 0.1 A x 18.1 ohm/km x 0.05 km
    // (both cores) = 0.0905 V.
    VoltageProfile p = ProfileOfLoop(*loop);
    ASSERT_EQ(p.points.size(), 23u);
    EXPECT_NEAR(p.points.back().drop, 1.05025, 1e-12);
    EXPECT_EQ(p.points[kFirstDevicePoint].drop, 0.1);
    EXPECT_NEAR(p.points[kFirstDevicePoint + 1].drop, 0.1905, 1e-12);

    // 80 ohm/km, 3.8 V may be lost: after step k the drop is 0.1 + 0.4 x k(41 - k) / 40 V,
    // 3.74 V after the 13th step and 3.88 V (3.9 in tenths) after the 14th.
    loop->CableImpedance(8000);
    loop->SetPanelData(256, 256, 256, 2080, 500, 100);
    Recalculate(*loop);
    p = ProfileOfLoop(*loop);
    EXPECT_EQ(p.firstFailingPoint, std::optional<std::size_t>{16});
    EXPECT_NEAR(p.points[16].drop, 3.88, 1e-12);
}

// The segments sum to the calculator's volt drop and the verdict agrees with the last point.
TEST_F(VoltageProfileTest, LastPointIsTheCalculatorsDropOnRandomLoops) {
    std::mt19937 rng(16);
    std::vector<std::int16_t> types;
    for (int i = 0; i < 6; ++i) {
        DeviceTypeRecord d = Device(100, 1000 + static_cast<std::int32_t>(rng() % 20000),
                                    static_cast<double>(rng() % 300));
        d.MinimumVoltage = static_cast<std::int16_t>(1500 + rng() % 500);
        types.push_back(cat.AddDevice(d));
    }
    cat.AddCable("thick", 800, true);
    cat.AddCable("thin", 3000, true);
    for (int i = 0; i < 400; ++i) {
        auto loop = NewLoop();
        for (int n = 1 + static_cast<int>(rng() % 256); n > 0; --n)
            loop->DeviceType(static_cast<std::int32_t>(rng() % 256), types[rng() % types.size()]);
        loop->CalcType(static_cast<std::int32_t>(rng() % 3));
        loop->CableTotal(1 + static_cast<std::int32_t>(rng() % 20000));
        loop->CableFirst(static_cast<std::int32_t>(rng() % (loop->CableTotal() + 1)));
        loop->CableImpedance(static_cast<std::int16_t>(rng() % 10001));
        loop->SetPanelData(256, 256, 256, static_cast<std::int16_t>(2000 + rng() % 1000), 2000,
                           static_cast<std::int16_t>(rng() % 500));
        Recalculate(*loop);
        const VoltageProfile p = ProfileOfLoop(*loop);
        if (loop->CableTotal() == 0) continue;  // no run is short enough: nothing to draw
        const double last = p.points.back().drop;
        EXPECT_NEAR(last, loop->VoltDropUnrounded(), 1e-9);
        const double tenths = std::min(last * 10, loop->MinDriveVoltage() / 10.0);
        EXPECT_EQ(Amount::FromScaled(*RoundToInt16(tenths) * 1000), loop->VoltDrop());
        EXPECT_EQ(p.firstFailingPoint.has_value(),
                  loop->LoopDesign() == clsCalculator::kVoltDropTooHigh);
    }
}

}  // namespace
