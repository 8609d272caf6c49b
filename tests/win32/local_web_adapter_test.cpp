// The Winsock adapter against a real listener on 127.0.0.1: what a request carries, the answers
// it reads back, and the failures it tells apart, each within its time-out.

#include "local_http_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include "platform/win32/win32_local_web.h"

namespace spindrel {
namespace {

using testing::LocalHttpServer;

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

TEST(LocalWebAdapterTest, ReadsStatusAndBodyAndTellsRefusedFromTimedOut) {
    LocalHttpServer server;
    ASSERT_NE(server.port(), 0);
    Win32LocalWeb web;

    server.answer(200, "<root><state>playing</state></root>");
    const WebAnswer ok =
        web.get(server.port(), "/requests/status.xml?command=key&val=nav-up", "secret", 5000);
    EXPECT_EQ(ok.failure, WebFailure::none);
    EXPECT_EQ(ok.status, 200);
    EXPECT_EQ(ok.body, "<root><state>playing</state></root>");
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string request = server.requests()[0];
    EXPECT_EQ(request.rfind("GET /requests/status.xml?command=key&val=nav-up HTTP/1.0\r\n", 0), 0u);
    // Base64 of ":secret": an empty user name.
    EXPECT_NE(request.find("\r\nAuthorization: Basic OnNlY3JldA==\r\n"), std::string::npos);

    server.answer(401, "");
    const WebAnswer refusedPassword = web.get(server.port(), "/", "wrong", 5000);
    EXPECT_EQ(refusedPassword.failure, WebFailure::none);
    EXPECT_EQ(refusedPassword.status, 401);

    // Asked without a password, as VLC is before its user's password is sent: VLC's challenge.
    server.answer(401, "", "WWW-Authenticate: Basic realm=\"VLC stream\"\r\n");
    const WebAnswer challenge = web.get(server.port(), "/requests/status.xml", "", 5000);
    EXPECT_EQ(challenge.status, 401);
    EXPECT_EQ(challenge.challenge, "Basic realm=\"VLC stream\"");
    ASSERT_EQ(server.requests().size(), 3u);
    EXPECT_EQ(server.requests()[2].find("Authorization"), std::string::npos);

    // Taken but never answered: the whole request ends at its time-out.
    server.silent();
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(web.get(server.port(), "/", "secret", 400).failure, WebFailure::timedOut);
    EXPECT_GE(msSince(start), 350.0);
    EXPECT_LE(msSince(start), 1500.0);

    // Nobody on the port: refused at once, where Windows would otherwise retry for 2 s (and
    // where the system does not take the control code that stops it, as before).
    const std::uint16_t free = web.freeLoopbackPort();
    ASSERT_NE(free, 0);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(web.get(free, "/", "secret", 5000).failure, WebFailure::refused);
    EXPECT_LE(msSince(start), 1000.0);
}

TEST(LocalWebAdapterTest, RandomBytesDifferAndAFreePortCanBeTaken) {
    Win32LocalWeb web;
    std::set<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        const std::optional<std::string> bytes = web.randomBytes(16);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(bytes->size(), 16u);
        seen.insert(*bytes);
    }
    EXPECT_EQ(seen.size(), 4u);
    LocalHttpServer server(web.freeLoopbackPort());
    EXPECT_NE(server.port(), 0);
}

}  // namespace
}  // namespace spindrel
