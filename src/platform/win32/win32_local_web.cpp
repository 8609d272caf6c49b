#include "platform/win32/win32_local_web.h"

// winsock2.h must come before windows.h, which would otherwise pull in the old winsock.h.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <mstcpip.h>
#include <windows.h>
#include <bcrypt.h>

#include "platform/http_text.h"

namespace spindrel {

namespace {

// Winsock is started once for the process and left running: a plug-in DLL stays loaded until
// the program ends, and a WSACleanup from DllMain is not allowed.
bool winsockReady() {
    static const bool ready = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return ready;
}

class Socket {
  public:
    Socket() : socket_(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {}
    ~Socket() {
        if (socket_ != INVALID_SOCKET)
            closesocket(socket_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    SOCKET get() const { return socket_; }

  private:
    SOCKET socket_;
};

sockaddr_in loopback(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

ULONGLONG now() {
    return GetTickCount64();
}

// What is left of the time-out, as select wants it; false once it has run out.
bool remaining(ULONGLONG deadline, timeval& left) {
    const ULONGLONG t = now();
    if (t >= deadline)
        return false;
    const ULONGLONG ms = deadline - t;
    left.tv_sec = static_cast<long>(ms / 1000);
    left.tv_usec = static_cast<long>(ms % 1000 * 1000);
    return true;
}

enum class Wait { ready, timedOut, failed };

Wait waitFor(SOCKET s, bool writing, ULONGLONG deadline) {
    timeval left;
    if (!remaining(deadline, left))
        return Wait::timedOut;
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    FD_SET(s, &failed);
    const int n = select(0, writing ? nullptr : &ready, writing ? &ready : nullptr, &failed, &left);
    if (n == 0)
        return Wait::timedOut;
    if (n < 0 || FD_ISSET(s, &failed))
        return Wait::failed;
    return Wait::ready;
}

// Windows retries a connection to a port that nobody listens on and reports the refusal only
// about 2 s later: a player that is gone would look hung. Without retries of the SYN the refusal
// comes at once, as it does elsewhere (SIO_TCP_INITIAL_RTO and TCP_INITIAL_RTO_PARAMETERS,
// mstcpip.h, Windows 8 and later; libuv does the same for its loopback connects). Where the system
// does not know the control code (older Windows, Wine, which refuses at once anyway) it fails, and
// the connection is made as before.
void refuseAtOnce(SOCKET s) {
    TCP_INITIAL_RTO_PARAMETERS parameters{};
    parameters.Rtt = TCP_INITIAL_RTO_UNSPECIFIED_RTT;
    parameters.MaxSynRetransmissions = TCP_INITIAL_RTO_NO_SYN_RETRANSMISSIONS;
    DWORD returned = 0;
    WSAIoctl(s, SIO_TCP_INITIAL_RTO, &parameters, sizeof parameters, nullptr, 0, &returned, nullptr,
             nullptr);
}

WebAnswer failure(WebFailure why) {
    WebAnswer answer;
    answer.failure = why;
    return answer;
}

}  // namespace

WebAnswer Win32LocalWeb::get(std::uint16_t port, const std::string& path,
                             const std::string& password, std::uint32_t timeoutMs) {
    if (!winsockReady())
        return failure(WebFailure::other);
    const ULONGLONG deadline = now() + timeoutMs;
    const Socket socket;
    const SOCKET s = socket.get();
    if (s == INVALID_SOCKET)
        return failure(WebFailure::other);
    // Non-blocking, so that connecting waits no longer than the time-out either.
    u_long nonBlocking = 1;
    if (ioctlsocket(s, FIONBIO, &nonBlocking) != 0)
        return failure(WebFailure::other);

    refuseAtOnce(s);
    const sockaddr_in address = loopback(port);
    if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        WSAGetLastError() != WSAEWOULDBLOCK) {
        return failure(WSAGetLastError() == WSAECONNREFUSED ? WebFailure::refused
                                                            : WebFailure::other);
    }
    // A failed connect shows in the exception set; its reason is the socket's pending error.
    const Wait connected = waitFor(s, true, deadline);
    if (connected == Wait::timedOut)
        return failure(WebFailure::timedOut);
    if (connected == Wait::failed) {
        int error = 0;
        int size = sizeof error;
        getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
        return failure(error == WSAECONNREFUSED ? WebFailure::refused : WebFailure::other);
    }

    // Connected: the rest waits in blocking calls, each bounded by what is left of the time-out.
    // A select before every read cost Wine about 2 ms a request, a tenth of what VLC itself
    // needs to answer (measured with the round-trip bench).
    u_long blocking = 0;
    if (ioctlsocket(s, FIONBIO, &blocking) != 0)
        return failure(WebFailure::other);
    const auto bound = [&](int option) {
        const ULONGLONG t = now();
        if (t >= deadline)
            return false;
        const DWORD ms = static_cast<DWORD>(deadline - t);
        return setsockopt(s, SOL_SOCKET, option, reinterpret_cast<const char*>(&ms), sizeof ms) ==
               0;
    };
    const std::string request = httpGetRequest(port, path, password);
    if (!bound(SO_SNDTIMEO))
        return failure(WebFailure::timedOut);
    if (send(s, request.data(), static_cast<int>(request.size()), 0) !=
        static_cast<int>(request.size())) {
        return failure(WSAGetLastError() == WSAETIMEDOUT ? WebFailure::timedOut
                                                         : WebFailure::other);
    }

    std::string received;
    char buffer[4096];
    for (;;) {
        // The answer is whole when its announced length has come, or when the server closes.
        if (const auto length = httpResponseLength(received);
            length && received.size() >= *length) {
            break;
        }
        if (!bound(SO_RCVTIMEO))
            return failure(WebFailure::timedOut);
        const int n = recv(s, buffer, sizeof buffer, 0);
        if (n == 0)
            break;
        if (n < 0) {
            return failure(WSAGetLastError() == WSAETIMEDOUT ? WebFailure::timedOut
                                                             : WebFailure::other);
        }
        received.append(buffer, static_cast<std::size_t>(n));
        if (received.size() > 2 * kMaxAnswerBytes)
            return failure(WebFailure::other);
    }
    const std::optional<HttpResponse> response = parseHttpResponse(received);
    if (!response)
        return failure(WebFailure::other);
    return {WebFailure::none, response->status, response->body, response->challenge};
}

std::optional<std::string> Win32LocalWeb::randomBytes(std::size_t count) {
    std::string bytes(count, '\0');
    const NTSTATUS status =
        BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(bytes.data()), static_cast<ULONG>(count),
                        BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    if (status < 0)
        return std::nullopt;
    return bytes;
}

std::uint16_t Win32LocalWeb::freeLoopbackPort() {
    if (!winsockReady())
        return 0;
    const Socket socket;
    if (socket.get() == INVALID_SOCKET)
        return 0;
    // Port 0 lets the system choose one that nobody holds; the socket closes again at once, so
    // the port is free for the player to take.
    sockaddr_in address = loopback(0);
    if (bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return 0;
    }
    int size = sizeof address;
    if (getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return 0;
    return ntohs(address.sin_port);
}

double Win32LocalWeb::nowMs() {
    return static_cast<double>(now());
}

void Win32LocalWeb::pause(std::uint32_t ms) {
    Sleep(ms);
}

}  // namespace spindrel
