#include "base/registry.h"

#include <cstring>

#include "base/errors.h"

namespace spindrel {

namespace {

const char* reason(RegStatus status) {
    switch (status) {
        case RegStatus::ok: return "";
        case RegStatus::notFound: return " (it does not exist)";
        case RegStatus::accessDenied: return " (access denied)";
        case RegStatus::failed: break;
    }
    return " (the registry refused the operation)";
}

RegValue stringValue(const std::string& text) {
    RegValue value;
    value.type = RegType::string;
    value.data.assign(text.begin(), text.end());
    return value;
}

}  // namespace

std::string trimKeyPath(const std::string& path) {
    std::size_t begin = 0;
    std::size_t end = path.size();
    while (begin < end && path[begin] == '\\') ++begin;
    while (end > begin && path[end - 1] == '\\') --end;
    return path.substr(begin, end - begin);
}

const char* rootName(RegRoot root) {
    switch (root) {
        case RegRoot::localMachine: return "HKEY_LOCAL_MACHINE";
        case RegRoot::currentUser: return "HKEY_CURRENT_USER";
        case RegRoot::users: return "HKEY_USERS";
        case RegRoot::localMachine64:
        case RegRoot::localMachine32: return "HKEY_LOCAL_MACHINE";
    }
    return "?";
}

const char* typeName(RegType type) {
    switch (type) {
        case RegType::string: return "REG_SZ";
        case RegType::expandString: return "REG_EXPAND_SZ";
        case RegType::binary: return "REG_BINARY";
        case RegType::dword: return "REG_DWORD";
        case RegType::none: break;
    }
    return "another type";
}

void Registry::fail(const std::string& message, RegStatus status) const {
    throw RegistryError(message, status == RegStatus::accessDenied,
                        status == RegStatus::ok ? 0 : port_.lastErrorCode());
}

Registry::Registry(RegistryPort& port, RegRoot root) : port_(port), root_(root) {}

Registry::~Registry() { closeKey(); }

void Registry::setRootKey(RegRoot root) {
    if (root != root_) closeKey();
    root_ = root;
}

bool Registry::openKey(const std::string& path, bool canCreate) {
    closeKey();
    RegKey key = 0;
    const std::string trimmed = trimKeyPath(path);
    if (port_.openKey(root_, trimmed, canCreate, key) != RegStatus::ok) return false;
    key_ = key;
    path_ = trimmed;
    return true;
}

void Registry::openKeyOrThrow(const std::string& path, bool canCreate) {
    closeKey();
    RegKey key = 0;
    const std::string trimmed = trimKeyPath(path);
    const RegStatus status = port_.openKey(root_, trimmed, canCreate, key);
    if (status != RegStatus::ok) {
        fail((canCreate ? "Failed to create key " : "Failed to open key ") + describe(trimmed) +
                 reason(status),
             status);
    }
    key_ = key;
    path_ = trimmed;
}

void Registry::closeKey() {
    if (key_ != 0) port_.closeKey(key_);
    key_ = 0;
    path_.clear();
}

bool Registry::keyExists(const std::string& path) {
    RegKey key = 0;
    if (port_.openKey(root_, trimKeyPath(path), false, key) != RegStatus::ok) return false;
    port_.closeKey(key);
    return true;
}

bool Registry::valueExists(const std::string& name) {
    if (key_ == 0) return false;
    RegValue value;
    return port_.readValue(key_, name, value) == RegStatus::ok;
}

RegKey Registry::requireOpenKey(const std::string& valueName) {
    if (key_ == 0) {
        throw RegistryError("No registry key is open to access '" + valueName + "'");
    }
    return key_;
}

RegValue Registry::readTyped(const std::string& name, RegType wanted, bool missingIsEmpty) {
    RegValue value;
    const RegStatus status = port_.readValue(requireOpenKey(name), name, value);
    if (status == RegStatus::notFound && missingIsEmpty) return RegValue{wanted, {}};
    if (status != RegStatus::ok) {
        fail("Failed to get data for '" + name + "'" + reason(status), status);
    }
    const bool stringWanted = wanted == RegType::string;
    const bool typeMatches = value.type == wanted ||
                             (stringWanted && value.type == RegType::expandString);
    if (!typeMatches) {
        throw RegistryError("Invalid data type for '" + name + "' in " + describe(path_) +
                            ": stored as " + typeName(value.type) + ", expected " +
                            typeName(wanted));
    }
    return value;
}

std::string Registry::readString(const std::string& name) {
    const RegValue value = readTyped(name, RegType::string, true);
    std::string text(value.data.begin(), value.data.end());
    // Stored strings may carry their terminator, or stop early at an embedded one.
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return text;
}

std::int32_t Registry::readInteger(const std::string& name) {
    const RegValue value = readTyped(name, RegType::dword, false);
    if (value.data.size() != 4) {
        throw RegistryError("Invalid data size for '" + name + "' in " + describe(path_));
    }
    std::uint32_t raw = 0;
    for (int i = 3; i >= 0; --i) raw = (raw << 8) | value.data[static_cast<std::size_t>(i)];
    return static_cast<std::int32_t>(raw);
}

std::vector<std::uint8_t> Registry::readBinary(const std::string& name) {
    return readTyped(name, RegType::binary, false).data;
}

void Registry::write(const std::string& name, const RegValue& value) {
    const RegStatus status = port_.writeValue(requireOpenKey(name), name, value);
    // One wording for every refused write, whatever the cause: the value's name says enough.
    if (status != RegStatus::ok) fail("Failed to set data for '" + name + "'", status);
}

void Registry::writeString(const std::string& name, const std::string& value) {
    write(name, stringValue(value));
}

void Registry::writeInteger(const std::string& name, std::int32_t value) {
    RegValue reg;
    reg.type = RegType::dword;
    const auto raw = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) reg.data.push_back(static_cast<std::uint8_t>(raw >> (8 * i)));
    write(name, reg);
}

void Registry::writeBinary(const std::string& name, const std::vector<std::uint8_t>& value) {
    write(name, RegValue{RegType::binary, value});
}

std::vector<std::string> Registry::keyNames() {
    std::vector<std::string> names;
    if (key_ != 0) port_.subKeyNames(key_, names);
    return names;
}

std::vector<std::string> Registry::valueNames() {
    std::vector<std::string> names;
    if (key_ != 0) port_.valueNames(key_, names);
    return names;
}

void Registry::copyValues(RegKey from, RegKey to, const std::string& fromPath) {
    std::vector<std::string> names;
    if (const RegStatus listed = port_.valueNames(from, names); listed != RegStatus::ok) {
        fail("Failed to read the values of " + describe(fromPath) + reason(listed), listed);
    }
    for (const std::string& name : names) {
        RegValue value;
        if (const RegStatus read = port_.readValue(from, name, value); read != RegStatus::ok) {
            fail("Failed to get data for '" + name + "'" + reason(read), read);
        }
        if (const RegStatus written = port_.writeValue(to, name, value); written != RegStatus::ok) {
            fail("Failed to set data for '" + name + "'", written);
        }
    }
}

// The old key is deleted only after every value and sub-key has been copied: a copy that
// skipped what it could not read would lose it for good.
void Registry::moveKey(const std::string& oldName, const std::string& newName, bool deleteOld) {
    requireOpenKey(oldName);
    const std::string base = path_.empty() ? std::string() : path_ + "\\";
    const std::string from = base + trimKeyPath(oldName);
    const std::string to = base + trimKeyPath(newName);
    if (!keyExists(from) || keyExists(to)) return;

    std::vector<Pending> work{{from, to}};
    try {
        copyTree(work);
    } catch (...) {
        // The target did not exist before: a half copy goes again, so that it cannot pass for
        // a handler later.
        port_.deleteKey(key_, trimKeyPath(newName));
        throw;
    }
    if (!deleteOld) return;
    if (const RegStatus deleted = port_.deleteKey(key_, trimKeyPath(oldName));
        deleted != RegStatus::ok) {
        fail("Failed to delete key " + describe(from) + reason(deleted), deleted);
    }
}

void Registry::copyTree(std::vector<Pending>& work) {
    while (!work.empty()) {
        const Pending item = work.back();
        work.pop_back();
        RegKey source = 0;
        if (const RegStatus opened = port_.openKey(root_, item.from, false, source);
            opened != RegStatus::ok) {
            fail("Failed to open key " + describe(item.from) + reason(opened), opened);
        }
        RegKey target = 0;
        const RegStatus created = port_.openKey(root_, item.to, true, target);
        if (created != RegStatus::ok) {
            port_.closeKey(source);
            fail("Failed to create key " + item.to, created);
        }
        std::vector<std::string> subKeys;
        RegStatus listed = RegStatus::ok;
        try {
            copyValues(source, target, item.from);
            listed = port_.subKeyNames(source, subKeys);
        } catch (...) {
            port_.closeKey(source);
            port_.closeKey(target);
            throw;
        }
        port_.closeKey(source);
        port_.closeKey(target);
        if (listed != RegStatus::ok) {
            fail("Failed to read the sub-keys of " + describe(item.from) + reason(listed), listed);
        }
        for (const std::string& sub : subKeys) {
            work.push_back({item.from + "\\" + sub, item.to + "\\" + sub});
        }
    }
}

std::string Registry::describe(const std::string& path) const {
    const std::string trimmed = trimKeyPath(path);
    return std::string(rootName(root_)) + (trimmed.empty() ? "" : "\\" + trimmed);
}

}  // namespace spindrel
