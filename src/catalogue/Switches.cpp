#include "catalogue/Switches.h"

#include "catalogue/FieldParsing.h"
#include "shell/ProfileFile.h"

std::vector<SwitchEntry> SwitchTable;

namespace {

// Sets the master and slave flags of one switch position from its letter: "M" master, "S"
// slave, anything else neither.
void SetPositionRole(SwitchEntry& entry, int position, const std::string& item) {
    const std::string letter = LetterCode(item);
    entry.SwitchMaster[position] = letter == "M";
    entry.SwitchSlave[position] = letter == "S";
}

}  // namespace

bool LoadSwitches(const std::string& file) {
    const std::string phrase = FilePhrase(file);

    std::int16_t highest = 0;
    if (!ParseIntField(ReadProfileString(file, "Switches", "MaxSwitches"), 1, highest, 0, 32767,
                       "'MaxSwitches' entry in [Switches] section in " + phrase)) {
        SwitchTable.assign(1, SwitchEntry{});
        return false;
    }

    SwitchTable.assign(static_cast<std::size_t>(highest) + 1, SwitchEntry{});
    for (int n = 0; n <= highest; ++n) {
        const std::string entry = ReadProfileString(file, "Switches", "Switch" + std::to_string(n));
        if (entry.empty()) continue;
        SwitchEntry& sw = SwitchTable[static_cast<std::size_t>(n)];
        sw.SwitchName = GetField(entry, 1);
        sw.SwitchText2 = GetField(entry, 2);
        const std::string ending = std::to_string(n) + "' entry in [Switches] section in " + phrase;
        if (!ParseIntField(entry, 3, sw.AlarmCurrentOff, 0, 32767,
                           "Alarm Current for Off-position in 'Switch" + ending))
            return false;
        if (!ParseIntField(entry, 4, sw.AlarmCurrentOn, 0, 32767,
                           "Alarm Current for On-position in 'Switch" + ending))
            return false;
        SetPositionRole(sw, 1, GetField(entry, 5));
        SetPositionRole(sw, 0, GetField(entry, 6));
        std::int16_t defaultSetting = 0;
        if (!ParseIntField(entry, 7, defaultSetting, 0, 1, "Default setting for 'Switch" + ending))
            return false;
        sw.SwitchDefaultOn = defaultSetting == 1;
    }
    return true;
}

int HighestSwitch() {
    return static_cast<int>(SwitchTable.size()) - 1;
}

void ResetSwitches() {
    SwitchTable.clear();
}
