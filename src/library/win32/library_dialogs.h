#pragma once
// Makes the library dialog for the file panel's Open: the core dialog over the program's ports
// and its window, owned by the main window.

#include <windows.h>

#include <functional>
#include <string>

#include "library/tfm_open.h"
#include "platform/library_dialog_port.h"
#include "platform/win32/win32_message_box.h"

namespace spindrel {

// What the dialog reads of the main window when it opens.
struct OpenerView {
    ScreenRect openbtn;  // on the screen, right and bottom inclusive
    bool animateSliders = false;
};

class LibraryDialogs : public LibraryDialogPort {
  public:
    LibraryDialogs(FileSystemPort& files, FileIoPort& fileIo, BitmapPort& bitmaps,
                   TimerService& timers, Win32MessageBox& messages, MessagePump& pump);

    void setOwner(HWND owner) { owner_ = owner; }
    std::unique_ptr<LibraryDialog> create() override;
    // Shows the open dialog's model, when one is open.
    void reflect();

    std::function<std::string()> boxCaption;
    std::function<OpenerView()> opener;
    // Runs after every message of the dialog's modal loop.
    std::function<void()> afterMessage;

    // The screen, the taskbar and the main window, as the placement needs them.
    static PlacementFacts placementFacts(HWND mainWindow);

  private:
    class Dialog;

    FileSystemPort& files_;
    FileIoPort& fileIo_;
    BitmapPort& bitmaps_;
    TimerService& timers_;
    Win32MessageBox& messages_;
    MessagePump& pump_;
    HWND owner_ = nullptr;
    Dialog* open_ = nullptr;
};

}  // namespace spindrel
