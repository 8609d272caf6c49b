#include "plugins/vlc_settings.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

namespace spindrel::plugins {

VlcSettings parseVlcSettings(const std::string& file) {
    // Read as VLC 3 reads it (src/config/file.c, config_LoadConfigFile): a UTF-8 byte order mark
    // is skipped, the file is opened in text mode, where a Ctrl-Z ends it on Windows, and every
    // line is a C string, ending at a NUL.
    std::string text = file.substr(0, file.find('\x1a'));
    if (text.rfind("\xef\xbb\xbf", 0) == 0)
        text.erase(0, 3);
    VlcSettings settings;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::string line;
        if (end == std::string::npos) {
            // VLC cuts the last character of every line it reads, meant to be its newline: a last
            // line without one loses a character of its own.
            end = text.size();
            line = text.substr(start, end - start - 1);
        } else {
            line = text.substr(start, end - start);
        }
        start = end + 1;
        line.resize(std::min(line.find('\0'), line.size()));
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
        } else if (name == "control") {
            settings.controlInterfaces = value;
        } else if (name == "http-password") {
            settings.httpPassword = value;
        } else if (name == "http-host") {
            settings.httpHost = value;
        } else if (name == "http-port") {
            // VLC reads numbers in C's notation (base 0: "0x1f91", "010") and wants all of it.
            char* after = nullptr;
            const long port = std::strtol(value.c_str(), &after, 0);
            // VLC would not listen on a port it cannot read either; keep its default then.
            if (after != value.c_str() && *after == '\0' && port > 0 && port <= 65535) {
                settings.httpPort = static_cast<std::uint16_t>(port);
            }
        }
    }
    return settings;
}

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// The names of a module list, split as VLC splits "extraintf" and "control" (src/libvlc.c).
std::vector<std::string> modules(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        names.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

// VLC's web interface is the Lua module with the shortcuts "luahttp" and "http"
// (modules/lua/vlc.c); VLC matches module names without regard to case.
bool namesWebInterface(const std::string& list) {
    for (const std::string& name : modules(list)) {
        if (sameIgnoringCase(name, "http") || sameIgnoringCase(name, "luahttp"))
            return true;
    }
    return false;
}

bool isModuleName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
    });
}

}  // namespace

bool servesLoopback(const std::string& host) {
    // Empty or 0.0.0.0: VLC listens on 127.0.0.1 as well. "::" and its kin are IPv6 only (VLC
    // sets IPV6_V6ONLY, src/network/io.c), and "*" is no address VLC can listen on.
    return host.empty() || host == "127.0.0.1" || sameIgnoringCase(host, "localhost") ||
           host == "0.0.0.0";
}

bool webInterfaceOn(const VlcSettings& settings) {
    // VLC refuses every request while the password is empty.
    return !settings.httpPassword.empty() && servesLoopback(settings.httpHost) &&
           (namesWebInterface(settings.extraInterfaces) ||
            namesWebInterface(settings.controlInterfaces));
}

std::string vlcStartParameters(char driveLetter, std::uint16_t port, const std::string& password,
                               const std::string& userInterfaces) {
    // A second --extraintf replaces the first (and the settings file's), so the user's own extra
    // interfaces are named again beside http, separated by ":" as VLC's option takes them. Only
    // module names are kept: anything else could split the unquoted argument.
    // Options: VLC's src/libvlc-module.c ("extraintf", "http-host", "http-port",
    // "http-password", "one-instance"); "dvdnav-menu": modules/access/dvdnav.c.
    std::string interfaces;
    for (const std::string& name : modules(userInterfaces)) {
        if (isModuleName(name))
            interfaces += (interfaces.empty() ? "" : ":") + name;
    }
    if (!namesWebInterface(interfaces))
        interfaces += interfaces.empty() ? "http" : ":http";
    std::string parameters = "--extraintf=" + interfaces +
                             " --http-host=127.0.0.1 --http-port=" + std::to_string(port) +
                             " --http-password=" + password +
                             // With "Allow only one instance" set, a VLC started while another
                             // one runs hands the disc to that one and exits (src/win32/
                             // specific.c), and the web interface asked for here with it.
                             " --no-one-instance" +
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
