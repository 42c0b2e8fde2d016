#include "media/CMessageStack.h"
#include "media/CNetFileMessages.h"
#include "media/CNetMessage.h"
#include "media/CNetTextMessage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::string bytesOf(const CNetMessage& message)
{
    return std::string(message.getBuffer(), static_cast<size_t>(message.getLength()));
}

void push(CMessageStack& stack, const std::string& bytes)
{
    stack.push(bytes.data(), static_cast<int>(bytes.size()));
}

// Every frame the stack gives now, as bytes.
std::vector<std::string> drain(CMessageStack& stack)
{
    std::vector<std::string> frames;
    while (CNetMessage* frame = stack.get()) {
        frames.push_back(bytesOf(*frame));
        EXPECT_EQ(frame->getType(), static_cast<int>(CNetMessage::loadUInt32(frame->getBuffer())));
        delete frame;
    }
    return frames;
}

} // namespace

TEST(CMessageStack, FramesOfOneReadComeOutInOrder)
{
    CMessageStack stack(nullptr);
    const std::string first = bytesOf(CNetTextMessage(nullptr, "one"));
    const std::string second = bytesOf(CNetHelloMessage(nullptr, "two"));
    push(stack, first + second);
    const std::vector<std::string> expected{first, second};
    EXPECT_EQ(drain(stack), expected);
    EXPECT_EQ(stack.get(), nullptr);
    EXPECT_EQ(stack.pendingSize(), 0u);
}

TEST(CMessageStack, SplitHeadersAndPayloadsWaitForTheirLastByte)
{
    CMessageStack stack(nullptr);
    const std::string frame = bytesOf(CNetTextMessage(nullptr, "a longer text"));
    push(stack, frame.substr(0, 3));
    EXPECT_EQ(stack.get(), nullptr);
    push(stack, frame.substr(3, 5));
    EXPECT_EQ(stack.get(), nullptr);
    push(stack, frame.substr(8, frame.size() - 9));
    EXPECT_EQ(stack.get(), nullptr);
    push(stack, frame.substr(frame.size() - 1));
    EXPECT_EQ(drain(stack), std::vector<std::string>{frame});

    // A header-only frame is whole with its 8 bytes.
    const std::string notice = bytesOf(CNetMessage(nullptr, CNetMessage::TYPE_DISCONNECT));
    push(stack, notice);
    EXPECT_EQ(drain(stack), std::vector<std::string>{notice});
}

TEST(CMessageStack, AnyCutOfAStreamGivesTheSameFrames)
{
    std::vector<std::string> frames;
    std::string stream;
    const std::string chunk(CNetFileDataMessage::MAX_CHUNK, 'x');
    for (int i = 0; i < 20; ++i) {
        frames.push_back(bytesOf(CNetTextMessage(nullptr, std::string(static_cast<size_t>(i * 97), 't').c_str())));
        frames.push_back(bytesOf(CNetMessage(nullptr, CNetMessage::TYPE_DISCONNECT)));
        frames.push_back(bytesOf(CNetFileDataMessage(nullptr, i, 1, 0, 0, i * 500, chunk.data())));
    }
    for (const std::string& frame : frames)
        stream += frame;
    for (size_t readSize : {1u, 7u, 8u, 13u, 1024u, 4000u}) {
        CMessageStack stack(nullptr);
        std::vector<std::string> out;
        for (size_t at = 0; at < stream.size(); at += readSize) {
            push(stack, stream.substr(at, readSize));
            for (std::string& frame : drain(stack))
                out.push_back(std::move(frame));
        }
        EXPECT_EQ(out, frames) << "reads of " << readSize;
        EXPECT_FALSE(stack.isBroken());
    }
}

TEST(CMessageStack, ALengthOutOfBoundsBreaksTheStream)
{
    const std::string text = bytesOf(CNetTextMessage(nullptr, "ok"));
    for (uint32_t length : {0u, 7u, static_cast<uint32_t>(CNetMessage::MAX_LENGTH) + 1, 0xFFFFFFFFu}) {
        CMessageStack stack(nullptr);
        std::string bad(8, '\0');
        CNetMessage::storeUInt32(bad.data(), CNetMessage::TYPE_TEXT);
        CNetMessage::storeUInt32(bad.data() + 4, length);
        push(stack, text + bad);
        EXPECT_EQ(drain(stack), std::vector<std::string>{text}) << length;
        EXPECT_TRUE(stack.isBroken());
        push(stack, text);
        EXPECT_EQ(stack.get(), nullptr);
    }
}
