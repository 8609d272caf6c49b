#include "platform/http_text.h"

#include <cctype>
#include <cstdlib>

namespace spindrel {

namespace {

constexpr const char* kHeadEnd = "\r\n\r\n";

std::string lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string base64(const std::string& bytes) {
    static const char* const kDigits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned n = static_cast<unsigned char>(bytes[i]) << 16 |
                           static_cast<unsigned char>(bytes[i + 1]) << 8 |
                           static_cast<unsigned char>(bytes[i + 2]);
        text += kDigits[n >> 18 & 63];
        text += kDigits[n >> 12 & 63];
        text += kDigits[n >> 6 & 63];
        text += kDigits[n & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        unsigned n = static_cast<unsigned char>(bytes[i]) << 16;
        if (rest == 2)
            n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        text += kDigits[n >> 18 & 63];
        text += kDigits[n >> 12 & 63];
        text += rest == 2 ? kDigits[n >> 6 & 63] : '=';
        text += '=';
    }
    return text;
}

std::string httpGetRequest(std::uint16_t port, const std::string& path,
                           const std::string& password) {
    const std::string authorization =
        password.empty() ? "" : "Authorization: Basic " + base64(":" + password) + "\r\n";
    return "GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n" +
           authorization + "Connection: close\r\n\r\n";
}

std::optional<std::size_t> httpResponseLength(const std::string& received) {
    const std::size_t headEnd = received.find(kHeadEnd);
    if (headEnd == std::string::npos)
        return std::nullopt;
    const std::string head = lower(received.substr(0, headEnd));
    const std::string field = "\r\ncontent-length:";
    const std::size_t at = head.find(field);
    if (at == std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    const unsigned long long length = std::strtoull(head.c_str() + at + field.size(), &end, 10);
    if (end == head.c_str() + at + field.size() || length > kMaxAnswerBytes)
        return std::nullopt;
    return headEnd + 4 + static_cast<std::size_t>(length);
}

std::optional<HttpResponse> parseHttpResponse(const std::string& received) {
    // "HTTP/1.x 200 OK": the status is the three digits after the first blank.
    if (received.rfind("HTTP/", 0) != 0)
        return std::nullopt;
    const std::size_t blank = received.find(' ');
    const std::size_t headEnd = received.find(kHeadEnd);
    if (blank == std::string::npos || headEnd == std::string::npos || blank > headEnd) {
        return std::nullopt;
    }
    HttpResponse response;
    for (std::size_t i = blank + 1; i < blank + 4; ++i) {
        if (i >= received.size() || !std::isdigit(static_cast<unsigned char>(received[i]))) {
            return std::nullopt;
        }
        response.status = response.status * 10 + (received[i] - '0');
    }
    const std::string field = "\r\nwww-authenticate:";
    const std::size_t at = lower(received.substr(0, headEnd)).find(field);
    if (at != std::string::npos) {
        const std::size_t begin = received.find_first_not_of(" \t", at + field.size());
        const std::size_t end = received.find("\r\n", at + field.size());
        if (begin < end)
            response.challenge =
                received.substr(begin, received.find_last_not_of(" \t", end - 1) - begin + 1);
    }
    response.body = received.substr(headEnd + 4);
    // A body cut short of its announced length is a broken answer, not a short one.
    if (const auto length = httpResponseLength(received)) {
        if (received.size() < *length)
            return std::nullopt;
        response.body.resize(*length - headEnd - 4);
    }
    return response;
}

}  // namespace spindrel
