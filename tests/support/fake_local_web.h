#pragma once
// The local web interface of a player, as a script of answers per port, and the system's random
// source, free port and clock on the virtual time of the test.

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/local_web_port.h"

namespace spindrel::testing {

class FakeLocalWeb : public LocalWebPort, public LocalServicePort {
  public:
    struct Request {
        std::uint16_t port;
        std::string path;
        std::string password;
        std::uint32_t timeoutMs;
    };
    // How a port answers: its status, or a failure, each answer taking this long. A port with
    // nothing planted refuses, after refusalMs (Windows retries a refused connection for 2 s
    // unless told not to).
    struct Behaviour {
        WebFailure failure = WebFailure::none;
        int status = 200;
        double takesMs = 20;
        std::string password;  // any other is answered 401, with this challenge
        std::string challenge = "Basic realm=\"VLC stream\"";
    };

    WebAnswer get(std::uint16_t port, const std::string& path, const std::string& password,
                  std::uint32_t timeoutMs) override {
        requests.push_back({port, path, password, timeoutMs});
        WebAnswer answer;
        const auto found = ports.find(port);
        if (found == ports.end()) {
            answer.failure = refusalMs > timeoutMs ? WebFailure::timedOut : WebFailure::refused;
            now += refusalMs > timeoutMs ? timeoutMs : refusalMs;
            return answer;
        }
        const Behaviour& b = found->second;
        if (b.failure == WebFailure::timedOut || b.takesMs > timeoutMs) {
            now += timeoutMs;
            answer.failure = WebFailure::timedOut;
            return answer;
        }
        now += b.takesMs;
        answer.failure = b.failure;
        if (b.failure == WebFailure::none) {
            answer.status = password == b.password ? b.status : 401;
            answer.body = "<root/>";
            if (answer.status == 401)
                answer.challenge = b.challenge;
        }
        return answer;
    }
    std::optional<std::string> randomBytes(std::size_t count) override {
        if (!randomWorks)
            return std::nullopt;
        return std::string(count, '\x5a');
    }
    std::uint16_t freeLoopbackPort() override { return freePort; }
    double nowMs() override { return now; }
    void pause(std::uint32_t ms) override { now += ms; }

    std::map<std::uint16_t, Behaviour> ports;
    std::vector<Request> requests;
    double refusalMs = 0;
    bool randomWorks = true;
    std::uint16_t freePort = 49321;
    double now = 0;
};

}  // namespace spindrel::testing
