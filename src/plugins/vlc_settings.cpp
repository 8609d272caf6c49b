#include "plugins/vlc_settings.h"

#include <cstdlib>

namespace spindrel::plugins {

VlcSettings parseVlcSettings(const std::string& text) {
    VlcSettings settings;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // "[module]" heads a section and "#" a comment; names are unique across sections.
        const std::size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || line[0] == '[' || equals == std::string::npos) {
            continue;
        }
        const std::string name = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (name == "extraintf") {
            settings.extraInterfaces = value;
        } else if (name == "http-password") {
            settings.httpPassword = value;
        } else if (name == "http-host") {
            settings.httpHost = value;
        } else if (name == "http-port") {
            char* after = nullptr;
            const long port = std::strtol(value.c_str(), &after, 10);
            // VLC would not listen on a port it cannot read either; keep its default then.
            if (after != value.c_str() && *after == '\0' && port > 0 && port <= 65535) {
                settings.httpPort = static_cast<std::uint16_t>(port);
            }
        }
    }
    return settings;
}

bool servesLoopback(const std::string& host) {
    // Empty, or any of the "all addresses" forms: VLC then listens on 127.0.0.1 as well.
    return host.empty() || host == "127.0.0.1" || host == "localhost" || host == "0.0.0.0" ||
           host == "::" || host == "[::]" || host == "*";
}

namespace {

bool namesModule(const std::string& list, const std::string& module) {
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos)
            end = list.size();
        if (list.compare(start, end - start, module) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

std::string vlcStartParameters(char driveLetter, std::uint16_t port, const std::string& password,
                               const std::string& userInterfaces) {
    // A second --extraintf replaces the first (and the settings file's), so the user's own extra
    // interfaces are named again beside http, separated by ":" as VLC's option takes them.
    // Options: VLC's src/libvlc-module.c ("extraintf", "http-host", "http-port",
    // "http-password"); "dvdnav-menu": modules/access/dvdnav.c.
    std::string interfaces = "http";
    if (!userInterfaces.empty()) {
        interfaces =
            namesModule(userInterfaces, "http") ? userInterfaces : userInterfaces + ":http";
    }
    std::string parameters = "--extraintf=" + interfaces +
                             " --http-host=127.0.0.1 --http-port=" + std::to_string(port) +
                             " --http-password=" + password +
                             // The disc starts with its own first-play title, as in every other
                             // player, so a macro recorded elsewhere meets what it expects.
                             " --no-dvdnav-menu";
    if (driveLetter != 0)
        parameters += std::string(" dvd:///") + driveLetter + ":/";
    return parameters;
}

std::string passwordText(const std::string& randomBytes) {
    static const char* const kDigits = "0123456789abcdef";
    std::string text;
    for (const char byte : randomBytes) {
        const auto b = static_cast<unsigned char>(byte);
        text += kDigits[b >> 4];
        text += kDigits[b & 15];
    }
    return text;
}

}  // namespace spindrel::plugins
