// Random sequences of quantity changes in the loop editor keep the loop consistent.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "document/DesignDocument.h"
#include "document/EditorFixtures.h"
#include "document/LoopEditorPlacement.h"
#include "engine/clsCalculator.h"

namespace {

constexpr int kSlots = clsCalculator::kSlotCount;

class LoopEditorPropertyTest : public EditorTest, public ::testing::WithParamInterface<unsigned> {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        const int low = cat->AddRange("L", 1, 63);
        const int high = cat->AddRange("H", 64, 126);
        const int any = cat->AddRange("A", 1, 126);
        auto ranged = [&](DeviceTypeRecord type, int range) {
            type.AddressRange = range;
            return cat->AddType(type, true);
        };
        types.push_back(ranged(EditorType("Low", 120, 900), low));
        types.push_back(ranged(EditorType("High", 80, 700), high));
        types.push_back(ranged(EditorType("Any", 300, 5000), any));
        types.push_back(ranged(RemoteDriverType("Driver"), any));
        types.push_back(ranged(BaseMountedMaster("Master"), any));
        DeviceTypeRecord deepHost = EditorType("Deep Host", 150, 1500);
        deepHost.BaseType = 7;
        types.push_back(ranged(deepHost, low));
        DeviceTypeRecord radioMaster = EditorType("Radio Master");
        radioMaster.IsMaster = true;
        types.push_back(ranged(radioMaster, any));
        DeviceTypeRecord sealed = EditorType("Sealed", 10, 10);
        sealed.NoOtherDevices = true;
        types.push_back(ranged(sealed, high));
        DeviceTypeRecord radioSlave = EditorType("Radio Slave");
        radioSlave.IsSlave = true;
        const int radioSlaveType = cat->AddType(radioSlave);
        types.push_back(cat->AddType(BaseMountedSlave("Deep Slave", 7)));

        others.push_back(cat->AddOther(Ancillary("Beacon", 40)));
        OtherDevice remote = Ancillary("Remote Indicator", 20);
        remote.FromRemote = true;
        others.push_back(cat->AddOther(remote));
        others.push_back(cat->AddOther(AncillaryBase("Deep Base", 7)));
        others.push_back(cat->AddOther(AncillaryBase("Any Base", 0)));
        others.push_back(cat->AddOther(
            StandaloneDevice("Radio Sounder", static_cast<std::int16_t>(radioSlaveType))));
        others.push_back(cat->AddOther(StandaloneDevice("Line Unit")));

        // Devices already on the loop carry values of their own from the file they came from.
        std::int16_t id = 1;
        for (int slot = 1; slot <= 30; slot += 3) {
            Loop().DeviceType(slot, static_cast<std::int16_t>(types[2]));
            CurrentDocument().DeviceCarriedValue(1, slot) = id;
            CurrentDocument().DeviceEavesdropFlag(1, slot) = id % 2 == 0;
            carriedType[id++] = types[2];
        }
    }

    // Everything the loop holds, for comparing two states.
    std::vector<int> Take() {
        std::vector<int> s;
        const clsCalculator& calc = Loop();
        for (int slot = 0; slot < kSlots; ++slot) {
            s.insert(s.end(), {calc.DeviceType(slot), calc.DeviceOtherType(slot),
                               calc.DeviceOtherBaseType(slot), calc.DeviceBaseType(slot),
                               calc.DeviceBaseAddr(slot), calc.AddressOrder(slot),
                               CurrentDocument().DeviceCarriedValue(1, slot),
                               CurrentDocument().DeviceEavesdropFlag(1, slot) ? 1 : 0});
            for (int sub = clsCalculator::kFirstSub; sub <= clsCalculator::kLastSub; ++sub)
                if (calc.DeviceStandalone(slot, sub) != 0)
                    s.insert(s.end(), {slot, sub, calc.DeviceStandalone(slot, sub),
                                       calc.DeviceStandaloneAddress(slot, sub)});
        }
        return s;
    }

    void CheckLoop(const LoopEditorModel& editor, const std::string& step) {
        SCOPED_TRACE(step);
        const clsCalculator& calc = Loop();
        int occupied = 0;
        for (int slot = 0; slot < kSlots; ++slot) {
            const int type = calc.DeviceType(slot);
            const int base = calc.DeviceBaseType(slot);
            if (type != 0) {
                ++occupied;
                EXPECT_TRUE(IsAddressAllowed(type, slot)) << "slot " << slot;
            } else {
                EXPECT_EQ(calc.DeviceOtherType(slot), 0) << "other device on empty slot " << slot;
                EXPECT_EQ(calc.DeviceOtherBaseType(slot), 0) << "other base on empty slot " << slot;
                EXPECT_EQ(base, 0) << "slave on empty slot " << slot;
                EXPECT_EQ(CurrentDocument().DeviceCarriedValue(1, slot), 0)
                    << "carried value at " << slot;
            }
            if (base != 0) {
                EXPECT_TRUE(IsBaseMountedMasterType(calc.DeviceType(calc.DeviceBaseAddr(slot))))
                    << "slave at " << slot << " without a master";
            } else {
                EXPECT_EQ(calc.DeviceBaseAddr(slot), slot);
            }
            if (const int id = CurrentDocument().DeviceCarriedValue(1, slot); id != 0) {
                EXPECT_EQ(type, carriedType[id]) << "carried value " << id << " lost its device";
            }
        }
        EXPECT_EQ(calc.QtyDevices(), occupied);
        for (const DeviceRow& row : editor.DeviceRows())
            EXPECT_EQ(row.quantity, CountDevicesOfType(calc, row.type)) << row.name;
        for (const OtherRow& row : editor.OtherRows())
            EXPECT_EQ(row.quantity, calc.QtyOthers(row.other)) << row.name;
    }

    std::vector<int> types;
    std::vector<int> others;
    std::map<int, int> carriedType;  // carried value -> the type of its device
};

TEST_P(LoopEditorPropertyTest, QuantityChangesKeepTheLoopConsistent) {
    const std::vector<int> opened = Take();
    auto editor = OpenEditor();
    for (int type : types)
        ASSERT_TRUE(editor->AddChosenType(std::to_string(type)).has_value());
    const auto quantities = [&] {
        std::vector<int> q;
        for (const DeviceRow& row : editor->DeviceRows())
            q.push_back(row.quantity);
        for (const OtherRow& row : editor->OtherRows())
            q.push_back(row.quantity);
        return q;
    };
    std::mt19937 random(GetParam());
    int accepted = 0;
    for (int step = 0; step < 250 && !HasFailure(); ++step) {
        const std::vector<int> before = quantities();
        const bool deviceRow = random() % 3 != 0;
        const std::size_t rows =
            deviceRow ? editor->DeviceRows().size() : editor->OtherRows().size();
        const int row = static_cast<int>(random() % rows);
        const int current = deviceRow ? editor->DeviceRows()[static_cast<std::size_t>(row)].quantity
                                      : editor->OtherRows()[static_cast<std::size_t>(row)].quantity;
        const int wanted = std::max(0, current + static_cast<int>(random() % 31) - 12);
        const std::string text = std::to_string(wanted) + (random() % 5 == 0 ? ".5" : "");
        const bool ok = deviceRow ? editor->ValidateDeviceQuantity(row, text, CheckMode::Leaving)
                                  : editor->ValidateOtherQuantity(row, text, CheckMode::Leaving);
        CheckLoop(*editor, "step " + std::to_string(step) + ": " + text);
        if (ok)
            ++accepted;
        else
            EXPECT_EQ(quantities(), before) << "a refused change changed a row";
    }
    EXPECT_GT(accepted, 50);
    EXPECT_LT(accepted, 250);  // some changes must have been refused
    editor->Cancel();
    EXPECT_EQ(Take(), opened);
}

INSTANTIATE_TEST_SUITE_P(Seeds, LoopEditorPropertyTest, ::testing::Range(1u, 6u));

}  // namespace
