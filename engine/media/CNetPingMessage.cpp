#include "media/CNetPingMessage.h"

CNetPingMessage::CNetPingMessage(CXSocket* socket, uint32_t time)
    : CNetMessage(socket)
    , time_(time)
{
    allocate(TYPE_PING, LENGTH);
    putInt(8, static_cast<int32_t>(time));
}

CNetPingMessage::CNetPingMessage(const CXString& sender, const CNetMessage* raw)
    : CNetMessage(sender, raw)
{
    if (getLength() != LENGTH) {
        markIllFormed();
        return;
    }
    time_ = static_cast<uint32_t>(intAt(8));
    response_ = intAt(12) == 1;
}

CNetPingMessage::CNetPingMessage(const CXString& sender, const CNetPingMessage* request, bool reply)
    : CNetMessage(request->getSocket())
    , time_(request->getTime())
    , response_(reply)
{
    setSender(sender);
    allocate(TYPE_PING, LENGTH);
    putInt(8, static_cast<int32_t>(time_));
    putInt(12, reply ? 1 : 0);
}
