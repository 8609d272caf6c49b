#pragma once
// Everything through which the core reaches the outside world.

#include "platform/bitmap_port.h"
#include "platform/clipboard_port.h"
#include "platform/drives_port.h"
#include "platform/file_io_port.h"
#include "platform/file_system_port.h"
#include "platform/library_dialog_port.h"
#include "platform/library_port.h"
#include "platform/message_box_port.h"
#include "platform/message_pump_port.h"
#include "platform/open_dialog_port.h"
#include "platform/registry_port.h"
#include "platform/save_dialog_port.h"
#include "platform/shared_memory_port.h"
#include "platform/shell_port.h"
#include "platform/system_port.h"
#include "platform/timer_port.h"
#include "platform/window_port.h"

namespace spindrel {

struct Ports {
    RegistryPort& registry;
    TimerService& timers;
    // Serves the slide timer: ticks measured by a thread of their own, run on the UI thread.
    TimerService& superTimers;
    MessageBoxPort& messages;
    SharedMemoryPort& sharedMemory;
    MessagePump& pump;
    LibraryPort& libraries;
    FileSystemPort& files;
    SystemPort& system;
    WindowPort& windows;
    ShellPort& shell;
    OpenDialogPort& openDialog;
    SaveDialogPort& saveDialog;
    LibraryDialogPort& libraryDialogs;
    FileIoPort& fileIo;
    BitmapPort& bitmaps;
    DrivesPort& drives;
    ClipboardPort& clipboard;
};

}  // namespace spindrel
