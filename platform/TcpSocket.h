#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include <netinet/in.h>

// IPv4 TCP stream sockets over POSIX, the way the engine's network layer uses them: blocking
// reads, whole sends that never raise SIGPIPE, listeners that can be restarted at once on the
// same port, and calls that another thread can wake by shutting the socket down.
namespace platform {

class TcpSocket {
public:
    // A new IPv4 stream socket; null when the system refuses one.
    static std::unique_ptr<TcpSocket> create();

    // Takes over a connected descriptor.
    explicit TcpSocket(int descriptor);
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;
    ~TcpSocket();

    // Connects to a dotted IPv4 address, giving up after timeoutMs; the socket stays
    // blocking afterwards either way.
    bool connect(const std::string& dottedAddress, int port, int timeoutMs);

    // Binds every IPv4 address of the machine with address reuse on and listens.
    bool listen(int port, int backlog);
    // The local port the socket is bound to, 0 when it is not bound.
    int localPort() const;
    // Waits for the next connection; null when accepting failed or the socket was shut down.
    std::unique_ptr<TcpSocket> accept(sockaddr_in* peer);

    // Sends every byte, across as many calls as the system needs; false when the connection
    // broke first.
    bool sendAll(const void* bytes, size_t count);
    // Waits for bytes and reads at most `capacity` of them: the count read, 0 when the other
    // side closed the connection, -1 when the read failed.
    long receive(void* buffer, size_t capacity);

    // Ends both directions: a read, an accept or a connect waiting in another thread returns.
    // The descriptor stays open until the object is destroyed.
    void shutdown();

private:
    int descriptor_;
    int requestedPort_ = -1; // the port a listener was asked for, kept for the loopback test network
};

// The machine's host name, "" when the system does not tell.
std::string hostName();

// The first IPv4 address of a host name in dotted form, or nothing when it does not resolve.
std::optional<std::string> resolveIPv4(const std::string& name);

// Test setting for the whole process: listeners bind only 127.0.0.1 on a port the system
// picks, connections reach only 127.0.0.1, a connection to a port that a listener of this
// process asked for goes to the port it really got, and only "localhost" resolves.
// Tests that run in parallel therefore never meet each other or the outside world.
void setLoopbackTestNetwork(bool enabled);

} // namespace platform
