#pragma once

#include "media/CNetworkPeer.h"

#include <atomic>
#include <thread>

class CConfig;

// The engine's connection to a server. A connection introduces itself with a hello that
// carries the player's name; the receiver thread queues what the server sends.
class CNetworkClient : public CNetworkPeer {
public:
    // Becomes the instance that getInstance returns when makeInstance holds.
    CNetworkClient(MediaWindow* window, bool makeInstance, bool processOnThread);
    // No window; always becomes the instance. The text is not used.
    CNetworkClient(const CXString& unused, bool processOnThread);
    // Disconnects with the notice.
    ~CNetworkClient() override;

    // The last client that became the instance, or null.
    static CNetworkClient* getInstance();

    // The application's INI file, which may name the player (section "PLAYER", key "NAME");
    // not owned.
    void setApplicationIni(CConfig* ini) { applicationIni_ = ini; }
    // The player name in the INI, else the machine's host name.
    static CXString getPlayerName(CConfig* applicationIni);

    // True at once when connected already; otherwise connects, starts the receiver thread
    // and sends the hello. A connection found lost is replaced without being reported.
    bool connect(const CXString& host, int port);
    // Sends the disconnect notice first when notify holds, then closes the connection.
    void disconnect(bool notify);
    // False again as soon as the connection is lost, before the loss is reported.
    bool isConnected() const { return connected_ && !linkLost_; }
    const CXString& getServerName() const { return serverName_; }

protected:
    // Reports the lost connection to the listeners (onConnectionClosed) after closing it.
    void onLinkLost(CXSocket* socket) override;
    // The server's name.
    CXString senderOf(const CXSocket* socket) override;

private:
    void start_receiver();
    void stop_receiver();
    void receiveLoop(CXSocket* socket);

    static std::atomic<CNetworkClient*> instance_;

    CConfig* applicationIni_ = nullptr;
    CXString serverName_;
    std::thread receiver_;
    std::atomic<bool> connected_{false};
    std::atomic<bool> linkLost_{false};
    std::atomic<bool> stopping_{false};
};
