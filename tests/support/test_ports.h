#pragma once
// Every port's double in one place, wired into the Ports bundle the core takes.

#include "app/ports.h"
#include "support/fake_bitmaps.h"
#include "support/fake_clipboard.h"
#include "support/fake_dialogs.h"
#include "support/fake_drives.h"
#include "support/fake_file_io.h"
#include "support/fake_platform.h"
#include "support/fake_plugin.h"
#include "support/fake_registry.h"
#include "support/fake_shared_memory.h"
#include "support/scripted_message_boxes.h"
#include "support/virtual_clock.h"

namespace spindrel::testing {

struct TestPorts {
    FakeRegistry registry;
    VirtualClock clock;
    ScriptedMessageBoxes messages;
    SharedMemorySystem sharedMemorySystem;
    FakeSharedMemory sharedMemory{sharedMemorySystem};
    FakeMessagePump pump;
    FakeLibraries libraries;
    FakeFileSystem files;
    FakeSystem system;
    FakeWindows windows;
    FakeShell shell;
    FakeOpenDialog openDialog;
    FakeSaveDialog saveDialog;
    FakeLibraryDialogs libraryDialogs;
    FakeFileIo fileIo{files};
    FakeBitmaps bitmaps;
    FakeDrives drives;
    FakeClipboard clipboard;

    Ports ports() {
        return Ports{registry,   clock,      clock,          messages, sharedMemory, pump,
                     libraries,  files,      system,         windows,  shell,        openDialog,
                     saveDialog, libraryDialogs, fileIo,     bitmaps,  drives,       clipboard};
    }

    // The program's folder as FakeSystem reports it, and its DSM folder.
    static constexpr const char* kProgramFolder = "C:\\Program Files\\DVD Spindrel";
    static constexpr const char* kDsmFolder = "C:\\Program Files\\DVD Spindrel\\dsm";
};

}  // namespace spindrel::testing
