#include "platform/win32/win32_file_io.h"

#include <windows.h>

#include <algorithm>

namespace spindrel {

namespace {

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid())
            CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closes now; 0 or the error of the close (a delayed write can fail here).
    int close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) ? 0 : static_cast<int>(GetLastError());
    }

  private:
    HANDLE handle_;
};

int lastError() {
    return static_cast<int>(GetLastError());
}

int writeAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr))
            return lastError();
        if (written == 0)
            return ERROR_DISK_FULL;
        done += written;
    }
    return FlushFileBuffers(file) ? 0 : lastError();
}

}  // namespace

std::string temporaryFolderFor(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    if (slash == std::string::npos)
        return ".";
    if (path[slash] == ':')
        return path.substr(0, slash + 1) + ".";
    // A drive's root keeps its backslash: "C:" alone is the drive's current folder.
    if (slash == 0 || path[slash - 1] == ':')
        return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

int Win32FileIo::readAll(const std::string& path, std::string& bytes) {
    return readStart(path, std::string().max_size(), bytes);
}

int Win32FileIo::readStart(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    // Reading never stands in the way of another program that replaces the file by deleting or
    // renaming it (VLC saves its settings so), nor fails while that program holds it to do so.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return lastError();
    bytes.clear();
    char buffer[65536];
    while (bytes.size() < maxBytes) {
        const DWORD wanted =
            static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, maxBytes - bytes.size()));
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, wanted, &got, nullptr))
            return lastError();
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    return file.close();
}

int Win32FileIo::replace(const std::string& path, const std::string& bytes) {
    // A file that could not be rewritten in place (read-only, or held by another program) must
    // not be replaced either. Windows refuses both the write-open and the rename over a
    // read-only file with "access denied"; Wine does so only through Unix permissions, which
    // root ignores, so the attribute is checked here as well.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return ERROR_ACCESS_DENIED;
    }
    {
        FileHandle target(CreateFileA(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!target.valid() && GetLastError() != ERROR_FILE_NOT_FOUND)
            return lastError();
    }
    // The temporary file must be in the target's folder so that the swap is a rename on one
    // volume, never a copy that could be interrupted half way.
    char temporary[MAX_PATH] = {};
    if (GetTempFileNameA(temporaryFolderFor(path).c_str(), "dsm", 0, temporary) == 0)
        return lastError();

    int error = 0;
    {
        FileHandle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            error = lastError();
        } else {
            error = writeAll(file.get(), bytes);
            const int closeError = file.close();
            if (error == 0)
                error = closeError;
        }
    }
    // MoveFileEx refuses to replace a read-only file (access denied), as a direct rewrite would.
    if (error == 0 &&
        !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = lastError();
    }
    if (error != 0)
        DeleteFileA(temporary);
    return error;
}

}  // namespace spindrel
