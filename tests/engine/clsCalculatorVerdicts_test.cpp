// The verdict texts: one line, two lines, the explanation and the widest one-line text.
#include <gtest/gtest.h>

#include <array>

#include "engine/EngineFixtures.h"

namespace {

class VerdictTest : public ::testing::Test {
protected:
    EngineCatalogue cat;

    // A loop that ends with the given verdict code.
    std::unique_ptr<clsCalculator> LoopWithVerdict(int code) {
        auto loop = NewLoop();
        switch (code) {
            case 1:
                loop->DeviceType(1, cat.AddDevice(Device(0, 600000)));
                break;
            case 2: {
                // 30 mA through 100 ohm: 3 V, but a device needing 22 V leaves only 2 V to lose.
                DeviceTypeRecord d = Device(0, 30000);
                d.MinimumVoltage = 2200;
                loop->DeviceType(1, cat.AddDevice(d));
                loop->SetPanelData(256, 256, 256, 2400, 500, 10000);
                break;
            }
            case 3:
                loop->DeviceType(1, cat.AddDevice(Device(600000, 0)));
                break;
            case 4:
                loop->CableFirst(1);
                break;
            case 5: {
                // No length keeps the drop within 7 V (see the cable-run tests).
                DeviceTypeRecord d = Device(0, 25000, 50);
                d.MinimumVoltage = 1700;
                const auto type = cat.AddDevice(d);
                for (int slot = 1; slot <= 10; ++slot)
                    loop->DeviceType(slot, type);
                loop->CalcType(1);
                loop->CableImpedance(1810);
                loop->CableFirst(10000);
                loop->SetPanelData(256, 256, 256, 2400, 500, 100);
                break;
            }
            case 6:
                loop->DeviceType(1, cat.AddDevice(SurgeDevice(5000, 1000)));
                break;
            case 7: {
                DeviceTypeRecord m = Device(0, 0);
                m.IsMaster = true;
                DeviceTypeRecord s = Device(0, 0);
                s.IsSlave = true;
                s.NoOtherDevices = true;
                loop->DeviceType(5, cat.AddDevice(m));
                loop->DeviceType(3, cat.AddDevice(Device(0, 0, 10)));
                loop->DeviceBaseAddr(2, 5);
                loop->DeviceBaseType(2, cat.AddDevice(s));
                break;
            }
            case 8: {
                DeviceTypeRecord d = Device(0, 0);
                d.DependsOnDevice = 1;
                cat.AddDevice(Device(0, 0));
                loop->DeviceType(4, cat.AddDevice(d));
                break;
            }
            default:
                break;
        }
        Recalculate(*loop, true);
        return loop;
    }
};

TEST_F(VerdictTest, EveryCodeHasItsTextsAndExplanation) {
    const std::string over = "is greater than that permitted by the control panel (500 mA).";
    const std::vector<std::array<std::string, 3>> expected = {
        {"Loop Satisfactory", "Loop Design\nSatisfactory", ""},
        {"Alarm Current Too High", "Alarm Current\nToo High",
         "The total alarm current drawn by the devices on the loop " + over},
        {"Volt Drop Too High", "Volt Drop\nToo High",
         "The calculated final voltage at a device on the loop is below that required for its "
         "operation."},
        {"Quiescent Too High", "Quiescent\nToo High",
         "The total quiescent current drawn by the devices on the loop " + over},
        {"1st Cable Run Too Long", "Cable Run to 1st\nDevice Too Long",
         "The cable run to the first device is greater than the total cable length!"},
        {"No Valid Cable Length", "No Valid\nCable Length",
         "While attempting to calculate a maximum cable length, even a cable length of 0 "
         "resulted in the volt drop being too high."},
        {"Surge Current Too High", "Switch-on Surge\nToo High",
         "The total switch-on surge current of devices between the control panel and the "
         "isolator at address 1 (5000 \xC2\xB5"
         "A) is too high."},
        {"Isolator between Master/Slave", "Isolator between\nMaster & Slave",
         "There is an Isolator between a Master device at address 5 and an associated Slave "
         "device wired with detector at address 2"},
        {"Ondrix Loop Interface", "Not enough Ondrix\nLoop Interfaces",
         "Device at address 4 does not have a corresponding Type 1."},
    };
    for (int code = 0; code < static_cast<int>(expected.size()); ++code) {
        const auto loop = LoopWithVerdict(code);
        ASSERT_EQ(loop->LoopDesign(), code);
        EXPECT_EQ((std::array<std::string, 3>{loop->LoopDesignShort(), loop->LoopDesignLong(),
                                              loop->DesignExplanation()}),
                  expected[static_cast<std::size_t>(code)]);
        EXPECT_EQ(loop->DesignIsSatisfactory(), code == 0) << code;
    }
}

TEST_F(VerdictTest, SmallLoopCurrentLimitIsWrittenInMicroamps) {
    auto loop = NewLoop();
    loop->DeviceType(1, cat.AddDevice(Device(0, 5001)));
    loop->SetPanelData(256, 256, 256, 2400, 5, 0);
    Recalculate(*loop);
    EXPECT_EQ(loop->DesignExplanation(),
              "The total alarm current drawn by the devices on the loop is greater than that "
              "permitted by the control panel (5000 \xC2\xB5"
              "A).");
}

struct FixedWidthPerCharacter : TextMeasurer {
    double perCharacter;
    explicit FixedWidthPerCharacter(double w) : perCharacter(w) {}
    double TextWidth(const std::string& text) const override {
        return perCharacter * static_cast<double>(text.size());
    }
};

TEST_F(VerdictTest, LongestShortTextIsMeasuredOverAllNineCodes) {
    const auto loop = NewLoop();
    // "Isolator between Master/Slave" has 29 characters: 29 x 0.5 = 14.5 -> 14 (half to even).
    EXPECT_EQ(loop->LongestLoopDesignShort(FixedWidthPerCharacter(0.5)), 14);
    EXPECT_EQ(loop->LongestLoopDesignShort(FixedWidthPerCharacter(1.5)), 44);  // 43.5 -> 44
}

}  // namespace
