#pragma once
// The chooser of user-defined panels without its window: lists them for deleting or for opening
// one in the panel dialog.
#include <string>
#include <vector>

struct CustomPanelItem {
    std::string name;
    int number = 0;  // the panel's number in the panel table
    friend bool operator==(const CustomPanelItem&, const CustomPanelItem&) = default;
};

class CustomPanelChooserModel {
public:
    // True: delete mode; false: edit mode.
    explicit CustomPanelChooserModel(bool doDelete);

    bool DoDelete() const { return doDelete_; }
    std::string Title() const;
    std::string ActionCaption() const;  // "&Delete" or "&Edit..."
    std::string CloseCaption() const;   // "&Close" or "&Cancel"
    // The live user-defined panels in table order.
    const std::vector<CustomPanelItem>& Panels() const { return panels_; }

    // Deletes the listed panel; the one in use is refused with its message and nothing changes.
    // After a deletion the list and the main window's panel list are filled again. Returns true
    // when the chooser closes because no user-defined panel remains.
    bool DeleteAt(int index);
    // The panel number to open in edit mode, -1 for no valid item.
    int PanelNumberAt(int index) const;

private:
    void Fill();

    bool doDelete_;
    std::vector<CustomPanelItem> panels_;
};
