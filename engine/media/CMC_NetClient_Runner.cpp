#include "media/CMC_NetClient_Runner.h"

#include "media/CMC_NetClient.h"

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"CONNECT", CMC_NetClient_Runner::MTH_CONNECT},
    {"DISCONNECT", CMC_NetClient_Runner::MTH_DISCONNECT},
    {"ISCONNECTED", CMC_NetClient_Runner::MTH_ISCONNECTED},
};

} // namespace

void CMC_NetClient_Runner::prepareMthHashSet()
{
    CMC_NetPeer_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_NetClient_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* client = dynamic_cast<CMC_NetClient*>(object);
    if (client == nullptr)
        return CMC_NetPeer_Runner::run(id, object, scope, args);
    switch (id) {
    case MTH_CONNECT:
        // Whether it worked shows through ISCONNECTED.
        if (argumentCount(args) > 0)
            client->connect(parameterText(args, 0));
        return nullptr;
    case MTH_DISCONNECT:
        client->disconnect();
        return nullptr;
    case MTH_ISCONNECTED:
        return giveBool(client->isConnected());
    default:
        return CMC_NetPeer_Runner::run(id, object, scope, args);
    }
}
