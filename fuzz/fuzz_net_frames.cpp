// Network frames as a connection receives them: the input, after its first byte, is cut into
// reads of the size that byte gives, pushed through the message stack, and every frame that
// comes out goes through the parser of its type; file frames then reach a file entry.
#include "media/CFileReceiver.h"
#include "media/CMessageStack.h"
#include "media/CNetCmdMessage.h"
#include "media/CNetFileMessages.h"
#include "media/CNetMessageProcessor.h"
#include "media/CNetVariableMessage.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// Reads the fields a listener would read.
void use(CNetMessage* message, CFileReceiver_Entry& entry)
{
    if (auto* command = dynamic_cast<CNetCmdMessage*>(message)) {
        if (command->getArguments() != nullptr && command->getArguments()->getCount() == 0)
            std::abort();
    } else if (auto* variable = dynamic_cast<CNetVariableMessage*>(message)) {
        if (variable->getVariableType() < 1 || variable->getVariableType() > 4)
            std::abort();
    } else if (auto* response = dynamic_cast<CNetFileResponseMessage*>(message)) {
        if (response->getFileSize() <= (1 << 20))
            entry.received(message);
    } else if (dynamic_cast<CNetFileDataMessage*>(message) != nullptr) {
        entry.received(message);
    }
    // Chunks in any order, twice or overlapping, never count a byte twice.
    if (entry.getReceived() > entry.getExpectedSize())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t readSize = data[0] == 0 ? 1024 : data[0];
    const char* stream = reinterpret_cast<const char*>(data + 1);
    const size_t streamSize = size - 1;

    CMessageStack stack(nullptr);
    CFileReceiver_Entry entry(nullptr, 1, "", "", "fuzz.bin");
    size_t framed = 0;
    for (size_t at = 0; at < streamSize; at += readSize) {
        const size_t n = streamSize - at < readSize ? streamSize - at : readSize;
        stack.push(stream + at, static_cast<int>(n));
        while (CNetMessage* raw = stack.get()) {
            framed += static_cast<size_t>(raw->getLength());
            std::unique_ptr<CNetMessage> typed(CNetMessageProcessor::parse(raw));
            if (typed && typed->isWellFormed())
                use(typed.get(), entry);
            delete raw;
        }
    }
    if (!stack.isBroken() && framed + stack.pendingSize() != streamSize)
        std::abort();
    return 0;
}
