#include "shell/Locale.h"

#include <cstdlib>
#include <string_view>

#include "shell/Text.h"

namespace {

struct LocaleCode {
    std::string_view locale;  // "ll_TT" (upper-case territory), or "ll" for a language's main code
    std::string_view code;
};

// Windows locale identifiers of the common locales. The entries without a territory give a
// language's main code, used when its territory is not listed; English takes the British code.
constexpr LocaleCode kLocaleCodes[] = {
    {"en_US", "0409"}, {"en_GB", "0809"}, {"en_AU", "0C09"}, {"en_CA", "1009"}, {"en_NZ", "1409"},
    {"en_IE", "1809"}, {"en_ZA", "1C09"}, {"en_JM", "2009"}, {"en_BZ", "2809"}, {"en_TT", "2C09"},
    {"en_ZW", "3009"}, {"en_PH", "3409"}, {"en_HK", "3C09"}, {"en_IN", "4009"}, {"en_MY", "4409"},
    {"en_SG", "4809"}, {"en", "0809"},    {"fr_FR", "040C"}, {"fr_BE", "080C"}, {"fr_CA", "0C0C"},
    {"fr_CH", "100C"}, {"fr_LU", "140C"}, {"fr_MC", "180C"}, {"fr", "040C"},    {"de_DE", "0407"},
    {"de_CH", "0807"}, {"de_AT", "0C07"}, {"de_LU", "1007"}, {"de_LI", "1407"}, {"de", "0407"},
    {"es_ES", "0C0A"}, {"es_MX", "080A"}, {"es_GT", "100A"}, {"es_CR", "140A"}, {"es_PA", "180A"},
    {"es_DO", "1C0A"}, {"es_VE", "200A"}, {"es_CO", "240A"}, {"es_PE", "280A"}, {"es_AR", "2C0A"},
    {"es_EC", "300A"}, {"es_CL", "340A"}, {"es_UY", "380A"}, {"es_PY", "3C0A"}, {"es_BO", "400A"},
    {"es_SV", "440A"}, {"es_HN", "480A"}, {"es_NI", "4C0A"}, {"es_PR", "500A"}, {"es_US", "540A"},
    {"es", "0C0A"},    {"it_IT", "0410"}, {"it_CH", "0810"}, {"it", "0410"},    {"nl_NL", "0413"},
    {"nl_BE", "0813"}, {"nl", "0413"},    {"pt_BR", "0416"}, {"pt_PT", "0816"}, {"pt", "0816"},
    {"sv_SE", "041D"}, {"sv_FI", "081D"}, {"sv", "041D"},    {"ga_IE", "083C"}, {"ga", "083C"},
    {"cy_GB", "0452"}, {"cy", "0452"},    {"gd_GB", "0491"}, {"gd", "0491"},    {"ca_ES", "0403"},
    {"ca", "0403"},    {"eu_ES", "042D"}, {"eu", "042D"},    {"gl_ES", "0456"}, {"gl", "0456"},
    {"da_DK", "0406"}, {"da", "0406"},    {"nb_NO", "0414"}, {"nb", "0414"},    {"nn_NO", "0814"},
    {"nn", "0814"},    {"fi_FI", "040B"}, {"fi", "040B"},    {"is_IS", "040F"}, {"is", "040F"},
    {"et_EE", "0425"}, {"et", "0425"},    {"lv_LV", "0426"}, {"lv", "0426"},    {"lt_LT", "0427"},
    {"lt", "0427"},    {"pl_PL", "0415"}, {"pl", "0415"},    {"cs_CZ", "0405"}, {"cs", "0405"},
    {"sk_SK", "041B"}, {"sk", "041B"},    {"hu_HU", "040E"}, {"hu", "040E"},    {"ro_RO", "0418"},
    {"ro", "0418"},    {"bg_BG", "0402"}, {"bg", "0402"},    {"hr_HR", "041A"}, {"hr", "041A"},
    {"sl_SI", "0424"}, {"sl", "0424"},    {"el_GR", "0408"}, {"el", "0408"},    {"tr_TR", "041F"},
    {"tr", "041F"},    {"ru_RU", "0419"}, {"ru", "0419"},    {"uk_UA", "0422"}, {"uk", "0422"},
    {"he_IL", "040D"}, {"he", "040D"},    {"ar_SA", "0401"}, {"ar_EG", "0C01"}, {"ar_AE", "3801"},
    {"ar", "0401"},    {"hi_IN", "0439"}, {"hi", "0439"},    {"th_TH", "041E"}, {"th", "041E"},
    {"vi_VN", "042A"}, {"vi", "042A"},    {"id_ID", "0421"}, {"id", "0421"},    {"ms_MY", "043E"},
    {"ms", "043E"},    {"ja_JP", "0411"}, {"ja", "0411"},    {"ko_KR", "0412"}, {"ko", "0412"},
    {"zh_CN", "0804"}, {"zh_TW", "0404"}, {"zh_HK", "0C04"}, {"zh_SG", "1004"}, {"zh", "0804"},
};

constexpr std::string_view kUnknownLocaleCode = "0809";

// The language (lower case) and territory (upper case) of a locale name.
struct LocaleParts {
    std::string language;
    std::string territory;
};

LocaleParts SplitLocaleName(std::string_view name) {
    name = name.substr(0, name.find_first_of(".@"));
    const auto sep = name.find_first_of("_-");
    LocaleParts parts{LCase(name.substr(0, sep)), ""};
    if (sep != std::string_view::npos) parts.territory = UCase(name.substr(sep + 1));
    return parts;
}

const std::string& FirstSet(const std::string& a, const std::string& b, const std::string& c) {
    return !a.empty() ? a : !b.empty() ? b : c;
}

std::string EnvValue(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

}  // namespace

LocaleEnvironment CurrentLocaleEnvironment() {
    return {EnvValue("LC_ALL"), EnvValue("LC_MEASUREMENT"), EnvValue("LANG")};
}

std::string LanguageCodeOf(const std::string& localeName) {
    const LocaleParts parts = SplitLocaleName(localeName);
    if (parts.language.empty()) return std::string(kUnknownLocaleCode);
    const std::string full = parts.language + "_" + parts.territory;
    for (const LocaleCode& lc : kLocaleCodes)
        if (lc.locale == full) return std::string(lc.code);
    for (const LocaleCode& lc : kLocaleCodes)
        if (lc.locale == parts.language) return std::string(lc.code);
    return std::string(kUnknownLocaleCode);
}

std::string UserLanguageCode(const LocaleEnvironment& env) {
    return LanguageCodeOf(FirstSet(env.lcAll, env.lang, ""));
}

std::string UserLanguageCode() {
    return UserLanguageCode(CurrentLocaleEnvironment());
}

bool IsNorthAmericanLocale(const std::string& languageCode) {
    return languageCode == "0409" || languageCode == "1009" || languageCode == "0C0C" ||
           languageCode == "080A";
}

bool IsNorthAmericanLocale() {
    return IsNorthAmericanLocale(UserLanguageCode());
}

std::string UserMeasurementSystem(const LocaleEnvironment& env) {
    const LocaleParts parts = SplitLocaleName(FirstSet(env.lcAll, env.lcMeasurement, env.lang));
    if (parts.territory.empty()) return "";
    return parts.territory == "US" ? "1" : "0";
}

std::string UserMeasurementSystem() {
    return UserMeasurementSystem(CurrentLocaleEnvironment());
}
