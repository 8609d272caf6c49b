#pragma once
// File contents for the file system double: a file exists in FakeFileSystem exactly when it has
// contents here, and failures can be planted per path.

#include <map>
#include <string>

#include "platform/file_io_port.h"
#include "support/fake_platform.h"

namespace spindrel::testing {

class FakeFileIo : public FileIoPort {
  public:
    explicit FakeFileIo(FakeFileSystem& files) : files_(files) {
        files_.moved = [this](const std::string& from, const std::string& to) {
            std::string bytes = std::move(contents[from]);
            contents.erase(from);
            contents[to] = std::move(bytes);
        };
        files_.removed = [this](const std::string& path) { contents.erase(path); };
    }

    void put(const std::string& path, const std::string& bytes) {
        contents[files_.resolve(path)] = bytes;
        files_.files.insert(files_.resolve(path));
        files_.touch(path);
    }
    const std::string& at(const std::string& path) const {
        return contents.at(files_.resolve(path));
    }
    bool has(const std::string& path) const { return contents.count(files_.resolve(path)) != 0; }

    int readAll(const std::string& path, std::string& bytes) override {
        ++reads;
        const std::string key = files_.resolve(path);
        if (const auto error = readErrors.find(key); error != readErrors.end())
            return error->second;
        const auto found = contents.find(key);
        if (found == contents.end())
            return 2;  // the file was not found
        bytes = found->second;
        return 0;
    }

    int readStart(const std::string& path, std::size_t maxBytes, std::string& bytes) override {
        lastReadLimit = maxBytes;
        const int error = readAll(path, bytes);
        if (error == 0 && bytes.size() > maxBytes)
            bytes.resize(maxBytes);
        return error;
    }

    int replace(const std::string& path, const std::string& bytes) override {
        ++writes;
        const std::string key = files_.resolve(path);
        if (const auto error = writeErrors.find(key); error != writeErrors.end()) {
            return error->second;
        }
        put(key, bytes);
        return 0;
    }

    std::map<std::string, std::string> contents;  // by resolved path
    std::map<std::string, int> readErrors;        // by resolved path
    std::map<std::string, int> writeErrors;       // by resolved path
    int reads = 0;
    std::size_t lastReadLimit = 0;  // of the last readStart
    int writes = 0;

  private:
    FakeFileSystem& files_;
};

}  // namespace spindrel::testing
