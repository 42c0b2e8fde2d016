#pragma once

#include "media/CNetMessage.h"

class CXArray;

// A command for the other side: the command text, then each argument text, each ending in NUL.
class CNetCmdMessage : public CNetMessage {
public:
    // `arguments` holds CXString pointers and may be null or empty; the message keeps copies.
    CNetCmdMessage(CXSocket* socket, const CXString& command, const CXArray* arguments);
    CNetCmdMessage(const CXString& sender, const CNetMessage* raw);
    ~CNetCmdMessage() override;

    const CXString& getCommand() const { return command_; }
    // The argument texts (CXString pointers, owned by the message); null when the frame
    // carries none.
    CXArray* getArguments() const { return arguments_; }

private:
    void addArgument(const CXString& argument);

    CXString command_;
    CXArray* arguments_ = nullptr;
};
