// The three small tables read from Devices.dat before the device types: input bits, output bits
// and DIL switches. One loader a parameter: the entries it reads, and its refusals.
#include <gtest/gtest.h>

#include "catalogue/CatalogueFiles.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/FieldParsing.h"
#include "catalogue/InputBits.h"
#include "catalogue/OutputBits.h"
#include "catalogue/Switches.h"
#include "support/TestSupport.h"

namespace {

struct KeyValue {
    const char* key;
    const char* value;  // nullptr: the key is removed
};

struct Loader {
    std::string section;
    bool (*load)(const std::string& file);
    std::size_t (*size)();
    // The loaded table, an entry a line; ends with the answer for numbers beyond the table.
    std::string (*table)();
    std::vector<std::pair<std::vector<KeyValue>, std::string>> accepted;
    std::vector<std::pair<KeyValue, std::string>> refusals;  // message without the file phrase
};

std::string Flag(bool b) {
    return b ? "y" : "n";
}

std::string InputTable() {
    std::string text;
    for (int n = 0; n <= HighestInputBit(); ++n) {
        const InputBit& b = InputBitTable[static_cast<std::size_t>(n)];
        text += b.InputName + "," + std::to_string(b.InputUseCode) + "," +
                std::to_string(b.InputPicture) + "," + Flag(IsDefinedInputBit(n)) + "\n";
    }
    return text + Flag(IsDefinedInputBit(-1) || IsDefinedInputBit(HighestInputBit() + 1));
}

std::string OutputTable() {
    std::string text;
    for (int n = 0; n <= HighestOutputBit(); ++n) {
        const OutputBit& b = OutputBitTable[static_cast<std::size_t>(n)];
        text += b.OutputName + "," + std::to_string(b.OutputUseCode) + "," +
                std::to_string(b.OutputGroup) + "," + Flag(IsOutputGroup3(n)) + "\n";
    }
    return text + Flag(IsOutputGroup3(-1) || IsOutputGroup3(HighestOutputBit() + 1));
}

std::string SwitchTableText() {
    std::string text;
    for (const SwitchEntry& s : SwitchTable)
        text += s.SwitchName + "," + s.SwitchText2 + "," + std::to_string(s.AlarmCurrentOff) + "," +
                std::to_string(s.AlarmCurrentOn) + ",M" + Flag(s.SwitchMaster[0]) +
                Flag(s.SwitchMaster[1]) + ",S" + Flag(s.SwitchSlave[0]) + Flag(s.SwitchSlave[1]) +
                "," + Flag(s.SwitchDefaultOn) + "\n";
    return text + std::to_string(HighestSwitch());
}

const Loader kLoaders[] = {
    {"Inputs",
     LoadInputBits,
     [] { return InputBitTable.size(); },
     InputTable,
     {{{}, "None,0,0,y\nAlarm,1,1,y\nFault,2,2,y\nn"},
      // An entry missing between defined ones is undefined.
      {{{"Input1", nullptr}}, "None,0,0,y\n?,-1,0,n\nFault,2,2,y\nn"}},
     {{{"MaxInputs", "0"}, "Invalid numeric value for 'MaxInputs' entry in [Inputs] section"},
      {{"Input2", "Fault,128,2"},
       "Invalid numeric value for Input Use in 'Input2' entry in [Inputs] section"}}},
    {"Outputs",
     LoadOutputBits,
     [] { return OutputBitTable.size(); },
     OutputTable,
     {{{}, "None,0,0,n\nLED,1,1,n\nRelay,2,2,n\nRemote output,3,3,y\nn"},
      // A fractional highest number is rounded; the missing entries are empty.
      {{{"MaxOutputs", "3.6"}},
       "None,0,0,n\nLED,1,1,n\nRelay,2,2,n\nRemote output,3,3,y\n,0,0,n\nn"}},
     // A negative or huge highest number would make an impossible table; it is refused like a
     // missing one.
     {{{"MaxOutputs", nullptr}, "Invalid 'MaxOutputs' entry in [Outputs] section"},
      {{"MaxOutputs", "-1"}, "Invalid 'MaxOutputs' entry in [Outputs] section"},
      {{"Output2", "Relay,128,2"},
       "Invalid numeric value for Output Use in 'Output2' entry in [Outputs] section"},
      {{"Output2", "Relay,1"},
       "Numeric value expected for Output Group in 'Output2' entry in [Outputs] section"}}},
    {"Switches",
     LoadSwitches,
     [] { return SwitchTable.size(); },
     SwitchTableText,
     // Item 5 sets position 1, item 6 position 0; letters other than M or S set neither.
     {{{{"MaxSwitches", "3"}, {"Switch2", "Volume, Loud , 100 , 200 , s , m , 0"}},
       "None,,0,0,Mnn,Snn,n\nTone,Tone select,5000,6000,Mny,Syn,y\nVolume,Loud,100,200,Myn,Sny,n\n"
       ",,0,0,Mnn,Snn,n\n3"},
      {{{"Switch1", "Tone,,1,2,Master,x,1"}}, "None,,0,0,Mnn,Snn,n\nTone,,1,2,Mny,Snn,y\n1"}},
     {{{"Switch1", "Tone,,1,2,M,S,2"},
       "Invalid numeric value for Default setting for 'Switch1' entry in [Switches] section"},
      {{"Switch1", "Tone,,,2,M,S,1"},
       "Numeric value expected for Alarm Current for Off-position in 'Switch1' entry in "
       "[Switches] section"},
      {{"MaxSwitches", "-1"},
       "Invalid numeric value for 'MaxSwitches' entry in [Switches] section"}}},
};

class BitsAndSwitchesTest : public CatalogueFileTest, public ::testing::WithParamInterface<Loader> {
protected:
    void Write(const std::vector<KeyValue>& edits) {
        IniText file = MinimalDeviceFile();
        for (const KeyValue& e : edits)
            if (e.value)
                file.Set(GetParam().section, e.key, e.value);
            else
                file.Remove(GetParam().section, e.key);
        WriteStandardDevices(file);
    }
};

TEST_P(BitsAndSwitchesTest, ReadsEveryEntry) {
    for (const auto& [edits, table] : GetParam().accepted) {
        Write(edits);
        ASSERT_TRUE(GetParam().load(StandardDevicesFilePath())) << platform.AllMessageTexts();
        EXPECT_EQ(GetParam().table(), table);
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_P(BitsAndSwitchesTest, RefusalsNameTheEntryAndTheFile) {
    for (const auto& [edit, message] : GetParam().refusals) {
        Write({edit});
        platform.messages.clear();
        EXPECT_FALSE(GetParam().load(StandardDevicesFilePath())) << edit.key;
        EXPECT_EQ(platform.AllMessageTexts(),
                  message + " in " + FilePhrase(StandardDevicesFilePath()));
        // A refused highest number leaves one cleared entry behind.
        if (std::string(edit.key).rfind("Max", 0) == 0) {
            EXPECT_EQ(GetParam().size(), 1u) << edit.key;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Loaders, BitsAndSwitchesTest, ::testing::ValuesIn(kLoaders),
                         [](const auto& info) { return info.param.section; });

}  // namespace
