#pragma once
// The registry as the program needs it: keys under three roots, typed values, names.
// The port reports what happened as a status; the words for the user are the core's
// (see base/registry.h), so every adapter and double answers alike.

#include <cstdint>
#include <string>
#include <vector>

namespace spindrel {

// localMachine64 and localMachine32 are HKEY_LOCAL_MACHINE seen through the 64-bit and the 32-bit
// registry view, whatever this program's own bitness: how a player installed for either is found.
enum class RegRoot { localMachine, currentUser, users, localMachine64, localMachine32 };

// The numbers are the registry's own type codes, so adapters can pass them through.
enum class RegType : std::uint32_t { none = 0, string = 1, expandString = 2, binary = 3, dword = 4 };

enum class RegStatus { ok, notFound, accessDenied, failed };

struct RegValue {
    RegType type = RegType::none;
    std::vector<std::uint8_t> data;  // REG_SZ: the characters without the terminating NUL
};

using RegKey = std::uintptr_t;  // 0 is never a valid key

class RegistryPort {
public:
    virtual ~RegistryPort() = default;

    // path: relative to the root, backslash-separated, no leading or trailing backslash.
    virtual RegStatus openKey(RegRoot root, const std::string& path, bool create, RegKey& key) = 0;
    virtual void closeKey(RegKey key) = 0;

    // Reads the value as stored, whatever its type; the caller checks the type.
    virtual RegStatus readValue(RegKey key, const std::string& name, RegValue& value) = 0;
    virtual RegStatus writeValue(RegKey key, const std::string& name, const RegValue& value) = 0;

    // Names in the order the registry enumerates them.
    virtual RegStatus subKeyNames(RegKey key, std::vector<std::string>& names) = 0;
    virtual RegStatus valueNames(RegKey key, std::vector<std::string>& names) = 0;

    // Deletes a sub-key of an open key with everything below it.
    virtual RegStatus deleteKey(RegKey parent, const std::string& subKey) = 0;

    // The system's own error code of the last call that failed, for the user's message.
    virtual int lastErrorCode() const = 0;
};

}  // namespace spindrel
