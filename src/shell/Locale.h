#pragma once
// The user's regional settings: the four-hex-digit language code and the measurement system.
//
// Both come from the POSIX locale variables. The language code is that of the locale named by
// LC_ALL, else LANG; the measurement system is that of LC_ALL, else LC_MEASUREMENT, else LANG
// (the usual precedence). A locale name is "language[_territory][.codeset][@modifier]" ("-" is
// accepted in place of "_", letter case is ignored).
//
// Language codes follow the Windows locale identifiers ("0409" en_US, "0809" en_GB, "1009" en_CA,
// "0C0C" fr_CA, "080A" es_MX, ...). A known language with an unknown territory takes that
// language's main code. A locale that names no known language ("C", "POSIX", unset) gives
// "0809": without a stated region the user is not taken for a North American one, so the
// first run offers the non-US families and cable groups and metric units.
//
// The measurement system is "1" (US: feet) for locales of the United States, "0" (metric) for
// locales of any other territory, and "" when the locale names no territory; the caller then
// falls back to the system initialisation file's setting.
#include <string>

// The locale variables that matter; an unset variable is empty.
struct LocaleEnvironment {
    std::string lcAll;
    std::string lcMeasurement;
    std::string lang;
};

// The locale variables of this process.
LocaleEnvironment CurrentLocaleEnvironment();

// The language code of one locale name; "0809" when the language is not known.
std::string LanguageCodeOf(const std::string& localeName);

// The user's language code.
std::string UserLanguageCode(const LocaleEnvironment& env);
std::string UserLanguageCode();

// Whether a language code is one of the North American ones: "0409", "1009", "0C0C", "080A".
bool IsNorthAmericanLocale(const std::string& languageCode);
// The same test for the user's language code.
bool IsNorthAmericanLocale();

// The user's measurement system: "1", "0" or "" (see above).
std::string UserMeasurementSystem(const LocaleEnvironment& env);
std::string UserMeasurementSystem();
