#include "media/CNetworkClient.h"

#include "foundation/CConfig.h"
#include "media/CNetListener.h"
#include "media/CNetTextMessage.h"
#include "media/CXSocket.h"

std::atomic<CNetworkClient*> CNetworkClient::instance_{nullptr};

CNetworkClient::CNetworkClient(MediaWindow* window, bool makeInstance, bool processOnThread)
    : CNetworkPeer(window, processOnThread)
{
    if (makeInstance)
        instance_ = this;
}

CNetworkClient::CNetworkClient(const CXString&, bool processOnThread)
    : CNetworkClient(nullptr, true, processOnThread)
{
}

CNetworkClient::~CNetworkClient()
{
    disconnect(true);
    CNetworkClient* self = this;
    instance_.compare_exchange_strong(self, nullptr);
}

CNetworkClient* CNetworkClient::getInstance()
{
    return instance_;
}

CXString CNetworkClient::getPlayerName(CConfig* applicationIni)
{
    const CXString name = applicationIni == nullptr ? CXString() : applicationIni->GetString("PLAYER", "NAME");
    return name.IsString() ? name : CXSocket::getHostName();
}

bool CNetworkClient::connect(const CXString& host, int port)
{
    if (isConnected())
        return true;
    // A link lost since the last tick is closed here; its loss is then not reported.
    disconnect(false);
    auto* socket = new CXSocket(getWindow());
    if (!socket->connect(host, port)) {
        delete socket;
        return false;
    }
    setSocket(socket);
    serverName_ = host;
    linkLost_ = false;
    connected_ = true;
    start_receiver();
    send(new CNetHelloMessage(socket, getPlayerName(applicationIni_)));
    return true;
}

void CNetworkClient::disconnect(bool notify)
{
    if (!connected_)
        return;
    CXSocket* socket = getSocket();
    if (notify && !linkLost_)
        socket->send(new CNetMessage(socket, CNetMessage::TYPE_DISCONNECT));
    stop_receiver();
    setSocket(nullptr);
    dropEntriesOf(socket);
    delete socket;
    serverName_ = CXString();
    connected_ = false;
}

void CNetworkClient::onLinkLost(CXSocket* socket)
{
    if (!connected_ || socket != getSocket())
        return;
    disconnect(false);
    notify([](CNetListener* listener) { listener->onConnectionClosed(); });
}

CXString CNetworkClient::senderOf(const CXSocket*)
{
    return serverName_;
}

void CNetworkClient::start_receiver()
{
    stopping_ = false;
    receiver_ = std::thread(&CNetworkClient::receiveLoop, this, getSocket());
}

void CNetworkClient::stop_receiver()
{
    stopping_ = true;
    if (CXSocket* socket = getSocket())
        socket->shutdown();
    if (receiver_.joinable())
        receiver_.join();
}

void CNetworkClient::receiveLoop(CXSocket* socket)
{
    while (!stopping_) {
        CXArray* frames = socket->receive();
        for (int i = 0; i < frames->getCount(); ++i)
            addMessage(static_cast<CNetMessage*>(frames->at(i)));
        if (frames->getCount() > 0 && processesOnThread())
            tick();
        if (socket->isClosed()) {
            if (!stopping_) {
                linkLost_ = true;
                addLinkLost(socket);
            }
            return;
        }
    }
}
