#include "media/CNetCmdMessage.h"

#include "foundation/CXArray.h"

CNetCmdMessage::CNetCmdMessage(CXSocket* socket, const CXString& command, const CXArray* arguments)
    : CNetMessage(socket)
    , command_(command)
{
    const int count = arguments == nullptr ? 0 : arguments->getCount();
    int length = HEADER_SIZE + command.GetLength() + 1;
    for (int i = 0; i < count; ++i)
        length += arguments->stringAt(i)->GetLength() + 1;
    allocate(TYPE_COMMAND, length);
    int offset = putString(HEADER_SIZE, command);
    for (int i = 0; i < count; ++i) {
        const CXString& argument = *arguments->stringAt(i);
        offset = putString(offset, argument);
        addArgument(argument);
    }
}

CNetCmdMessage::CNetCmdMessage(const CXString& sender, const CNetMessage* raw)
    : CNetMessage(sender, raw)
{
    int offset = stringAt(HEADER_SIZE, &command_);
    while (offset > 0 && offset < getLength()) {
        CXString argument;
        offset = stringAt(offset, &argument);
        if (offset > 0)
            addArgument(argument);
    }
}

CNetCmdMessage::~CNetCmdMessage()
{
    CXString::releaseToVector(arguments_);
}

void CNetCmdMessage::addArgument(const CXString& argument)
{
    if (arguments_ == nullptr)
        arguments_ = new CXArray(101, 0.75f);
    arguments_->add(new CXString(argument));
}
