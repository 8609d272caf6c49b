#pragma once
// A tiny web server on 127.0.0.1 for the tests of the web requests: it answers every request
// with the status and body it is given, or, when told to stay silent, takes the connection and
// never answers. It keeps every request it read.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace spindrel::testing {

class LocalHttpServer {
  public:
    // Port 0: one the system chooses.
    explicit LocalHttpServer(std::uint16_t port = 0) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener_, 8) != 0) {
            return;
        }
        int size = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~LocalHttpServer() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        for (const SOCKET s : held_)
            closesocket(s);
        closesocket(listener_);
        WSACleanup();
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::uint16_t port() const { return port_; }  // 0: it could not listen
    // fields: more header lines, each ending in CR LF.
    void answer(int status, const std::string& body, const std::string& fields = "") {
        const std::lock_guard<std::mutex> lock(mutex_);
        status_ = status;
        body_ = body;
        fields_ = fields;
        silent_ = false;
    }
    void silent() {
        const std::lock_guard<std::mutex> lock(mutex_);
        silent_ = true;
    }
    std::vector<std::string> requests() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

  private:
    void serve() {
        while (!stop_) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(listener_, &ready);
            timeval tick{0, 50000};
            if (select(0, &ready, nullptr, nullptr, &tick) <= 0)
                continue;
            const SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET)
                continue;
            std::string request;
            char buffer[1024];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const int n = recv(client, buffer, sizeof buffer, 0);
                if (n <= 0)
                    break;
                request.append(buffer, static_cast<std::size_t>(n));
            }
            const std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(request);
            if (silent_) {
                held_.push_back(client);  // open, unanswered, until the server ends
                continue;
            }
            const std::string reply = "HTTP/1.1 " + std::to_string(status_) +
                                      " X\r\nContent-Length: " + std::to_string(body_.size()) +
                                      "\r\nContent-Type: text/xml\r\n" + fields_ + "\r\n" +
                                      body_;
            send(client, reply.data(), static_cast<int>(reply.size()), 0);
            shutdown(client, SD_SEND);
            closesocket(client);
        }
    }

    SOCKET listener_ = INVALID_SOCKET;
    std::uint16_t port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    int status_ = 200;
    std::string body_ = "<root/>";
    std::string fields_;
    bool silent_ = false;
    std::vector<std::string> requests_;
    std::vector<SOCKET> held_;
};

}  // namespace spindrel::testing
