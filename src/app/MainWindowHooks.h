#pragma once
// Attaches the main window's model to the core: calculation results, document changes, the Save
// As chooser, the unknown-device question and the recent-files list reach the model's view
// through this one adapter, installed for its lifetime.
#include <cstdint>
#include <optional>
#include <string>

#include "document/CalcGlue.h"
#include "document/ConfigReader.h"
#include "document/DesignDocument.h"
#include "document/DocumentRules.h"

#include "shell/Platform.h"

class MainWindowModel;

// Installs a platform for its lifetime and puts the previous one back afterwards.
class PlatformInstaller {
public:
    explicit PlatformInstaller(Platform* platform) : previous_(SetPlatform(platform)) {}
    ~PlatformInstaller() { SetPlatform(previous_); }
    PlatformInstaller(const PlatformInstaller&) = delete;
    PlatformInstaller& operator=(const PlatformInstaller&) = delete;

private:
    Platform* previous_;
};

class CoreHooks : public CalcDisplay,
                  public DocumentView,
                  public SaveAsChooser,
                  public IgnoreUnknownPrompt {
public:
    explicit CoreHooks(MainWindowModel& model);
    ~CoreHooks() override;
    CoreHooks(const CoreHooks&) = delete;
    CoreHooks& operator=(const CoreHooks&) = delete;

    void ShowMainWindowRow(int row, const MainWindowRow& values) override;
    void ShowAlarmNotes(bool visible) override;
    void ShowSiteName(const std::string& siteName) override;
    void ShowCaption(const std::string& caption) override;
    void ShowPanelChoice() override;
    std::optional<std::string> ChooseSavePath(const std::string& initialPath) override;
    char UnknownResponse(std::int16_t l, std::int16_t s, std::int16_t T) override;

private:
    MainWindowModel& model_;
    CalcDisplay* previousDisplay_;
    DocumentView* previousView_;
    SaveAsChooser* previousChooser_;
    IgnoreUnknownPrompt* previousPrompt_;
};
