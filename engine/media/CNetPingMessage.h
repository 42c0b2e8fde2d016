#pragma once

#include "media/CNetMessage.h"

#include <cstdint>

// A ping: the time of the request at 8, the reply flag at 12 (0 request, 1 reply), always
// 1024 bytes long; the rest is zeros.
class CNetPingMessage : public CNetMessage {
public:
    static constexpr int LENGTH = 1024;

    // A request.
    CNetPingMessage(CXSocket* socket, uint32_t time);
    CNetPingMessage(const CXString& sender, const CNetMessage* raw);
    // The answer to a parsed request: its time unchanged, the flag 1 when `reply` holds.
    CNetPingMessage(const CXString& sender, const CNetPingMessage* request, bool reply);

    uint32_t getTime() const { return time_; }
    bool isResponse() const { return response_; }

private:
    uint32_t time_ = 0;
    bool response_ = false;
};
