#pragma once
// The two windows an open of a configuration file talks to. Whoever opens a design supplies
// both (see OpenConfigurationFile): the main window its progress window and its unknown-device
// dialog, the command-line tool its fixed answers.
#include <cstdint>
#include <string>

// The open-progress window (frmOpenProgress): the file's name, a percentage bar and Cancel.
class OpenProgressView {
public:
    virtual ~OpenProgressView() = default;
    // The load begins: shows the window with its label text ("Opening '" + path + "'...").
    virtual void ShowOpening(const std::string& text) = 0;
    // The bar, 0 to 99.
    virtual void ShowPercent(int percent) = 0;
    // Lets pending window events run; true when Cancel was pressed since the last call. (The
    // open then asks whether to cancel; on No it goes on.)
    virtual bool CancelPressed() = 0;
    // The load reached one of its ends; the window closes.
    virtual void CloseProgress() = 0;
};

// Shows nothing and is never cancelled: an open without a user.
class SilentOpenProgress : public OpenProgressView {
public:
    void ShowOpening(const std::string&) override {}
    void ShowPercent(int) override {}
    bool CancelPressed() override { return false; }
    void CloseProgress() override {}
};

// The unknown-device dialog (dlgIgnoreUnknown): an entry of the file names a device type that
// cannot be placed. UnknownResponse shows UnknownDeviceText(l, s, T) and gives 'Y' (leave the
// address without a device), 'A' (the same, and ask no more during this open) or 'C' (cancel
// the open).
class IgnoreUnknownPrompt {
public:
    virtual ~IgnoreUnknownPrompt() = default;
    virtual char UnknownResponse(std::int16_t l, std::int16_t s, std::int16_t T) = 0;
};
// The question's text for loop l, address s and device type T.
std::string UnknownDeviceText(std::int16_t l, std::int16_t s, std::int16_t T);
