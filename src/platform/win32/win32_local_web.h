#pragma once
#include "platform/local_web_port.h"

namespace spindrel {

// Winsock (ws2_32) for the requests and the free port, BCryptGenRandom for the random bytes.
class Win32LocalWeb : public LocalWebPort, public LocalServicePort {
  public:
    WebAnswer get(std::uint16_t port, const std::string& path, const std::string& password,
                  std::uint32_t timeoutMs) override;
    std::optional<std::string> randomBytes(std::size_t count) override;
    std::uint16_t freeLoopbackPort() override;
    double nowMs() override;
    void pause(std::uint32_t ms) override;
};

}  // namespace spindrel
