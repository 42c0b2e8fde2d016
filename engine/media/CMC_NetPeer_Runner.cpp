#include "media/CMC_NetPeer_Runner.h"

#include "foundation/CXArray.h"
#include "media/CMC_NetPeer.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_ObjectsContainer.h"

#include <vector>

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"SENDCMD", CMC_NetPeer_Runner::MTH_SENDCMD},
    {"SENDVARIABLE", CMC_NetPeer_Runner::MTH_SENDVARIABLE},
    {"SENDTEXT", CMC_NetPeer_Runner::MTH_SENDTEXT},
    {"SENDBEHAVIOUR", CMC_NetPeer_Runner::MTH_SENDBEHAVIOUR},
    {"GETLATESTTEXT", CMC_NetPeer_Runner::MTH_GETLATESTTEXT},
};

} // namespace

void CMC_NetPeer_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_NetPeer_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* peer = dynamic_cast<CMC_NetPeer*>(object);
    if (peer == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    switch (id) {
    case MTH_SENDCMD:
        sendCmd(peer, args);
        return nullptr;
    case MTH_SENDVARIABLE: {
        CXString recipient;
        CMC_Object* named = namedWithRecipient(scope, args, &recipient);
        if (named != nullptr && named->asVariable() != nullptr)
            peer->sendVar(recipient, named->asVariable());
        return nullptr;
    }
    case MTH_SENDTEXT: {
        const int count = argumentCount(args);
        if (count > 0)
            peer->sendText(count > 1 ? parameterText(args, 0) : CXString(), parameterText(args, count > 1 ? 1 : 0));
        return nullptr;
    }
    case MTH_SENDBEHAVIOUR: {
        CXString recipient;
        CMC_Object* named = namedWithRecipient(scope, args, &recipient);
        if (named != nullptr && named->getType() == CMC_Object::TYPE_BEHAVIOUR)
            peer->sendBehaviour(recipient, dynamic_cast<CMC_Behaviour*>(named));
        return nullptr;
    }
    case MTH_GETLATESTTEXT:
        return giveString(peer->getLatestText());
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}

void CMC_NetPeer_Runner::sendCmd(CMC_NetPeer* peer, CXVector* args)
{
    const int count = argumentCount(args);
    if (count == 0)
        return;
    std::vector<CXString> texts;
    for (int i = 1; i < count; ++i)
        texts.push_back(parameterText(args, i));
    CXArray arguments(static_cast<int>(texts.size()) + 1, 0.75f);
    for (CXString& text : texts)
        arguments.add(&text);
    peer->sendCmd(CXString(), parameterText(args, 0), texts.empty() ? nullptr : &arguments);
}

CMC_Object* CMC_NetPeer_Runner::namedWithRecipient(CMC_ObjectsContainer* scope, CXVector* args, CXString* recipient)
{
    const int count = argumentCount(args);
    if (scope == nullptr || count == 0)
        return nullptr;
    if (count > 1)
        *recipient = parameterText(args, 0);
    return scope->getObject(parameterText(args, count > 1 ? 1 : 0).c_str());
}
