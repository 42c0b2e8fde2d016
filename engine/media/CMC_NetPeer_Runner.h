#pragma once

#include "script/CMC_Runner.h"

class CMC_NetPeer;

// The sending methods that NETCLIENT and NETSERVER share. A recipient, when given first,
// names one player of a server; a client sends to its server whatever it is.
class CMC_NetPeer_Runner : public CMC_Runner {
public:
    static constexpr int MTH_SENDCMD = 257;
    static constexpr int MTH_SENDVARIABLE = 258;
    static constexpr int MTH_SENDTEXT = 259;
    static constexpr int MTH_SENDBEHAVIOUR = 260;
    static constexpr int MTH_GETLATESTTEXT = 261;

    void prepareMthHashSet() override;
    // Ids it does not know go on to the common methods.
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    void sendCmd(CMC_NetPeer* peer, CXVector* args);
    // SENDVARIABLE and SENDBEHAVIOUR: the object that the last argument names in the scope,
    // with the recipient before it when there are two arguments; none when it is missing.
    CMC_Object* namedWithRecipient(CMC_ObjectsContainer* scope, CXVector* args, CXString* recipient);
};
