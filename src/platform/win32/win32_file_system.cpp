#include "platform/win32/win32_file_system.h"

#include <windows.h>

namespace spindrel {

namespace {

int lastError() {
    return static_cast<int>(GetLastError());
}

FileTime fileTimeOf(const FILETIME& time) {
    return static_cast<FileTime>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                 time.dwLowDateTime);
}

}  // namespace

bool Win32FileSystem::fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::directoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int Win32FileSystem::createDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) ? 0 : static_cast<int>(GetLastError());
}

int Win32FileSystem::setCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryA(path.c_str()) ? 0 : static_cast<int>(GetLastError());
}

std::string Win32FileSystem::currentDirectory() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, length < sizeof buffer ? length : 0);
}

std::vector<FileEntry> Win32FileSystem::findFiles(const std::string& pattern) {
    std::vector<FileEntry> entries;
    WIN32_FIND_DATAA found;
    // FindExInfoBasic skips the short names, which nothing here reads.
    HANDLE search = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        FileEntry entry;
        entry.name = found.cFileName;
        entry.lastWrite = fileTimeOf(found.ftLastWriteTime);
        entry.hidden = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        entry.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back(std::move(entry));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
}

std::optional<FileTime> Win32FileSystem::lastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    return fileTimeOf(data.ftLastWriteTime);
}

int Win32FileSystem::moveFile(const std::string& from, const std::string& to) {
    return MoveFileA(from.c_str(), to.c_str()) ? 0 : lastError();
}

int Win32FileSystem::deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) ? 0 : lastError();
}

int Win32FileSystem::setHiddenOnly(const std::string& path) {
    return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN) ? 0 : lastError();
}

}  // namespace spindrel
