// The reference data shipped with the program (data/Tarvex): it must load through the real
// start-up sequence without a single message, and it must hold every kind of entry the
// calculation and the loop editor have rules for, with figures that make sense together.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "catalogue/Cables.h"
#include "catalogue/CatalogueStartup.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/InputBits.h"
#include "catalogue/Options.h"
#include "catalogue/OtherDevices.h"
#include "catalogue/OutputBits.h"
#include "catalogue/Panels.h"
#include "catalogue/Switches.h"
#include "shell/Paths.h"
#include "shell/ProfileFile.h"
#include "shell/Text.h"
#include "support/TestSupport.h"

namespace {

const std::string kShippedData = QUELMAR_SOURCE_DATA_DIR;

// Sets LC_ALL for its lifetime (the first run offers cable groups by locale).
class ScopedLocale {
public:
    explicit ScopedLocale(const char* locale) {
        if (const char* previous = std::getenv("LC_ALL")) saved_ = previous;
        setenv("LC_ALL", locale, 1);
    }
    ~ScopedLocale() {
        if (saved_)
            setenv("LC_ALL", saved_->c_str(), 1);
        else
            unsetenv("LC_ALL");
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    std::optional<std::string> saved_;
};

// Points the data root at the shipped data; user and config folders stay fresh and empty.
void UseShippedData(AppPaths& paths) {
    paths.dataRoot = kShippedData;
    SetPaths(paths);
    ResetProfileCache();
}

// Runs the start-up loading on the shipped data, as a first run of a British user.
class ShippedDataTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        UseShippedData(paths);
        loaded = LoadCatalogues();
    }

    // Named device types, type 0 and gaps left out.
    std::vector<int> NamedTypes() const {
        std::vector<int> types;
        for (int t = 1; t <= DeviceTypeCount; ++t)
            if (!DeviceTypeTable[t].Name.empty()) types.push_back(t);
        return types;
    }

    int Type(const std::string& name) const {
        const int t = FindDeviceTypeByName(name);
        EXPECT_NE(t, 0) << name;
        return t;
    }

    const DeviceTypeRecord& Rec(int t) const { return DeviceTypeTable.at(t); }

    int CountTypes(bool (*pred)(const DeviceTypeRecord&)) const {
        int n = 0;
        for (int t : NamedTypes())
            if (pred(Rec(t))) ++n;
        return n;
    }

    // Whether one of the type's outputs is an output bit of this group.
    static bool HasOutputGroup(const DeviceTypeRecord& d, int group) {
        return std::any_of(d.OutputUse.begin(), d.OutputUse.end(), [&](std::int16_t use) {
            return use != 0 && OutputBitTable.at(use).OutputGroup == group;
        });
    }

    static bool HasOutputNamed(const DeviceTypeRecord& d, const std::string& name) {
        return std::any_of(d.OutputUse.begin(), d.OutputUse.end(), [&](std::int16_t use) {
            return use != 0 && OutputBitTable.at(use).OutputName == name;
        });
    }

    static bool HasInputNamed(const DeviceTypeRecord& d, const std::string& name) {
        return std::any_of(d.InputUse.begin(), d.InputUse.end(), [&](std::int16_t use) {
            return use != 0 && InputBitTable.at(use).InputName == name;
        });
    }

    const OtherDevice* OtherBySection(const std::string& key) const {
        const int place = FindOtherByKey(key);
        EXPECT_NE(place, 0) << key;
        return place == 0 ? nullptr : &OtherDeviceTable.at(place);
    }

    ScopedLocale locale{"en_GB.UTF-8"};
    bool loaded = false;
};

TEST_F(ShippedDataTest, LoadsThroughTheStartUpSequenceWithoutAnyMessage) {
    ASSERT_TRUE(loaded) << platform.AllMessageTexts();
    EXPECT_TRUE(platform.messages.empty()) << platform.AllMessageTexts();
    EXPECT_TRUE(platform.beeps.empty());

    // A second run finds the settings the first one wrote and must be just as quiet.
    const CatalogueCounts first = CountCatalogues();
    ASSERT_TRUE(LoadCatalogues()) << platform.AllMessageTexts();
    EXPECT_TRUE(platform.messages.empty()) << platform.AllMessageTexts();
    const CatalogueCounts second = CountCatalogues();
    EXPECT_EQ(CatalogueCountsText(first), CatalogueCountsText(second));
}

TEST_F(ShippedDataTest, FilesAreWindows1252WithCrLfLineEnds) {
    for (const char* name :
         {"Tarvex/Devices/Devices.dat", "Tarvex/Panels/stdpan.dat", "Tarvex/Cables/Cables.dat"}) {
        const std::string path = JoinPath(kShippedData, name);
        const std::string bytes = ReadWholeFile(path);
        ASSERT_FALSE(bytes.empty()) << path;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << path;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << path << " bare LF at byte " << i;
            }
            // Single-byte text: no UTF-8 lead byte followed by a continuation byte.
            const auto c = static_cast<unsigned char>(bytes[i]);
            if (c >= 0xC2 && c <= 0xF4 && i + 1 < bytes.size()) {
                const auto next = static_cast<unsigned char>(bytes[i + 1]);
                EXPECT_FALSE(next >= 0x80 && next <= 0xBF) << path << " UTF-8 at byte " << i;
            }
        }
        // The units are explained in comment lines; "µA" is the single byte 0xB5 there.
        EXPECT_EQ(bytes[0], ';') << path;
    }
    EXPECT_NE(ReadWholeFile(JoinPath(kShippedData, "Tarvex/Devices/Devices.dat"))
                  .find("(\xB5"
                        "A)"),
              std::string::npos);
}

TEST_F(ShippedDataTest, FamiliesCoverEveryRegionAndEachOffersDeviceTypes) {
    ASSERT_TRUE(loaded);
    EXPECT_GE(FamilyCount, 6);
    std::set<std::string> regions;
    for (int f = 1; f <= FamilyCount; ++f) {
        const std::string region = UCase(FamilyTable[f].FamilyText3);
        regions.insert(region);
        EXPECT_TRUE(region == "US" || region == "NONUS" || region == "ALL") << f;
        // Every family shown in the device chooser must offer at least one type there.
        int offered = 0;
        for (int t : NamedTypes())
            if (Rec(t).Family == f && Rec(t).StandaloneSetting == 0) ++offered;
        EXPECT_GE(offered, 1) << FamilyTable[f].FamilyTitle;
    }
    EXPECT_EQ(regions, (std::set<std::string>{"US", "NONUS", "ALL"}));

    // Family 0 holds the internal types and is offered to no one on the first run.
    const std::string region0 = UCase(FamilyTable[0].FamilyText3);
    EXPECT_TRUE(region0 != "US" && region0 != "NONUS" && region0 != "ALL");
    EXPECT_FALSE(FamilyTable[0].FamilyShown);
    EXPECT_FALSE(IsStandardDevice(0));
    // A family not shown by default exists too.
    int hidden = 0;
    for (int f = 1; f <= FamilyCount; ++f)
        if (!FamilyTable[f].FamilyShownByDefault) ++hidden;
    EXPECT_GE(hidden, 1);
}

TEST_F(ShippedDataTest, FirstRunOffersFamiliesToNorthAmericanAndOtherUsers) {
    ASSERT_TRUE(loaded);
    for (bool northAmerican : {true, false}) {
        ApplyFirstRunFamilyOffers(northAmerican);
        int offeredTypes = 0;
        for (int t : NamedTypes()) {
            const int f = Rec(t).Family;
            if (f >= 1 && f <= FamilyCount && FamilyTable[f].FamilyShown &&
                IsPlaceableDeviceType(t) && Rec(t).StandaloneSetting == 0)
                ++offeredTypes;
        }
        EXPECT_GE(offeredTypes, 15) << "north american: " << northAmerican;
        EXPECT_FALSE(FamilyTable[0].FamilyShown);
    }
}

TEST_F(ShippedDataTest, DeviceTypesOfEveryKind) {
    ASSERT_TRUE(loaded);
    EXPECT_GE(NamedTypes().size(), 40u);
    // Detectors, call points, sounders, sounder-beacons.
    EXPECT_GE(CountTypes([](const DeviceTypeRecord& d) {
                  return HasInputNamed(d, "Smoke") || HasInputNamed(d, "Heat");
              }),
              10);
    EXPECT_GE(CountTypes([](const DeviceTypeRecord& d) { return HasInputNamed(d, "Manual Call"); }),
              4);
    EXPECT_GE(CountTypes([](const DeviceTypeRecord& d) { return HasOutputNamed(d, "Sounder"); }),
              6);
    EXPECT_GE(CountTypes([](const DeviceTypeRecord& d) {
                  return HasOutputNamed(d, "Sounder") && HasOutputNamed(d, "Beacon");
              }),
              2);
    // Interfaces driving LEDs (group 1), outputs (group 2) and remote devices (group 3).
    for (int group : {1, 2, 3}) {
        int n = 0;
        for (int t : NamedTypes())
            if (HasOutputGroup(Rec(t), group)) ++n;
        EXPECT_GE(n, 2) << "output group " << group;
    }
    const int io = Type("Meridane Input/Output Module");
    EXPECT_TRUE(HasOutputGroup(Rec(io), 1) && HasOutputGroup(Rec(io), 2) &&
                HasOutputGroup(Rec(io), 3));
    for (int t : NamedTypes())
        EXPECT_EQ(Rec(t).UsesOutputGroup3, TypeUsesOutputGroup3(t)) << t;

    // Interface LEDs that can be disabled save current when they are.
    int ledDisabled = 0;
    for (int t : NamedTypes()) {
        if (!Rec(t).LedDisabledCurrentDiffers) continue;
        ++ledDisabled;
        EXPECT_LT(Rec(t).AlarmCurrentLedDisabled, Rec(t).AlarmCurrent) << Rec(t).Name;
    }
    EXPECT_GE(ledDisabled, 4);

    // DIL switches that change the alarm current, and one with master/slave positions.
    int withSwitch = 0;
    for (int t : NamedTypes())
        if (Rec(t).DilSwitch1 != 0 || Rec(t).DilSwitch2 != 0) ++withSwitch;
    EXPECT_GE(withSwitch, 4);
    const bool masterSlaveSwitch = std::any_of(SwitchTable.begin(), SwitchTable.end(), [](auto& s) {
        return s.SwitchMaster[1] && s.SwitchSlave[0];
    });
    EXPECT_TRUE(masterSlaveSwitch);
    EXPECT_EQ(SwitchTable.at(3).SwitchText2, "Master when on, slave when off");

    // An input bit number left undefined between defined ones, used by no type.
    const auto undefined = std::find_if(InputBitTable.begin(), InputBitTable.end(),
                                        [](const InputBit& b) { return b.InputUseCode == -1; });
    ASSERT_NE(undefined, InputBitTable.end());
    EXPECT_LT(undefined - InputBitTable.begin(), HighestInputBit());
}

TEST_F(ShippedDataTest, DeviceTypesBehindThePlacementRules) {
    ASSERT_TRUE(loaded);
    // Type 0 takes no other devices, so an empty slot never receives one.
    EXPECT_TRUE(Rec(0).NoOtherDevices);
    for (int o = 1; o < static_cast<int>(OtherDeviceTable.size()); ++o)
        EXPECT_FALSE(IsCompatible(0, o)) << OtherDeviceTable[o].OtherName;

    // A gap in the numbering (a withdrawn type) reads as an empty type.
    EXPECT_LT(static_cast<int>(NamedTypes().size()), DeviceTypeCount);

    // A type offered in the chooser but without figures (no icon).
    const int beam = Type("Meridane Beam Detector");
    EXPECT_FALSE(IsPlaceableDeviceType(beam));
    EXPECT_TRUE(FamilyTable.at(Rec(beam).Family).FamilyShownByDefault);

    // A type of family 0 with an icon: placeable, never offered, never standard.
    const int mk1 = Type("Meridane Optical Detector Mk1");
    EXPECT_TRUE(IsIconOnlyFamily(mk1));
    EXPECT_TRUE(IsPlaceableDeviceType(mk1));
    EXPECT_FALSE(IsEligibleStandardDevice(mk1));

    // Base-mounted master and slave: the slave fits the base of ordinary detectors.
    const int master = Type("Meridane Sounder Base Master");
    const int slave = Type("Meridane Sounder Base Slave");
    EXPECT_TRUE(Rec(master).NoOtherDevices && Rec(master).IsMaster);
    EXPECT_TRUE(Rec(slave).NoOtherDevices && Rec(slave).IsSlave);
    EXPECT_FALSE(IsEligibleStandardDevice(slave));
    int hosts = 0;
    for (int t : NamedTypes())
        if (!Rec(t).NoOtherDevices && Rec(t).BaseType == Rec(slave).BaseType) ++hosts;
    EXPECT_GE(hosts, 4);

    // A standalone type: hidden from the chooser, tied to a standalone other device that
    // follows a master.
    const int slaveSounder = Type("Kestra Slave Sounder");
    EXPECT_TRUE(Rec(slaveSounder).IsSlave);
    ASSERT_NE(Rec(slaveSounder).StandaloneSetting, 0);
    const OtherDevice& tied = OtherDeviceTable.at(Rec(slaveSounder).StandaloneSetting);
    EXPECT_TRUE(tied.IsStandaloneContext);
    EXPECT_EQ(tied.AddressableDevice, slaveSounder);
    EXPECT_TRUE(Rec(Type("Kestra Master Sounder")).IsMaster);
    // Every standalone type points at the other device that names it back.
    for (int t : NamedTypes()) {
        if (Rec(t).StandaloneSetting == 0) continue;
        const OtherDevice& o = OtherDeviceTable.at(Rec(t).StandaloneSetting);
        EXPECT_TRUE(o.IsStandaloneContext && o.AddressableDevice == t) << Rec(t).Name;
    }

    // Radio devices need an Ondrix Radio Loop Interface, which serves a limited number.
    const int radioInterface = Type("Ondrix Radio Loop Interface");
    EXPECT_GT(Rec(radioInterface).MaximumDependents, 0);
    EXPECT_EQ(Rec(radioInterface).Protocol, 3);
    EXPECT_FALSE(Rec(radioInterface).ProtocolThreeText.empty());
    int dependents = 0;
    for (int t : NamedTypes()) {
        if (Rec(t).DependsOnDevice == 0) continue;
        ++dependents;
        ASSERT_TRUE(IsValidDeviceType(Rec(t).DependsOnDevice)) << Rec(t).Name;
        EXPECT_GT(Rec(Rec(t).DependsOnDevice).MaximumDependents, 0) << Rec(t).Name;
        EXPECT_TRUE(Rec(t).Name.rfind("Ondrix", 0) == 0) << Rec(t).Name;
    }
    EXPECT_GE(dependents, 4);

    // Isolating types have a small internal resistance and a surge limit, and the types with
    // an isolating equivalent name one that isolates.
    int isolators = 0;
    for (int t : NamedTypes()) {
        const auto& d = Rec(t);
        EXPECT_EQ(d.InternalResistance > 0, d.MaxSurgeCurrent > 0) << d.Name;
        if (d.InternalResistance > 0) {
            ++isolators;
            EXPECT_LE(d.InternalResistance, 10) << d.Name;
            EXPECT_GE(d.MaxSurgeCurrent, 10000) << d.Name;
            EXPECT_LE(d.MaxSurgeCurrent, 30000) << d.Name;
        }
        if (d.IsolatedEquivalent != 0) {
            ASSERT_TRUE(IsValidDeviceType(d.IsolatedEquivalent)) << d.Name;
            EXPECT_GT(Rec(d.IsolatedEquivalent).InternalResistance, 0) << d.Name;
        }
    }
    EXPECT_GE(isolators, 6);
}

TEST_F(ShippedDataTest, AddressRanges) {
    ASSERT_TRUE(loaded);
    std::set<std::string> used;
    for (int t : NamedTypes())
        used.insert(AddressRangeTable.at(Rec(t).AddressRange).RangeName);
    for (const char* r : {"L", "H", "A", "C", "W", "U", "R"})
        EXPECT_TRUE(used.count(r)) << r;
    EXPECT_EQ(MaxLoopAddress(), 252);

    const int miniOut = Type("Meridane Mini Output Module");
    EXPECT_TRUE(IsAddressAllowed(miniOut, 63));
    EXPECT_FALSE(IsAddressAllowed(miniOut, 64));
    const int miniIn = Type("Meridane Mini Input Module");
    EXPECT_FALSE(IsAddressAllowed(miniIn, 63));
    EXPECT_TRUE(IsAddressAllowed(miniIn, 64));
    EXPECT_TRUE(IsAddressAllowed(miniIn, 126));
    const int classic = Type("Classic Optical Detector");
    EXPECT_EQ(AddressRangeTable.at(Rec(classic).AddressRange).RangeCount, 99);
    EXPECT_FALSE(IsAddressAllowed(classic, 100));
    const int voice = Type("Kestra Voice Sounder");
    EXPECT_FALSE(IsAddressAllowed(voice, 126));
    EXPECT_TRUE(IsAddressAllowed(voice, 129));
    EXPECT_TRUE(IsAddressAllowed(voice, 254));
    EXPECT_FALSE(IsAddressAllowed(voice, 255));
    const int plus = Type("Meridane Plus Optical Detector");
    EXPECT_EQ(AddressRangeTable.at(Rec(plus).AddressRange).RangeCount, 252);
    EXPECT_FALSE(IsAddressAllowed(plus, 127));
    EXPECT_FALSE(IsAddressAllowed(plus, 128));
    const int radio = Type("Ondrix Radio Optical Detector");
    EXPECT_TRUE(IsAddressAllowed(radio, 31));
    EXPECT_FALSE(IsAddressAllowed(radio, 32));
    EXPECT_FALSE(IsAddressAllowed(radio, 80));
    EXPECT_TRUE(IsAddressAllowed(radio, 96));
    // The radio interfaces' own addresses stay free of radio devices.
    EXPECT_TRUE(IsAddressAllowed(Type("Ondrix Radio Loop Interface"), 32));
}

TEST_F(ShippedDataTest, ElectricalFiguresFitTogether) {
    ASSERT_TRUE(loaded);
    int lowestPanelVoltage = 32767;
    for (const auto& p : PanelTable)
        lowestPanelVoltage = std::min<int>(lowestPanelVoltage, p.MinLoopVoltage);
    for (int t : NamedTypes()) {
        const auto& d = Rec(t);
        EXPECT_LE(d.QuiescentCurrent, d.AlarmCurrent) << d.Name;
        EXPECT_LE(d.AlarmCurrentLedDisabled, d.AlarmCurrent) << d.Name;
        // The panel's limits on lit LEDs and driven outputs never take away more than the
        // device draws in alarm.
        std::int32_t limited = 0;
        for (int b = 0; b < 3; ++b) {
            const int group = OutputBitTable.at(d.OutputUse[b]).OutputGroup;
            if (group == 1 || group == 2) limited += d.OutputBitCurrent[b];
            EXPECT_GE(d.OutputBitCurrent[b], 0) << d.Name;
        }
        EXPECT_LE(limited, d.AlarmCurrent) << d.Name;
        // Every device works at a voltage below every panel's minimum loop voltage, so that
        // some volt drop is always allowed.
        EXPECT_LT(d.MinimumVoltage, lowestPanelVoltage) << d.Name;
        if (IsPlaceableDeviceType(t) && HasInputNamed(d, "Smoke") && d.QuiescentCurrent > 0) {
            EXPECT_GE(d.QuiescentCurrent, 100) << d.Name;
            EXPECT_LE(d.QuiescentCurrent, 500) << d.Name;
            EXPECT_LE(d.AlarmCurrent, 10000) << d.Name;
        }
        if (HasOutputNamed(d, "Sounder")) {
            EXPECT_GE(d.AlarmCurrent, 10000) << d.Name;
            EXPECT_LE(d.AlarmCurrent, 50000) << d.Name;
        }
    }
    for (int o = 1; o < static_cast<int>(OtherDeviceTable.size()); ++o)
        EXPECT_LT(OtherDeviceTable[o].OtherMinVolts, lowestPanelVoltage)
            << OtherDeviceTable[o].OtherName;
}

TEST_F(ShippedDataTest, OtherDevicesOfEveryContext) {
    ASSERT_TRUE(loaded);
    const int count = static_cast<int>(OtherDeviceTable.size()) - 1;
    EXPECT_GE(count, 12);
    int others = 0, bases = 0, standalones = 0;
    std::set<std::string> singleNames, keys;
    for (int o = 1; o <= count; ++o) {
        const OtherDevice& d = OtherDeviceTable[o];
        // Configuration files name other devices by their key and their single name.
        EXPECT_TRUE(singleNames.insert(d.SingleName).second) << d.SingleName;
        EXPECT_TRUE(keys.insert(d.OtherKey).second) << d.OtherKey;
        if (d.IsStandaloneContext)
            ++standalones;
        else if (d.IsBaseContext)
            ++bases;
        else
            ++others;
        // Each other device fits at least one device type that can be placed.
        int fits = 0;
        for (int t : NamedTypes())
            if (IsPlaceableDeviceType(t) && IsCompatible(t, o)) ++fits;
        if (!d.IsStandaloneContext) {
            EXPECT_GE(fits, 1) << d.OtherName;
        }
    }
    EXPECT_GE(others, 3);
    EXPECT_GE(bases, 3);
    EXPECT_GE(standalones, 3);

    // A remote LED and a remote sounder, driven from a device's remote output.
    const OtherDevice* remoteLed = OtherBySection("RemoteLED");
    ASSERT_NE(remoteLed, nullptr);
    EXPECT_TRUE(remoteLed->FromRemote && remoteLed->FromRemoteSecond);
    const OtherDevice* remoteSounder = OtherBySection("RemoteSounder");
    ASSERT_NE(remoteSounder, nullptr);
    EXPECT_TRUE(remoteSounder->FromRemote && !remoteSounder->FromRemoteSecond);
    EXPECT_FALSE(IsCompatible(Type("Meridane Call Point"), FindOtherByKey("RemoteLED")));
    EXPECT_TRUE(IsCompatible(Type("Meridane Optical Detector"), FindOtherByKey("RemoteLED")));

    // Bases restricted to one base type, and an isolating base.
    const OtherDevice* relayBase = OtherBySection("RelayBase");
    ASSERT_NE(relayBase, nullptr);
    EXPECT_TRUE(relayBase->IsBaseContext);
    EXPECT_NE(relayBase->OtherBase, 0);
    EXPECT_FALSE(IsCompatible(Type("Classic Optical Detector"), FindOtherByKey("RelayBase")));
    EXPECT_TRUE(IsCompatible(Type("Meridane Heat Detector A1R"), FindOtherByKey("RelayBase")));
    const OtherDevice* isolatingBase = OtherBySection("IsolatingBase");
    ASSERT_NE(isolatingBase, nullptr);
    EXPECT_TRUE(isolatingBase->IsBaseContext);
    EXPECT_GT(isolatingBase->OtherImpedance, 0);
    EXPECT_GT(isolatingBase->OtherMaxSurge, 0);

    // A standalone isolator: the last one in the table is remembered.
    const OtherDevice* isolator = OtherBySection("StandaloneIsolator");
    ASSERT_NE(isolator, nullptr);
    EXPECT_TRUE(isolator->IsStandaloneContext);
    EXPECT_GT(isolator->OtherMaxSurge, 0);
    ASSERT_NE(LastSurgeStandaloneOther, 0);
    EXPECT_TRUE(OtherDeviceTable.at(LastSurgeStandaloneOther).IsStandaloneContext);
    EXPECT_GT(OtherDeviceTable.at(LastSurgeStandaloneOther).OtherMaxSurge, 0);

    // Standalone devices tied to a master: their addressable device is a slave type.
    int tied = 0;
    for (int o = 1; o <= count; ++o) {
        const OtherDevice& d = OtherDeviceTable[o];
        if (d.AddressableDevice == 0) continue;
        ++tied;
        EXPECT_TRUE(d.IsStandaloneContext) << d.OtherName;
        ASSERT_TRUE(IsValidDeviceType(d.AddressableDevice)) << d.OtherName;
        EXPECT_TRUE(Rec(d.AddressableDevice).IsSlave) << d.OtherName;
    }
    EXPECT_GE(tied, 1);
}

TEST_F(ShippedDataTest, ManufacturersAndPanels) {
    ASSERT_TRUE(loaded);
    // Standard manufacturers, then "User-Defined Panels".
    EXPECT_GE(CustomManufacturerIndex, 5);
    EXPECT_EQ(CustomPanelCount, 0);
    ASSERT_GE(UnknownPanelIndex, 0);
    EXPECT_EQ(GetCurrentPanel(), UnknownPanelIndex);
    const ControlPanel& unknown = PanelTable.at(UnknownPanelIndex);
    EXPECT_EQ(unknown.Loops, 8);

    EXPECT_GE(static_cast<int>(PanelTable.size()), 21);
    std::set<int> loops, addresses;
    std::set<std::string> names;
    for (const ControlPanel& p : PanelTable) {
        EXPECT_TRUE(p.IsStandardPanel);
        loops.insert(p.Loops);
        addresses.insert(p.MaxDevicesPerLoop);
        EXPECT_TRUE(names.insert(UCase(p.PanelName)).second) << p.PanelName;
        EXPECT_GE(p.MaxLoopCurrent, 250) << p.PanelName;
        EXPECT_LE(p.MaxLoopCurrent, 1000) << p.PanelName;
        EXPECT_GE(p.MaxTotalCurrent, p.MaxLoopCurrent) << p.PanelName;
        EXPECT_LE(p.MaxTotalCurrent, p.Loops * p.MaxLoopCurrent) << p.PanelName;
        EXPECT_GE(p.MinLoopVoltage, 2400) << p.PanelName;
        EXPECT_LE(p.MinLoopVoltage, 2800) << p.PanelName;
        EXPECT_GT(p.DriverImpedance, 0) << p.PanelName;
    }
    EXPECT_EQ(loops, (std::set<int>{1, 2, 4, 8}));
    EXPECT_EQ(addresses, (std::set<int>{99, 126, 252}));

    // A panel section without MaxDevicesPerLoop reads as 126; a 252-address panel may light
    // an LED at every address.
    ASSERT_TRUE(SelectPanelByName("northgate ng-4 plus"));
    EXPECT_EQ(PanelTable.at(GetCurrentPanel()).MaxDevicesPerLoop, 126);
    ASSERT_TRUE(SelectPanelByName("Halvorsen HS-2"));
    EXPECT_EQ(PanelTable.at(GetCurrentPanel()).AlarmLEDs, 252);

    // A name in Windows-1252 arrives as UTF-8.
    EXPECT_TRUE(
        SelectPanelByName("S\xC3\xA9"
                          "curiflam SF-8"));
    const bool accented =
        std::any_of(ManufacturerTable.begin(), ManufacturerTable.end(), [](auto& m) {
            return m.ManufacturerName ==
                   "S\xC3\xA9"
                   "curiflam";
        });
    EXPECT_TRUE(accented);
}

TEST_F(ShippedDataTest, CablesAndGroups) {
    ASSERT_TRUE(loaded);
    EXPECT_GE(CableTable.size(), 10u);
    std::set<std::string> locales;
    std::vector<int> perGroup(CableGroupTable.size(), 0);
    for (const CableGroup& g : CableGroupTable)
        locales.insert(g.GroupLocale);
    EXPECT_EQ(locales, (std::set<std::string>{"US", "NONUS", "ALL"}));
    for (std::size_t c = 0; c < CableTable.size(); ++c) {
        const Cable& cable = CableTable[c];
        ASSERT_LT(cable.CableGroupNumber, CableGroupTable.size()) << cable.CableName;
        ++perGroup[cable.CableGroupNumber];
        EXPECT_GT(cable.CableImpedanceValue, 0) << cable.CableName;
        EXPECT_LE(cable.CableImpedanceValue, 10000) << cable.CableName;
        if (c > 0) {
            EXPECT_GE(CableTable[c - 1].CableImpedanceValue, cable.CableImpedanceValue);
        }
    }
    for (std::size_t g = 0; g < perGroup.size(); ++g)
        EXPECT_GE(perGroup[g], 2) << CableGroupTable[g].GroupName;
    // Cable names carry the "²" of mm², read from Windows-1252.
    EXPECT_EQ(CableNameForImpedance(741).find("2.5 mm\xC2\xB2"), 0u);
}

// On the first run the cable groups follow the user's locale; every user must be offered some
// cables, and the default impedance must be one of them.
class ShippedCablesByLocaleTest : public ScriptedTest,
                                  public ::testing::WithParamInterface<const char*> {};

TEST_P(ShippedCablesByLocaleTest, FirstRunOffersCables) {
    const ScopedLocale locale(GetParam());
    UseShippedData(paths);
    ASSERT_TRUE(LoadCatalogues()) << platform.AllMessageTexts();
    EXPECT_TRUE(platform.messages.empty()) << platform.AllMessageTexts();

    const bool us = std::string(GetParam()) == "en_US.UTF-8";
    int visible = 0;
    for (const Cable& c : CableTable) {
        if (!c.CableVisible) continue;
        ++visible;
        EXPECT_EQ(CableGroupTable[c.CableGroupNumber].GroupLocale == "US", us) << c.CableName;
    }
    EXPECT_GE(visible, 4);
    EXPECT_LT(FindCableByImpedance(GetLastCableImpedance()), static_cast<int>(CableTable.size()));
}

INSTANTIATE_TEST_SUITE_P(Locales, ShippedCablesByLocaleTest,
                         ::testing::Values("en_US.UTF-8", "en_GB.UTF-8", "de_DE.UTF-8"));

}  // namespace
