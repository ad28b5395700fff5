#include "test_http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace qytxt::notices::testing {

namespace {

constexpr int kReadTimeoutMs = 2000;

core::UniqueFd loopbackSocket(std::uint16_t& port)
{
    core::UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd.isValid())
        throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("bind failed");
    socklen_t length = sizeof address;
    if (::getsockname(fd.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("getsockname failed");
    port = ntohs(address.sin_port);
    return fd;
}

const char* reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 204:
        return "No Content";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

bool sendAll(int fd, const std::string& data)
{
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t written = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (written <= 0)
            return false;
        sent += static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

TestHttpServer::TestHttpServer()
{
    m_listener = loopbackSocket(m_port);
    if (::listen(m_listener.get(), 16) != 0)
        throw std::runtime_error("listen failed");
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    m_wakeRead.reset(pipeFds[0]);
    m_wakeWrite.reset(pipeFds[1]);
    m_thread = std::thread([this] { serve(); });
}

TestHttpServer::~TestHttpServer()
{
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeWrite.get(), &byte, 1);
    m_thread.join();
}

void TestHttpServer::setReply(const std::string& path, Reply reply)
{
    std::lock_guard lock(m_mutex);
    m_replies[path] = std::move(reply);
}

std::string TestHttpServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::vector<std::string> TestHttpServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

int TestHttpServer::requestCount(const std::string& path) const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(std::count(m_paths.begin(), m_paths.end(), path));
}

void TestHttpServer::serve()
{
    for (;;) {
        pollfd fds[2] = {{m_listener.get(), POLLIN, 0}, {m_wakeRead.get(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0)
            continue;
        if (fds[1].revents != 0)
            return;
        if (fds[0].revents & POLLIN) {
            core::UniqueFd client(::accept4(m_listener.get(), nullptr, nullptr, SOCK_CLOEXEC));
            if (client.isValid())
                answer(std::move(client));
        }
    }
}

void TestHttpServer::answer(core::UniqueFd client)
{
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
        pollfd fds[2] = {{client.get(), POLLIN, 0}, {m_wakeRead.get(), POLLIN, 0}};
        if (::poll(fds, 2, kReadTimeoutMs) <= 0 || fds[1].revents != 0)
            return;
        const ssize_t received = ::recv(client.get(), buffer, sizeof buffer, 0);
        if (received <= 0)
            return;
        head.append(buffer, static_cast<std::size_t>(received));
    }
    head.resize(head.find("\r\n\r\n") + 4);

    // "GET /path HTTP/1.0"
    const std::size_t pathStart = head.find(' ') + 1;
    const std::string path = head.substr(pathStart, head.find(' ', pathStart) - pathStart);

    Reply reply(404, {});
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(head);
        m_paths.push_back(path);
        if (const auto found = m_replies.find(path); found != m_replies.end())
            reply = found->second;
        if (reply.hang) {
            m_held.push_back(std::move(client));
            return;
        }
    }
    std::string response = "HTTP/1.0 " + std::to_string(reply.status) + " " + reasonPhrase(reply.status) + "\r\n";
    response += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
    response += "Connection: close\r\n" + reply.extraHeaders + "\r\n";
    response += reply.body;
    sendAll(client.get(), response);
    ::shutdown(client.get(), SHUT_WR);
}

std::uint16_t refusedPort()
{
    std::uint16_t port = 0;
    loopbackSocket(port); // bound, never listening, closed again at once
    return port;
}

} // namespace qytxt::notices::testing
