#include "app/StandbyPowerModel.h"

#include <algorithm>
#include <cmath>

#include "document/CalcGlue.h"
#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "shell/Numbers.h"
#include "shell/Platform.h"
#include "shell/Product.h"
#include "shell/Text.h"

namespace {

// Beyond every limit of the calculation: a larger typed value is taken as this, so that the range
// check refuses it with its own message rather than overflowing the amount.
constexpr double kBeyondLimits = 1e9;

std::size_t At(StandbyField field) {
    return static_cast<std::size_t>(field);
}

// A typed decimal, rounded half to even at the fourth decimal; nothing when it is not a number.
std::optional<Amount> TypedAmount(const std::string& text) {
    if (!IsNumeric(text)) return std::nullopt;
    const double value = std::clamp(NumericValue(text), -kBeyondLimits, kBeyondLimits);
    return Amount::FromDouble(value);
}

std::optional<std::int32_t> TypedWhole(const std::string& text) {
    if (!IsNumeric(text)) return std::nullopt;
    const double value = NumericValue(text);
    if (value != std::floor(value)) return std::nullopt;
    return static_cast<std::int32_t>(std::clamp(value, -kBeyondLimits, kBeyondLimits));
}

// The input behind a field, of const or changeable inputs.
template <typename Inputs>
auto& InputOf(Inputs& inputs, StandbyField field) {
    switch (field) {
        case StandbyField::StandbyHours:
            return inputs.standbyHours;
        case StandbyField::AlarmMinutes:
            return inputs.alarmMinutes;
        case StandbyField::PanelQuiescent:
            return inputs.panelQuiescentMilliamps;
        case StandbyField::PanelAlarm:
            break;
    }
    return inputs.panelAlarmMilliamps;
}

template <typename Row>
auto& CellOf(Row& row, LoadColumn column) {
    switch (column) {
        case LoadColumn::Name:
            return row.name;
        case LoadColumn::Quantity:
            return row.quantity;
        case LoadColumn::Quiescent:
            return row.quiescent;
        case LoadColumn::Alarm:
            break;
    }
    return row.alarm;
}

std::string NotANumber(StandbyField field) {
    switch (field) {
        case StandbyField::StandbyHours:
            return "The standby period is not a number.";
        case StandbyField::AlarmMinutes:
            return "The alarm period is not a number.";
        case StandbyField::PanelQuiescent:
            return "The panel's quiescent current is not a number.";
        case StandbyField::PanelAlarm:
            break;
    }
    return "The panel's alarm current is not a number.";
}

std::string LoadNotANumber(int row, LoadColumn column) {
    const std::string load = "Other load " + FormatGeneral(static_cast<std::int64_t>(row + 1));
    if (column == LoadColumn::Quantity) return load + ": the quantity is not a whole number.";
    if (column == LoadColumn::Quiescent) return load + ": the quiescent current is not a number.";
    return load + ": the alarm current is not a number.";
}

std::string LoadName(int n) {
    return "Load " + FormatGeneral(static_cast<std::int64_t>(n));
}

}  // namespace

StandbyPowerModel::StandbyPowerModel(const BatteryListSource& batteries)
    : loops_(StandbyLoopTotals()), sizes_(batteries()) {
    const StandbyPowerInputs& held = CurrentDocument().StandbyPower;
    standard_ = held.standard;
    voice_ = held.voiceSystem;
    for (int f = 0; f < kStandbyFieldCount; ++f) {
        const auto field = static_cast<StandbyField>(f);
        texts_[At(field)] = FormatGeneral(InputOf(held, field));
    }
    for (const OtherLoad& load : held.otherLoads)
        loads_.push_back({load.name, FormatGeneral(static_cast<std::int64_t>(load.quantity)),
                          FormatGeneral(load.quiescentMilliamps),
                          FormatGeneral(load.alarmMilliamps)});
    alarmFollowsStandard_ = held.alarmMinutes == DefaultAlarm();
    // The defaults stand in for inputs that cannot be calculated, until the user puts them right.
    result_ = CalculateStandbyPower(good_, loops_, sizes_.value_or(std::vector<Amount>{}));
    Update();
}

void StandbyPowerModel::ChooseStandard(BatteryStandard standard) {
    if (standard == standard_) return;
    standard_ = standard;
    if (standard_ == BatteryStandard::BS5839) voice_ = false;
    FollowStandard();
}

void StandbyPowerModel::SetVoiceSystem(bool voice) {
    voice = voice && VoiceChoiceEnabled();
    if (voice == voice_) return;
    voice_ = voice;
    FollowStandard();
}

void StandbyPowerModel::FollowStandard() {
    if (alarmFollowsStandard_)
        texts_[At(StandbyField::AlarmMinutes)] = FormatGeneral(DefaultAlarm());
    Update();
}

const std::string& StandbyPowerModel::Text(StandbyField field) const {
    return texts_[At(field)];
}

void StandbyPowerModel::SetText(StandbyField field, std::string text) {
    if (field == StandbyField::AlarmMinutes)
        alarmFollowsStandard_ = TypedAmount(text) == DefaultAlarm();
    texts_[At(field)] = std::move(text);
    Update();
}

std::optional<int> StandbyPowerModel::AddLoad() {
    if (!CanAddLoad()) return std::nullopt;
    int n = static_cast<int>(loads_.size()) + 1;
    const auto taken = [&](const std::string& name) {
        for (const OtherLoadRow& row : loads_)
            if (Trim(row.name) == name) return true;
        return false;
    };
    while (taken(LoadName(n)))
        ++n;
    loads_.push_back({LoadName(n), "1", "0", "0"});
    Update();
    return static_cast<int>(loads_.size()) - 1;
}

void StandbyPowerModel::RemoveLoad(int row) {
    if (row < 0 || row >= static_cast<int>(loads_.size())) return;
    loads_.erase(loads_.begin() + row);
    Update();
}

void StandbyPowerModel::SetLoadCell(int row, LoadColumn column, std::string text) {
    if (row < 0 || row >= static_cast<int>(loads_.size())) return;
    OtherLoadRow& load = loads_[static_cast<std::size_t>(row)];
    CellOf(load, column) = std::move(text);
    Update();
}

const std::string& StandbyPowerModel::CellText(const OtherLoadRow& row, LoadColumn column) {
    return CellOf(row, column);
}

// Takes the typed values into the candidate one at a time, checking the range after each, so
// that the first wrong value is the one named.
std::optional<StandbyProblem> StandbyPowerModel::Check(StandbyPowerInputs& candidate) const {
    candidate.standard = standard_;
    candidate.voiceSystem = voice_;
    for (int f = 0; f < kStandbyFieldCount; ++f) {
        const auto field = static_cast<StandbyField>(f);
        const std::optional<Amount> value = TypedAmount(texts_[At(field)]);
        if (!value) return StandbyProblem{NotANumber(field), field};
        InputOf(candidate, field) = *value;
        if (auto message = CheckStandbyInputs(candidate)) return StandbyProblem{*message, field};
    }
    for (int row = 0; row < static_cast<int>(loads_.size()); ++row) {
        const OtherLoadRow& typed = loads_[static_cast<std::size_t>(row)];
        candidate.otherLoads.push_back({Trim(typed.name), 1, {}, {}});
        OtherLoad& load = candidate.otherLoads.back();
        const auto refused = [&](LoadColumn column) -> std::optional<StandbyProblem> {
            if (auto message = CheckStandbyInputs(candidate))
                return StandbyProblem{*message, std::nullopt, row, column};
            return std::nullopt;
        };
        if (auto problem = refused(LoadColumn::Name)) return problem;
        const std::optional<std::int32_t> quantity = TypedWhole(typed.quantity);
        if (!quantity)
            return StandbyProblem{LoadNotANumber(row, LoadColumn::Quantity), std::nullopt, row,
                                  LoadColumn::Quantity};
        load.quantity = *quantity;
        if (auto problem = refused(LoadColumn::Quantity)) return problem;
        for (const LoadColumn column : {LoadColumn::Quiescent, LoadColumn::Alarm}) {
            const std::optional<Amount> value = TypedAmount(CellText(typed, column));
            if (!value)
                return StandbyProblem{LoadNotANumber(row, column), std::nullopt, row, column};
            (column == LoadColumn::Quiescent ? load.quiescentMilliamps : load.alarmMilliamps) =
                *value;
            if (auto problem = refused(column)) return problem;
        }
    }
    return std::nullopt;
}

void StandbyPowerModel::Update() {
    StandbyPowerInputs candidate;
    problem_ = Check(candidate);
    if (problem_) return;
    good_ = std::move(candidate);
    result_ = CalculateStandbyPower(good_, loops_, sizes_.value_or(std::vector<Amount>{}));
}

std::string StandbyPowerModel::LoopTotalsText() const {
    return "quiescent " + CurrentText(loops_.quiescentMicroamps) + ", alarm " +
           CurrentText(loops_.alarmMicroamps);
}

bool StandbyPowerModel::PanelCurrentsNoteVisible() const {
    return good_.panelQuiescentMilliamps == Amount() && good_.panelAlarmMilliamps == Amount();
}

std::string StandbyPowerModel::WorkingText() const {
    std::string text;
    for (const std::string& line : result_.working)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

std::string StandbyPowerModel::RecommendationText() const {
    if (result_.recommendedSize)
        return "Recommended battery: " + FormatGeneral(*result_.recommendedSize) + " Ah";
    return (HasBatteryList() ? "No battery in the list is large enough: "
                             : "No battery list to choose from: ") +
           FormatFixed(result_.requiredCapacity, 2) + " Ah required";
}

bool StandbyPowerModel::Accept() {
    if (problem_) {
        ShowMessage(problem_->message, kProductName, MsgIcon::Exclamation);
        return false;
    }
    StandbyPowerInputs& held = CurrentDocument().StandbyPower;
    if (held == good_) return true;
    held = good_;
    MarkModified();
    return true;
}
