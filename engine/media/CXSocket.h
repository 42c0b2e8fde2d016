#pragma once

#include "foundation/CXArray.h"
#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "media/CMessageStack.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

class CNetMessage;
class MediaWindow;
class CXSocket;
struct sockaddr_in;

namespace platform {
class TcpSocket;
}

// Who takes the connections that a listening socket accepts.
class CXSocketAcceptor {
public:
    virtual ~CXSocketAcceptor() = default;
    // Called on the accept thread; the acceptor owns the new socket from then on.
    virtual void onConnected(CXSocket* socket, CXString address) = 0;
};

// One TCP connection of the engine, or a listening socket with its accept thread. Sends whole
// frames and cuts the received bytes into frames with its own message stack.
//
// Threads: one thread receives; any thread may send (sends are serialised per socket); any
// thread may shut the socket down to wake a receive waiting on another.
class CXSocket : public CXObject {
public:
    // How long a connect waits for the other side.
    static constexpr int CONNECT_TIMEOUT_MS = 5000;
    // The most bytes one receive reads.
    static constexpr int READ_SIZE = 1024;

    // A new, unconnected socket.
    explicit CXSocket(MediaWindow* window);
    // An accepted connection.
    CXSocket(MediaWindow* window, std::unique_ptr<platform::TcpSocket> connection);
    CXSocket(const CXSocket&) = delete;
    CXSocket& operator=(const CXSocket&) = delete;
    // Stops the accept thread; frames already handed out by receive are not touched.
    ~CXSocket() override;

    // The machine's host name.
    static CXString getHostName();
    // Four dot-separated numbers whose weighted sum is not 0; no range check.
    static bool is_ipaddr(const CXString& text);
    // The dotted address of a host name, "" when it does not resolve.
    static CXString resolve_ip(const CXString& name);
    // The address bytes in the order they stand, each in decimal, joined by ".".
    static CXString toIP(const sockaddr_in* address);

    // Listens on every IPv4 address of the machine and starts the accept thread, which hands
    // each connection to `acceptor`. False when the port cannot be had.
    virtual bool start(int port, int backlog, CXSocketAcceptor* acceptor);
    // Ends the accept thread, if one runs, and waits for it.
    virtual void stop();
    // A host name or dotted address; true when the connection is made.
    virtual bool connect(const CXString& host, int port);
    // Sends the whole frame; true when every byte went out. The frame is destroyed in every case.
    virtual bool send(CNetMessage* frame);
    // Waits for one read of at most READ_SIZE bytes and returns the frames it completed. The
    // array belongs to the socket and is refilled by the next call; the frames in it belong
    // to the caller. Once the connection has ended (see isClosed) it returns an empty array at once.
    virtual CXArray* receive();

    // The connection has ended: the other side closed it, a read failed, a frame's length made
    // no sense (the socket then closes the connection itself) or the socket was shut down.
    bool isClosed() const { return closed_; }
    // Ends the connection in both directions; a receive waiting on another thread returns.
    void shutdown();
    // The port a listening socket got.
    int getPort() const;
    MediaWindow* getWindow() const { return window_; }

private:
    void acceptLoop(CXSocketAcceptor* acceptor);

    MediaWindow* window_;
    std::unique_ptr<platform::TcpSocket> handle_;
    CMessageStack stack_;
    CXArray received_;
    std::mutex sendLock_;
    std::atomic<bool> closed_{false};
    std::atomic<bool> stopping_{false};
    std::thread acceptThread_;
};
