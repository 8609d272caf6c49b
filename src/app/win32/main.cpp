// DVD Spindrel: the program body. Builds the adapters, the core main window and the real
// window, then runs the message loop.

#include <windows.h>

#include "app/tmain.h"
#include "app/win32/main_window.h"
#include "library/win32/library_dialogs.h"
#include "platform/win32/win32_bitmaps.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_file_io.h"
#include "platform/win32/win32_save_dialog.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_library.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_open_dialog.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shared_memory.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_super_timers.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_timers.h"
#include "platform/win32/win32_windows.h"
#include "ui/skin_layout.h"
#include "ui/win32/resource_count.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace spindrel;
    Win32Registry registry;
    Win32Timers timers;
    Win32SuperTimers superTimers;
    Win32MessageBox messages;
    Win32SharedMemory sharedMemory;
    Win32MessagePump pump;
    Win32Library libraries;
    Win32FileSystem files;
    Win32System system;
    Win32Windows windows;
    Win32Shell shell;
    Win32OpenDialog openDialog;
    Win32SaveDialog saveDialog;
    Win32FileIo fileIo;
    Win32Bitmaps bitmaps;
    LibraryDialogs libraryDialogs(files, fileIo, bitmaps, timers, messages, pump);
    Win32Drives drives;
    Win32Clipboard clipboard;
    ResourceCountWindow resourceCount;
    Ports ports{registry,   timers,         superTimers, messages, sharedMemory, pump,
                libraries,  files,          system,      windows,  shell,        openDialog,
                saveDialog, libraryDialogs, fileIo,      bitmaps,  drives,       clipboard};

    Tmain tmain(ports);
    MainWindow window(tmain, system);
    pump.beforePump = [&window, &libraryDialogs] {
        window.reflect();
        libraryDialogs.reflect();
    };
    libraryDialogs.boxCaption = [&tmain] { return tmain.model.applicationTitle; };
    libraryDialogs.afterMessage = [&window] { window.reflect(); };
    // The library dialog grows out of the file panel's Open button, which is in view when it
    // is clicked.
    libraryDialogs.opener = [&tmain, &window] {
        const MainModel& model = tmain.model;
        POINT origin{skin::main_form::base_panel.left + model.file_panel.left + model.openbtn.left,
                     skin::main_form::base_panel.top + model.file_panel.top + model.openbtn.top};
        ClientToScreen(window.handle(), &origin);
        return OpenerView{{origin.x, origin.y, origin.x + model.openbtn.width - 1,
                           origin.y + model.openbtn.height - 1},
                          isChecked(model.cbox_2)};
    };
    if (!window.create(instance))
        return 0;
    messages.setOwner(window.handle());
    openDialog.setOwner(window.handle());
    libraryDialogs.setOwner(window.handle());
    saveDialog.setOwner(window.handle());
    clipboard.setOwner(window.handle());

    MSG message;
    // A modal loop may take the WM_QUIT that the closing window posted and not post it again:
    // Wine's loop of a window drag does, when a close arrives during the drag (a posted message
    // comes before the button's release). So a main window that is gone ends this loop too.
    while (IsWindow(window.handle()) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        window.reflect();
    }
    if (IsWindow(window.handle()))
        DestroyWindow(window.handle());
    return 0;
}
