#pragma once

#include "core/unique_fd.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qytxt::notices::testing {

// What the server answers for one path.
struct Reply {
    Reply() = default;
    Reply(int statusCode, std::string bodyBytes, std::string headers = {})
        : status(statusCode), body(std::move(bodyBytes)), extraHeaders(std::move(headers))
    {
    }
    // Reads the request, then never answers.
    static Reply hanging()
    {
        Reply reply;
        reply.hang = true;
        return reply;
    }

    int status = 200;
    std::string body;
    std::string extraHeaders; // whole lines, each ending in "\r\n"
    bool hang = false;
};

// A small HTTP server on 127.0.0.1 and an ephemeral port, serving one connection at a time. It
// records every request head it reads; unknown paths get 404 with an empty body.
class TestHttpServer {
public:
    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    void setReply(const std::string& path, Reply reply);
    std::string url(const std::string& path) const;
    std::uint16_t port() const { return m_port; }

    // Request heads in arrival order, CR LF line ends kept.
    std::vector<std::string> requests() const;
    int requestCount(const std::string& path) const;

private:
    void serve();
    void answer(core::UniqueFd client);

    core::UniqueFd m_listener;
    core::UniqueFd m_wakeRead;
    core::UniqueFd m_wakeWrite;
    std::uint16_t m_port = 0;

    mutable std::mutex m_mutex;
    std::map<std::string, Reply> m_replies;
    std::vector<std::string> m_requests;
    std::vector<std::string> m_paths;
    std::vector<core::UniqueFd> m_held; // connections left hanging, closed when the server goes

    std::thread m_thread;
};

// A loopback port that nothing listens on, so connecting to it is refused.
std::uint16_t refusedPort();

} // namespace qytxt::notices::testing
