#pragma once

#include "foundation/CXString.h"

class CNetMessage;
class CNetPlayerInfo;

// The observer of a network peer. Every operation has an empty default body; the peer never
// owns its listeners.
class CNetListener {
public:
    virtual ~CNetListener() = default;

    // A received message; it belongs to the caller and is destroyed after the call.
    virtual void onMessage(CNetMessage*) {}
    virtual void onConnected(CXString) {}
    // The client's connection to its server was lost.
    virtual void onConnectionClosed() {}
    // A player on the server has introduced itself.
    virtual void onNewPlayer(CNetPlayerInfo*) {}
    // A player has left the server; it is destroyed after the call.
    virtual void onDestroyPlayer(CNetPlayerInfo*) {}
};
