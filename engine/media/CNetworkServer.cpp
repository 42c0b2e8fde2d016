#include "media/CNetworkServer.h"

#include "media/CNetListener.h"
#include "media/CNetMessage.h"
#include "media/CNetPlayerInfo.h"

#include <algorithm>

std::atomic<CNetworkServer*> CNetworkServer::instance_{nullptr};

CNetworkServer::CNetworkServer(MediaWindow* window, bool processOnThread)
    : CNetworkPeer(window, processOnThread)
{
    instance_ = this;
}

CNetworkServer::~CNetworkServer()
{
    stop(true);
    CNetworkServer* self = this;
    instance_.compare_exchange_strong(self, nullptr);
}

CNetworkServer* CNetworkServer::getInstance()
{
    return instance_;
}

bool CNetworkServer::start(int port)
{
    if (started_)
        return true;
    auto* socket = new CXSocket(getWindow());
    started_ = true;
    if (!socket->start(port, LISTEN_BACKLOG, this)) {
        started_ = false;
        delete socket;
        return false;
    }
    setSocket(socket);
    return true;
}

void CNetworkServer::stop(bool notify)
{
    if (!started_)
        return;
    started_ = false;
    CXSocket* listening = getSocket();
    setSocket(nullptr);
    delete listening;
    std::vector<CNetPlayerInfo*> players;
    {
        std::lock_guard<std::recursive_mutex> guard(lock());
        players.swap(players_);
    }
    for (CNetPlayerInfo* player : players) {
        if (notify)
            player->getSocket()->send(new CNetMessage(player->getSocket(), CNetMessage::TYPE_DISCONNECT));
        destroyPlayer(player);
    }
}

int CNetworkServer::getPort()
{
    CXSocket* socket = getSocket();
    return socket == nullptr ? 0 : socket->getPort();
}

void CNetworkServer::onConnected(CXSocket* socket, CXString address)
{
    if (!started_) {
        delete socket;
        return;
    }
    // Listed before its thread can report anything, so that every loss finds its player.
    std::lock_guard<std::recursive_mutex> guard(lock());
    players_.push_back(new CNetPlayerInfo(socket, address, this));
}

int CNetworkServer::getPlayersNo()
{
    std::lock_guard<std::recursive_mutex> guard(lock());
    return static_cast<int>(players_.size());
}

CNetPlayerInfo* CNetworkServer::getPlayer(int index)
{
    std::lock_guard<std::recursive_mutex> guard(lock());
    if (index < 0 || index >= static_cast<int>(players_.size()))
        return nullptr;
    return players_[static_cast<size_t>(index)];
}

CNetPlayerInfo* CNetworkServer::find(const CXString& name)
{
    std::lock_guard<std::recursive_mutex> guard(lock());
    for (CNetPlayerInfo* player : players_) {
        if (player->getName() == name)
            return player;
    }
    return nullptr;
}

CNetPlayerInfo* CNetworkServer::findBySocket(const CXSocket* socket)
{
    std::lock_guard<std::recursive_mutex> guard(lock());
    for (CNetPlayerInfo* player : players_) {
        if (player->getSocket() == socket)
            return player;
    }
    return nullptr;
}

bool CNetworkServer::send(const CXString& name, CNetMessage* frame)
{
    CNetPlayerInfo* player = find(name);
    if (player == nullptr) {
        delete frame;
        return false;
    }
    return player->getSocket()->send(frame);
}

void CNetworkServer::newPlayer(CNetPlayerInfo* player)
{
    player->setIntroduced();
    notify([player](CNetListener* listener) { listener->onNewPlayer(player); });
}

void CNetworkServer::removePlayer(CNetPlayerInfo* player)
{
    {
        std::lock_guard<std::recursive_mutex> guard(lock());
        auto found = std::find(players_.begin(), players_.end(), player);
        if (found == players_.end())
            return;
        players_.erase(found);
    }
    notify([player](CNetListener* listener) { listener->onDestroyPlayer(player); });
    destroyPlayer(player);
}

void CNetworkServer::destroyPlayer(CNetPlayerInfo* player)
{
    player->stopReceiver();
    dropEntriesOf(player->getSocket());
    delete player;
}

CXString CNetworkServer::senderOf(const CXSocket* socket)
{
    CNetPlayerInfo* player = findBySocket(socket);
    return player != nullptr ? player->getName() : CXString();
}

void CNetworkServer::onLinkLost(CXSocket* socket)
{
    if (CNetPlayerInfo* player = findBySocket(socket))
        removePlayer(player);
}
