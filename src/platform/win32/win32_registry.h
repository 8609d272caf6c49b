#pragma once
#include "platform/registry_port.h"

namespace spindrel {

class Win32Registry : public RegistryPort {
public:
    RegStatus openKey(RegRoot root, const std::string& path, bool create, RegKey& key) override;
    void closeKey(RegKey key) override;
    RegStatus readValue(RegKey key, const std::string& name, RegValue& value) override;
    RegStatus writeValue(RegKey key, const std::string& name, const RegValue& value) override;
    RegStatus subKeyNames(RegKey key, std::vector<std::string>& names) override;
    RegStatus valueNames(RegKey key, std::vector<std::string>& names) override;
    RegStatus deleteKey(RegKey parent, const std::string& subKey) override;
    int lastErrorCode() const override { return lastError_; }

private:
    // Keeps the code of a failure: the status alone loses it.
    RegStatus result(long code);

    long lastError_ = 0;
};

}  // namespace spindrel
