#pragma once
// The device type chooser without its window: a two-level tree of the shown device families and
// their device types, from which the loop editor's Add button takes one type for a new row of
// the device table. It reads the device type catalogue and changes nothing.
//
//     DeviceTypeChooser chooser;          // filled on construction
//     chooser.Select(2);
//     if (chooser.PressOk()) editor.AddChosenType(chooser.Result());
#include <optional>
#include <string>
#include <vector>

enum class ChooserPicture { FamilyClosed, FamilyOpen, Device };

// One item of the tree.
struct ChooserItem {
    std::string text;
    int level = 1;  // 1: a family, 2: a device type
    int tag = 0;    // 0 for a family, the device type number for a device type
    bool open = false;
    ChooserPicture picture = ChooserPicture::FamilyClosed;
};

class DeviceTypeChooser {
public:
    static constexpr const char* kCaption = "Add Device Type";
    static constexpr const char* kHint = "(Click on '+' to expand a family of device types)";
    static constexpr const char* kPrompt = "Choose a new device type.";
    static constexpr const char* kNothingToChoose =
        "There are no addressable devices to choose from! Select a Device Family in the Options "
        "dialogue box.";
    static constexpr const char* kCancelled = "Cancel";

    // Fills the tree; a type number to preselect selects that type and opens its family.
    explicit DeviceTypeChooser(int preselectType = 0);

    const std::vector<ChooserItem>& Items() const { return items_; }
    // The prompt above the tree (lblChoose): the prompt, or the explanation of an empty tree.
    const std::string& ChooseText() const { return chooseText_; }
    // The hint, the tree and its panel are shown only when there is something to choose.
    bool TreeVisible() const { return !items_.empty(); }
    std::optional<int> SelectedItem() const { return selected_; }
    // OK is enabled exactly when a device type is selected.
    bool OkEnabled() const { return okEnabled_; }

    void Select(int index);
    // Opens or closes a family item (its picture follows).
    void SetFamilyOpen(int index, bool open);
    // A double click: a family opens or closes, a device type presses OK when OK is enabled.
    // Answers whether the window is to be hidden.
    bool DoubleClick(int index);

    // Takes the selected type; a type that cannot be placed is refused with its message and the
    // window stays open (false).
    bool PressOk();
    void PressCancel() { result_ = kCancelled; }
    // "Cancel", or the chosen device type number in decimal.
    const std::string& Result() const { return result_; }

private:
    void CheckEnables();

    std::vector<ChooserItem> items_;
    std::string chooseText_ = kPrompt;
    std::optional<int> selected_;
    bool okEnabled_ = false;
    std::string result_ = kCancelled;
};
