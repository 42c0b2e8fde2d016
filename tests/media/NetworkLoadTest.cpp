#include "media/CNetworkClient.h"
#include "media/CNetworkServer.h"
#include "media/CXSocket.h"

#include "NetworkTestSupport.h"

#include <map>
#include <memory>
#include <set>

namespace {

constexpr int kClients = 64;
constexpr int kChanges = 100;

std::string le(uint32_t v)
{
    std::string bytes(4, '\0');
    CNetMessage::storeUInt32(bytes.data(), v);
    return bytes;
}

std::string frame(uint32_t type, const std::string& payload)
{
    return le(type) + le(static_cast<uint32_t>(8 + payload.size())) + payload;
}

// What the misbehaving connections send before they hang up: each fault once.
std::vector<std::string> malformedStreams()
{
    return {
        le(CNetMessage::TYPE_TEXT) + le(4) + "abcdefgh",                         // length below the header
        le(CNetMessage::TYPE_TEXT) + le(2u << 20) + std::string(3000, 'x'),      // length above 1 MiB
        frame(CNetMessage::TYPE_COMMAND, "JUMP"),                                // command without its NUL
        frame(CNetMessage::TYPE_VARIABLE, std::string("V\0", 2) + le(9) + le(1)), // unknown value kind
        frame(CNetMessage::TYPE_VARIABLE, std::string("V\0", 2) + le(2) + "ab"), // STRING without its NUL
        frame(CNetMessage::TYPE_PING, le(1) + le(0)),                            // ping of 16 bytes
        frame(CNetMessage::TYPE_FILE_RESPONSE, le(1) + le(1) + le(10) + le(20)), // unequal sizes
        frame(CNetMessage::TYPE_FILE_DATA, le(1) + le(1) + le(0) + le(0) + le(50) + "short"), // n past the frame
    };
}

// The INTEGER values heard under each variable name, in the order heard.
std::map<std::string, std::vector<int32_t>> valuesByName(const RecordingListener& listener)
{
    std::map<std::string, std::vector<int32_t>> values;
    for (const auto& heard : listener.heardOfType(CNetMessage::TYPE_VARIABLE))
        values[heard.text].push_back(heard.value);
    return values;
}

class NetworkLoadTest : public LoopbackNetworkTest {};

} // namespace

TEST_F(NetworkLoadTest, SixtyFourClientsBesideMalformedAndDroppedConnections)
{
    const auto started = std::chrono::steady_clock::now();
    CNetworkServer server(nullptr, false);
    RecordingListener serverHeard;
    server.addNotifier(&serverHeard);
    ASSERT_TRUE(server.start(4661));

    std::vector<std::unique_ptr<CNetworkClient>> clients;
    std::vector<std::unique_ptr<RecordingListener>> clientHeard;
    for (int i = 0; i < kClients; ++i) {
        clients.push_back(std::make_unique<CNetworkClient>(nullptr, false, false));
        clientHeard.push_back(std::make_unique<RecordingListener>());
        clients.back()->addNotifier(clientHeard.back().get());
        ASSERT_TRUE(clients.back()->connect("127.0.0.1", 4661));
        // The listen queue holds 5 connections: one more waits for the kernel's retry.
        ASSERT_TRUE(eventually([&] { return server.getPlayersNo() == i + 1; }));
    }
    const auto pump = [&] {
        server.tick();
        for (auto& client : clients)
            client->tick();
    };

    // Malformed frames, then connections that end in the middle of a frame.
    std::vector<std::string> badStreams = malformedStreams();
    const std::string text = frame(CNetMessage::TYPE_TEXT, std::string(200, 't') + '\0');
    for (int i = 0; i < 8; ++i)
        badStreams.push_back(text.substr(0, static_cast<size_t>(10 + 20 * i)));
    for (size_t i = 0; i < badStreams.size(); ++i) {
        auto bad = platform::TcpSocket::create();
        ASSERT_TRUE(bad->connect("127.0.0.1", 4661, 2000));
        ASSERT_TRUE(eventually([&] { return server.getPlayersNo() + serverHeard.destroyed().size() == kClients + i + 1; }, pump));
        bad->sendAll(badStreams[i].data(), badStreams[i].size());
    }
    ASSERT_TRUE(eventually([&] { return serverHeard.destroyed().size() == badStreams.size(); }, pump));
    ASSERT_EQ(server.getPlayersNo(), kClients);

    for (int i = 0; i < kClients; ++i) {
        const std::string name = "C" + std::to_string(i);
        for (int j = 0; j < kChanges; ++j)
            ASSERT_TRUE(clients[i]->send(integerFrame(clients[i]->getSocket(), name.c_str(), j)));
    }
    for (int j = 0; j < kChanges; ++j) {
        for (int p = 0; p < server.getPlayersNo(); ++p) {
            CXSocket* socket = server.getPlayer(p)->getSocket();
            ASSERT_TRUE(socket->send(integerFrame(socket, "S", j)));
        }
    }
    const auto allHeard = [&] {
        if (serverHeard.heardOfType(CNetMessage::TYPE_VARIABLE).size() < size_t(kClients * kChanges))
            return false;
        for (auto& heard : clientHeard)
            if (heard->heardOfType(CNetMessage::TYPE_VARIABLE).size() < size_t(kChanges))
                return false;
        return true;
    };
    ASSERT_TRUE(eventually(allHeard, pump, std::chrono::seconds(15)));

    std::vector<int32_t> inOrder;
    for (int j = 0; j < kChanges; ++j)
        inOrder.push_back(j);
    const auto atServer = valuesByName(serverHeard);
    ASSERT_EQ(atServer.size(), size_t(kClients));
    for (int i = 0; i < kClients; ++i)
        EXPECT_EQ(atServer.at("C" + std::to_string(i)), inOrder) << "client " << i;
    for (auto& heard : clientHeard)
        EXPECT_EQ(valuesByName(*heard).at("S"), inOrder);

    // Nothing from the misbehaving connections reached the listener.
    std::set<int> types;
    for (const auto& heard : serverHeard.heard())
        types.insert(heard.type);
    EXPECT_EQ(types, (std::set<int>{CNetMessage::TYPE_VARIABLE, CNetMessage::TYPE_HELLO}));
    EXPECT_EQ(serverHeard.heardOfType(CNetMessage::TYPE_HELLO).size(), size_t(kClients));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}
