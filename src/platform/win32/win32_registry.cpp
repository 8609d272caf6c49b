#include "platform/win32/win32_registry.h"

#include <windows.h>

namespace spindrel {

namespace {

HKEY rootHandle(RegRoot root) {
    switch (root) {
        case RegRoot::localMachine: return HKEY_LOCAL_MACHINE;
        case RegRoot::currentUser: return HKEY_CURRENT_USER;
        case RegRoot::users: return HKEY_USERS;
        case RegRoot::localMachine64:
        case RegRoot::localMachine32: return HKEY_LOCAL_MACHINE;
    }
    return HKEY_LOCAL_MACHINE;
}

// 32-bit Windows has one view and ignores both flags, as documented.
REGSAM view(RegRoot root) {
    if (root == RegRoot::localMachine64) return KEY_WOW64_64KEY;
    if (root == RegRoot::localMachine32) return KEY_WOW64_32KEY;
    return 0;
}

RegStatus status(LSTATUS code) {
    switch (code) {
        case ERROR_SUCCESS: return RegStatus::ok;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return RegStatus::notFound;
        case ERROR_ACCESS_DENIED: return RegStatus::accessDenied;
        default: return RegStatus::failed;
    }
}

HKEY handle(RegKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

RegStatus Win32Registry::result(long code) {
    if (code != ERROR_SUCCESS) lastError_ = code;
    return status(code);
}

RegStatus Win32Registry::openKey(RegRoot root, const std::string& path, bool create, RegKey& key) {
    HKEY opened = nullptr;
    LSTATUS code;
    if (create) {
        code = RegCreateKeyExA(rootHandle(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS | view(root), nullptr, &opened, nullptr);
    } else {
        code = RegOpenKeyExA(rootHandle(root), path.c_str(), 0, KEY_ALL_ACCESS | view(root),
                             &opened);
    }
    // A key that may be read but not written still counts as existing, with or without creation
    // allowed: it can be read, and a write to it is refused by name.
    if (code == ERROR_ACCESS_DENIED &&
        RegOpenKeyExA(rootHandle(root), path.c_str(), 0, KEY_READ | view(root), &opened) ==
            ERROR_SUCCESS) {
        code = ERROR_SUCCESS;
    }
    if (code != ERROR_SUCCESS) return result(code);
    key = reinterpret_cast<RegKey>(opened);
    return RegStatus::ok;
}

void Win32Registry::closeKey(RegKey key) { RegCloseKey(handle(key)); }

// RegQueryValueEx does not check types (under Wine a REG_SZ "1" reads as a DWORD with garbage),
// so the stored type is passed up and the caller checks it.
RegStatus Win32Registry::readValue(RegKey key, const std::string& name, RegValue& value) {
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS code = RegQueryValueExA(handle(key), name.c_str(), nullptr, &type, nullptr, &size);
    if (code != ERROR_SUCCESS) return result(code);
    std::vector<std::uint8_t> data(size);
    code = RegQueryValueExA(handle(key), name.c_str(), nullptr, &type, data.data(), &size);
    if (code != ERROR_SUCCESS) return result(code);
    data.resize(size);
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        while (!data.empty() && data.back() == 0) data.pop_back();
    }
    value.type = static_cast<RegType>(type);
    value.data = std::move(data);
    return RegStatus::ok;
}

RegStatus Win32Registry::writeValue(RegKey key, const std::string& name, const RegValue& value) {
    std::vector<std::uint8_t> data = value.data;
    if (value.type == RegType::string || value.type == RegType::expandString) data.push_back(0);
    return result(RegSetValueExA(handle(key), name.c_str(), 0, static_cast<DWORD>(value.type),
                                 data.data(), static_cast<DWORD>(data.size())));
}

RegStatus Win32Registry::subKeyNames(RegKey key, std::vector<std::string>& names) {
    names.clear();
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        const LSTATUS code =
            RegEnumKeyExA(handle(key), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (code == ERROR_NO_MORE_ITEMS) return RegStatus::ok;
        if (code != ERROR_SUCCESS) return result(code);
        names.emplace_back(name, length);
    }
}

RegStatus Win32Registry::valueNames(RegKey key, std::vector<std::string>& names) {
    names.clear();
    char name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        const LSTATUS code =
            RegEnumValueA(handle(key), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (code == ERROR_NO_MORE_ITEMS) return RegStatus::ok;
        if (code != ERROR_SUCCESS) return result(code);
        names.emplace_back(name, length);
    }
}

RegStatus Win32Registry::deleteKey(RegKey parent, const std::string& subKey) {
    // With a sub-key name RegDeleteTree removes that key itself as well.
    return result(RegDeleteTreeA(handle(parent), subKey.c_str()));
}

}  // namespace spindrel
