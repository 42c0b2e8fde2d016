#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <atomic>
#include <mutex>
#include <thread>

class CNetworkServer;
class CXSocket;

// One player connected to the server: its connection and the thread that receives from it.
// The player is named by its address until its hello gives it a name.
class CNetPlayerInfo : public CXObject {
public:
    // Takes the accepted connection and starts receiving.
    CNetPlayerInfo(CXSocket* socket, const CXString& address, CNetworkServer* server);
    CNetPlayerInfo(const CNetPlayerInfo&) = delete;
    CNetPlayerInfo& operator=(const CNetPlayerInfo&) = delete;
    // Ends the receiver thread, then closes the connection.
    ~CNetPlayerInfo() override;

    CXString getName() const;
    void setName(const CXString& name);
    const CXString& getAddress() const { return address_; }
    CXSocket* getSocket() const { return socket_; }
    // The listeners have been told of the player (its hello was handled).
    bool isIntroduced() const { return introduced_; }
    void setIntroduced() { introduced_ = true; }

    // Ends the connection and waits for the receiver thread to end.
    void stopReceiver();

private:
    void receiveLoop();

    CXSocket* socket_;
    CNetworkServer* server_;
    CXString address_;
    mutable std::mutex nameLock_;
    CXString name_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> introduced_{false};
    std::thread receiver_;
};
