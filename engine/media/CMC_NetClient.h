#pragma once

#include "media/CMC_NetPeer.h"

#include <memory>

class CNetworkClient;

// The NETCLIENT script object: the process's network client, connecting to a server on PORT.
// "ONCONNECTED" follows a CONNECT that made a new connection, "ONCONNECTIONCLOSED" the loss of
// the connection (not a DISCONNECT).
class CMC_NetClient : public CMC_NetPeer {
public:
    static constexpr int TYPE = TYPE_NETCLIENT;

    // Named "NETCLIENT" and bound to nothing (compiled scenes read the rest).
    explicit CMC_NetClient(CMC_ObjectsContainer* container);
    // Named after the element and bound by it.
    CMC_NetClient(CMC_ObjectsContainer* container, CMElement* element);
    // Disconnects with the notice.
    ~CMC_NetClient() override;

    const CMC_SignalList* getBehavioursList() override;

    // Connects to the host (a name or a dotted address); false when it cannot be reached.
    bool connect(const CXString& host);
    // Sends the disconnect notice and closes the connection.
    void disconnect();
    bool isConnected() const;
    CNetworkClient* getClientIfc() const { return client_.get(); }

    void onConnected(CXString server) override;
    void onConnectionClosed() override;

protected:
    void sendFrames(const CXString& to, const FrameMaker& make) override;
    void onFrame() override;
    bool isLinked() override { return isConnected(); }

private:
    std::unique_ptr<CNetworkClient> client_;
};
