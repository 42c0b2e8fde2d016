#include "media/CMC_NetClient.h"

#include "media/CNetworkClient.h"
#include "media/MediaApplication.h"
#include "media/MediaWindow.h"
#include "script/CMC_SignalList.h"

namespace {

// The client of the window's program, which names its player from the application INI.
std::unique_ptr<CNetworkClient> makeClient(MediaWindow* window)
{
    auto client = std::make_unique<CNetworkClient>(window, true, false);
    MediaApplication* application = window != nullptr ? window->GetApplicationInterface() : nullptr;
    if (application != nullptr)
        client->setApplicationIni(application->GetConfigInterface());
    return client;
}

} // namespace

CMC_NetClient::CMC_NetClient(CMC_ObjectsContainer* container)
    : CMC_NetPeer(container, "NETCLIENT", TYPE)
    , client_(makeClient(getWindow()))
{
    client_->addNotifier(this);
    initializeBehaviours(nullptr, nullptr);
}

CMC_NetClient::CMC_NetClient(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_NetPeer(container, element, TYPE)
    , client_(makeClient(getWindow()))
{
    client_->addNotifier(this);
    initializeBehaviours(container, element);
}

CMC_NetClient::~CMC_NetClient()
{
    client_->removeNotifier(this);
    client_.reset();
}

const CMC_SignalList* CMC_NetClient::getBehavioursList()
{
    static const CMC_SignalList signals{"ONCONNECTED", "ONCOMMAND", "ONCONNECTIONCLOSED"};
    return &signals;
}

bool CMC_NetClient::connect(const CXString& host)
{
    const bool wasConnected = client_->isConnected();
    if (!client_->connect(host, PORT))
        return false;
    if (!wasConnected)
        onConnected(host);
    return true;
}

void CMC_NetClient::disconnect()
{
    client_->disconnect(true);
}

bool CMC_NetClient::isConnected() const
{
    return client_->isConnected();
}

void CMC_NetClient::onConnected(CXString)
{
    onSignal(CXString("ONCONNECTED"));
}

void CMC_NetClient::onConnectionClosed()
{
    onSignal(CXString("ONCONNECTIONCLOSED"));
}

void CMC_NetClient::sendFrames(const CXString&, const FrameMaker& make)
{
    if (client_->isConnected())
        client_->send(make(client_->getSocket()));
}

void CMC_NetClient::onFrame()
{
    client_->tick();
}
