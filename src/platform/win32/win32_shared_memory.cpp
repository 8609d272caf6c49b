#include "platform/win32/win32_shared_memory.h"

#include <windows.h>

namespace spindrel {

SharedMemoryHandle Win32SharedMemory::createOrOpen(const std::string& name, std::size_t size,
                                                   bool& alreadyExisted) {
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        static_cast<DWORD>(size), name.c_str());
    alreadyExisted = mapping != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    return reinterpret_cast<SharedMemoryHandle>(mapping);
}

void* Win32SharedMemory::map(SharedMemoryHandle handle) {
    return MapViewOfFile(reinterpret_cast<HANDLE>(handle), FILE_MAP_ALL_ACCESS, 0, 0, 0);
}

void Win32SharedMemory::unmap(void* view) { UnmapViewOfFile(view); }

void Win32SharedMemory::close(SharedMemoryHandle handle) {
    CloseHandle(reinterpret_cast<HANDLE>(handle));
}

}  // namespace spindrel
