#include "document/StandbyPowerFile.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "shell/DecimalText.h"
#include "shell/Numbers.h"
#include "shell/Platform.h"
#include "shell/ProfileFile.h"
#include "shell/Text.h"

namespace {

// ---- names --------------------------------------------------------------------------------

// A value is cut at 1023 characters when read; a name is written in pieces well within that.
constexpr std::size_t kNamePieceLength = 1000;

// The length of the UTF-8 sequence a byte leads (1 for any other byte), within the text.
std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    return std::min(length, text.size() - i);
}

// Whether a character (one UTF-8 sequence, or a stray byte) stands in the file as it is:
// printable, not the escape sign, and unchanged by the trip through the Windows code page.
bool CarriedAsIs(std::string_view ch) {
    if (ch.size() == 1) {
        const auto c = static_cast<unsigned char>(ch[0]);
        return c >= 0x20 && c < 0x7F && c != '%';
    }
    return Cp1252ToUtf8(Utf8ToCp1252(ch)) == ch;
}

std::string Escaped(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 0x0F];
    }
    return out;
}

// The name as the file writes it, in pieces of at most kNamePieceLength characters of the file
// (an escaped byte is three of them; a piece never splits a character or an escape).
std::vector<std::string> EncodedNamePieces(const std::string& name) {
    std::vector<std::string> pieces(1);
    std::size_t length = 0;  // of the last piece, in the file's single-byte characters
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t n = SequenceLength(name, i);
        const std::string_view ch = std::string_view(name).substr(i, n);
        const std::string unit = CarriedAsIs(ch) ? std::string(ch) : Escaped(ch);
        const std::size_t unitLength = CarriedAsIs(ch) ? 1 : unit.size();
        if (length + unitLength > kNamePieceLength) {
            pieces.emplace_back();
            length = 0;
        }
        pieces.back() += unit;
        length += unitLength;
        i += n;
    }
    return pieces;
}

// The name back from the file: "%" and two hexadecimal digits are a byte; a "%" without them
// stands for itself.
std::string DecodedName(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
            HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// ---- numbers ------------------------------------------------------------------------------

// ---- keys ---------------------------------------------------------------------------------

std::string LoadKey(std::size_t load, const char* field) {
    return "Load" + std::to_string(load) + field;
}

// The key of piece `piece` (from 1) of a load's name.
std::string NameKey(std::size_t load, std::size_t piece) {
    return LoadKey(load, "Name") + (piece == 1 ? "" : std::to_string(piece));
}

// ---- reading ------------------------------------------------------------------------------

// The section of one file as it is read, collecting what is damaged.
class SectionReader {
public:
    explicit SectionReader(const std::string& file) {
        for (auto& [key, value] : ProfileSectionEntries(file, kStandbyPowerSection))
            entries_.emplace(std::move(key), std::move(value));
    }

    bool Empty() const { return entries_.empty(); }
    bool Has(const std::string& key) const { return entries_.count(ProfileMatchName(key)) != 0; }
    std::string Value(const std::string& key) const {
        const auto found = entries_.find(ProfileMatchName(key));
        return found == entries_.end() ? std::string() : found->second;
    }

    std::optional<BatteryStandard> Standard(const std::string& key) {
        if (!Has(key)) return std::nullopt;
        const std::string text = Value(key);
        const auto standard = StandardFromKey(LCase(text));
        if (!standard) Report("Invalid value for ", key, text);
        return standard;
    }

    // True or False; the first letter decides, as for the file's other flags.
    std::optional<bool> Flag(const std::string& key) {
        if (!Has(key)) return std::nullopt;
        const std::string text = Value(key);
        const std::string letter = UCase(text.substr(0, 1));
        if (letter == "T" || letter == "F") return letter == "T";
        Report("Invalid value for ", key, text);
        return std::nullopt;
    }

    // An amount the calculation accepts: `place` puts it into default inputs, which must then
    // pass the calculation's checks. A whole number must also fit 32 bits.
    template <typename Place>
    std::optional<Amount> Number(const std::string& key, bool whole, Place place) {
        if (!Has(key)) return std::nullopt;
        const std::string text = Value(key);
        if (!IsNumeric(text)) {
            Report("Numeric value expected for ", key, text);
            return std::nullopt;
        }
        auto amount = ParseDecimalAmount(text);
        if (amount && whole &&
            (amount->Scaled() % Amount::kScale != 0 ||
             amount->WholePart() < std::numeric_limits<std::int32_t>::min() ||
             amount->WholePart() > std::numeric_limits<std::int32_t>::max()))
            amount.reset();
        if (amount) {
            StandbyPowerInputs probe;
            place(probe, *amount);
            if (CheckStandbyInputs(probe)) amount.reset();
        }
        if (!amount) Report("Invalid numeric value for ", key, text);
        return amount;
    }

    // How many other loads follow: a whole number up to the most the calculation takes.
    std::size_t LoadCount(const std::string& key) {
        const auto count = Number(key, true, [](StandbyPowerInputs&, Amount) {});
        if (!count) return 0;
        if (count->WholePart() < 0 || count->WholePart() > std::int64_t{kMaxOtherLoads}) {
            Report("Invalid numeric value for ", key, Value(key));
            return 0;
        }
        return static_cast<std::size_t>(count->WholePart());
    }

    std::optional<OtherLoad> Load(std::size_t load, const std::string& countKey) {
        const char* fields[] = {"Name", "Quantity", "QuiescentmA", "AlarmmA"};
        if (std::none_of(std::begin(fields), std::end(fields),
                         [&](const char* field) { return Has(LoadKey(load, field)); })) {
            problems_.push_back("Missing entries for " + LoadKey(load, "") + " in section [" +
                                kStandbyPowerSection + "] (" + countKey + "=" + Value(countKey) +
                                ")");
            return std::nullopt;
        }
        OtherLoad result;
        std::string name = Value(NameKey(load, 1));
        for (std::size_t piece = 2; Has(NameKey(load, piece)); ++piece)
            name += Value(NameKey(load, piece));
        result.name = DecodedName(name);
        // Each value is judged in a load that is otherwise a default one.
        const auto inLoad = [](auto setField) {
            return [setField](StandbyPowerInputs& in, Amount a) {
                OtherLoad one;
                setField(one, a);
                in.otherLoads = {one};
            };
        };
        if (const auto v =
                Number(LoadKey(load, "Quantity"), true, inLoad([](OtherLoad& one, Amount a) {
                           one.quantity = static_cast<std::int32_t>(a.WholePart());
                       })))
            result.quantity = static_cast<std::int32_t>(v->WholePart());
        if (const auto v =
                Number(LoadKey(load, "QuiescentmA"), false,
                       inLoad([](OtherLoad& one, Amount a) { one.quiescentMilliamps = a; })))
            result.quiescentMilliamps = *v;
        if (const auto v = Number(LoadKey(load, "AlarmmA"), false,
                                  inLoad([](OtherLoad& one, Amount a) { one.alarmMilliamps = a; })))
            result.alarmMilliamps = *v;
        return result;
    }

    void AddProblem(const std::string& problem) { problems_.push_back(problem); }

    // One message for everything damaged, in the style of the file's other bad values.
    void ShowProblems() const {
        if (problems_.empty()) return;
        constexpr std::size_t kMostListed = 10;
        std::string text;
        for (std::size_t i = 0; i < problems_.size() && i < kMostListed; ++i)
            text += (i == 0 ? "" : "\n") + problems_[i];
        if (problems_.size() > kMostListed)
            text += "\n(and " + std::to_string(problems_.size() - kMostListed) + " more)";
        text += problems_.size() == 1 ? "\n\nThe default is used instead."
                                      : "\n\nDefaults are used instead.";
        ShowDataFileProblem(text);
    }

private:
    // The value as a message quotes it: a long one is cut (between characters) and marked.
    static std::string Shown(const std::string& value) {
        constexpr std::size_t kMostShown = 40;
        if (value.size() <= kMostShown) return value;
        std::size_t cut = kMostShown;
        while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
            --cut;
        return value.substr(0, cut) + "...";
    }

    void Report(const char* problem, const std::string& key, const std::string& value) {
        problems_.push_back(problem + key + "=" + Shown(value) + " in section [" +
                            kStandbyPowerSection + "]");
    }

    // Keys as names match, with their values.
    std::unordered_map<std::string, std::string> entries_;
    std::vector<std::string> problems_;
};

}  // namespace

std::vector<std::pair<std::string, std::string>> StandbyPowerEntries(
    const StandbyPowerInputs& inputs) {
    if (inputs == StandbyPowerInputs{}) return {};
    std::vector<std::pair<std::string, std::string>> entries = {
        {"Standard", StandardKey(inputs.standard)},
        {"VoiceSystem", inputs.voiceSystem ? "True" : "False"},
        {"StandbyHours", FormatGeneral(inputs.standbyHours)},
        {"AlarmMinutes", FormatGeneral(inputs.alarmMinutes)},
        {"PanelQuiescentmA", FormatGeneral(inputs.panelQuiescentMilliamps)},
        {"PanelAlarmmA", FormatGeneral(inputs.panelAlarmMilliamps)},
        {"OtherLoads", std::to_string(inputs.otherLoads.size())}};
    for (std::size_t k = 1; k <= inputs.otherLoads.size(); ++k) {
        const OtherLoad& load = inputs.otherLoads[k - 1];
        const std::vector<std::string> pieces = EncodedNamePieces(load.name);
        for (std::size_t piece = 1; piece <= pieces.size(); ++piece)
            entries.emplace_back(NameKey(k, piece), "\"" + pieces[piece - 1] + "\"");
        entries.emplace_back(LoadKey(k, "Quantity"), std::to_string(load.quantity));
        entries.emplace_back(LoadKey(k, "QuiescentmA"), FormatGeneral(load.quiescentMilliamps));
        entries.emplace_back(LoadKey(k, "AlarmmA"), FormatGeneral(load.alarmMilliamps));
    }
    return entries;
}

StandbyPowerInputs ReadStandbyPowerSection(const std::string& file) {
    StandbyPowerInputs inputs;
    SectionReader reader(file);
    if (reader.Empty()) return inputs;
    inputs.standard = reader.Standard("Standard").value_or(inputs.standard);
    inputs.voiceSystem = reader.Flag("VoiceSystem").value_or(inputs.voiceSystem);
    const auto number = [&reader](const char* key, Amount StandbyPowerInputs::*member) {
        return reader.Number(key, false,
                             [member](StandbyPowerInputs& in, Amount a) { in.*member = a; });
    };
    inputs.standbyHours =
        number("StandbyHours", &StandbyPowerInputs::standbyHours).value_or(inputs.standbyHours);
    // A damaged alarm period takes the standard's own.
    inputs.alarmMinutes = number("AlarmMinutes", &StandbyPowerInputs::alarmMinutes)
                              .value_or(DefaultAlarmMinutes(inputs.standard, inputs.voiceSystem));
    inputs.panelQuiescentMilliamps =
        number("PanelQuiescentmA", &StandbyPowerInputs::panelQuiescentMilliamps).value_or(Amount{});
    inputs.panelAlarmMilliamps =
        number("PanelAlarmmA", &StandbyPowerInputs::panelAlarmMilliamps).value_or(Amount{});
    const std::size_t count = reader.LoadCount("OtherLoads");
    for (std::size_t k = 1; k <= count; ++k)
        if (auto load = reader.Load(k, "OtherLoads")) inputs.otherLoads.push_back(std::move(*load));
    // Every value passed on its own; what the calculation refuses of them together goes whole.
    if (const auto problem = CheckStandbyInputs(inputs)) {
        reader.AddProblem(*problem + " in section [" + kStandbyPowerSection + "]");
        inputs = StandbyPowerInputs{};
    }
    reader.ShowProblems();
    return inputs;
}
