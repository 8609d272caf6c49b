// The Win32 adapters one call of a plug-in's engine needs, alive for that call.
#pragma once

#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_file_io.h"
#include "platform/win32/win32_local_web.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_windows.h"
#include "plugins/engine.h"
#include "plugins/win32/this_player.h"

namespace spindrel::plugins {

struct Win32EnginePorts {
    Win32Windows windows;
    Win32Shell shell;
    Win32Registry registry;
    Win32LocalWeb web;
    Win32FileIo files;
    Win32Drives drives;

    // An engine of this player over these adapters, driving the web interface of session.
    void attach(PluginEngine& engine, WebSession& session) {
        engine.attachWeb({web, web, files, drives, session});
    }
};

}  // namespace spindrel::plugins
