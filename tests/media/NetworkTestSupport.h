#pragma once

#include "media/CNetCmdMessage.h"
#include "media/CNetFileMessages.h"
#include "media/CNetListener.h"
#include "media/CNetPlayerInfo.h"
#include "media/CNetTextMessage.h"
#include "media/CNetVariableMessage.h"
#include "platform/TcpSocket.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Network tests run on the loopback test network: 127.0.0.1 and ports the system picks.
class LoopbackNetworkTest : public testing::Test {
protected:
    static void SetUpTestSuite() { platform::setLoopbackTestNetwork(true); }
};

// Polls the condition every millisecond, calling pump before each poll, for at most `limit`.
inline bool eventually(const std::function<bool()>& condition, const std::function<void()>& pump = {},
                       std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (pump)
            pump();
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

// The value block of an INTEGER.
inline std::string integerBlock(int32_t value)
{
    std::string block(8, '\0');
    CNetMessage::storeUInt32(block.data(), CNetVariableMessage::KIND_INTEGER);
    CNetMessage::storeUInt32(block.data() + 4, static_cast<uint32_t>(value));
    return block;
}

inline CNetVariableMessage* integerFrame(CXSocket* socket, const char* name, int32_t value)
{
    const std::string block = integerBlock(value);
    return new CNetVariableMessage(socket, name, block.data(), static_cast<int>(block.size()));
}

// Everything a peer tells its listener, kept for the test to look at from any thread.
class RecordingListener : public CNetListener {
public:
    struct Heard {
        int type;
        std::string sender;
        std::string text; // the text, the command, the variable's or the requested file's name
        int32_t value;    // an INTEGER variable's value, or a file request's id
        CXSocket* socket;
    };

    void onMessage(CNetMessage* message) override
    {
        Heard heard{message->getType(), message->getSender().c_str(), "", 0, message->getSocket()};
        if (auto* text = dynamic_cast<CNetTextMessage*>(message))
            heard.text = text->getText().c_str();
        else if (auto* hello = dynamic_cast<CNetHelloMessage*>(message))
            heard.text = hello->getText().c_str();
        else if (auto* command = dynamic_cast<CNetCmdMessage*>(message))
            heard.text = command->getCommand().c_str();
        else if (auto* variable = dynamic_cast<CNetVariableMessage*>(message)) {
            heard.text = variable->getName().c_str();
            if (variable->getVariableType() == CNetVariableMessage::KIND_INTEGER)
                heard.value = static_cast<int32_t>(CNetMessage::loadUInt32(variable->getValueBlock() + 4));
        } else if (auto* request = dynamic_cast<CNetFileRequestMessage*>(message)) {
            heard.text = request->getFileName().c_str();
            heard.value = request->getRequestId();
        }
        std::lock_guard<std::mutex> guard(lock_);
        heard_.push_back(heard);
    }
    void onConnectionClosed() override
    {
        std::lock_guard<std::mutex> guard(lock_);
        ++closed_;
    }
    void onNewPlayer(CNetPlayerInfo* player) override
    {
        std::lock_guard<std::mutex> guard(lock_);
        newPlayers_.push_back(player->getName().c_str());
    }
    void onDestroyPlayer(CNetPlayerInfo* player) override
    {
        std::lock_guard<std::mutex> guard(lock_);
        destroyed_.push_back(player->getSocket());
    }

    std::vector<Heard> heard() const
    {
        std::lock_guard<std::mutex> guard(lock_);
        return heard_;
    }
    std::vector<Heard> heardOfType(int type) const
    {
        std::vector<Heard> found;
        for (const Heard& h : heard())
            if (h.type == type)
                found.push_back(h);
        return found;
    }
    int closedCount() const
    {
        std::lock_guard<std::mutex> guard(lock_);
        return closed_;
    }
    std::vector<std::string> newPlayers() const
    {
        std::lock_guard<std::mutex> guard(lock_);
        return newPlayers_;
    }
    std::vector<CXSocket*> destroyed() const
    {
        std::lock_guard<std::mutex> guard(lock_);
        return destroyed_;
    }

private:
    mutable std::mutex lock_;
    std::vector<Heard> heard_;
    int closed_ = 0;
    std::vector<std::string> newPlayers_;
    std::vector<CXSocket*> destroyed_;
};
