#pragma once
#include <string>

#include "platform/file_io_port.h"

namespace spindrel {

// The folder in which the replacement of this file is written first: the file's own.
std::string temporaryFolderFor(const std::string& path);

class Win32FileIo : public FileIoPort {
  public:
    int readAll(const std::string& path, std::string& bytes) override;
    int readStart(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
    int replace(const std::string& path, const std::string& bytes) override;
};

}  // namespace spindrel
