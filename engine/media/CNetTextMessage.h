#pragma once

#include "media/CNetMessage.h"

class CMC_Behaviour;

// The frames whose payload is one text ending in NUL.
class CNetStringMessage : public CNetMessage {
protected:
    CNetStringMessage(CXSocket* socket, int type, const CXString& text);
    CNetStringMessage(const CXString& sender, const CNetMessage* raw);

    const CXString& text() const { return text_; }

private:
    CXString text_;
};

// A text for the other side's players.
class CNetTextMessage : public CNetStringMessage {
public:
    CNetTextMessage(CXSocket* socket, const CXString& text)
        : CNetStringMessage(socket, TYPE_TEXT, text)
    {
    }
    CNetTextMessage(const CXString& sender, const CNetMessage* raw)
        : CNetStringMessage(sender, raw)
    {
    }

    const CXString& getText() const { return text(); }
};

// The name a client introduces itself with.
class CNetHelloMessage : public CNetStringMessage {
public:
    CNetHelloMessage(CXSocket* socket, const CXString& name)
        : CNetStringMessage(socket, TYPE_HELLO, name)
    {
    }
    CNetHelloMessage(const CXString& sender, const CNetMessage* raw)
        : CNetStringMessage(sender, raw)
    {
    }

    const CXString& getText() const { return text(); }
};

// Behaviour code that the other side runs once.
class CNetBehaviourMessage : public CNetStringMessage {
public:
    CNetBehaviourMessage(CXSocket* socket, const CXString& code)
        : CNetStringMessage(socket, TYPE_BEHAVIOUR, code)
    {
    }
    // The behaviour's code.
    CNetBehaviourMessage(CXSocket* socket, CMC_Behaviour* behaviour);
    CNetBehaviourMessage(const CXString& sender, const CNetMessage* raw)
        : CNetStringMessage(sender, raw)
    {
    }

    const CXString& getCode() const { return text(); }
};
