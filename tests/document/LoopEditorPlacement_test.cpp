// Placing devices and other devices on a loop through the editor's quantity cells, and the
// placement rules behind them.
#include <gtest/gtest.h>

#include "document/DesignDocument.h"
#include "document/EditorFixtures.h"
#include "document/LoopEditorPlacement.h"
#include "engine/clsCalculator.h"

namespace {

using Messages = std::vector<std::string>;

class PlacementTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        DeviceTypeRecord low = EditorType("Low");
        low.AddressRange = cat->AddRange("L", 1, 63);
        lowType = cat->AddType(low, true);
        DeviceTypeRecord any = EditorType("Any", 300, 3000);
        any.AddressRange = cat->AddRange("A", 1, 126);
        anyType = cat->AddType(any, true);
        detector = cat->AddType(EditorType("Detector"), true);
        sounder = cat->AddType(EditorType("Sounder"), true);
        master = cat->AddType(BaseMountedMaster("Master"), true);
        slave = cat->AddType(BaseMountedSlave("Slave", 0));
        beacon = cat->AddOther(Ancillary("Beacon"));
        deepBase = cat->AddOther(AncillaryBase("Deep Base"));
    }
    // Types a quantity into a device or other row as the user leaving the cell would.
    bool Type(LoopEditorModel& editor, int type, const std::string& text) {
        return editor.ValidateDeviceQuantity(RowOf(editor, type), text, CheckMode::Leaving);
    }
    bool TypeOther(LoopEditorModel& editor, int other, const std::string& text) {
        return editor.ValidateOtherQuantity(OtherRowOf(editor, other), text, CheckMode::Leaving);
    }
    int Quantity(const LoopEditorModel& editor, int type) {
        return editor.DeviceRows()[static_cast<std::size_t>(RowOf(editor, type))].quantity;
    }
    void Put(int type, std::initializer_list<int> slots) {
        for (int slot : slots)
            Loop().DeviceType(slot, static_cast<std::int16_t>(type));
    }
    void PutRange(int type, int first, int last) {
        for (int slot = first; slot <= last; ++slot)
            Loop().DeviceType(slot, static_cast<std::int16_t>(type));
    }
    void Attach(int slot, int other, int base = 0) {
        Loop().DeviceOtherType(slot, static_cast<std::int16_t>(other));
        Loop().DeviceOtherBaseType(slot, static_cast<std::int16_t>(base));
    }
    int lowType = 0, anyType = 0, detector = 0, sounder = 0, master = 0, slave = 0;
    int beacon = 0, deepBase = 0;
};

TEST_F(PlacementTest, QuantitiesAreCheckedAgainstTheRangeAndThePanelAndRoundHalfToEven) {
    cat->ChoosePanel(10);
    auto editor = OpenEditor();
    EXPECT_FALSE(Type(*editor, lowType, "64"));
    EXPECT_EQ(TakeMessages(), Messages{"Invalid number of devices!  (Must be between 0 and 63)"});
    // 63 is within the range but above this panel's 10 devices per loop.
    EXPECT_FALSE(Type(*editor, lowType, "63"));
    EXPECT_EQ(TakeMessages(), Messages{"Too many devices on this loop!"});

    // A fractional change is rounded half to even: 2.6 more is 3, 2.5 more is 2.
    cat->ChoosePanel(126);
    for (const auto& [text, expected] : {std::pair{"12.6", 13}, std::pair{"12.5", 12}}) {
        ASSERT_TRUE(Type(*editor, detector, "10"));
        ASSERT_TRUE(Type(*editor, detector, text));
        EXPECT_EQ(Quantity(*editor, detector), expected);
        EXPECT_EQ(SlotsOf(detector).size(), static_cast<std::size_t>(expected));
    }
}

TEST_F(PlacementTest, PanelLimitCountsEveryDeviceAndDoublesForBaseMountedSlaves) {
    auto editor = OpenEditor();
    ASSERT_TRUE(Type(*editor, master, "1"));
    ASSERT_TRUE(Type(*editor, detector, "125"));
    EXPECT_FALSE(Type(*editor, sounder, "1"));
    EXPECT_EQ(TakeMessages(), Messages{"Too many devices on this loop!"});
    // 126 slaves pass the limit (126 + 126 = 252) and then meet the 125 hosts; 127 do not.
    ASSERT_TRUE(editor->AddChosenType(std::to_string(slave)).has_value());
    EXPECT_FALSE(Type(*editor, slave, "127"));
    EXPECT_FALSE(Type(*editor, slave, "126"));
    EXPECT_EQ(TakeMessages(),
              (Messages{"Too many devices on this loop!",
                        "There are not enough compatible devices available for Slaves."}));
    EXPECT_TRUE(Type(*editor, slave, "125"));
    EXPECT_EQ(Loop().QtyAddressableSlaveBases(), 125);
}

TEST_F(PlacementTest, RefusedRemovalsSayWhatIsAttached) {
    Put(detector, {1, 2});
    Put(sounder, {3});
    Attach(1, beacon);
    auto editor = OpenEditor();
    // A device carrying only an other device cannot be freed; reducing to 1 takes the free one.
    EXPECT_FALSE(Type(*editor, detector, "0"));
    EXPECT_EQ(Quantity(*editor, detector), 2);
    EXPECT_EQ(Layout(), "1:Detector+Beacon 2:Detector 3:Sounder");
    ASSERT_TRUE(Type(*editor, detector, "1"));
    EXPECT_EQ(SlotsOf(detector), (std::vector<int>{1}));
    EXPECT_EQ(TakeMessages(),
              Messages{"Cannot remove all Detectors.  Some have 'Other Devices' attached."});
    // With slaves on the loop the wording names them too.
    Put(master, {5});
    Put(detector, {6});
    Loop().DeviceBaseAddr(6, 5);
    Loop().DeviceBaseType(6, static_cast<std::int16_t>(slave));
    Put(detector, {7});
    editor.reset();  // editors close before the next one opens
    editor = OpenEditor();
    EXPECT_FALSE(Type(*editor, detector, "1"));
    EXPECT_FALSE(Type(*editor, detector, "0"));
    EXPECT_EQ(TakeMessages(), (Messages{"Cannot reduce the quantity of Detectors.  Some have "
                                        "'Other Devices' or 'Slave' devices attached.",
                                        "Cannot remove all Detectors.  Some have "
                                        "'Other Devices' or 'Slave' devices attached."}));
}

TEST_F(PlacementTest, MastersAndTheirSlaves) {
    auto editor = OpenEditor();
    ASSERT_TRUE(Type(*editor, detector, "3"));  // slots 0, 1, 2
    ASSERT_TRUE(editor->AddChosenType(std::to_string(slave)).has_value());
    EXPECT_FALSE(Type(*editor, slave, "1"));
    ASSERT_TRUE(Type(*editor, master, "1"));  // slot 3
    ASSERT_TRUE(Type(*editor, slave, "2"));
    EXPECT_EQ(Layout(), "0:Detector^Slave@3 1:Detector^Slave@3 2:Detector 3:Master");
    // The last master stays while slaves are on the loop; without them it may go.
    EXPECT_FALSE(Type(*editor, master, "0"));
    EXPECT_EQ(TakeMessages(), (Messages{"A 'Master' device must be present on the loop in order "
                                        "to use 'Slave' devices.",
                                        "You cannot remove all 'Master' devices while there are "
                                        "'Slave' devices on the loop."}));
    ASSERT_TRUE(Type(*editor, slave, "0"));
    EXPECT_EQ(Layout(), "0:Detector 1:Detector 2:Detector 3:Master");
    EXPECT_TRUE(Type(*editor, master, "0"));
}

TEST_F(PlacementTest, OtherDeviceRefusalsTellHowManyCompatibleDevicesThereAre) {
    DeviceTypeRecord closed = EditorType("Sealed Unit");
    closed.NoOtherDevices = true;
    Put(cat->AddType(closed, true), {1, 2, 3});
    const int limited = cat->AddOther(Ancillary("Strobe", 5));
    const int relay = cat->AddOther(Ancillary("Relay"));
    auto editor = OpenEditor();
    EXPECT_FALSE(TypeOther(*editor, limited, "6"));
    EXPECT_FALSE(TypeOther(*editor, limited, "-1"));
    EXPECT_FALSE(TypeOther(*editor, beacon, "1"));
    Put(detector, {10});
    EXPECT_FALSE(TypeOther(*editor, beacon, "2"));
    Put(detector, {11});
    EXPECT_FALSE(TypeOther(*editor, beacon, "4"));
    // A device that already carries a different other device is named in the text.
    Attach(11, relay);
    EXPECT_FALSE(TypeOther(*editor, beacon, "2"));
    Put(detector, {12});
    EXPECT_FALSE(TypeOther(*editor, beacon, "3"));
    Attach(10, relay);
    Attach(12, relay);
    EXPECT_FALSE(TypeOther(*editor, beacon, "1"));
    EXPECT_EQ(TakeMessages(),
              (Messages{"Cannot have more than 5 Strobes!", "Invalid number of Strobes!",
                        "There are no addressable devices that are compatible with Beacons.",
                        "There is only 1 addressable device that is compatible with Beacons.",
                        "There are only 2 Addressable Devices that are compatible with Beacons.",
                        "There is only 1 addressable device that is compatible with Beacons and "
                        "that doesn't already have a different 'Other Device'.",
                        "There are only 2 Addressable Devices that are compatible with Beacons "
                        "and that don't already have different 'Other Devices'.",
                        "There are no addressable devices that are compatible with Beacons and "
                        "that don't already have different 'Other Devices'."}));
    EXPECT_EQ(Loop().QtyOthers(beacon), 0);
}

TEST_F(PlacementTest, RelocationsStayWhenTheChangeIsRefused) {
    // The movers may use only 1 to 66: three places above the low range.
    DeviceTypeRecord narrow = EditorType("Narrow");
    narrow.AddressRange = cat->AddRange("N", 1, 66);
    const int narrowType = cat->AddType(narrow, true);
    PutRange(narrowType, 1, 63);
    auto editor = OpenEditor();
    EXPECT_FALSE(Type(*editor, lowType, "5"));
    EXPECT_EQ(TakeMessages(),
              Messages{"There are not enough compatible addresses available for Lows."});
    EXPECT_EQ(std::make_pair(SlotsOf(narrowType).front(), SlotsOf(narrowType).back()),
              std::make_pair(4, 66));
    EXPECT_FALSE(CurrentDocument().DataChanged);
}

TEST_F(PlacementTest, SlavesNeedAFreeHostOfTheSameBaseType) {
    DeviceTypeRecord deepHost = EditorType("Deep Host");
    deepHost.BaseType = 7;
    const int host = cat->AddType(deepHost, true);
    const int deepSlave = cat->AddType(BaseMountedSlave("Deep Slave", 7), true);
    Put(master, {1});
    Put(detector, {2});  // base type 0: no host
    Put(host, {3});
    auto editor = OpenEditor();
    EXPECT_FALSE(Type(*editor, deepSlave, "2"));
    EXPECT_EQ(TakeMessages(),
              Messages{"There are not enough compatible devices available for Deep Slaves."});
    ASSERT_TRUE(Type(*editor, deepSlave, "1"));
    EXPECT_EQ(Layout(), "1:Master 2:Detector 3:Deep Host^Deep Slave@1");
}

TEST_F(PlacementTest, OtherDevicesGoWhereTheyFitBestAndNeverOnAnEmptySlot) {
    // The catalogue's type 0 accepts every other device, so only the placement itself can keep
    // other devices off empty slots.
    ASSERT_TRUE(IsCompatible(0, beacon));
    const int driver = cat->AddType(RemoteDriverType("Output Unit"), true);
    OtherDevice remote = Ancillary("Remote Indicator");
    remote.FromRemote = true;
    const int indicator = cat->AddOther(remote);
    Put(driver, {1, 2});
    Put(detector, {3});
    auto editor = OpenEditor();
    // The count adds what is already placed; devices that drive remote outputs are kept for
    // last, and removal runs from the highest slot down.
    ASSERT_TRUE(TypeOther(*editor, beacon, "1"));
    EXPECT_FALSE(TypeOther(*editor, beacon, "5"));
    EXPECT_EQ(Loop().QtyOthers(beacon), 1);
    ASSERT_TRUE(TypeOther(*editor, beacon, "2"));
    EXPECT_FALSE(TypeOther(*editor, indicator, "2"));  // the detector is no use to them
    ASSERT_TRUE(TypeOther(*editor, indicator, "1"));
    EXPECT_EQ(TakeMessages(),
              (Messages{"There are only 3 Addressable Devices that are compatible with Beacons.",
                        "There is only 1 addressable device that is compatible with "
                        "Remote Indicators and that doesn't already have a different "
                        "'Other Device'."}));
    EXPECT_EQ(Layout(), "1:Output Unit+Beacon 2:Output Unit+Remote Indicator 3:Detector+Beacon");
    ASSERT_TRUE(TypeOther(*editor, beacon, "1"));
    EXPECT_EQ(Layout(), "1:Output Unit+Beacon 2:Output Unit+Remote Indicator 3:Detector");
}

TEST_F(PlacementTest, StandaloneDevicesAndTheirMaster) {
    // A standalone slave type with its standalone other device, and a master that is no base.
    DeviceTypeRecord radioSlave = EditorType("Radio Slave");
    radioSlave.IsSlave = true;
    const int sounderOther = cat->AddOther(
        StandaloneDevice("Radio Sounder", static_cast<std::int16_t>(cat->AddType(radioSlave))));
    const int odd = cat->AddOther(
        StandaloneDevice("Odd Unit", static_cast<std::int16_t>(cat->AddType(EditorType("P")))));
    const int lineUnit = cat->AddOther(StandaloneDevice("Line Unit"));
    DeviceTypeRecord radioMaster = EditorType("Radio Master");
    radioMaster.IsMaster = true;
    radioMaster.AddressRange = DeviceTypeTable[anyType].AddressRange;
    const int masterType = cat->AddType(radioMaster, true);
    auto editor = OpenEditor();
    EXPECT_FALSE(TypeOther(*editor, sounderOther, "1"));
    EXPECT_FALSE(TypeOther(*editor, odd, "1"));
    EXPECT_EQ(TakeMessages(), (Messages{"A 'Master' device must be present on the loop in order "
                                        "to use 'Slave' devices.",
                                        "Too many Odd Units."}));
    ASSERT_TRUE(TypeOther(*editor, lineUnit, "1"));
    Put(masterType, {7, 9});
    ASSERT_TRUE(TypeOther(*editor, sounderOther, "2"));
    // Positions fill sub-address by sub-address across the slots; the slaves listen to the
    // first master.
    EXPECT_EQ(Layout(),
              "0:- s2=Line Unit@0 1:- s2=Radio Sounder@7 2:- s2=Radio Sounder@7 "
              "7:Radio Master 9:Radio Master");
    // Standalone slaves follow a remaining master when theirs is removed, and lose it with the
    // last one.
    Loop().DeviceStandaloneAddress(1, 2, 9);
    editor.reset();
    editor = OpenEditor();
    ASSERT_TRUE(Type(*editor, masterType, "1"));
    EXPECT_EQ(Loop().DeviceStandaloneAddress(1, 2), 7);
    ASSERT_TRUE(Type(*editor, masterType, "0"));
    EXPECT_EQ(Loop().DeviceStandaloneAddress(1, 2), 0);
    EXPECT_EQ(Loop().DeviceStandalone(1, 2), sounderOther);
}

}  // namespace
