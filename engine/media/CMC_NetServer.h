#pragma once

#include "media/CMC_NetPeer.h"

#include <memory>

class CFileSender_Manager;
class CNetworkServer;

// The NETSERVER script object: listens for players on PORT. A player is named by its address
// until its hello renames it ("ONNEWPLAYER"); its disconnect notice or the loss of its
// connection removes it ("ONDESTROYPLAYER" once it has had its "ONNEWPLAYER").
//
// With the program's "share" option naming a folder, the server also answers file requests
// from it (the scene updates of other programs): one chunk of every transfer per frame.
class CMC_NetServer : public CMC_NetPeer {
public:
    static constexpr int TYPE = TYPE_NETSERVER;

    // Named "NETSERVER" and bound to nothing (compiled scenes read the rest).
    explicit CMC_NetServer(CMC_ObjectsContainer* container);
    // Named after the element and bound by it.
    CMC_NetServer(CMC_ObjectsContainer* container, CMElement* element);
    // Stops with the notice to every player.
    ~CMC_NetServer() override;

    const CMC_SignalList* getBehavioursList() override;

    // Listens on PORT; nothing when started already. False when the port cannot be had.
    bool start();
    // Every player gets the disconnect notice and is dropped; listening ends.
    void stop();
    bool isStarted() const;
    CNetworkServer* getServerIfc() const { return server_.get(); }
    // The name of the player that introduced itself last; empty until one did.
    CXString getLoggedPlayerName() const { return loggedPlayerName_; }
    int getPlayersNo() const;
    // "" outside 0 to count - 1.
    CXString getPlayerName(int index) const;

    // The disconnect notice and the hello concern the player whose connection brought them.
    void onMessage(CNetMessage* message) override;
    void onNewPlayer(CNetPlayerInfo* player) override;
    void onDestroyPlayer(CNetPlayerInfo* player) override;

protected:
    void sendFrames(const CXString& to, const FrameMaker& make) override;
    void onFrame() override;
    bool isLinked() override { return isStarted(); }

private:
    // The files served from the "share" folder (below the root folder unless absolute); none
    // without that option.
    CFileSender_Manager* sharing();

    std::unique_ptr<CNetworkServer> server_;
    std::unique_ptr<CFileSender_Manager> sender_;
    CXString loggedPlayerName_;
};
