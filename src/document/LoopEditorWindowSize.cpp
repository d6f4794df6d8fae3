// The loop editor window's remembered size and state.
#include <algorithm>

#include "document/LoopEditorModel.h"
#include "shell/Settings.h"

namespace {

constexpr const char* kWidth = "Form Width";
constexpr const char* kHeight = "Form Height";
constexpr const char* kState = "Form State";
constexpr const char* kMaximized = "Maximized";
constexpr const char* kNormal = "Normal";

}  // namespace

EditorWindowSize RememberedEditorSize() {
    EditorWindowSize size;
    size.width = std::max(0, ReadSettingNumber(kWidth));
    size.height = std::max(0, ReadSettingNumber(kHeight));
    size.maximized = ReadSettingText(kState) == kMaximized;
    return size;
}

void RememberEditorSize(const EditorWindowSize& size) {
    if (size == RememberedEditorSize()) return;  // nothing to rewrite
    SettingsBatch batch;
    if (size.width > 0 && size.height > 0) {
        WriteSettingNumber(kWidth, size.width);
        WriteSettingNumber(kHeight, size.height);
    }
    WriteSettingText(kState, size.maximized ? kMaximized : kNormal);
    batch.Commit();
}
