#include "media/CMC_NetServer_Runner.h"

#include "media/CMC_NetServer.h"

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"START", CMC_NetServer_Runner::MTH_START},
    {"STOP", CMC_NetServer_Runner::MTH_STOP},
    {"ISSTARTED", CMC_NetServer_Runner::MTH_ISSTARTED},
    {"GETLOGGEDPLAYERNAME", CMC_NetServer_Runner::MTH_GETLOGGEDPLAYERNAME},
    {"GETPLAYERSNO", CMC_NetServer_Runner::MTH_GETPLAYERSNO},
    {"GETPLAYERNAME", CMC_NetServer_Runner::MTH_GETPLAYERNAME},
};

} // namespace

void CMC_NetServer_Runner::prepareMthHashSet()
{
    CMC_NetPeer_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_NetServer_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* server = dynamic_cast<CMC_NetServer*>(object);
    if (server == nullptr)
        return CMC_NetPeer_Runner::run(id, object, scope, args);
    switch (id) {
    case MTH_START:
        server->start();
        return nullptr;
    case MTH_STOP:
        server->stop();
        return nullptr;
    case MTH_ISSTARTED:
        return giveBool(server->isStarted());
    case MTH_GETLOGGEDPLAYERNAME:
        return giveString(server->getLoggedPlayerName());
    case MTH_GETPLAYERSNO:
        return giveInteger(server->getPlayersNo());
    case MTH_GETPLAYERNAME:
        return giveString(server->getPlayerName(integerParameter(args, 0, -1)));
    default:
        return CMC_NetPeer_Runner::run(id, object, scope, args);
    }
}
