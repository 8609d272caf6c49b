#pragma once
// The program's registry access object: a root key, at most one open key, typed reads and
// writes that refuse a value stored with another type. One of these serves the whole program;
// each user sets the root it needs before opening a key.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry_port.h"

namespace spindrel {

class Registry {
public:
    explicit Registry(RegistryPort& port, RegRoot root = RegRoot::localMachine);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    void setRootKey(RegRoot root);
    RegRoot rootKey() const { return root_; }

    // Key paths are taken from the root ("\Software\Tolvrey\DVD-Spindrel\"); leading and
    // trailing backslashes are optional. Closes the key that was open. False when the key
    // does not exist (and may not be created) or cannot be opened.
    bool openKey(const std::string& path, bool canCreate);
    // As openKey, but a failure raises an error that names the key and the reason.
    void openKeyOrThrow(const std::string& path, bool canCreate);
    void closeKey();
    bool hasOpenKey() const { return key_ != 0; }
    const std::string& currentPath() const { return path_; }

    bool keyExists(const std::string& path);
    bool valueExists(const std::string& name);

    // A missing string reads as empty; a missing integer or binary value is an error, as is any
    // value stored with another type.
    std::string readString(const std::string& name);
    std::int32_t readInteger(const std::string& name);
    std::vector<std::uint8_t> readBinary(const std::string& name);

    void writeString(const std::string& name, const std::string& value);
    void writeInteger(const std::string& name, std::int32_t value);
    void writeBinary(const std::string& name, const std::vector<std::uint8_t>& value);

    std::vector<std::string> keyNames();
    std::vector<std::string> valueNames();

    // Copies the sub-key oldName of the open key, with all values and sub-keys, to newName
    // (also relative to the open key) and, when deleteOld, deletes the old one. Does nothing
    // when oldName does not exist or newName already exists. Anything that cannot be read
    // stops the move with an error before the old key is touched; a refused delete is an error.
    void moveKey(const std::string& oldName, const std::string& newName, bool deleteOld);

    // "HKEY_LOCAL_MACHINE\Software\..." for messages.
    std::string describe(const std::string& path) const;

private:
    [[noreturn]] void fail(const std::string& message, RegStatus status) const;
    RegKey requireOpenKey(const std::string& valueName);
    RegValue readTyped(const std::string& name, RegType wanted, bool missingIsEmpty);
    void write(const std::string& name, const RegValue& value);
    // Depth-first copy, keys opened by their full path.
    struct Pending {
        std::string from;
        std::string to;
    };
    void copyTree(std::vector<Pending>& work);
    void copyValues(RegKey from, RegKey to, const std::string& fromPath);

    RegistryPort& port_;
    RegRoot root_;
    RegKey key_ = 0;
    std::string path_;
};

// Normalises "\A\B\" to "A\B".
std::string trimKeyPath(const std::string& path);
const char* rootName(RegRoot root);
const char* typeName(RegType type);

}  // namespace spindrel
