#include "engine/StandbyPower.h"

#include <algorithm>

namespace {

// Every charge and capacity is held as an exact whole number of 1 / kUnitsPerAh ampere-hours.
// Currents are whole 1e-10 A (the loop totals are µA to four decimals), periods whole 1e-4 h and
// 1e-4 min, so a charge I x T is a whole number of 1e-14 Ah, and of 1e-14 / 60 Ah when T is in
// minutes. The factors 1.25 and 1.20 and the derating 1.75 bring denominators 4 and 5, hence 20.
constexpr WideInt kAmpUnits = 10'000'000'000;  // current units per ampere
constexpr WideInt kChargeUnitsPerAh = WideInt{100'000'000'000'000} * 60;
constexpr WideInt kUnitsPerAh = kChargeUnitsPerAh * 4 * 20;

// Amounts of mA as whole current units.
WideInt MilliampUnits(Amount milliamps) {
    return WideInt{milliamps.Scaled()} * (kAmpUnits / 1000 / Amount::kScale);
}

// A whole number of units as Ah, rounded half to even at `decimals` (at most four).
Amount UnitsToAh(WideInt units, int decimals) {
    WideInt step = 1;
    for (int d = decimals; d < 4; ++d)
        step *= 10;
    const WideInt scaled = DivideHalfEven(units * Amount::kScale, kUnitsPerAh * step) * step;
    return Amount::FromScaled(static_cast<std::int64_t>(scaled));
}

Amount MicroampsToMilliamps(Amount microamps) {
    return Amount::FromScaled(static_cast<std::int64_t>(DivideHalfEven(microamps.Scaled(), 1000)));
}

std::string Number(Amount a) {
    return FormatGeneral(a);
}

// A current in amperes to the µA, trailing zeros dropped ("0.5", "0.012346").
std::string Amps(WideInt units) {
    const auto micro = static_cast<std::int64_t>(DivideHalfEven(units, kAmpUnits / 1'000'000));
    std::string fraction = std::to_string(1'000'000 + micro % 1'000'000).substr(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return std::to_string(micro / 1'000'000) + (fraction.empty() ? "" : "." + fraction);
}

struct Currents {
    Amount loopsMilliamps;
    Amount panelMilliamps;
    Amount othersMilliamps;
    WideInt units = 0;  // the three summed, exact
};

Currents SumCurrents(Amount loopMicroamps, Amount panelMilliamps,
                     const std::vector<OtherLoad>& loads, Amount OtherLoad::*each) {
    Currents c;
    c.loopsMilliamps = MicroampsToMilliamps(loopMicroamps);
    c.panelMilliamps = panelMilliamps;
    for (const OtherLoad& load : loads)
        c.othersMilliamps += load.*each * load.quantity;
    // Loop totals in µA with four decimals are whole current units.
    c.units = WideInt{loopMicroamps.Scaled()} + MilliampUnits(panelMilliamps) +
              MilliampUnits(c.othersMilliamps);
    return c;
}

std::string CurrentLine(const std::string& what, const Currents& c) {
    return what + " = loops " + Number(c.loopsMilliamps) + " mA + panel " +
           Number(c.panelMilliamps) + " mA + other loads " + Number(c.othersMilliamps) +
           " mA = " + Amps(c.units) + " A";
}

// The factor as a multiple of 1/20: 25 for 1.25, 24 for 1.20.
WideInt FactorTwentieths(BatteryStandard standard) {
    return standard == BatteryStandard::NFPA72_2019 ? 24 : 25;
}

std::optional<std::string> OutOfRange(const std::string& what, Amount value, std::int64_t max,
                                      const std::string& unit) {
    if (value >= Amount() && value <= Amount::FromWhole(max)) return std::nullopt;
    return what + " must be between 0 and " + std::to_string(max) + " " + unit + ".";
}

}  // namespace

std::optional<std::string> CheckStandbyInputs(const StandbyPowerInputs& in) {
    if (auto p = OutOfRange("The standby period", in.standbyHours, kMaxStandbyHours, "hours"))
        return p;
    if (auto p = OutOfRange("The alarm period", in.alarmMinutes, kMaxAlarmMinutes, "minutes"))
        return p;
    if (auto p = OutOfRange("The panel's quiescent current", in.panelQuiescentMilliamps,
                            kMaxLoadMilliamps, "mA"))
        return p;
    if (auto p = OutOfRange("The panel's alarm current", in.panelAlarmMilliamps, kMaxLoadMilliamps,
                            "mA"))
        return p;
    if (in.otherLoads.size() > kMaxOtherLoads)
        return "At most " + std::to_string(kMaxOtherLoads) + " other loads can be entered.";
    for (std::size_t n = 0; n < in.otherLoads.size(); ++n) {
        const OtherLoad& load = in.otherLoads[n];
        const std::string which = "Other load " + std::to_string(n + 1);
        if (load.quantity < 0 || load.quantity > kMaxLoadQuantity)
            return which + ": the quantity must be between 0 and " +
                   std::to_string(kMaxLoadQuantity) + ".";
        if (auto p = OutOfRange(which + ": the quiescent current", load.quiescentMilliamps,
                                kMaxLoadMilliamps, "mA"))
            return p;
        if (auto p = OutOfRange(which + ": the alarm current", load.alarmMilliamps,
                                kMaxLoadMilliamps, "mA"))
            return p;
    }
    return std::nullopt;
}

Amount DefaultAlarmMinutes(BatteryStandard standard, bool voiceSystem) {
    if (standard == BatteryStandard::BS5839) return Amount::FromWhole(30);
    return Amount::FromWhole(voiceSystem ? 15 : 5);
}

StandbyPowerResult CalculateStandbyPower(const StandbyPowerInputs& in,
                                         const LoopCurrentTotals& loops,
                                         const std::vector<Amount>& sizesAh) {
    StandbyPowerResult r;
    r.standard = in.standard;
    const Currents quiescent = SumCurrents(loops.quiescentMicroamps, in.panelQuiescentMilliamps,
                                           in.otherLoads, &OtherLoad::quiescentMilliamps);
    const Currents alarm = SumCurrents(loops.alarmMicroamps, in.panelAlarmMilliamps, in.otherLoads,
                                       &OtherLoad::alarmMilliamps);
    // Current units are 1e-4 µA, the amount's own scale.
    r.quiescentMicroamps = Amount::FromScaled(static_cast<std::int64_t>(quiescent.units));
    r.alarmMicroamps = Amount::FromScaled(static_cast<std::int64_t>(alarm.units));
    r.standbyHours = in.standbyHours;
    r.alarmHours = Amount::FromScaled(
        static_cast<std::int64_t>(DivideHalfEven(WideInt{in.alarmMinutes.Scaled()}, 60)));

    // The two charges in units: I1 x T1 with T1 in hours, I2 x T2 with T2 in minutes.
    const WideInt standby = quiescent.units * in.standbyHours.Scaled() * 60 * 4 * 20;
    const WideInt alarmCharge = alarm.units * in.alarmMinutes.Scaled() * 4 * 20;
    r.standbyCharge = UnitsToAh(standby, 4);
    r.alarmCharge = UnitsToAh(alarmCharge, 4);
    const WideInt factor = FactorTwentieths(in.standard);
    r.factor = Amount::FromScaled(static_cast<std::int64_t>(factor * Amount::kScale / 20));

    // factor x (standby + D x alarm), D in quarters (4 = 1, 7 = 1.75).
    const auto requirement = [&](WideInt quarters) {
        return factor * (standby * 4 + quarters * alarmCharge) / 80;
    };
    const WideInt withD1 = requirement(4);
    const WideInt withD175 = requirement(7);
    // A battery carries the alarm current within its 20-hour rate when C / 20 h >= I2.
    const WideInt rateCapacity = alarm.units * 20 * (kUnitsPerAh / kAmpUnits);
    const auto deratingQuarters = [&](WideInt capacity) {
        return capacity >= rateCapacity ? 4 : 7;
    };

    const bool british = in.standard == BatteryStandard::BS5839;
    WideInt required = withD1;
    int quarters = 4;
    if (british) {
        // The smallest capacity meeting its own rule: below the 20-hour-rate capacity D is 1.75,
        // from it on D is 1.
        if (withD175 < rateCapacity) {
            required = withD175;
            quarters = 7;
        } else {
            required = std::max(withD1, rateCapacity);
        }
        r.requirementD1 = UnitsToAh(withD1, 4);
        r.requirementD175 = UnitsToAh(withD175, 4);
        r.alarmRateCapacity = UnitsToAh(rateCapacity, 4);
    }
    r.derating = quarters == 7 ? Amount::FromScaled(17500) : Amount::FromWhole(1);
    r.requiredCapacity = UnitsToAh(required, 2);

    // The smallest listed size that meets the rule with its own D.
    std::vector<Amount> sizes;
    for (Amount s : sizesAh)
        if (s > Amount()) sizes.push_back(s);
    std::sort(sizes.begin(), sizes.end());
    for (Amount s : sizes) {
        const WideInt capacity = WideInt{s.Scaled()} * (kUnitsPerAh / Amount::kScale);
        const WideInt need = british ? requirement(deratingQuarters(capacity)) : withD1;
        if (capacity >= need) {
            r.recommendedSize = s;
            break;
        }
    }

    std::vector<std::string>& w = r.working;
    w.push_back("Standard: " + StandardName(in.standard));
    w.push_back(CurrentLine("Quiescent current I1", quiescent));
    w.push_back(CurrentLine("Alarm current I2", alarm));
    w.push_back("Standby: I1 × T1 = " + Amps(quiescent.units) + " A × " + Number(in.standbyHours) +
                " h = " + Number(r.standbyCharge) + " Ah");
    w.push_back("Alarm: I2 × T2 = " + Amps(alarm.units) + " A × " + Number(in.alarmMinutes) +
                " min (" + Number(r.alarmHours) + " h) = " + Number(r.alarmCharge) + " Ah");
    const std::string charges = Number(r.standbyCharge) + " + ";
    if (british) {
        w.push_back("With D = 1: 1.25 × (" + charges + "1 × " + Number(r.alarmCharge) +
                    ") = " + Number(r.requirementD1) + " Ah");
        w.push_back("With D = 1.75: 1.25 × (" + charges + "1.75 × " + Number(r.alarmCharge) +
                    ") = " + Number(r.requirementD175) + " Ah");
        const std::string current = "the alarm current " + Amps(alarm.units) + " A ";
        const std::string capacity = Number(r.alarmRateCapacity) + " Ah";
        const std::string rate = " (20 h × " + Amps(alarm.units) + " A)";
        if (alarm.units == 0)
            w.push_back("D = 1: there is no alarm current");
        else if (quarters == 7)
            w.push_back("D = 1.75: " + current + "exceeds the 20-hour rate of any battery below " +
                        capacity + rate + ", and " + Number(r.requirementD175) +
                        " Ah is below that");
        else if (withD1 >= rateCapacity)
            w.push_back("D = 1: " + current + "is within the 20-hour rate of any battery of " +
                        capacity + " or more" + rate + ", and " + Number(r.requirementD1) +
                        " Ah is not below that");
        else
            w.push_back("D = 1: " + current + "is within the 20-hour rate of any battery of " +
                        capacity + " or more" + rate +
                        "; a smaller battery would need D = 1.75 and " + Number(r.requirementD175) +
                        " Ah, so " + Number(r.alarmRateCapacity) +
                        " Ah is the least that meets the rule");
    } else {
        w.push_back("Required: (" + charges + Number(r.alarmCharge) + ") × " + Number(r.factor) +
                    " = " + Number(UnitsToAh(withD1, 4)) + " Ah");
    }
    w.push_back("Required capacity: " + FormatFixed(r.requiredCapacity, 2) + " Ah");
    if (r.recommendedSize) {
        std::string line = "Recommended battery: " + Number(*r.recommendedSize) + " Ah";
        if (british) {
            const Amount size = *r.recommendedSize;
            const WideInt capacity = WideInt{size.Scaled()} * (kUnitsPerAh / Amount::kScale);
            const Amount rateAmps =
                Amount::FromScaled(static_cast<std::int64_t>(DivideHalfEven(size.Scaled(), 20)));
            line += " (20-hour rate " + Number(rateAmps) +
                    " A, D = " + (deratingQuarters(capacity) == 4 ? "1" : "1.75") + ")";
        }
        w.push_back(line);
    } else {
        w.push_back((sizes.empty() ? "No battery list to choose from: "
                                   : "No battery in the list is large enough: ") +
                    FormatFixed(r.requiredCapacity, 2) + " Ah required");
    }
    return r;
}

namespace {

struct StandardNames {
    BatteryStandard standard;
    const char* key;
    const char* name;
};

constexpr StandardNames kStandards[] = {
    {BatteryStandard::BS5839, "bs5839", "BS 5839-1"},
    {BatteryStandard::NFPA72_2019, "nfpa72-2019", "NFPA 72 (2019)"},
    {BatteryStandard::NFPA72_2022, "nfpa72-2022", "NFPA 72 (2022)"},
};

const StandardNames& NamesOf(BatteryStandard standard) {
    for (const StandardNames& names : kStandards)
        if (names.standard == standard) return names;
    return kStandards[0];
}

}  // namespace

std::string StandardKey(BatteryStandard standard) {
    return NamesOf(standard).key;
}

std::optional<BatteryStandard> StandardFromKey(const std::string& key) {
    for (const StandardNames& names : kStandards)
        if (names.key == key) return names.standard;
    return std::nullopt;
}

std::string StandardName(BatteryStandard standard) {
    return NamesOf(standard).name;
}
