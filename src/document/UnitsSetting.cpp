#include "document/UnitsSetting.h"

#include "shell/Numbers.h"
#include "shell/Platform.h"
#include "shell/Product.h"
#include "shell/ProfileFile.h"
#include "shell/Settings.h"

void SetUnits(std::uint8_t units) {
    SetDisplayUnits(units);
    WriteSettingNumber("Units", units);
}

void LoadUnits() {
    const std::int32_t units = ReadSettingNumber("Units");
    if (units == kMetricUnits || units == kImperialUnits) {
        SetDisplayUnits(static_cast<std::uint8_t>(units));
        return;
    }
    ShowMessage("An unknown type of units has been specified!\n\nChanging to Metric.",
                kProgramTitle, MsgIcon::Exclamation);
    SetUnits(kMetricUnits);
}

void SetUnitsFromRegionalSettings(const LocaleEnvironment& env) {
    std::string measure = UserMeasurementSystem(env);
    if (measure.empty()) measure = ReadProfileString(kSystemIniFile, "intl", "iMeasure");
    const bool imperial =
        IsNorthAmericanLocale(UserLanguageCode(env)) && LeadingNumber(measure) == 1;
    SetUnits(imperial ? kImperialUnits : kMetricUnits);
}

void SetUnitsFromRegionalSettings() {
    SetUnitsFromRegionalSettings(CurrentLocaleEnvironment());
}
