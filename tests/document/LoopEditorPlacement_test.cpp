// Placing devices and other devices on a loop through the editor's quantity cells, and the
// placement rules behind them.
#include <gtest/gtest.h>

#include "document/DesignDocument.h"
#include "document/EditorFixtures.h"
#include "document/LoopEditorPlacement.h"
#include "engine/clsCalculator.h"

namespace {

using Messages = std::vector<std::string>;

class DevicePlacementTest : public EditorTest {
protected:
    LoopSlots Slots() { return LoopSlots{Loop(), CurrentDocument(), 1}; }
    // Types a quantity into a device row as the user leaving the cell would.
    bool Type(LoopEditorModel& editor, int type, const std::string& text) {
        return editor.ValidateDeviceQuantity(RowOf(editor, type), text, CheckMode::Leaving);
    }
    int Quantity(const LoopEditorModel& editor, int type) {
        return editor.DeviceRows()[static_cast<std::size_t>(RowOf(editor, type))].quantity;
    }
};

TEST_F(DevicePlacementTest, QuantityAboveTheRangeIsRefusedBeforeThePanelLimit) {
    cat->ChoosePanel(10);
    const int low = cat->AddRange("L", 1, 63);
    DeviceTypeRecord record = EditorType("Low Detector");
    record.AddressRange = low;
    const int type = cat->AddType(record, true);
    auto editor = OpenEditor();

    EXPECT_FALSE(Type(*editor, type, "64"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Invalid number of devices!  (Must be between 0 and 63)");
    EXPECT_EQ(platform.messages[0].title, "Loop 1");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(platform.messages[0].buttons, MsgButtons::OK);
    // 63 is within the range but above this panel's 10 devices per loop.
    platform.messages.clear();
    EXPECT_FALSE(Type(*editor, type, "63"));
    EXPECT_EQ(TakeMessages(), Messages{"Too many devices on this loop!"});
    EXPECT_TRUE(SlotsOf(type).empty());
    EXPECT_FALSE(CurrentDocument().DataChanged);
}

TEST_F(DevicePlacementTest, FractionalQuantitiesRoundTheChangeHalfToEven) {
    const int type = cat->AddType(EditorType("Detector"), true);
    auto editor = OpenEditor();
    ASSERT_TRUE(Type(*editor, type, "10"));
    ASSERT_TRUE(Type(*editor, type, "12.6"));  // 2.6 more: 3
    EXPECT_EQ(Quantity(*editor, type), 13);
    EXPECT_EQ(SlotsOf(type).size(), 13u);

    ASSERT_TRUE(Type(*editor, type, "10"));
    ASSERT_TRUE(Type(*editor, type, "12.5"));  // 2.5 more: 2
    EXPECT_EQ(Quantity(*editor, type), 12);
    EXPECT_EQ(SlotsOf(type).size(), 12u);
}

TEST_F(DevicePlacementTest, DevicesGoOnTheLowestFreeSlotsAndComeOffTheHighest) {
    const int type = cat->AddType(EditorType("Detector"), true);
    Loop().DeviceType(2, cat->AddType(EditorType("Sounder")));
    auto editor = OpenEditor();
    ASSERT_TRUE(Type(*editor, type, "4"));
    EXPECT_EQ(SlotsOf(type), (std::vector<int>{0, 1, 3, 4}));
    ASSERT_TRUE(Type(*editor, type, "2"));
    EXPECT_EQ(SlotsOf(type), (std::vector<int>{0, 1}));
}

TEST_F(DevicePlacementTest, PanelLimitCountsEveryDeviceAndDoublesForBaseMountedSlaves) {
    const int host = cat->AddType(EditorType("Host"), true);
    const int master = cat->AddType(BaseMountedMaster("Master"), true);
    const int slave = cat->AddType(BaseMountedSlave("Slave", 0));
    const int other = cat->AddType(EditorType("Other"), true);
    auto editor = OpenEditor();
    ASSERT_TRUE(Type(*editor, master, "1"));
    ASSERT_TRUE(Type(*editor, host, "125"));
    ASSERT_EQ(Loop().QtyDevices(), 126);

    EXPECT_FALSE(Type(*editor, other, "1"));
    EXPECT_EQ(TakeMessages(), Messages{"Too many devices on this loop!"});

    // 126 slaves pass the limit (126 + 126 = 252) and then meet the 125 hosts; 127 do not.
    ASSERT_TRUE(editor->AddChosenType(std::to_string(slave)).has_value());
    EXPECT_FALSE(Type(*editor, slave, "127"));
    EXPECT_EQ(TakeMessages(), Messages{"Too many devices on this loop!"});
    EXPECT_FALSE(Type(*editor, slave, "126"));
    EXPECT_EQ(TakeMessages(),
              Messages{"There are not enough compatible devices available for Slaves."});
    EXPECT_TRUE(Type(*editor, slave, "125"));
    EXPECT_EQ(CountDevicesOfType(Loop(), slave), 125);
    EXPECT_EQ(Loop().QtyAddressableSlaveBases(), 125);
}

// The loop of the relocation cases: a type limited to 1-63, and a type that may use 1-126.
class RelocationTest : public DevicePlacementTest {
protected:
    void SetUp() override {
        DevicePlacementTest::SetUp();
        DeviceTypeRecord low = EditorType("Low");
        low.AddressRange = cat->AddRange("L", 1, 63);
        lowType = cat->AddType(low, true);
        DeviceTypeRecord any = EditorType("Any", 300, 3000);
        any.AddressRange = cat->AddRange("A", 1, 126);
        anyType = cat->AddType(any, true);
        ancillary = cat->AddOther(Ancillary("Beacon"));
        otherBase = cat->AddOther(AncillaryBase("Deep Base"));
    }
    int lowType = 0, anyType = 0, ancillary = 0, otherBase = 0;
};

TEST_F(RelocationTest, FullLowRangeMakesRoomByMovingDevicesAboveIt) {
    for (int slot = 1; slot <= 63; ++slot)
        Loop().DeviceType(slot, static_cast<std::int16_t>(anyType));
    Loop().DeviceOtherType(1, static_cast<std::int16_t>(ancillary));
    Loop().DeviceOtherBaseType(1, static_cast<std::int16_t>(otherBase));
    CurrentDocument().DeviceCarriedValue(1, 1) = 77;
    CurrentDocument().DeviceEavesdropFlag(1, 1) = true;
    CurrentDocument().DeviceCarriedValue(1, 2) = 5;
    auto editor = OpenEditor();
    const Amount quiescentBefore = Loop().QuiescentCurrentDevices();

    ASSERT_TRUE(Type(*editor, lowType, "2"));
    EXPECT_EQ(SlotsOf(lowType), (std::vector<int>{1, 2}));
    EXPECT_EQ(Loop().DeviceType(64), anyType);
    EXPECT_EQ(Loop().DeviceType(65), anyType);
    EXPECT_EQ(SlotsOf(anyType).size(), 63u);
    // The moved device took its attachments, its carried value and its eavesdrop flag along,
    // and points at itself at its new address.
    EXPECT_EQ(Loop().DeviceOtherType(64), ancillary);
    EXPECT_EQ(Loop().DeviceOtherBaseType(64), otherBase);
    EXPECT_EQ(Loop().DeviceOtherType(1), 0);
    EXPECT_EQ(Loop().DeviceOtherBaseType(1), 0);
    EXPECT_EQ(Loop().DeviceBaseAddr(64), 64);
    EXPECT_EQ(Loop().DeviceBaseAddr(1), 1);
    EXPECT_EQ(CurrentDocument().DeviceCarriedValue(1, 64), 77);
    EXPECT_TRUE(CurrentDocument().DeviceEavesdropFlag(1, 64));
    EXPECT_EQ(CurrentDocument().DeviceCarriedValue(1, 65), 5);
    EXPECT_EQ(CurrentDocument().DeviceCarriedValue(1, 1), 0);
    EXPECT_FALSE(CurrentDocument().DeviceEavesdropFlag(1, 1));
    EXPECT_EQ(CurrentDocument().DeviceCarriedValue(1, 2), 0);
    EXPECT_EQ(Loop().QuiescentCurrentDevices(), quiescentBefore + Amount::FromWhole(200));
}

TEST_F(RelocationTest, ADeviceThatCannotMoveIsPassedOver) {
    // The lowest slots hold devices of the type being added, which have nowhere else to go.
    for (int slot = 1; slot <= 10; ++slot)
        Loop().DeviceType(slot, static_cast<std::int16_t>(lowType));
    for (int slot = 11; slot <= 63; ++slot)
        Loop().DeviceType(slot, static_cast<std::int16_t>(anyType));
    auto editor = OpenEditor();
    ASSERT_EQ(Quantity(*editor, lowType), 10);
    ASSERT_TRUE(Type(*editor, lowType, "11"));
    EXPECT_EQ(Loop().DeviceType(11), lowType);
    EXPECT_EQ(Loop().DeviceType(64), anyType);
}

TEST_F(RelocationTest, RelocationsStayWhenTheChangeIsRefused) {
    // The movers may use only 1 to 66: three places above the low range.
    DeviceTypeRecord narrow = EditorType("Narrow");
    narrow.AddressRange = cat->AddRange("N", 1, 66);
    const int narrowType = cat->AddType(narrow, true);
    for (int slot = 1; slot <= 63; ++slot)
        Loop().DeviceType(slot, static_cast<std::int16_t>(narrowType));
    auto editor = OpenEditor();

    EXPECT_FALSE(Type(*editor, lowType, "5"));
    EXPECT_EQ(TakeMessages(),
              Messages{"There are not enough compatible addresses available for Lows."});
    EXPECT_EQ(Quantity(*editor, lowType), 0);
    EXPECT_TRUE(SlotsOf(lowType).empty());
    EXPECT_EQ(SlotsOf(narrowType), [] {
        std::vector<int> slots;
        for (int slot = 4; slot <= 66; ++slot)
            slots.push_back(slot);
        return slots;
    }());
    EXPECT_FALSE(CurrentDocument().DataChanged);
}

TEST_F(RelocationTest, SlavesFollowTheirMasterAndHostsKeepTheirMaster) {
    DeviceTypeRecord master = BaseMountedMaster("Master");
    master.AddressRange = static_cast<std::int32_t>(AddressRangeTable.size()) - 1;  // 1 to 126
    const int masterType = cat->AddType(master);
    const int slaveType = cat->AddType(BaseMountedSlave("Sounder Base", 0));
    for (int slot = 1; slot <= 63; ++slot)
        Loop().DeviceType(slot, static_cast<std::int16_t>(anyType));
    Loop().DeviceType(1, static_cast<std::int16_t>(masterType));
    // The host at 2 carries a slave listening to the master at 1.
    Loop().DeviceBaseAddr(2, 1);
    Loop().DeviceBaseType(2, static_cast<std::int16_t>(slaveType));
    auto editor = OpenEditor();

    ASSERT_TRUE(Type(*editor, lowType, "2"));
    // The master moved 1 -> 64, the host 2 -> 65.
    EXPECT_EQ(Loop().DeviceType(64), masterType);
    EXPECT_EQ(Loop().DeviceType(65), anyType);
    EXPECT_EQ(Loop().DeviceBaseType(65), slaveType);
    EXPECT_EQ(Loop().DeviceBaseAddr(65), 64);
    EXPECT_EQ(Loop().DeviceBaseAddr(64), 64);
    EXPECT_EQ(Loop().DeviceBaseType(2), 0);
    EXPECT_EQ(Loop().DeviceBaseAddr(2), 2);
}

TEST_F(RelocationTest, StandaloneSlavesFollowARelocatedMaster) {
    DeviceTypeRecord master = EditorType("Radio Master");
    master.IsMaster = true;
    master.AddressRange = static_cast<std::int32_t>(AddressRangeTable.size()) - 1;
    const int masterType = cat->AddType(master);
    DeviceTypeRecord slave = EditorType("Radio Slave");
    slave.IsSlave = true;
    const int slaveType = cat->AddType(slave);
    const int radio =
        cat->AddOther(StandaloneDevice("Radio Sounder", static_cast<std::int16_t>(slaveType)));
    const int plain = cat->AddOther(StandaloneDevice("Line Unit"));
    for (int slot = 1; slot <= 63; ++slot)
        Loop().DeviceType(slot, static_cast<std::int16_t>(anyType));
    Loop().DeviceType(1, static_cast<std::int16_t>(masterType));
    Loop().DeviceStandaloneTypeAndAddress(5, 2, static_cast<std::int16_t>(radio), 1);
    Loop().DeviceStandaloneTypeAndAddress(6, 2, static_cast<std::int16_t>(plain), 0);
    auto editor = OpenEditor();

    ASSERT_TRUE(Type(*editor, lowType, "1"));
    EXPECT_EQ(Loop().DeviceType(64), masterType);
    EXPECT_EQ(Loop().DeviceStandaloneAddress(5, 2), 64);
    EXPECT_EQ(Loop().DeviceStandaloneAddress(6, 2), 0);
}

class RemovalTest : public DevicePlacementTest {
protected:
    void SetUp() override {
        DevicePlacementTest::SetUp();
        detector = cat->AddType(EditorType("Detector"), true);
        sounder = cat->AddType(EditorType("Sounder"), true);
        beacon = cat->AddOther(Ancillary("Beacon"));
        deepBase = cat->AddOther(AncillaryBase("Deep Base"));
    }
    int detector = 0, sounder = 0, beacon = 0, deepBase = 0;
};

TEST_F(RemovalTest, AttachmentsMoveToAFreeCompatibleDeviceSoTheCarrierCanGo) {
    Loop().DeviceType(1, static_cast<std::int16_t>(detector));
    Loop().DeviceOtherType(1, static_cast<std::int16_t>(beacon));
    Loop().DeviceOtherBaseType(1, static_cast<std::int16_t>(deepBase));
    CurrentDocument().DeviceCarriedValue(1, 1) = 9;
    CurrentDocument().DeviceEavesdropFlag(1, 1) = true;
    Loop().DeviceType(2, static_cast<std::int16_t>(sounder));
    auto editor = OpenEditor();

    ASSERT_TRUE(Type(*editor, detector, "0"));
    EXPECT_TRUE(SlotsOf(detector).empty());
    EXPECT_EQ(Loop().DeviceOtherType(2), beacon);
    EXPECT_EQ(Loop().DeviceOtherBaseType(2), deepBase);
    EXPECT_EQ(Loop().DeviceOtherType(1), 0);
    EXPECT_EQ(Loop().DeviceOtherBaseType(1), 0);
    EXPECT_EQ(CurrentDocument().DeviceCarriedValue(1, 1), 0);
    EXPECT_FALSE(CurrentDocument().DeviceEavesdropFlag(1, 1));
}

TEST_F(RemovalTest, ADeviceCarryingOnlyAnOtherDeviceCannotBeFreed) {
    Loop().DeviceType(1, static_cast<std::int16_t>(detector));
    Loop().DeviceOtherType(1, static_cast<std::int16_t>(beacon));
    Loop().DeviceType(2, static_cast<std::int16_t>(detector));
    Loop().DeviceType(3, static_cast<std::int16_t>(sounder));
    auto editor = OpenEditor();

    EXPECT_FALSE(Type(*editor, detector, "0"));
    EXPECT_EQ(TakeMessages(),
              Messages{"Cannot remove all Detectors.  Some have 'Other Devices' attached."});
    EXPECT_EQ(SlotsOf(detector), (std::vector<int>{1, 2}));
    EXPECT_EQ(Quantity(*editor, detector), 2);
    EXPECT_EQ(Loop().DeviceOtherType(3), 0);

    // Reducing to 1 takes off the free one.
    ASSERT_TRUE(Type(*editor, detector, "1"));
    EXPECT_EQ(SlotsOf(detector), (std::vector<int>{1}));
    EXPECT_FALSE(Type(*editor, detector, "0"));
    EXPECT_EQ(TakeMessages(),
              Messages{"Cannot remove all Detectors.  Some have 'Other Devices' attached."});
}

TEST_F(RemovalTest, ACarrierWhoseAttachmentsFitNowhereIsPassedOver) {
    DeviceTypeRecord deep = EditorType("Deep Detector");
    deep.BaseType = 7;
    const int deepType = cat->AddType(deep, true);
    const int deepOnly = cat->AddOther(AncillaryBase("Deep Only Base", 7));
    Loop().DeviceType(1, static_cast<std::int16_t>(deepType));
    Loop().DeviceOtherType(1, static_cast<std::int16_t>(beacon));
    Loop().DeviceOtherBaseType(1, static_cast<std::int16_t>(deepOnly));
    Loop().DeviceType(2, static_cast<std::int16_t>(deepType));
    Loop().DeviceOtherType(2, static_cast<std::int16_t>(beacon));
    Loop().DeviceOtherBaseType(2, static_cast<std::int16_t>(deepBase));
    Loop().DeviceType(3, static_cast<std::int16_t>(sounder));  // takes no deep-only base
    auto editor = OpenEditor();

    ASSERT_TRUE(Type(*editor, deepType, "1"));
    EXPECT_EQ(SlotsOf(deepType), (std::vector<int>{1}));
    EXPECT_EQ(Loop().DeviceOtherBaseType(1), deepOnly);
    EXPECT_EQ(Loop().DeviceOtherType(3), beacon);
    EXPECT_EQ(Loop().DeviceOtherBaseType(3), deepBase);
}

TEST_F(RemovalTest, RefusalWordingFollowsTheQuantityAndTheSlavesOnTheLoop) {
    const int master = cat->AddType(BaseMountedMaster("Master"), true);
    const int slave = cat->AddType(BaseMountedSlave("Slave", 0));
    Loop().DeviceType(1, static_cast<std::int16_t>(master));
    Loop().DeviceType(2, static_cast<std::int16_t>(detector));
    Loop().DeviceBaseAddr(2, 1);
    Loop().DeviceBaseType(2, static_cast<std::int16_t>(slave));
    Loop().DeviceType(3, static_cast<std::int16_t>(detector));
    Loop().DeviceType(4, static_cast<std::int16_t>(detector));
    Loop().DeviceOtherType(4, static_cast<std::int16_t>(beacon));
    auto editor = OpenEditor();

    EXPECT_FALSE(Type(*editor, detector, "1"));
    EXPECT_EQ(TakeMessages(), Messages{"Cannot reduce the quantity of Detectors.  Some have "
                                       "'Other Devices' or 'Slave' devices attached."});
    EXPECT_FALSE(Type(*editor, detector, "0"));
    EXPECT_EQ(TakeMessages(), Messages{"Cannot remove all Detectors.  Some have "
                                       "'Other Devices' or 'Slave' devices attached."});
}

TEST_F(RemovalTest, TheLastMasterStaysWhileSlavesAreOnTheLoop) {
    const int master = cat->AddType(BaseMountedMaster("Master"), true);
    const int slave = cat->AddType(BaseMountedSlave("Slave", 0));
    auto editor = OpenEditor();
    ASSERT_TRUE(Type(*editor, detector, "3"));  // slots 0, 1, 2
    ASSERT_TRUE(editor->AddChosenType(std::to_string(slave)).has_value());
    EXPECT_FALSE(Type(*editor, slave, "1"));
    ASSERT_EQ(TakeMessages(), Messages{"A 'Master' device must be present on the loop in order to "
                                       "use 'Slave' devices."});
    ASSERT_TRUE(Type(*editor, master, "1"));  // slot 3
    ASSERT_TRUE(Type(*editor, slave, "2"));
    EXPECT_EQ(Loop().DeviceBaseAddr(0), 3);
    EXPECT_EQ(Loop().DeviceBaseAddr(1), 3);
    EXPECT_EQ(Loop().DeviceBaseAddr(2), 2);

    EXPECT_FALSE(Type(*editor, master, "0"));
    EXPECT_EQ(TakeMessages(), Messages{"You cannot remove all 'Master' devices while there are "
                                       "'Slave' devices on the loop."});
    EXPECT_EQ(SlotsOf(master), (std::vector<int>{3}));

    // Without slaves the master may go.
    ASSERT_TRUE(Type(*editor, slave, "0"));
    EXPECT_EQ(Loop().DeviceBaseAddr(0), 0);
    EXPECT_EQ(Loop().DeviceBaseType(0), 0);
    EXPECT_TRUE(Type(*editor, master, "0"));
}

TEST_F(RemovalTest, SlavesOfARemovedMasterFollowARemainingOne) {
    const int master = cat->AddType(BaseMountedMaster("Master"), true);
    const int slave = cat->AddType(BaseMountedSlave("Slave", 0));
    for (int slot = 1; slot <= 3; ++slot)
        Loop().DeviceType(slot, static_cast<std::int16_t>(detector));
    Loop().DeviceType(10, static_cast<std::int16_t>(master));
    Loop().DeviceType(20, static_cast<std::int16_t>(master));
    // One slave listens to each master.
    Loop().DeviceBaseAddr(1, 10);
    Loop().DeviceBaseType(1, static_cast<std::int16_t>(slave));
    Loop().DeviceBaseAddr(2, 20);
    Loop().DeviceBaseType(2, static_cast<std::int16_t>(slave));
    auto editor = OpenEditor();

    ASSERT_TRUE(Type(*editor, master, "1"));  // the master at 20 goes
    EXPECT_EQ(SlotsOf(master), (std::vector<int>{10}));
    EXPECT_EQ(Loop().DeviceBaseAddr(1), 10);
    EXPECT_EQ(Loop().DeviceBaseAddr(2), 10);
    EXPECT_EQ(Loop().DeviceBaseAddr(20), 20);
}

TEST_F(RemovalTest, SlavePlacementNeedsAFreeHostOfTheSameBaseType) {
    DeviceTypeRecord deepHost = EditorType("Deep Host");
    deepHost.BaseType = 7;
    const int host = cat->AddType(deepHost, true);
    const int master = cat->AddType(BaseMountedMaster("Master"), true);
    const int slave = cat->AddType(BaseMountedSlave("Deep Slave", 7), true);
    Loop().DeviceType(1, static_cast<std::int16_t>(master));
    Loop().DeviceType(2, static_cast<std::int16_t>(detector));  // base type 0: no host
    Loop().DeviceType(3, static_cast<std::int16_t>(host));
    auto editor = OpenEditor();

    EXPECT_FALSE(Type(*editor, slave, "2"));
    EXPECT_EQ(TakeMessages(),
              Messages{"There are not enough compatible devices available for Deep Slaves."});
    EXPECT_EQ(Loop().DeviceBaseType(3), 0);
    ASSERT_TRUE(Type(*editor, slave, "1"));
    EXPECT_EQ(Loop().DeviceBaseType(3), slave);
    EXPECT_EQ(Loop().DeviceBaseAddr(3), 1);
    // The slave counts in the row as a device and in the loop as a slave base.
    EXPECT_EQ(Quantity(*editor, slave), 1);
    EXPECT_EQ(Loop().QtyAddressableSlaveBases(), 1);
    // A taken host takes no second slave.
    EXPECT_FALSE(Type(*editor, slave, "2"));
}

TEST_F(RemovalTest, MovingTheFocusToCancelChecksNothing) {
    auto editor = OpenEditor();
    EXPECT_TRUE(
        editor->ValidateDeviceQuantity(RowOf(*editor, detector), "9999", CheckMode::TowardsCancel));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(SlotsOf(detector).empty());
    // Entering another cell checks silently: the refusal shows nothing.
    EXPECT_FALSE(
        editor->ValidateDeviceQuantity(RowOf(*editor, detector), "9999", CheckMode::Silent));
    EXPECT_TRUE(platform.messages.empty());
}

class OtherPlacementTest : public EditorTest {
protected:
    LoopSlots Slots() { return LoopSlots{Loop(), CurrentDocument(), 1}; }
    bool Type(LoopEditorModel& editor, int other, const std::string& text) {
        return editor.ValidateOtherQuantity(OtherRowOf(editor, other), text, CheckMode::Leaving);
    }
    void PutDevices(int type, std::initializer_list<int> slots) {
        for (int slot : slots)
            Loop().DeviceType(slot, static_cast<std::int16_t>(type));
    }
};

TEST_F(OtherPlacementTest, QuantityLimitsOfAnOtherDevice) {
    const int beacon = cat->AddOther(Ancillary("Beacon", 5));
    auto editor = OpenEditor();
    EXPECT_FALSE(Type(*editor, beacon, "6"));
    EXPECT_FALSE(Type(*editor, beacon, "-1"));
    EXPECT_EQ(TakeMessages(),
              (Messages{"Cannot have more than 5 Beacons!", "Invalid number of Beacons!"}));
}

TEST_F(OtherPlacementTest, RefusalsTellHowManyCompatibleDevicesThereAre) {
    const int detector = cat->AddType(EditorType("Detector"), true);
    DeviceTypeRecord closed = EditorType("Sealed Unit");
    closed.NoOtherDevices = true;
    const int sealed = cat->AddType(closed, true);
    const int beacon = cat->AddOther(Ancillary("Beacon"));
    const int relay = cat->AddOther(Ancillary("Relay"));
    PutDevices(sealed, {1, 2, 3});
    auto editor = OpenEditor();

    EXPECT_FALSE(Type(*editor, beacon, "1"));
    PutDevices(detector, {10});
    EXPECT_FALSE(Type(*editor, beacon, "2"));
    PutDevices(detector, {11});
    EXPECT_FALSE(Type(*editor, beacon, "4"));
    EXPECT_EQ(TakeMessages(),
              (Messages{"There are no addressable devices that are compatible with Beacons.",
                        "There is only 1 addressable device that is compatible with Beacons.",
                        "There are only 2 Addressable Devices that are compatible with Beacons."}));
    EXPECT_EQ(Loop().QtyOthers(beacon), 0);

    // A device that already carries a different other device is named in the text.
    Loop().DeviceOtherType(11, static_cast<std::int16_t>(relay));
    EXPECT_FALSE(Type(*editor, beacon, "2"));
    PutDevices(detector, {12});
    EXPECT_FALSE(Type(*editor, beacon, "3"));
    Loop().DeviceOtherType(10, static_cast<std::int16_t>(relay));
    Loop().DeviceOtherType(12, static_cast<std::int16_t>(relay));
    EXPECT_FALSE(Type(*editor, beacon, "1"));
    EXPECT_EQ(TakeMessages(),
              (Messages{"There is only 1 addressable device that is compatible with Beacons and "
                        "that doesn't already have a different 'Other Device'.",
                        "There are only 2 Addressable Devices that are compatible with Beacons "
                        "and that don't already have different 'Other Devices'.",
                        "There are no addressable devices that are compatible with Beacons and "
                        "that don't already have different 'Other Devices'."}));
}

TEST_F(OtherPlacementTest, TheCountAddsWhatIsAlreadyPlaced) {
    const int detector = cat->AddType(EditorType("Detector"), true);
    const int beacon = cat->AddOther(Ancillary("Beacon"));
    PutDevices(detector, {1, 2, 3});
    auto editor = OpenEditor();
    ASSERT_TRUE(Type(*editor, beacon, "1"));
    EXPECT_FALSE(Type(*editor, beacon, "5"));
    EXPECT_EQ(TakeMessages(),
              Messages{"There are only 3 Addressable Devices that are compatible with Beacons."});
    EXPECT_EQ(Loop().QtyOthers(beacon), 1);
    ASSERT_TRUE(Type(*editor, beacon, "3"));
    EXPECT_EQ(editor->OtherRows()[static_cast<std::size_t>(OtherRowOf(*editor, beacon))].quantity,
              3);
}

TEST_F(OtherPlacementTest, AnEmptySlotNeverReceivesAnOtherDevice) {
    // The catalogue's type 0 accepts every other device, so only the placement itself can keep
    // other devices off empty slots.
    ASSERT_TRUE(IsCompatible(0, cat->AddOther(Ancillary("Probe"))));
    const int detector = cat->AddType(EditorType("Detector"), true);
    const int beacon = cat->AddOther(Ancillary("Beacon"));
    const int deepBase = cat->AddOther(AncillaryBase("Deep Base"));
    PutDevices(detector, {5});
    auto editor = OpenEditor();
    EXPECT_FALSE(Type(*editor, beacon, "2"));
    ASSERT_TRUE(Type(*editor, beacon, "1"));
    EXPECT_FALSE(Type(*editor, deepBase, "2"));
    ASSERT_TRUE(Type(*editor, deepBase, "1"));
    for (int slot = 0; slot < clsCalculator::kSlotCount; ++slot) {
        if (slot == 5) continue;
        EXPECT_EQ(Loop().DeviceOtherType(slot), 0) << slot;
        EXPECT_EQ(Loop().DeviceOtherBaseType(slot), 0) << slot;
    }
}

TEST_F(OtherPlacementTest, DevicesThatDriveRemoteOutputsAreKeptForLast) {
    const int driver = cat->AddType(RemoteDriverType("Output Unit"), true);
    const int detector = cat->AddType(EditorType("Detector"), true);
    const int beacon = cat->AddOther(Ancillary("Beacon"));
    OtherDevice remote = Ancillary("Remote Indicator");
    remote.FromRemote = true;
    const int indicator = cat->AddOther(remote);
    PutDevices(driver, {1, 2});
    PutDevices(detector, {3});
    auto editor = OpenEditor();

    ASSERT_TRUE(Type(*editor, beacon, "1"));
    EXPECT_EQ(Loop().DeviceOtherType(3), beacon);
    ASSERT_TRUE(Type(*editor, beacon, "2"));
    EXPECT_EQ(Loop().DeviceOtherType(1), beacon);
    // Remote devices need a driver; the detector is no use to them.
    EXPECT_FALSE(Type(*editor, indicator, "2"));
    EXPECT_EQ(TakeMessages(),
              Messages{"There is only 1 addressable device that is compatible with "
                       "Remote Indicators and that doesn't already have a different "
                       "'Other Device'."});
    ASSERT_TRUE(Type(*editor, indicator, "1"));
    EXPECT_EQ(Loop().DeviceOtherType(2), indicator);

    // Removal runs from the highest slot down.
    ASSERT_TRUE(Type(*editor, beacon, "1"));
    EXPECT_EQ(Loop().DeviceOtherType(3), 0);
    EXPECT_EQ(Loop().DeviceOtherType(1), beacon);
}

TEST_F(OtherPlacementTest, OtherBasesSpareDevicesCarryingASlave) {
    const int detector = cat->AddType(EditorType("Detector"), true);
    const int master = cat->AddType(BaseMountedMaster("Master"), true);
    const int slave = cat->AddType(BaseMountedSlave("Slave", 0));
    const int deepBase = cat->AddOther(AncillaryBase("Deep Base"));
    PutDevices(detector, {1, 2});
    PutDevices(master, {3});
    Loop().DeviceBaseAddr(1, 3);
    Loop().DeviceBaseType(1, static_cast<std::int16_t>(slave));
    auto editor = OpenEditor();
    ASSERT_TRUE(Type(*editor, deepBase, "1"));
    EXPECT_EQ(Loop().DeviceOtherBaseType(2), deepBase);
    EXPECT_EQ(Loop().DeviceOtherBaseType(1), 0);
}

TEST_F(OtherPlacementTest, StandaloneDevicesAndTheirMaster) {
    DeviceTypeRecord radioSlave = EditorType("Radio Slave");
    radioSlave.IsSlave = true;
    const int slaveType = cat->AddType(radioSlave);
    DeviceTypeRecord radioMaster = EditorType("Radio Master");
    radioMaster.IsMaster = true;
    const int masterType = cat->AddType(radioMaster, true);
    const int plainType = cat->AddType(EditorType("Plain"));
    const int sounder =
        cat->AddOther(StandaloneDevice("Radio Sounder", static_cast<std::int16_t>(slaveType)));
    const int odd =
        cat->AddOther(StandaloneDevice("Odd Unit", static_cast<std::int16_t>(plainType)));
    const int lineUnit = cat->AddOther(StandaloneDevice("Line Unit"));
    auto editor = OpenEditor();

    EXPECT_FALSE(Type(*editor, sounder, "1"));
    EXPECT_FALSE(Type(*editor, odd, "1"));
    EXPECT_EQ(TakeMessages(), (Messages{"A 'Master' device must be present on the loop in order to "
                                        "use 'Slave' devices.",
                                        "Too many Odd Units."}));

    ASSERT_TRUE(Type(*editor, lineUnit, "1"));
    PutDevices(masterType, {7, 9});
    ASSERT_TRUE(Type(*editor, sounder, "2"));
    // Positions fill sub-address by sub-address across the slots; the slaves listen to the
    // first master.
    EXPECT_EQ(Loop().DeviceStandalone(0, 2), lineUnit);
    EXPECT_EQ(Loop().DeviceStandaloneAddress(0, 2), 0);
    EXPECT_EQ(Loop().DeviceStandalone(1, 2), sounder);
    EXPECT_EQ(Loop().DeviceStandalone(2, 2), sounder);
    EXPECT_EQ(Loop().DeviceStandaloneAddress(1, 2), 7);
    EXPECT_EQ(Loop().DeviceStandaloneAddress(2, 2), 7);

    ASSERT_TRUE(Type(*editor, sounder, "1"));
    EXPECT_EQ(Loop().DeviceStandalone(2, 2), 0);
    EXPECT_EQ(Loop().DeviceStandalone(1, 2), sounder);
}

TEST_F(OtherPlacementTest, StandaloneSlavesFollowARemainingMasterWhenTheirsIsRemoved) {
    DeviceTypeRecord radioSlave = EditorType("Radio Slave");
    radioSlave.IsSlave = true;
    const int slaveType = cat->AddType(radioSlave);
    DeviceTypeRecord radioMaster = EditorType("Radio Master");
    radioMaster.IsMaster = true;
    const int masterType = cat->AddType(radioMaster, true);
    const int sounder =
        cat->AddOther(StandaloneDevice("Radio Sounder", static_cast<std::int16_t>(slaveType)));
    PutDevices(masterType, {4, 8});
    Loop().DeviceStandaloneTypeAndAddress(0, 2, static_cast<std::int16_t>(sounder), 8);
    auto editor = OpenEditor();
    ASSERT_TRUE(
        editor->ValidateDeviceQuantity(RowOf(*editor, masterType), "1", CheckMode::Leaving));
    EXPECT_EQ(Loop().DeviceStandaloneAddress(0, 2), 4);
    ASSERT_TRUE(
        editor->ValidateDeviceQuantity(RowOf(*editor, masterType), "0", CheckMode::Leaving));
    EXPECT_EQ(Loop().DeviceStandaloneAddress(0, 2), 0);
    EXPECT_EQ(Loop().DeviceStandalone(0, 2), sounder);
}

TEST_F(OtherPlacementTest, CountingWalkChangesNothing) {
    const int detector = cat->AddType(EditorType("Detector"), true);
    const int beacon = cat->AddOther(Ancillary("Beacon"));
    PutDevices(detector, {1, 2});
    const LoopSlots slots = Slots();
    const OtherPlacement counted = PlaceOtherDevices(slots, beacon, 3, false);
    EXPECT_EQ(counted.unplaced, 1);
    EXPECT_EQ(Loop().QtyOthers(beacon), 0);
    EXPECT_EQ(PlaceOtherDevices(slots, beacon, 3, true).unplaced, 1);
    EXPECT_EQ(Loop().QtyOthers(beacon), 2);
    EXPECT_EQ(PlaceOtherDevices(slots, beacon, 0, true).unplaced, 0);
    EXPECT_TRUE(RemoveOtherDevices(slots, beacon, 5));
    EXPECT_EQ(Loop().QtyOthers(beacon), 0);
}

}  // namespace
