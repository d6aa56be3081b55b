#pragma once

#include <string>

// What a conversion run needs of the window it runs in, and nothing more: the
// run reads the output folder the user sees, turns the start button into the
// stop button, locks the settings, and ends with a message or a shut-down.
class IRunHost {
public:
    virtual ~IRunHost() = default;

    // The output folder as the display shows it; empty when none is set.
    virtual std::string OutputFolderText() const = 0;
    // The preview lets go of its file before a run takes the encoder.
    virtual void ClosePlayer() = 0;
    virtual void ShowRunButtons(bool running) = 0;
    virtual void EnableOutputSettings(bool enable) = 0;
    // How many items convert side by side, as the user chose it (1 to 4).
    virtual int ItemsAtOnce() const = 0;
    // How far the whole run has come, in the window's title and on its
    // taskbar button; cleared when the run ends.
    virtual void ShowRunProgress(const std::string& title, int percent) = 0;
    virtual void ClearRunProgress() = 0;
    // The "Automatically Shut Down the computer when converting finished"
    // box, read when it matters: it may be ticked during the run.
    virtual bool ShutDownWhenFinished() const = 0;
    virtual void ShutDownComputer() = 0;
    virtual void ShowMessage(const std::string& text, const char* caption, unsigned type) = 0;
    // False once the window has been destroyed during the run.
    virtual bool WindowAlive() const = 0;
    // Ends the window after a run that a close asked to stop.
    virtual void CloseWindow() = 0;
};
