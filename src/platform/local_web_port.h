#pragma once
// Requests to a web interface that a program on this machine serves, and what starting such a
// program needs from the system: a port nobody listens on and secret bytes for its password.
// Only 127.0.0.1 is ever asked, and never through a proxy.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace spindrel {

enum class WebFailure {
    none,      // an answer came: status and body hold it
    refused,   // nothing listens on the port
    timedOut,  // no whole answer within the time-out
    other,     // anything else: the network stack, a broken answer, a closed connection
};

struct WebAnswer {
    WebFailure failure = WebFailure::other;
    int status = 0;
    std::string body;
    std::string challenge;  // a 401's WWW-Authenticate field
};

class LocalWebPort {
  public:
    virtual ~LocalWebPort() = default;
    // GET of the path (with its query) from 127.0.0.1:port, with HTTP Basic authentication of an
    // empty user name and this password; an empty password sends no authentication at all.
    // Connecting and the whole answer share one time-out. A port that nobody listens on is
    // refused at once, not after the system's retries.
    virtual WebAnswer get(std::uint16_t port, const std::string& path, const std::string& password,
                          std::uint32_t timeoutMs) = 0;
};

class LocalServicePort {
  public:
    virtual ~LocalServicePort() = default;
    // Bytes from the system's random source; nothing when it fails.
    virtual std::optional<std::string> randomBytes(std::size_t count) = 0;
    // A TCP port on 127.0.0.1 that was free a moment ago; 0 when none could be had.
    virtual std::uint16_t freeLoopbackPort() = 0;
    // Milliseconds on a monotonic scale, and a pause of the calling thread.
    virtual double nowMs() = 0;
    virtual void pause(std::uint32_t ms) = 0;
};

}  // namespace spindrel
