#include "app/CustomPanelChooserModel.h"

#include <cstddef>

#include "app/PanelEditorModel.h"
#include "catalogue/Panels.h"

CustomPanelChooserModel::CustomPanelChooserModel(bool doDelete) : doDelete_(doDelete) {
    Fill();
}

void CustomPanelChooserModel::Fill() {
    panels_.clear();
    for (std::size_t n = 0; n < PanelTable.size(); ++n)
        if (PanelTable[n].Manufacturer == CustomManufacturerIndex)
            panels_.push_back({PanelTable[n].PanelName, static_cast<int>(n)});
}

std::string CustomPanelChooserModel::Title() const {
    return doDelete_ ? "Delete User-Defined Control Panel" : "Edit User-Defined Control Panel";
}

std::string CustomPanelChooserModel::ActionCaption() const {
    return doDelete_ ? "&Delete" : "&Edit...";
}

std::string CustomPanelChooserModel::CloseCaption() const {
    return doDelete_ ? "&Close" : "&Cancel";
}

bool CustomPanelChooserModel::DeleteAt(int index) {
    const int number = PanelNumberAt(index);
    if (number < 0 || !DeleteCustomPanel(number)) return false;
    Fill();
    RefillMainPanelList();
    return panels_.empty();
}

int CustomPanelChooserModel::PanelNumberAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= panels_.size()) return -1;
    return panels_[static_cast<std::size_t>(index)].number;
}
