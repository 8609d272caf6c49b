#include "platform/win32/win32_drives.h"

#include <windows.h>

namespace spindrel {

namespace {
// An empty removable drive must answer "no medium", not put up the system's "insert a disk" box.
class NoCriticalErrorBoxes {
  public:
    NoCriticalErrorBoxes() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~NoCriticalErrorBoxes() { SetErrorMode(previous_); }
    NoCriticalErrorBoxes(const NoCriticalErrorBoxes&) = delete;
    NoCriticalErrorBoxes& operator=(const NoCriticalErrorBoxes&) = delete;

  private:
    UINT previous_;
};
}  // namespace

std::uint32_t Win32Drives::logicalDrives() {
    return GetLogicalDrives();
}

unsigned Win32Drives::driveType(const std::string& root) {
    return GetDriveTypeA(root.c_str());
}

std::optional<VolumeInfo> Win32Drives::volumeInformation(const std::string& root) {
    NoCriticalErrorBoxes quiet;
    char label[256] = {};
    char fileSystem[256] = {};
    DWORD serial = 0;
    DWORD maxComponent = 0;
    DWORD flags = 0;
    if (!GetVolumeInformationA(root.c_str(), label, sizeof label, &serial, &maxComponent, &flags,
                               fileSystem, sizeof fileSystem)) {
        return std::nullopt;
    }
    return VolumeInfo{label, serial, fileSystem};
}

bool Win32Drives::fileExists(const std::string& path) {
    NoCriticalErrorBoxes quiet;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::uint8_t> Win32Drives::readByteAt(const std::string& path, std::uint32_t offset) {
    NoCriticalErrorBoxes quiet;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::optional<std::uint8_t> result;
    LARGE_INTEGER position{};
    position.QuadPart = offset;
    unsigned char byte = 0;
    DWORD got = 0;
    if (SetFilePointerEx(file, position, nullptr, FILE_BEGIN) &&
        ReadFile(file, &byte, 1, &got, nullptr) && got == 1) {
        result = byte;
    }
    CloseHandle(file);
    return result;
}

}  // namespace spindrel
