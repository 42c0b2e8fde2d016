#include "media/CMC_NetServer.h"

#include "foundation/CCommandLine6.h"
#include "media/CFileSender.h"
#include "media/CNetPlayerInfo.h"
#include "media/CNetTextMessage.h"
#include "media/CNetworkServer.h"
#include "media/CXSocket.h"
#include "media/MediaApplication.h"
#include "media/MediaWindow.h"
#include "platform/PathResolver.h"
#include "script/CMC_SignalList.h"

CMC_NetServer::CMC_NetServer(CMC_ObjectsContainer* container)
    : CMC_NetPeer(container, "NETSERVER", TYPE)
    , server_(std::make_unique<CNetworkServer>(getWindow(), false))
{
    server_->addNotifier(this);
    initializeBehaviours(nullptr, nullptr);
}

CMC_NetServer::CMC_NetServer(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_NetPeer(container, element, TYPE)
    , server_(std::make_unique<CNetworkServer>(getWindow(), false))
{
    server_->addNotifier(this);
    initializeBehaviours(container, element);
}

CMC_NetServer::~CMC_NetServer()
{
    server_->removeNotifier(this);
    sender_.reset();
    server_.reset();
}

const CMC_SignalList* CMC_NetServer::getBehavioursList()
{
    static const CMC_SignalList signals{"ONNEWPLAYER", "ONDESTROYPLAYER", "ONCOMMAND", "ONTEXT"};
    return &signals;
}

bool CMC_NetServer::start()
{
    return server_->start(PORT);
}

void CMC_NetServer::stop()
{
    // The players go without being told one by one: their transfers go with them.
    sender_.reset();
    server_->stop(true);
}

bool CMC_NetServer::isStarted() const
{
    return server_->isStarted();
}

int CMC_NetServer::getPlayersNo() const
{
    return server_->getPlayersNo();
}

CXString CMC_NetServer::getPlayerName(int index) const
{
    CNetPlayerInfo* player = server_->getPlayer(index);
    return player != nullptr ? player->getName() : CXString();
}

// Players of one machine share its address and often its host name: a player is found by
// the connection its frame came on, not by the name it bore.
void CMC_NetServer::onMessage(CNetMessage* message)
{
    switch (message->getType()) {
    case CNetMessage::TYPE_DISCONNECT:
        if (CNetPlayerInfo* player = server_->findBySocket(message->getSocket()))
            server_->removePlayer(player);
        break;
    case CNetMessage::TYPE_HELLO:
        if (CNetPlayerInfo* player = server_->findBySocket(message->getSocket())) {
            player->setName(static_cast<CNetHelloMessage*>(message)->getText());
            server_->newPlayer(player);
        }
        break;
    case CNetMessage::TYPE_FILE_REQUEST:
        if (CFileSender_Manager* share = sharing())
            share->received(message);
        break;
    default:
        CMC_NetPeer::onMessage(message);
        break;
    }
}

void CMC_NetServer::onNewPlayer(CNetPlayerInfo* player)
{
    loggedPlayerName_ = player->getName();
    onSignal(CXString("ONNEWPLAYER"));
}

// Applications count their players by the two signals: a player that never came with
// "ONNEWPLAYER" does not go with "ONDESTROYPLAYER".
void CMC_NetServer::onDestroyPlayer(CNetPlayerInfo* player)
{
    if (sender_ != nullptr)
        sender_->remove_socket(player->getSocket());
    if (player->isIntroduced())
        onSignal(CXString("ONDESTROYPLAYER"));
}

// Every player gets a frame of its own, sent through its connection, so that players who
// share a name all get theirs.
void CMC_NetServer::sendFrames(const CXString& to, const FrameMaker& make)
{
    if (to.IsString()) {
        if (CNetPlayerInfo* player = server_->find(to))
            player->getSocket()->send(make(player->getSocket()));
        return;
    }
    for (int i = 0; i < server_->getPlayersNo(); ++i) {
        if (CNetPlayerInfo* player = server_->getPlayer(i))
            player->getSocket()->send(make(player->getSocket()));
    }
}

void CMC_NetServer::onFrame()
{
    server_->tick();
    if (sender_ != nullptr)
        sender_->tick();
}

CFileSender_Manager* CMC_NetServer::sharing()
{
    if (sender_ != nullptr)
        return sender_.get();
    MediaWindow* window = getWindow();
    MediaApplication* application = window != nullptr ? window->GetApplicationInterface() : nullptr;
    CCommandLine6* options = application != nullptr ? application->getCommandLine() : nullptr;
    const CXString folder = options != nullptr ? options->getShareFolder() : CXString();
    if (!folder.IsString())
        return nullptr;
    sender_ = std::make_unique<CFileSender_Manager>(platform::isAbsoluteName(folder.c_str()) ? folder
                                                                                           : MediaWindow::rootPath + folder);
    return sender_.get();
}
