#pragma once
#include "platform/file_io_port.h"

namespace spindrel {

class Win32FileIo : public FileIoPort {
  public:
    int readAll(const std::string& path, std::string& bytes) override;
    int replace(const std::string& path, const std::string& bytes) override;
};

}  // namespace spindrel
