#include "media/CMC_NetPeer.h"

#include "foundation/CFileSandbox.h"
#include "media/CNetCmdMessage.h"
#include "media/CNetTextMessage.h"
#include "media/CNetVariableMessage.h"
#include "media/MediaWindow.h"
#include "platform/DebugOutput.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_Variable.h"
#include "script/CMC_VariableFactory.h"

#include <algorithm>
#include <memory>
#include <string>

CMC_NetPeer::CMC_NetPeer(CMC_ObjectsContainer* container, const char* name, int type)
    : CMC_Object(CXString(name), type)
    , window_(container != nullptr ? MediaWindow::of(container->getWindow()) : nullptr)
{
    setScene(container);
    registry().push_back(this);
}

CMC_NetPeer::CMC_NetPeer(CMC_ObjectsContainer* container, CMElement* element, int type)
    : CMC_Object(container, element, type)
    , window_(container != nullptr ? MediaWindow::of(container->getWindow()) : nullptr)
{
    registry().push_back(this);
}

CMC_NetPeer::~CMC_NetPeer()
{
    std::vector<CMC_NetPeer*>& peers = registry();
    peers.erase(std::remove(peers.begin(), peers.end(), this), peers.end());
}

std::vector<CMC_NetPeer*>& CMC_NetPeer::registry()
{
    static std::vector<CMC_NetPeer*> peers;
    return peers;
}

void CMC_NetPeer::drainQueues(MediaWindow* window)
{
    // A handler may delete NET objects: each is looked for again before its turn.
    const std::vector<CMC_NetPeer*> snapshot = registry();
    for (CMC_NetPeer* peer : snapshot) {
        const std::vector<CMC_NetPeer*>& peers = registry();
        if (std::find(peers.begin(), peers.end(), peer) != peers.end() && peer->window_ == window)
            peer->onFrame();
    }
}

bool CMC_NetPeer::hasPeers(MediaWindow* window)
{
    const std::vector<CMC_NetPeer*>& peers = registry();
    return std::any_of(peers.begin(), peers.end(), [window](CMC_NetPeer* peer) { return peer->window_ == window; });
}

void CMC_NetPeer::sendCmd(const CXString& to, const CXString& command, CXArray* arguments)
{
    sendFrames(to, [&](CXSocket* socket) { return new CNetCmdMessage(socket, command, arguments); });
}

void CMC_NetPeer::sendVar(const CXString& to, CMC_Variable* value)
{
    if (value == nullptr || !CMC_VariableFactory::isBasicType(value->getType()))
        return;
    sendFrames(to, [value](CXSocket* socket) { return new CNetVariableMessage(socket, value); });
}

void CMC_NetPeer::sendText(const CXString& to, const CXString& text)
{
    sendFrames(to, [&text](CXSocket* socket) { return new CNetTextMessage(socket, text); });
}

void CMC_NetPeer::sendBehaviour(const CXString& to, CMC_Behaviour* behaviour)
{
    if (behaviour == nullptr)
        return;
    sendFrames(to, [behaviour](CXSocket* socket) { return new CNetBehaviourMessage(socket, behaviour); });
}

bool CMC_NetPeer::notifyVariable(CMC_Variable* value)
{
    if (!isLinked())
        return false;
    sendVar(CXString(), value);
    return true;
}

CMC_ObjectsContainer* CMC_NetPeer::currentScene()
{
    CMC_ObjectsContainer* running = window_ != nullptr ? window_->getRunningScene() : nullptr;
    return running != nullptr ? running : getScene();
}

void CMC_NetPeer::onMessage(CNetMessage* message)
{
    CMC_ObjectsContainer* scene = currentScene();
    switch (message->getType()) {
    case CNetMessage::TYPE_COMMAND: {
        auto* command = static_cast<CNetCmdMessage*>(message);
        onSignal("ONCOMMAND^" + command->getCommand(), command->getArguments());
        break;
    }
    case CNetMessage::TYPE_VARIABLE:
        if (scene != nullptr)
            takeVariable(scene, static_cast<CNetVariableMessage*>(message));
        break;
    case CNetMessage::TYPE_BEHAVIOUR:
        if (scene != nullptr)
            runReceivedCode(scene, static_cast<CNetBehaviourMessage*>(message)->getCode());
        break;
    case CNetMessage::TYPE_TEXT:
        latestText_ = "Received text message: '" + static_cast<CNetTextMessage*>(message)->getText() + "' from " +
                      message->getSender() + ".\n";
        onSignal(CXString("ONTEXT"));
        break;
    default:
        break;
    }
}

// Only script values take a received value: anything else of that name is left alone.
void CMC_NetPeer::takeVariable(CMC_ObjectsContainer* scene, const CNetVariableMessage* frame)
{
    CMC_Object* named = scene->getObject(frame->getName().c_str());
    CMC_Variable* target = named != nullptr ? named->asVariable() : nullptr;
    if (target == nullptr || !CMC_VariableFactory::isBasicType(target->getType())) {
        if (named != nullptr) {
            const std::string line = std::string("Network: ") + frame->getName().c_str() + " is no value to take\n";
            platform::debugOutput(line.c_str());
        }
        return;
    }
    CMC_Variable* received = frame->getVariable();
    if (received == nullptr)
        return;
    target->onNetChange(received);
    CMC_Object::flush(received, false);
}

// Peers rely on code they send running at once, in the running scene, with this object as
// the caller. Anyone on the network may send it, so it runs confined to the application's
// folder, and so does whatever code it makes, binds or schedules.
void CMC_NetPeer::runReceivedCode(CMC_ObjectsContainer* scene, const CXString& code)
{
    const CFileSandbox::Scope confinement(true);
    auto behaviour = std::make_unique<CMC_Behaviour>(scene, CXString("temp"), code);
    behaviour->init();
    behaviour->run(this, nullptr, false);
}
