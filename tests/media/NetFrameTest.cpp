#include "foundation/CXArray.h"
#include "media/CNetCmdMessage.h"
#include "media/CNetFileMessages.h"
#include "media/CNetMessageProcessor.h"
#include "media/CNetPingMessage.h"
#include "media/CNetTextMessage.h"
#include "media/CNetVariableMessage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string bytesOf(const CNetMessage& message)
{
    return std::string(message.getBuffer(), static_cast<size_t>(message.getLength()));
}

// A little-endian 32-bit field as it stands on the wire.
std::string le(uint32_t v)
{
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
}

std::string header(uint32_t type, uint32_t length)
{
    return le(type) + le(length);
}

std::string withNul(const char* text)
{
    return std::string(text) + '\0';
}

// A received frame of these bytes, parsed as the processor parses it.
std::unique_ptr<CNetMessage> parsed(const std::string& bytes)
{
    CNetMessage raw(nullptr, bytes.data());
    raw.setSender("Ann");
    return std::unique_ptr<CNetMessage>(CNetMessageProcessor::parse(&raw));
}

template <class T>
const T& as(const std::unique_ptr<CNetMessage>& message)
{
    return dynamic_cast<const T&>(*message);
}

std::string integerBlock(int32_t value)
{
    return le(CNetVariableMessage::KIND_INTEGER) + le(static_cast<uint32_t>(value));
}

} // namespace

TEST(NetFrames, CommandsCarryTheirArgumentsAsNulEndedTexts)
{
    CXArray arguments;
    CXString one("1");
    CXString two("2");
    arguments.add(&one);
    arguments.add(&two);
    const CNetCmdMessage jump(nullptr, "JUMP", &arguments);
    const std::string expected = header(1, 17) + withNul("JUMP") + withNul("1") + withNul("2");
    ASSERT_EQ(bytesOf(jump), expected);

    auto back = parsed(expected);
    ASSERT_TRUE(back->isWellFormed());
    const auto& command = as<CNetCmdMessage>(back);
    EXPECT_EQ(command.getCommand(), "JUMP");
    ASSERT_NE(command.getArguments(), nullptr);
    ASSERT_EQ(command.getArguments()->getCount(), 2);
    EXPECT_EQ(*command.getArguments()->stringAt(1), "2");
    EXPECT_EQ(command.getSender(), "Ann");

    // No arguments: 9 + len(command) bytes and no argument array at all.
    const CNetCmdMessage bare(nullptr, "JUMP", nullptr);
    EXPECT_EQ(bytesOf(bare), header(1, 13) + withNul("JUMP"));
    EXPECT_EQ(as<CNetCmdMessage>(parsed(bytesOf(bare))).getArguments(), nullptr);

    // One empty argument adds exactly one NUL and comes back as one empty text.
    CXArray emptyArgument;
    CXString empty;
    emptyArgument.add(&empty);
    const CNetCmdMessage withEmpty(nullptr, "JUMP", &emptyArgument);
    EXPECT_EQ(bytesOf(withEmpty), header(1, 14) + withNul("JUMP") + '\0');
    auto emptyBack = parsed(bytesOf(withEmpty));
    ASSERT_EQ(as<CNetCmdMessage>(emptyBack).getArguments()->getCount(), 1);
    EXPECT_EQ(*as<CNetCmdMessage>(emptyBack).getArguments()->stringAt(0), "");
}

TEST(NetFrames, SingleTextFramesAndTheDisconnectNotice)
{
    EXPECT_EQ(bytesOf(CNetTextMessage(nullptr, "hi")), header(5, 11) + withNul("hi"));
    EXPECT_EQ(bytesOf(CNetHelloMessage(nullptr, "Ann")), header(7, 12) + withNul("Ann"));
    EXPECT_EQ(bytesOf(CNetBehaviourMessage(nullptr, "{x=1;}")), header(3, 15) + withNul("{x=1;}"));
    EXPECT_EQ(bytesOf(CNetTextMessage(nullptr, "")), header(5, 9) + '\0');
    EXPECT_EQ(bytesOf(CNetHelloMessage(nullptr, "")), header(7, 9) + '\0');
    EXPECT_EQ(bytesOf(CNetBehaviourMessage(nullptr, "")), header(3, 9) + '\0');
    EXPECT_EQ(bytesOf(CNetMessage(nullptr, CNetMessage::TYPE_DISCONNECT)), header(4, 8));

    EXPECT_EQ(as<CNetTextMessage>(parsed(header(5, 11) + withNul("hi"))).getText(), "hi");
    EXPECT_EQ(as<CNetHelloMessage>(parsed(header(7, 12) + withNul("Ann"))).getText(), "Ann");
    EXPECT_EQ(as<CNetBehaviourMessage>(parsed(header(3, 15) + withNul("{x=1;}"))).getCode(), "{x=1;}");
    EXPECT_EQ(parsed(header(4, 8)), nullptr);
    EXPECT_EQ(parsed(header(77, 8)), nullptr);
}

TEST(NetFrames, VariablesCarryTheValueBlockOfEachKind)
{
    struct Case {
        std::string block;
        int kind;
    };
    const Case cases[] = {
        {integerBlock(-2), 1},
        {le(2) + withNul("abc"), 2},
        {le(3) + std::string(1, '\1'), 3},
        {le(4) + std::string("\0\0\0\0\0\0\xf8\x3f", 8), 4}, // 1.5
    };
    for (const Case& c : cases) {
        const CNetVariableMessage built(nullptr, "SCORE", c.block.data(), static_cast<int>(c.block.size()));
        const std::string expected = header(2, static_cast<uint32_t>(14 + c.block.size())) + withNul("SCORE") + c.block;
        EXPECT_EQ(bytesOf(built), expected) << c.kind;
        auto back = parsed(expected);
        ASSERT_TRUE(back->isWellFormed()) << c.kind;
        const auto& variable = as<CNetVariableMessage>(back);
        EXPECT_EQ(variable.getName(), "SCORE");
        EXPECT_EQ(variable.getVariableType(), c.kind);
        EXPECT_EQ(std::string(variable.getValueBlock(), static_cast<size_t>(variable.getValueBlockSize())), c.block);
    }
}

TEST(NetFrames, PingsAreAlways1024BytesWithZerosBeyondTheFlag)
{
    const CNetPingMessage request(nullptr, 0x01020304u);
    const std::string expected = header(6, 1024) + le(0x01020304u) + le(0) + std::string(1008, '\0');
    ASSERT_EQ(bytesOf(request), expected);

    auto back = parsed(expected);
    const auto& ping = as<CNetPingMessage>(back);
    EXPECT_EQ(ping.getTime(), 0x01020304u);
    EXPECT_FALSE(ping.isResponse());

    const CNetPingMessage reply("Ann", &ping, true);
    EXPECT_EQ(bytesOf(reply), header(6, 1024) + le(0x01020304u) + le(1) + std::string(1008, '\0'));
    EXPECT_TRUE(as<CNetPingMessage>(parsed(bytesOf(reply))).isResponse());
}

TEST(NetFrames, FileFramesCarryBothIdsAndTheSizeTwice)
{
    const CNetFileRequestMessage request(nullptr, 3, "Game", "Scene1", "index.net");
    const std::string requestBytes =
        header(8, 19 + 4 + 6 + 9) + le(3) + le(0xFFFFFFFFu) + withNul("Game") + withNul("Scene1") + withNul("index.net");
    ASSERT_EQ(bytesOf(request), requestBytes);
    auto requestBack = parsed(requestBytes);
    const auto& parsedRequest = as<CNetFileRequestMessage>(requestBack);
    EXPECT_EQ(parsedRequest.getRequestId(), 3);
    EXPECT_EQ(parsedRequest.getTransferId(), -1);
    EXPECT_EQ(parsedRequest.getFolder(), "Game");
    EXPECT_EQ(parsedRequest.getSubFolder(), "Scene1");
    EXPECT_EQ(parsedRequest.getFileName(), "index.net");

    const CNetFileResponseMessage response(nullptr, 3, 9, 25000, 25000);
    const std::string responseBytes = header(9, 24) + le(3) + le(9) + le(25000) + le(25000);
    ASSERT_EQ(bytesOf(response), responseBytes);
    auto responseBack = parsed(responseBytes);
    EXPECT_EQ(as<CNetFileResponseMessage>(responseBack).getTransferId(), 9);
    EXPECT_EQ(as<CNetFileResponseMessage>(responseBack).getFileSize2(), 25000);

    const CNetFileDataMessage data(nullptr, 3, 9, 0, 10240, 5, "abcde");
    const std::string dataBytes = header(10, 33) + le(3) + le(9) + le(0) + le(10240) + le(5) + "abcde";
    ASSERT_EQ(bytesOf(data), dataBytes);
    auto dataBack = parsed(dataBytes);
    const auto& chunk = as<CNetFileDataMessage>(dataBack);
    EXPECT_EQ(chunk.getOffset(), 10240);
    EXPECT_EQ(std::string(chunk.getData(), 5), "abcde");
}

TEST(NetFrames, PayloadsThatDoNotFitTheirTypeAreIllFormed)
{
    const std::string cases[] = {
        header(1, 12) + "JUMP",                                   // command without its NUL
        header(1, 17) + withNul("JUMP") + withNul("1") + "22",    // argument running past the frame
        header(5, 10) + "hi",                                     // text without its NUL
        header(7, 8),                                             // hello with no text at all
        header(2, 18) + withNul("X") + le(7) + le(1),             // value kind outside 1 to 4
        header(2, 15) + withNul("X") + le(1) + "\1",              // INTEGER block cut short
        header(2, 19) + withNul("X") + integerBlock(5) + "\7",    // bytes after the block
        header(2, 16) + withNul("X") + le(2) + "ab",              // STRING block without its NUL
        header(2, 10) + withNul("X"),                             // no room for a block
        header(6, 16) + le(1) + le(0),                            // ping shorter than 1024 bytes
        header(8, 20) + le(1) + le(0xFFFFFFFFu) + withNul("a") + "b" + '\0',  // no file name
        header(9, 24) + le(1) + le(2) + le(10) + le(11),          // unequal sizes
        header(9, 24) + le(1) + le(2) + le(0xFFFFFFFFu) + le(0xFFFFFFFFu), // negative size
        header(10, 30) + le(1) + le(2) + le(0) + le(0) + le(5) + "ab",     // n past the frame
        header(10, 28) + le(1) + le(2) + le(0) + le(0) + le(0xFFFFFFFFu),  // negative n
    };
    for (const std::string& bytes : cases) {
        ASSERT_EQ(CNetMessage::loadUInt32(bytes.data() + 4), bytes.size());
        auto message = parsed(bytes);
        ASSERT_NE(message, nullptr);
        EXPECT_FALSE(message->isWellFormed()) << "type " << message->getType() << ", " << bytes.size() << " bytes";
    }
}
