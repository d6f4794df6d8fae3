#include "shell/Locale.h"

#include <gtest/gtest.h>

TEST(LocaleTest, LanguageCodesNorthAmericaAndTheEnvironmentOrder) {
    // Unknown territories take the language; unknown locales the non-American default.
    const std::pair<const char*, const char*> codes[] = {
        {"en_CA.utf8", "1009"}, {"es_MX.UTF-8", "080A"}, {"es_US", "540A"},
        {"de_AT@euro", "0C07"}, {"FR-ca.UTF-8", "0C0C"}, {"de_XX", "0407"},
        {"fr", "040C"},         {"en_XX.UTF-8", "0809"}, {"", "0809"},
        {"POSIX", "0809"},      {"xx_YY", "0809"},       {"_US", "0809"}};
    for (const auto& [locale, code] : codes)
        EXPECT_EQ(LanguageCodeOf(locale), code) << locale;
    // The North American codes are exactly these four.
    for (const char* code : {"0409", "1009", "0C0C", "080A"})
        EXPECT_TRUE(IsNorthAmericanLocale(code)) << code;
    for (const char* code : {"540A", "0c0c", "409"})
        EXPECT_FALSE(IsNorthAmericanLocale(code)) << code;
    // The language code takes LC_ALL before LANG and ignores LC_MEASUREMENT.
    EXPECT_EQ(std::make_tuple(UserLanguageCode({"fr_CA.UTF-8", "en_GB", "de_DE"}),
                              UserLanguageCode({"", "en_US", "de_DE"}),
                              UserLanguageCode({"", "en_US", ""}), UserLanguageCode({"", "", ""})),
              std::make_tuple("0C0C", "0407", "0809", "0809"));
    // The measurement is US only for United States locales: LC_ALL, then LC_MEASUREMENT, LANG.
    const std::vector<std::pair<LocaleEnvironment, std::string>> measurement = {
        {{"", "", "es_US"}, "1"},      {{"", "", "en_CA.UTF-8"}, "0"},
        {{"", "", "C.UTF-8"}, ""},     {{"en_GB", "en_US", "en_US"}, "0"},
        {{"", "en_US", "en_GB"}, "1"}, {{"", "C", "en_US"}, ""}};
    for (const auto& [env, system] : measurement)
        EXPECT_EQ(UserMeasurementSystem(env), system)
            << env.lcAll << "|" << env.lcMeasurement << "|" << env.lang;
}
