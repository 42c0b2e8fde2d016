#include "media/CNetMessageProcessor.h"

#include "media/CNetCmdMessage.h"
#include "media/CNetFileMessages.h"
#include "media/CNetListener.h"
#include "media/CNetPingMessage.h"
#include "media/CNetTextMessage.h"
#include "media/CNetVariableMessage.h"
#include "media/CNetworkPeer.h"
#include "media/CXSocket.h"
#include "platform/DebugOutput.h"

#include <memory>
#include <string>

CNetMessage* CNetMessageProcessor::parse(const CNetMessage* raw)
{
    const CXString& sender = raw->getSender();
    switch (raw->getType()) {
    case CNetMessage::TYPE_COMMAND:
        return new CNetCmdMessage(sender, raw);
    case CNetMessage::TYPE_VARIABLE:
        return new CNetVariableMessage(sender, raw);
    case CNetMessage::TYPE_BEHAVIOUR:
        return new CNetBehaviourMessage(sender, raw);
    case CNetMessage::TYPE_TEXT:
        return new CNetTextMessage(sender, raw);
    case CNetMessage::TYPE_PING:
        return new CNetPingMessage(sender, raw);
    case CNetMessage::TYPE_HELLO:
        return new CNetHelloMessage(sender, raw);
    case CNetMessage::TYPE_FILE_REQUEST:
        return new CNetFileRequestMessage(sender, raw);
    case CNetMessage::TYPE_FILE_RESPONSE:
        return new CNetFileResponseMessage(sender, raw);
    case CNetMessage::TYPE_FILE_DATA:
        return new CNetFileDataMessage(sender, raw);
    default:
        return nullptr;
    }
}

void CNetMessageProcessor::process(CNetMessage* raw, CNetworkPeer* peer)
{
    std::unique_ptr<CNetMessage> typed(parse(raw));
    if (typed && !typed->isWellFormed()) {
        const std::string line = "Network: dropped a malformed frame of type " + std::to_string(raw->getType()) +
                                 " from " + raw->getSender().c_str() + "\n";
        platform::debugOutput(line.c_str());
        return;
    }
    if (raw->getType() == CNetMessage::TYPE_PING && raw->getSocket() != nullptr) {
        const auto* ping = static_cast<const CNetPingMessage*>(typed.get());
        if (!ping->isResponse())
            raw->getSocket()->send(new CNetPingMessage(raw->getSender(), ping, true));
    }
    CNetMessage* delivered = typed ? typed.get() : raw;
    peer->notify([delivered](CNetListener* listener) { listener->onMessage(delivered); });
}
