#include "platform/TcpSocket.h"

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

std::atomic<bool> loopbackTestNetwork{false};

// Under the loopback test network: the ports listeners asked for and the ports they got.
struct PortMap {
    std::mutex lock;
    std::map<int, int> actualOfRequested;
};

PortMap& portMap()
{
    static PortMap map;
    return map;
}

void rememberPort(int requested, int actual)
{
    PortMap& map = portMap();
    std::lock_guard<std::mutex> guard(map.lock);
    map.actualOfRequested[requested] = actual;
}

void forgetPort(int requested, int actual)
{
    PortMap& map = portMap();
    std::lock_guard<std::mutex> guard(map.lock);
    auto found = map.actualOfRequested.find(requested);
    if (found != map.actualOfRequested.end() && found->second == actual)
        map.actualOfRequested.erase(found);
}

int actualPort(int requested)
{
    PortMap& map = portMap();
    std::lock_guard<std::mutex> guard(map.lock);
    auto found = map.actualOfRequested.find(requested);
    return found == map.actualOfRequested.end() ? requested : found->second;
}

bool setBlocking(int descriptor, bool blocking)
{
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0)
        return false;
    return ::fcntl(descriptor, F_SETFL, blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK)) == 0;
}

// Waits until a non-blocking connect has finished; true when it succeeded.
bool awaitConnection(int descriptor, int timeoutMs)
{
    pollfd waiting{descriptor, POLLOUT, 0};
    int ready;
    do {
        ready = ::poll(&waiting, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0)
        return false;
    int error = 0;
    socklen_t size = sizeof(error);
    return ::getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

} // namespace

std::unique_ptr<TcpSocket> TcpSocket::create()
{
    const int descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0)
        return nullptr;
    return std::make_unique<TcpSocket>(descriptor);
}

TcpSocket::TcpSocket(int descriptor)
    : descriptor_(descriptor)
{
}

TcpSocket::~TcpSocket()
{
    if (requestedPort_ >= 0)
        forgetPort(requestedPort_, localPort());
    ::close(descriptor_);
}

bool TcpSocket::connect(const std::string& dottedAddress, int port, int timeoutMs)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    if (::inet_pton(AF_INET, dottedAddress.c_str(), &address.sin_addr) != 1)
        return false;
    if (loopbackTestNetwork) {
        if (address.sin_addr.s_addr != htonl(INADDR_LOOPBACK))
            return false;
        port = actualPort(port);
    }
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (!setBlocking(descriptor_, false))
        return false;
    bool connected = ::connect(descriptor_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    if (!connected && errno == EINPROGRESS)
        connected = awaitConnection(descriptor_, timeoutMs);
    return setBlocking(descriptor_, true) && connected;
}

bool TcpSocket::listen(int port, int backlog)
{
    const int on = 1;
    ::setsockopt(descriptor_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(loopbackTestNetwork ? INADDR_LOOPBACK : INADDR_ANY);
    address.sin_port = htons(static_cast<uint16_t>(loopbackTestNetwork ? 0 : port));
    if (::bind(descriptor_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0)
        return false;
    if (::listen(descriptor_, backlog) != 0)
        return false;
    if (loopbackTestNetwork) {
        requestedPort_ = port;
        rememberPort(port, localPort());
    }
    return true;
}

int TcpSocket::localPort() const
{
    sockaddr_in address{};
    socklen_t size = sizeof(address);
    if (::getsockname(descriptor_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return 0;
    return ntohs(address.sin_port);
}

std::unique_ptr<TcpSocket> TcpSocket::accept(sockaddr_in* peer)
{
    socklen_t size = sizeof(*peer);
    int descriptor;
    do {
        descriptor = ::accept4(descriptor_, reinterpret_cast<sockaddr*>(peer), &size, SOCK_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0)
        return nullptr;
    return std::make_unique<TcpSocket>(descriptor);
}

bool TcpSocket::sendAll(const void* bytes, size_t count)
{
    const auto* next = static_cast<const char*>(bytes);
    while (count > 0) {
        const ssize_t sent = ::send(descriptor_, next, count, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        next += sent;
        count -= static_cast<size_t>(sent);
    }
    return true;
}

long TcpSocket::receive(void* buffer, size_t capacity)
{
    ssize_t received;
    do {
        received = ::recv(descriptor_, buffer, capacity, 0);
    } while (received < 0 && errno == EINTR);
    return static_cast<long>(received);
}

void TcpSocket::shutdown()
{
    ::shutdown(descriptor_, SHUT_RDWR);
}

std::string hostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof(name) - 1) != 0)
        return std::string();
    return std::string(name);
}

std::optional<std::string> resolveIPv4(const std::string& name)
{
    if (loopbackTestNetwork)
        return name == "localhost" ? std::optional<std::string>("127.0.0.1") : std::nullopt;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return std::nullopt;
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    const bool converted = ::inet_ntop(AF_INET, &address->sin_addr, text, sizeof(text)) != nullptr;
    ::freeaddrinfo(found);
    return converted ? std::optional<std::string>(text) : std::nullopt;
}

void setLoopbackTestNetwork(bool enabled)
{
    loopbackTestNetwork = enabled;
}

} // namespace platform
