#include "shell/LegacySettings.h"

#include <string>

#include "shell/Numbers.h"
#include "shell/ProfileFile.h"
#include "shell/Settings.h"

namespace {

std::string Legacy(const char* section, const std::string& key) {
    return ReadProfileString(kLegacySettingsFile, section, key);
}

// "1" in the old file switches a flag on.
void CopyFlag(const char* section, const std::string& key, const std::string& setting) {
    if (Legacy(section, key) == "1") WriteSettingFlag(setting, true);
}

void CopyText(const char* section, const std::string& key, const std::string& setting) {
    const std::string value = Legacy(section, key);
    if (!value.empty()) WriteSettingText(setting, value);
}

// Old numbers are read like Val: the number at the start of the text, rounded to a whole number.
// Zero means "not set"; a number too large for the store is left out as well.
void CopyNumber(const char* section, const std::string& key, const std::string& setting) {
    const auto number = RoundToInt32(LeadingNumber(Legacy(section, key)));
    if (number && *number != 0) WriteSettingNumber(setting, *number);
}

}  // namespace

void MigrateIniSettings() {
    if (ReadSettingFlag("FirstTimeDone")) return;
    if (!ProfileFileExists(kLegacySettingsFile)) return;

    SettingsBatch batch;
    for (int n = 0; n <= 99; ++n)
        CopyFlag("Options", "DontShowFamily" + std::to_string(n),
                 "DontShowFamily" + std::to_string(n));
    if (Legacy("Options", "FirstTime") == "Done") WriteSettingFlag("FirstTimeDone", true);
    CopyNumber("Options", "Form Height", "Form Height");
    CopyText("Options", "Form State", "Form State");
    CopyNumber("Options", "Form Width", "Form Width");
    CopyNumber("Options", "LastCableImpedance", "LastCableImpedance");
    CopyNumber("Options", "LastCalcType", "LastCalcType");
    CopyText("Quelmar", "LastPanel", "LastPanel");
    for (int n = 1; n <= 4; ++n)
        CopyText("Options", "RecentFile" + std::to_string(n), "mFileRecent" + std::to_string(n));
    CopyNumber("Options", "Units", "Units");
    for (int n = 0; n <= 999; ++n)
        CopyFlag("Standard", "Device" + std::to_string(n), "StandardDevice" + std::to_string(n));
    batch.Commit();
}
