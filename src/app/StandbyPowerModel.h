#pragma once
// The standby power window without its window: a working copy of the design's standby battery
// inputs, typed as text, checked and calculated on every change, and stored in the design by OK
// only. The loop totals are those of the main window when the window opens, so a loop changed in
// the loop editor shows the next time the window opens.
//
// The alarm period follows the standard: while it is the default of the standard and voice
// choice in force, choosing another standard or voice choice sets it to the new default; a period
// of the user's own (any other value typed, or opened with the design) is kept as it is.
//
// A value that cannot be calculated (not a number, or out of range) leaves the last result that
// could be calculated on show and names the wrong field; OK refuses it with the same message.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/StandbyPower.h"

// The typed fields, in the order they are checked.
enum class StandbyField { StandbyHours, AlarmMinutes, PanelQuiescent, PanelAlarm };
inline constexpr int kStandbyFieldCount = 4;

// The columns of the other-loads table.
enum class LoadColumn { Name, Quantity, Quiescent, Alarm };
inline constexpr int kLoadColumnCount = 4;

// One row of the other-loads table as typed.
struct OtherLoadRow {
    std::string name;
    std::string quantity;
    std::string quiescent;  // mA each
    std::string alarm;      // mA each
    friend bool operator==(const OtherLoadRow&, const OtherLoadRow&) = default;
};

// The first value that cannot be calculated: its message and where it is (a field, or a cell of
// the other-loads table when `field` is empty).
struct StandbyProblem {
    std::string message;
    std::optional<StandbyField> field;
    int row = -1;
    LoadColumn column = LoadColumn::Name;
    friend bool operator==(const StandbyProblem&, const StandbyProblem&) = default;
};

// The battery list: the sizes in Ah, or nothing when the list could not be read (the reader has
// shown its problem itself).
using BatteryListSource = std::function<std::optional<std::vector<Amount>>()>;

class StandbyPowerModel {
public:
    static constexpr const char* kPanelCurrentsNote =
        "The panel's own currents are not in the panel data: enter them from the panel maker's "
        "data.";

    // The standards in the order the window lists them: NFPA 72's current edition before the
    // older one.
    static constexpr std::array<BatteryStandard, 3> kStandards = {
        BatteryStandard::BS5839, BatteryStandard::NFPA72_2022, BatteryStandard::NFPA72_2019};

    // Copies the design's inputs and the loop totals as they stand, and asks `batteries` once
    // for the battery list.
    explicit StandbyPowerModel(const BatteryListSource& batteries);

    BatteryStandard Standard() const { return standard_; }
    void ChooseStandard(BatteryStandard standard);
    // The voice system choice belongs to NFPA 72 only; BS 5839-1 clears it.
    bool VoiceChoiceEnabled() const { return standard_ != BatteryStandard::BS5839; }
    bool VoiceSystem() const { return voice_; }
    void SetVoiceSystem(bool voice);

    const std::string& Text(StandbyField field) const;
    void SetText(StandbyField field, std::string text);

    // --- The other loads
    const std::vector<OtherLoadRow>& Loads() const { return loads_; }
    bool CanAddLoad() const { return loads_.size() < kMaxOtherLoads; }
    // Appends "Load n" (the first n from the row count up that no row is named), quantity 1,
    // 0 mA, 0 mA; answers its row, or nothing when the table is full.
    std::optional<int> AddLoad();
    void RemoveLoad(int row);
    void SetLoadCell(int row, LoadColumn column, std::string text);
    static const std::string& CellText(const OtherLoadRow& row, LoadColumn column);

    // --- What the window shows
    // "quiescent 12 mA, alarm 340 mA", as the main window's totals row shows them.
    std::string LoopTotalsText() const;
    const LoopCurrentTotals& LoopTotals() const { return loops_; }
    // While the panel's own currents are both 0.
    bool PanelCurrentsNoteVisible() const;
    // The first value that cannot be calculated; nothing while every value can.
    const std::optional<StandbyProblem>& Problem() const { return problem_; }
    // The last inputs that could be calculated, and their result.
    const StandbyPowerInputs& Inputs() const { return good_; }
    const StandbyPowerResult& Result() const { return result_; }
    // The working, a line a step.
    std::string WorkingText() const;
    // The recommended battery, or the required capacity when no listed battery suffices or
    // there is no list.
    std::string RecommendationText() const;
    bool HasBatteryList() const { return sizes_ && !sizes_->empty(); }

    // OK: refuses a value that cannot be calculated (its message; the window then goes to
    // Problem()'s place) and answers false. Otherwise stores the inputs in the design, marks the
    // design changed when they differ from what it held, and answers true.
    bool Accept();

private:
    void Update();
    std::optional<StandbyProblem> Check(StandbyPowerInputs& candidate) const;
    Amount DefaultAlarm() const { return DefaultAlarmMinutes(standard_, voice_); }
    void FollowStandard();

    BatteryStandard standard_;
    bool voice_;
    std::array<std::string, kStandbyFieldCount> texts_;
    std::vector<OtherLoadRow> loads_;
    bool alarmFollowsStandard_;
    LoopCurrentTotals loops_;
    std::optional<std::vector<Amount>> sizes_;
    std::optional<StandbyProblem> problem_;
    StandbyPowerInputs good_;
    StandbyPowerResult result_;
};
