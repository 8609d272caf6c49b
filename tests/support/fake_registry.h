#pragma once
// An in-memory registry: three roots, keys and values in the order they were created, key and
// value names compared without regard to letter case, as the real one does. Keys can be made
// read-only to test refused writes, and open handles are counted so tests can see leaks.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/registry_port.h"

namespace spindrel::testing {

class FakeRegistry : public RegistryPort {
public:
    RegStatus openKey(RegRoot root, const std::string& path, bool create, RegKey& key) override;
    void closeKey(RegKey key) override;
    RegStatus readValue(RegKey key, const std::string& name, RegValue& value) override;
    RegStatus writeValue(RegKey key, const std::string& name, const RegValue& value) override;
    RegStatus subKeyNames(RegKey key, std::vector<std::string>& names) override;
    RegStatus valueNames(RegKey key, std::vector<std::string>& names) override;
    RegStatus deleteKey(RegKey parent, const std::string& subKey) override;
    int lastErrorCode() const override { return lastError_; }

    // Test set-up and inspection; paths as the program writes them (backslashes optional).
    void setString(RegRoot root, const std::string& path, const std::string& name,
                   const std::string& text);
    void setDword(RegRoot root, const std::string& path, const std::string& name,
                  std::uint32_t number);
    void setValue(RegRoot root, const std::string& path, const std::string& name,
                  const RegValue& value);
    void createKey(RegRoot root, const std::string& path);
    bool keyExists(RegRoot root, const std::string& path) const;
    // nullptr when absent.
    const RegValue* value(RegRoot root, const std::string& path, const std::string& name) const;
    std::string stringValue(RegRoot root, const std::string& path, const std::string& name) const;
    std::uint32_t dwordValue(RegRoot root, const std::string& path, const std::string& name) const;

    // Creating keys below this path and writing values in it fail with access denied.
    void makeReadOnly(RegRoot root, const std::string& path);
    // Opening this key or any below it fails with access denied, as if its security said so.
    void makeUnreadable(RegRoot root, const std::string& path);
    // Deleting a key fails with access denied.
    void refuseDeletes() { refuseDeletes_ = true; }
    // Only this many more value writes succeed; later ones fail with the system's error code
    // (access denied unless told otherwise).
    void failWritesAfter(int count, int code = kAccessDenied) {
        writesLeft_ = count;
        writeError_ = code;
    }
    static constexpr int kAccessDenied = 5;

    int openHandles() const { return static_cast<int>(handles_.size()); }

private:
    struct Node {
        std::vector<std::pair<std::string, std::unique_ptr<Node>>> keys;
        std::vector<std::pair<std::string, RegValue>> values;
        Node* child(const std::string& name) const;
        RegValue* findValue(const std::string& name);
    };
    struct Open {
        RegRoot root;
        std::vector<std::string> path;
    };

    Node* find(RegRoot root, const std::vector<std::string>& path) const;
    Node* resolve(RegKey key) const;
    bool readOnly(RegRoot root, const std::vector<std::string>& path) const;

    std::map<RegRoot, std::unique_ptr<Node>> roots_;
    std::map<RegKey, Open> handles_;
    std::set<std::pair<RegRoot, std::string>> readOnly_;
    std::set<std::pair<RegRoot, std::string>> unreadable_;
    bool refuseDeletes_ = false;
    RegKey nextHandle_ = 1;
    int writesLeft_ = -1;
    int writeError_ = kAccessDenied;
    int lastError_ = 0;
    RegStatus refuse(int code = kAccessDenied);
};

}  // namespace spindrel::testing
