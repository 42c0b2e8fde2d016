#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <deque>
#include <functional>
#include <mutex>
#include <vector>

class CNetListener;
class CNetMessage;
class MediaWindow;
class CXSocket;

// One end of the engine's TCP conversation: the client or the server. Receiver threads queue
// the frames they read; `tick` hands them, parsed, to the listeners in arrival order, each
// credited to the name its sender bears at that moment (so a frame after a hello comes from
// the hello's name, however the frames were cut into reads).
//
// Threads: with processOnThread off, frames wait until the owner calls `tick` (the main
// thread, once a frame), so listeners run there. With it on, the receiver thread that queued
// frames ticks at once and listeners run on it; they must then leave connecting, stopping
// and removing players to the owner's thread. One recursive lock per peer guards the queue,
// the listeners and, in the server, the players.
class CNetworkPeer : public CXObject {
public:
    CNetworkPeer(MediaWindow* window, bool processOnThread);
    CNetworkPeer(const CNetworkPeer&) = delete;
    CNetworkPeer& operator=(const CNetworkPeer&) = delete;
    // Destroys the frames still queued; the listeners are not the peer's.
    ~CNetworkPeer() override;

    void addNotifier(CNetListener* listener);
    void removeNotifier(CNetListener* listener);

    // Through the peer's own socket; false without one. The frame is consumed.
    bool send(CNetMessage* frame);
    // Queues a received frame, which the peer owns from now on.
    virtual void addMessage(CNetMessage* frame);
    // A receiver thread saw its connection end; tick reports it after the frames before it.
    void addLinkLost(CXSocket* socket);
    // Delivers and destroys every queued frame in order, and handles the connections that
    // were lost meanwhile at the point where they were lost.
    virtual void tick();
    // True when frames wait for somebody other than the receiver threads to call tick.
    bool isQueneActive() const { return !processOnThread_; }
    // Asks the other side for a file (request id 1) and records nothing about it.
    virtual bool downlnoad_file(const CXString& folder, const CXString& subFolder, const CXString& fileName);

    CXSocket* getSocket();
    MediaWindow* getWindow() const { return window_; }

    // Calls `call` for every listener in registration order; a listener removed meanwhile is
    // skipped, so a listener may remove itself or others while it is told.
    void notify(const std::function<void(CNetListener*)>& call);

protected:
    // Forgets what is queued from a connection that goes away.
    void dropEntriesOf(CXSocket* socket);
    // The connection through `socket` has ended; called by tick.
    virtual void onLinkLost(CXSocket* socket) = 0;
    // The name a frame that came through `socket` is credited to now; called by tick.
    virtual CXString senderOf(const CXSocket* socket) = 0;

    void setSocket(CXSocket* socket);
    bool processesOnThread() const { return processOnThread_; }
    std::recursive_mutex& lock() { return lock_; }

private:
    // A received frame, or (with no frame) the end of a connection.
    struct Entry {
        CNetMessage* frame;
        CXSocket* socket;
    };

    bool nextEntry(Entry* entry);

    MediaWindow* window_;
    const bool processOnThread_;
    std::recursive_mutex lock_;
    CXSocket* socket_ = nullptr;
    std::vector<CNetListener*> listeners_;
    std::deque<Entry> queue_;
    std::deque<Entry> processing_;
};
