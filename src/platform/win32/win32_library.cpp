#include "platform/win32/win32_library.h"

#include <windows.h>

namespace spindrel {

LibraryHandle Win32Library::load(const std::string& fileName) {
    // A plug-in that cannot be found must be reported by the program, not by a system box.
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(fileName.c_str());
    SetErrorMode(previous);
    return reinterpret_cast<LibraryHandle>(module);
}

void* Win32Library::symbol(LibraryHandle library, const std::string& name) {
    return reinterpret_cast<void*>(
        GetProcAddress(reinterpret_cast<HMODULE>(library), name.c_str()));
}

void Win32Library::unload(LibraryHandle library) {
    FreeLibrary(reinterpret_cast<HMODULE>(library));
}

}  // namespace spindrel
