#include "support/fake_registry.h"

#include "base/registry.h"
#include "base/text.h"

namespace spindrel::testing {

namespace {

std::vector<std::string> split(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : trimKeyPath(path)) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

std::string joinLower(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& part : parts) out += asciiLower(part) + "\\";
    return out;
}

}  // namespace

FakeRegistry::Node* FakeRegistry::Node::child(const std::string& name) const {
    for (const auto& [key, node] : keys) {
        if (equalsIgnoreAsciiCase(key, name)) return node.get();
    }
    return nullptr;
}

RegValue* FakeRegistry::Node::findValue(const std::string& name) {
    for (auto& [key, value] : values) {
        if (equalsIgnoreAsciiCase(key, name)) return &value;
    }
    return nullptr;
}

FakeRegistry::Node* FakeRegistry::find(RegRoot root, const std::vector<std::string>& path) const {
    const auto found = roots_.find(root);
    if (found == roots_.end()) return nullptr;
    Node* node = found->second.get();
    for (const std::string& part : path) {
        node = node->child(part);
        if (node == nullptr) return nullptr;
    }
    return node;
}

FakeRegistry::Node* FakeRegistry::resolve(RegKey key) const {
    const auto found = handles_.find(key);
    return found == handles_.end() ? nullptr : find(found->second.root, found->second.path);
}

bool FakeRegistry::readOnly(RegRoot root, const std::vector<std::string>& path) const {
    const std::string lowered = joinLower(path);
    for (const auto& [deniedRoot, deniedPath] : readOnly_) {
        if (deniedRoot == root && lowered.compare(0, deniedPath.size(), deniedPath) == 0) {
            return true;
        }
    }
    return false;
}

RegStatus FakeRegistry::refuse(int code) {
    lastError_ = code;
    return code == kAccessDenied ? RegStatus::accessDenied : RegStatus::failed;
}

RegStatus FakeRegistry::openKey(RegRoot root, const std::string& path, bool create, RegKey& key) {
    const std::vector<std::string> parts = split(path);
    const std::string lowered = joinLower(parts);
    for (const auto& [deniedRoot, deniedPath] : unreadable_) {
        if (deniedRoot == root && lowered.compare(0, deniedPath.size(), deniedPath) == 0) {
            return refuse();
        }
    }
    if (find(root, parts) == nullptr) {
        if (!create) return RegStatus::notFound;
        if (readOnly(root, parts)) return refuse();
        createKey(root, path);
    }
    key = nextHandle_++;
    handles_[key] = Open{root, parts};
    return RegStatus::ok;
}

void FakeRegistry::closeKey(RegKey key) { handles_.erase(key); }

RegStatus FakeRegistry::readValue(RegKey key, const std::string& name, RegValue& value) {
    Node* node = resolve(key);
    if (node == nullptr) return RegStatus::failed;
    const RegValue* found = node->findValue(name);
    if (found == nullptr) return RegStatus::notFound;
    value = *found;
    return RegStatus::ok;
}

RegStatus FakeRegistry::writeValue(RegKey key, const std::string& name, const RegValue& value) {
    Node* node = resolve(key);
    if (node == nullptr) return RegStatus::failed;
    const Open& open = handles_.at(key);
    if (readOnly(open.root, open.path)) return refuse();
    if (writesLeft_ == 0) return refuse(writeError_);
    if (writesLeft_ > 0) --writesLeft_;
    if (RegValue* existing = node->findValue(name)) {
        *existing = value;
    } else {
        node->values.emplace_back(name, value);
    }
    return RegStatus::ok;
}

RegStatus FakeRegistry::subKeyNames(RegKey key, std::vector<std::string>& names) {
    names.clear();
    Node* node = resolve(key);
    if (node == nullptr) return RegStatus::failed;
    for (const auto& entry : node->keys) names.push_back(entry.first);
    return RegStatus::ok;
}

RegStatus FakeRegistry::valueNames(RegKey key, std::vector<std::string>& names) {
    names.clear();
    Node* node = resolve(key);
    if (node == nullptr) return RegStatus::failed;
    for (const auto& entry : node->values) names.push_back(entry.first);
    return RegStatus::ok;
}

RegStatus FakeRegistry::deleteKey(RegKey parent, const std::string& subKey) {
    Node* node = resolve(parent);
    if (node == nullptr) return RegStatus::failed;
    if (refuseDeletes_) return refuse();
    const std::vector<std::string> parts = split(subKey);
    if (parts.empty()) return RegStatus::failed;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        node = node->child(parts[i]);
        if (node == nullptr) return RegStatus::notFound;
    }
    for (auto it = node->keys.begin(); it != node->keys.end(); ++it) {
        if (equalsIgnoreAsciiCase(it->first, parts.back())) {
            node->keys.erase(it);
            return RegStatus::ok;
        }
    }
    return RegStatus::notFound;
}

void FakeRegistry::createKey(RegRoot root, const std::string& path) {
    auto& rootNode = roots_[root];
    if (!rootNode) rootNode = std::make_unique<Node>();
    Node* node = rootNode.get();
    for (const std::string& part : split(path)) {
        Node* next = node->child(part);
        if (next == nullptr) {
            node->keys.emplace_back(part, std::make_unique<Node>());
            next = node->keys.back().second.get();
        }
        node = next;
    }
}

bool FakeRegistry::keyExists(RegRoot root, const std::string& path) const {
    return find(root, split(path)) != nullptr;
}

void FakeRegistry::setValue(RegRoot root, const std::string& path, const std::string& name,
                            const RegValue& value) {
    createKey(root, path);
    Node* node = find(root, split(path));
    if (RegValue* existing = node->findValue(name)) {
        *existing = value;
    } else {
        node->values.emplace_back(name, value);
    }
}

void FakeRegistry::setString(RegRoot root, const std::string& path, const std::string& name,
                             const std::string& text) {
    setValue(root, path, name, RegValue{RegType::string, {text.begin(), text.end()}});
}

void FakeRegistry::setDword(RegRoot root, const std::string& path, const std::string& name,
                            std::uint32_t number) {
    RegValue value{RegType::dword, {}};
    for (int i = 0; i < 4; ++i) value.data.push_back(static_cast<std::uint8_t>(number >> (8 * i)));
    setValue(root, path, name, value);
}

const RegValue* FakeRegistry::value(RegRoot root, const std::string& path,
                                    const std::string& name) const {
    Node* node = find(root, split(path));
    return node == nullptr ? nullptr : node->findValue(name);
}

std::string FakeRegistry::stringValue(RegRoot root, const std::string& path,
                                      const std::string& name) const {
    const RegValue* found = value(root, path, name);
    if (found == nullptr || found->type != RegType::string) return "<not a string>";
    return std::string(found->data.begin(), found->data.end());
}

std::uint32_t FakeRegistry::dwordValue(RegRoot root, const std::string& path,
                                       const std::string& name) const {
    const RegValue* found = value(root, path, name);
    if (found == nullptr || found->type != RegType::dword || found->data.size() != 4) {
        return 0xDEADBEEF;
    }
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | found->data[static_cast<std::size_t>(i)];
    return number;
}

void FakeRegistry::makeReadOnly(RegRoot root, const std::string& path) {
    readOnly_.insert({root, joinLower(split(path))});
}

void FakeRegistry::makeUnreadable(RegRoot root, const std::string& path) {
    unreadable_.insert({root, joinLower(split(path))});
}

}  // namespace spindrel::testing
