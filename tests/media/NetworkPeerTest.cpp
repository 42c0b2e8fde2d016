#include "foundation/CConfig.h"
#include "media/CNetPingMessage.h"
#include "media/CNetworkClient.h"
#include "media/CNetworkServer.h"
#include "media/CXSocket.h"

#include "NetworkTestSupport.h"
#include "TempFolder.h"

#include <memory>

namespace {

// What the script objects do with a hello and a disconnect notice: rename and announce the
// player, or remove it.
class PlayerKeepingListener : public RecordingListener {
public:
    explicit PlayerKeepingListener(CNetworkServer* server)
        : server_(server)
    {
    }
    void onMessage(CNetMessage* message) override
    {
        RecordingListener::onMessage(message);
        CNetPlayerInfo* player = server_->findBySocket(message->getSocket());
        if (player == nullptr)
            return;
        if (auto* hello = dynamic_cast<CNetHelloMessage*>(message)) {
            player->setName(hello->getText());
            server_->newPlayer(player);
        } else if (message->getType() == CNetMessage::TYPE_DISCONNECT) {
            server_->removePlayer(player);
        }
    }

private:
    CNetworkServer* server_;
};

class NetworkPeerTest : public LoopbackNetworkTest {
protected:
    void SetUp() override
    {
        server_.addNotifier(&serverHeard_);
        ASSERT_TRUE(server_.start(4661));
    }

    std::unique_ptr<CNetworkClient> connectedClient(CConfig* ini = nullptr)
    {
        auto client = std::make_unique<CNetworkClient>(nullptr, false, false);
        client->setApplicationIni(ini);
        const int players = server_.getPlayersNo();
        EXPECT_TRUE(client->connect("127.0.0.1", 4661));
        EXPECT_TRUE(eventually([&] { return server_.getPlayersNo() == players + 1; }));
        return client;
    }

    // Ticks the server and the given clients until the condition holds.
    bool pumpUntil(const std::function<bool()>& condition, std::vector<CNetworkClient*> clients = {})
    {
        return eventually(condition, [&] {
            server_.tick();
            for (CNetworkClient* client : clients)
                client->tick();
        });
    }

    CNetworkServer server_{nullptr, false};
    PlayerKeepingListener serverHeard_{&server_};
};

std::string bytesOf(const CNetMessage& message)
{
    return std::string(message.getBuffer(), static_cast<size_t>(message.getLength()));
}

} // namespace

TEST_F(NetworkPeerTest, AClientIntroducesItselfByItsIniNameElseByTheHostName)
{
    TempFolder folder;
    CConfig ini(folder.write("game.ini", "[PLAYER]\r\nNAME=Ann\r\n").c_str());
    auto ann = connectedClient(&ini);
    EXPECT_TRUE(ann->isConnected());
    EXPECT_TRUE(ann->connect("127.0.0.1", 4661));
    EXPECT_EQ(server_.getPlayer(0)->getName(), "127.0.0.1");
    ASSERT_TRUE(pumpUntil([&] { return serverHeard_.newPlayers().size() == 1; }));

    auto unnamed = connectedClient();
    ASSERT_TRUE(pumpUntil([&] { return serverHeard_.newPlayers().size() == 2; }));
    const std::vector<std::string> names{"Ann", CXSocket::getHostName().c_str()};
    EXPECT_EQ(serverHeard_.newPlayers(), names);
    EXPECT_EQ(server_.getPlayersNo(), 2);
    const auto hellos = serverHeard_.heardOfType(CNetMessage::TYPE_HELLO);
    ASSERT_EQ(hellos.size(), 2u);
    EXPECT_EQ(hellos[0].sender, "127.0.0.1");

    // A player found by its new name is sent to; an unknown name sends nothing.
    RecordingListener annHeard;
    ann->addNotifier(&annHeard);
    EXPECT_TRUE(server_.send("Ann", new CNetTextMessage(server_.find("Ann")->getSocket(), "for Ann")));
    EXPECT_FALSE(server_.send("Bob", new CNetTextMessage(nullptr, "for Bob")));
    ASSERT_TRUE(pumpUntil([&] { return annHeard.heard().size() == 1; }, {ann.get()}));
    EXPECT_EQ(annHeard.heard()[0].text, "for Ann");
    EXPECT_EQ(annHeard.heard()[0].sender, "127.0.0.1");
    EXPECT_EQ(server_.getPlayer(2), nullptr);
    EXPECT_EQ(server_.getPlayer(-1), nullptr);

    // The peer's own file request always carries request id 1.
    EXPECT_TRUE(unnamed->downlnoad_file("Game", "Scene1", "index.net"));
    ASSERT_TRUE(pumpUntil([&] { return serverHeard_.heardOfType(CNetMessage::TYPE_FILE_REQUEST).size() == 1; }));
    EXPECT_EQ(serverHeard_.heardOfType(CNetMessage::TYPE_FILE_REQUEST)[0].text, "index.net");
    EXPECT_EQ(serverHeard_.heardOfType(CNetMessage::TYPE_FILE_REQUEST)[0].value, 1);
}

TEST_F(NetworkPeerTest, DisconnectingWithAndWithoutTheNotice)
{
    auto quiet = connectedClient();
    auto polite = connectedClient();
    ASSERT_TRUE(pumpUntil([&] { return serverHeard_.newPlayers().size() == 2; }));

    quiet->disconnect(false);
    EXPECT_FALSE(quiet->isConnected());
    ASSERT_TRUE(pumpUntil([&] { return serverHeard_.destroyed().size() == 1; }));
    EXPECT_TRUE(serverHeard_.heardOfType(CNetMessage::TYPE_DISCONNECT).empty());

    polite->disconnect(true);
    ASSERT_TRUE(pumpUntil([&] { return serverHeard_.destroyed().size() == 2; }));
    ASSERT_EQ(serverHeard_.heardOfType(CNetMessage::TYPE_DISCONNECT).size(), 1u);
    EXPECT_EQ(server_.getPlayersNo(), 0);
}

TEST_F(NetworkPeerTest, StoppingNoticesEveryPlayerAndTheServerCanStartAgain)
{
    auto first = connectedClient();
    auto second = connectedClient();
    RecordingListener firstHeard;
    RecordingListener secondHeard;
    first->addNotifier(&firstHeard);
    second->addNotifier(&secondHeard);

    server_.stop(true);
    EXPECT_FALSE(server_.isStarted());
    EXPECT_EQ(server_.getPlayersNo(), 0);
    // The lost link shows before any tick reports it.
    ASSERT_TRUE(eventually([&] { return !first->isConnected() && !second->isConnected(); }));

    ASSERT_TRUE(pumpUntil([&] { return firstHeard.closedCount() == 1; }, {first.get()}));
    const auto notices = firstHeard.heardOfType(CNetMessage::TYPE_DISCONNECT);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(first->getSocket(), nullptr);

    // Started again, the server takes the second client back at once: its lost link is
    // replaced, not reported.
    ASSERT_TRUE(server_.start(4661));
    EXPECT_TRUE(second->connect("localhost", 4661));
    EXPECT_TRUE(second->isConnected());
    EXPECT_TRUE(eventually([&] { return server_.getPlayersNo() == 1; }));
    for (int i = 0; i < 20; ++i)
        second->tick();
    EXPECT_EQ(secondHeard.closedCount(), 0);
}

TEST_F(NetworkPeerTest, APingIsAnsweredOnceAndStillHeard)
{
    auto client = connectedClient();
    RecordingListener clientHeard;
    client->addNotifier(&clientHeard);
    ASSERT_TRUE(client->send(new CNetPingMessage(client->getSocket(), 1234)));
    ASSERT_TRUE(pumpUntil([&] { return clientHeard.heardOfType(CNetMessage::TYPE_PING).size() == 1; },
                          {client.get()}));
    EXPECT_EQ(serverHeard_.heardOfType(CNetMessage::TYPE_PING).size(), 1u);
    // The reply is heard and not answered again.
    for (int i = 0; i < 50; ++i) {
        server_.tick();
        client->tick();
    }
    EXPECT_EQ(serverHeard_.heardOfType(CNetMessage::TYPE_PING).size(), 1u);
}

TEST_F(NetworkPeerTest, NoticesAndUnknownTypesReachListenersRawAndARemovedPlayerIsSilenced)
{
    auto raw = platform::TcpSocket::create();
    ASSERT_TRUE(raw->connect("127.0.0.1", 4661, 2000));
    ASSERT_TRUE(eventually([&] { return server_.getPlayersNo() == 1; }));
    std::string unknown(12, '\0');
    CNetMessage::storeUInt32(unknown.data(), 42);
    CNetMessage::storeUInt32(unknown.data() + 4, 12);
    // One read: the listener removes the player at its notice, so the text after it is never heard.
    const std::string bytes = unknown + bytesOf(CNetTextMessage(nullptr, "before")) +
                              bytesOf(CNetMessage(nullptr, CNetMessage::TYPE_DISCONNECT)) +
                              bytesOf(CNetTextMessage(nullptr, "after"));
    ASSERT_TRUE(raw->sendAll(bytes.data(), bytes.size()));
    ASSERT_TRUE(pumpUntil([&] { return serverHeard_.destroyed().size() == 1; }));
    std::vector<int> types;
    for (const auto& heard : serverHeard_.heard())
        types.push_back(heard.type);
    EXPECT_EQ(types, (std::vector<int>{42, CNetMessage::TYPE_TEXT, CNetMessage::TYPE_DISCONNECT}));
    EXPECT_EQ(server_.getPlayersNo(), 0);
    char buffer[16];
    EXPECT_EQ(raw->receive(buffer, sizeof(buffer)), 0);
}

TEST_F(NetworkPeerTest, ProcessingOnTheReceiverThreadNeedsNoTick)
{
    EXPECT_TRUE(server_.isQueneActive());
    CNetworkClient client(nullptr, false, true);
    EXPECT_FALSE(client.isQueneActive());
    RecordingListener clientHeard;
    client.addNotifier(&clientHeard);
    ASSERT_TRUE(client.connect("127.0.0.1", 4661));
    ASSERT_TRUE(eventually([&] { return server_.getPlayersNo() == 1; }));
    ASSERT_TRUE(server_.getPlayer(0)->getSocket()->send(new CNetTextMessage(server_.getPlayer(0)->getSocket(), "hi")));
    EXPECT_TRUE(eventually([&] { return clientHeard.heard().size() == 1; }));
}
