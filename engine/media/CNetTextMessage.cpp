#include "media/CNetTextMessage.h"

#include "script/CMC_Behaviour.h"

CNetStringMessage::CNetStringMessage(CXSocket* socket, int type, const CXString& text)
    : CNetMessage(socket)
    , text_(text)
{
    allocate(type, HEADER_SIZE + text.GetLength() + 1);
    putString(HEADER_SIZE, text);
}

CNetStringMessage::CNetStringMessage(const CXString& sender, const CNetMessage* raw)
    : CNetMessage(sender, raw)
{
    stringAt(HEADER_SIZE, &text_);
}

CNetBehaviourMessage::CNetBehaviourMessage(CXSocket* socket, CMC_Behaviour* behaviour)
    : CNetBehaviourMessage(socket, behaviour->getCode())
{
}
