#include "media/CNetPlayerInfo.h"

#include "media/CNetMessage.h"
#include "media/CNetworkServer.h"
#include "media/CXSocket.h"

CNetPlayerInfo::CNetPlayerInfo(CXSocket* socket, const CXString& address, CNetworkServer* server)
    : socket_(socket)
    , server_(server)
    , address_(address)
    , name_(address)
    , receiver_(&CNetPlayerInfo::receiveLoop, this)
{
}

CNetPlayerInfo::~CNetPlayerInfo()
{
    stopReceiver();
    delete socket_;
}

CXString CNetPlayerInfo::getName() const
{
    std::lock_guard<std::mutex> guard(nameLock_);
    return name_;
}

void CNetPlayerInfo::setName(const CXString& name)
{
    std::lock_guard<std::mutex> guard(nameLock_);
    name_ = name;
}

void CNetPlayerInfo::stopReceiver()
{
    stopping_ = true;
    socket_->shutdown();
    if (receiver_.joinable())
        receiver_.join();
}

void CNetPlayerInfo::receiveLoop()
{
    while (!stopping_ && server_->isStarted()) {
        CXArray* frames = socket_->receive();
        for (int i = 0; i < frames->getCount(); ++i)
            server_->addMessage(static_cast<CNetMessage*>(frames->at(i)));
        if (frames->getCount() > 0 && !server_->isQueneActive())
            server_->tick();
        if (socket_->isClosed())
            break;
    }
    if (!stopping_)
        server_->addLinkLost(socket_);
}
