#pragma once
// The bytes of a plain HTTP/1.0 GET and the reading of its answer: portable, so the Winsock
// adapter only moves bytes and the rules are tested natively.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace spindrel {

// More than any answer of a player's interface; a longer one is not read on.
inline constexpr std::size_t kMaxAnswerBytes = 1 << 20;

std::string base64(const std::string& bytes);

// "GET <path> HTTP/1.0" to 127.0.0.1:port with Basic authentication of ":" + password, or none
// for an empty password. HTTP/1.0 and "Connection: close" make the server end the connection
// after its answer.
std::string httpGetRequest(std::uint16_t port, const std::string& path,
                           const std::string& password);

struct HttpResponse {
    int status = 0;
    std::string body;
    std::string challenge;  // the WWW-Authenticate field's value, as sent
};

// How many bytes the whole answer takes, once its head has arrived and names a Content-Length;
// nothing while that is not known (the answer then ends when the server closes), and nothing for
// a length beyond kMaxAnswerBytes.
std::optional<std::size_t> httpResponseLength(const std::string& received);

// The status and body of a received answer; nothing when it is no HTTP answer.
std::optional<HttpResponse> parseHttpResponse(const std::string& received);

}  // namespace spindrel
