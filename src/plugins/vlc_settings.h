#pragma once
// What DVD Spindrel reads from VLC's own settings file (vlcrc), and the command line with which
// it starts VLC: the web interface on for that run alone, on 127.0.0.1, with a password of its own.

#include <cstdint>
#include <optional>
#include <string>

namespace spindrel::plugins {

// The values the user set; a line VLC wrote commented out ("#name=value") is VLC's default and
// is not a setting.
struct VlcSettings {
    std::string extraInterfaces;    // "extraintf"
    std::string controlInterfaces;  // "control"
    std::string httpPassword;
    std::uint16_t httpPort = 8080;  // VLC's default
    std::string httpHost;
};

VlcSettings parseVlcSettings(const std::string& text);

// Whether VLC started with these settings runs its web interface, and on 127.0.0.1.
bool webInterfaceOn(const VlcSettings& settings);
bool servesLoopback(const std::string& host);

// The challenge VLC's web server answers a request without the password with
// (src/network/httpd.c): a listener that does not send it is not VLC.
inline constexpr const char* kVlcChallenge = "Basic realm=\"VLC stream\"";

// The parameters that start VLC with its web interface on this port and password, playing the
// DVD in this drive (0: no disc named). userInterfaces is the user's own "extraintf", kept.
std::string vlcStartParameters(char driveLetter, std::uint16_t port, const std::string& password,
                               const std::string& userInterfaces);

// Random bytes as a password that needs no quoting on a command line or in a header.
std::string passwordText(const std::string& randomBytes);

}  // namespace spindrel::plugins
