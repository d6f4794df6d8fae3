#include "shell/Locale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

// Sets an environment variable for the scope and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace

TEST(LocaleTest, LanguageCodesOfCommonLocales) {
    const std::pair<const char*, const char*> cases[] = {
        {"en_US", "0409"},       {"en_US.UTF-8", "0409"}, {"en_CA.utf8", "1009"}, {"fr_CA", "0C0C"},
        {"es_MX.UTF-8", "080A"}, {"en_GB.UTF-8", "0809"}, {"de_DE", "0407"},      {"fr_FR", "040C"},
        {"es_ES", "0C0A"},       {"es_US", "540A"},       {"en_AU", "0C09"},      {"nl_BE", "0813"},
        {"pt_BR", "0416"},       {"ja_JP.eucJP", "0411"}, {"de_AT@euro", "0C07"}, {"en-us", "0409"},
        {"EN_ca", "1009"},       {"FR-ca.UTF-8", "0C0C"},
    };
    for (const auto& [locale, code] : cases)
        EXPECT_EQ(LanguageCodeOf(locale), code) << locale;
}

TEST(LocaleTest, UnknownTerritoriesTakeTheLanguageAndUnknownLocalesTheNonAmericanDefault) {
    EXPECT_EQ(LanguageCodeOf("de_XX"), "0407");
    EXPECT_EQ(LanguageCodeOf("fr"), "040C");
    EXPECT_EQ(LanguageCodeOf("en"), "0809");
    EXPECT_EQ(LanguageCodeOf("en_XX.UTF-8"), "0809");
    for (const char* locale : {"", "C", "POSIX", "C.UTF-8", "xx_YY", "_US", ".UTF-8", "@euro"})
        EXPECT_EQ(LanguageCodeOf(locale), "0809") << locale;
}

TEST(LocaleTest, NorthAmericanCodesAreExactlyTheFour) {
    for (const char* code : {"0409", "1009", "0C0C", "080A"})
        EXPECT_TRUE(IsNorthAmericanLocale(code)) << code;
    for (const char* code : {"0809", "540A", "040C", "0c0c", "409", "", "04090"})
        EXPECT_FALSE(IsNorthAmericanLocale(code)) << code;
}

TEST(LocaleTest, LanguageCodeTakesLcAllBeforeLangAndIgnoresLcMeasurement) {
    EXPECT_EQ(UserLanguageCode({"fr_CA.UTF-8", "en_GB", "de_DE"}), "0C0C");
    EXPECT_EQ(UserLanguageCode({"", "en_US", "de_DE"}), "0407");
    EXPECT_EQ(UserLanguageCode({"", "en_US", ""}), "0809");
    EXPECT_EQ(UserLanguageCode({"", "", ""}), "0809");
}

TEST(LocaleTest, MeasurementIsUsOnlyForUnitedStatesLocales) {
    EXPECT_EQ(UserMeasurementSystem({"", "", "en_US.UTF-8"}), "1");
    EXPECT_EQ(UserMeasurementSystem({"", "", "es_US"}), "1");
    EXPECT_EQ(UserMeasurementSystem({"", "", "en_CA.UTF-8"}), "0");
    EXPECT_EQ(UserMeasurementSystem({"", "", "es_MX"}), "0");
    EXPECT_EQ(UserMeasurementSystem({"", "", "en_GB"}), "0");
    EXPECT_EQ(UserMeasurementSystem({"", "", "C.UTF-8"}), "");
    EXPECT_EQ(UserMeasurementSystem({"", "", ""}), "");
    // LC_ALL, then LC_MEASUREMENT, then LANG.
    EXPECT_EQ(UserMeasurementSystem({"en_GB", "en_US", "en_US"}), "0");
    EXPECT_EQ(UserMeasurementSystem({"", "en_US", "en_GB"}), "1");
    EXPECT_EQ(UserMeasurementSystem({"", "C", "en_US"}), "");
}

TEST(LocaleTest, TheWrappersReadTheProcessEnvironment) {
    const ScopedEnv all("LC_ALL", nullptr);
    const ScopedEnv measurement("LC_MEASUREMENT", "en_GB.UTF-8");
    {
        const ScopedEnv lang("LANG", "en_CA.UTF-8");
        EXPECT_EQ(UserLanguageCode(), "1009");
        EXPECT_TRUE(IsNorthAmericanLocale());
        EXPECT_EQ(UserMeasurementSystem(), "0");
    }
    const ScopedEnv lang("LANG", "de_DE.UTF-8");
    EXPECT_FALSE(IsNorthAmericanLocale());
    const ScopedEnv all2("LC_ALL", "en_US.UTF-8");
    EXPECT_TRUE(IsNorthAmericanLocale());
    EXPECT_EQ(UserMeasurementSystem(), "1");
}
