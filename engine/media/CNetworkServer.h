#pragma once

#include "media/CNetworkPeer.h"
#include "media/CXSocket.h"

#include <atomic>
#include <vector>

class CNetPlayerInfo;

// The engine's listening end: one connection per player, each with its receiver thread.
// A player whose connection ends is removed at the next tick (listeners hear onDestroyPlayer)
// and destroyed.
class CNetworkServer : public CNetworkPeer, private CXSocketAcceptor {
public:
    static constexpr int LISTEN_BACKLOG = 5;

    // Always becomes the instance; not started.
    CNetworkServer(MediaWindow* window, bool processOnThread);
    // Stops with the notice to every player.
    ~CNetworkServer() override;

    // The last server made, or null once it is gone.
    static CNetworkServer* getInstance();

    // Listens on the port; nothing when started already. False when the port cannot be had.
    bool start(int port);
    // Sends every player the disconnect notice first when notify holds; drops every player
    // and ends listening.
    void stop(bool notify);
    bool isStarted() const { return started_; }
    // The port the server listens on, 0 when stopped.
    int getPort();

    int getPlayersNo();
    // Null outside 0 to count - 1.
    CNetPlayerInfo* getPlayer(int index);
    // The first player in list order with that name, or null.
    CNetPlayerInfo* find(const CXString& name);
    // The player whose connection this is, or null.
    CNetPlayerInfo* findBySocket(const CXSocket* socket);
    // Through the connection of the player of that name; false when there is none. The frame
    // is consumed either way.
    bool send(const CXString& name, CNetMessage* frame);
    using CNetworkPeer::send;

    // Marks the player introduced and tells the listeners.
    void newPlayer(CNetPlayerInfo* player);
    // Takes the player out of the list, tells the listeners, and destroys it; nothing when it
    // is not in the list.
    void removePlayer(CNetPlayerInfo* player);

protected:
    void onLinkLost(CXSocket* socket) override;
    // The player's current name.
    CXString senderOf(const CXSocket* socket) override;

private:
    // A connection that the accept thread took: the player of it, under its address.
    void onConnected(CXSocket* socket, CXString address) override;
    void destroyPlayer(CNetPlayerInfo* player);

    static std::atomic<CNetworkServer*> instance_;

    std::vector<CNetPlayerInfo*> players_;
    std::atomic<bool> started_{false};
};
