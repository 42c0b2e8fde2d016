#include "media/CMC_NetClient.h"
#include "media/CMC_NetServer.h"
#include "media/CNetPlayerInfo.h"
#include "media/CNetworkClient.h"
#include "media/CNetworkServer.h"
#include "media/CXSocket.h"
#include "script/CMC_Array.h"

#include "InputScene.h"
#include "NetworkTestSupport.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Both ends of a game in one window: the fixture's scene holds the server SRV, a second
// container the clients. Each side has its ARRAY LOG, which its handlers fill, and its
// NETNOTIFY INTEGER SCORE; the server side also has the INTEGER COUNT, the client side the
// behaviour CODE that counts it up and an INTEGER named as the server.
class NetObjects : public InputScene {
protected:
    static void SetUpTestSuite() { platform::setLoopbackTestNetwork(true); }

    NetObjects()
        : players(std::make_unique<CMC_ObjectsContainer>(window.get(), nullptr, CXString("PLAYERS"),
                                                         CMC_Object::TYPE_SCENE))
        , playerCode(players.get())
    {
        define("OBJECT=LOG\nLOG:TYPE=ARRAY\n"
               "OBJECT=SRV\nSRV:TYPE=NETSERVER\n"
               "SRV:ONCOMMAND^JUMP={LOG^ADD(\"jump\");LOG^ADD($1);LOG^ADD($2);}\n"
               "SRV:ONCOMMAND={LOG^ADD(\"plain\");}\n"
               "SRV:ONNEWPLAYER={LOG^ADD(\"new\");}\nSRV:ONDESTROYPLAYER={LOG^ADD(\"gone\");}\n"
               "SRV:ONTEXT={LOG^ADD(\"text\");}\n" +
               score() + "OBJECT=COUNT\nCOUNT:TYPE=INTEGER\n");
        define("OBJECT=LOG\nLOG:TYPE=ARRAY\n"
               "OBJECT=CLI\nCLI:TYPE=NETCLIENT\n"
               "CLI:ONCONNECTED={LOG^ADD(\"connected\");}\nCLI:ONCONNECTIONCLOSED={LOG^ADD(\"closed\");}\n"
               "CLI:ONCOMMAND^HELLO={LOG^ADD(\"hello\");}\n"
               "OBJECT=CLI2\nCLI2:TYPE=NETCLIENT\n" +
                   score() + "OBJECT=CODE\nCODE:TYPE=BEHAVIOUR\nCODE:CODE={COUNT^INC();}\n"
                             "OBJECT=SRV\nSRV:TYPE=INTEGER\nSRV:VALUE=3\n",
               players.get());
    }
    ~NetObjects() override
    {
        players->unload();
        players.reset();
    }

    static std::string score()
    {
        return "OBJECT=SCORE\nSCORE:TYPE=INTEGER\nSCORE:NETNOTIFY=TRUE\n"
               "SCORE:ONNETCHANGE={LOG^ADD(\"net\");}\nSCORE:ONCHANGED={LOG^ADD(SCORE);}\n";
    }

    // Frames until the condition holds; false after the time limit.
    bool until(const std::function<bool()>& condition)
    {
        return eventually(condition, [this] { frame(); });
    }

    // The side's LOG, emptied.
    static Log take(CMC_ObjectsContainer* side)
    {
        auto* array = static_cast<CMC_Array*>(side->getObject("LOG"));
        Log entries;
        for (int i = 0; i < array->getSize(); ++i)
            entries.emplace_back(array->get(i)->toString().c_str());
        array->removeAll();
        return entries;
    }
    // What the side logs over the frames until it has logged that many entries.
    Log gather(CMC_ObjectsContainer* side, size_t count)
    {
        Log all;
        until([&] {
            for (const std::string& entry : take(side))
                all.push_back(entry);
            return all.size() >= count;
        });
        return all;
    }

    // The server started and the client of that name connected and introduced ("new").
    void connect(const char* client = "CLI")
    {
        run("SRV^START();");
        playerCode.run(std::string(client) + "^CONNECT(\"localhost\");");
        ASSERT_EQ(playerCode.ask(std::string(client) + "^ISCONNECTED()"), "TRUE");
        ASSERT_EQ(gather(scene.get(), 1), Log{"new"});
    }

    CMC_NetServer* server() { return static_cast<CMC_NetServer*>(scene->getObject("SRV")); }
    CMC_NetClient* client(const char* name) { return static_cast<CMC_NetClient*>(players->getObject(name)); }
    Log serverLog() { return take(scene.get()); }
    Log playerLog() { return take(players.get()); }
    std::string latestText(const std::string& client) { return playerCode.ask(client + "^GETLATESTTEXT()"); }

    static std::string received(const std::string& text, const std::string& from)
    {
        return "Received text message: '" + text + "' from " + from + ".\n";
    }

    // A peer of our own making, connected to the started server and counted among its players.
    std::unique_ptr<platform::TcpSocket> rawPlayer()
    {
        const int before = std::stoi(ask("SRV^GETPLAYERSNO()"));
        auto raw = platform::TcpSocket::create();
        EXPECT_TRUE(raw->connect("127.0.0.1", CMC_NetPeer::PORT, 2000));
        EXPECT_TRUE(until([&] { return ask("SRV^GETPLAYERSNO()") == std::to_string(before + 1); }));
        return raw;
    }
    static std::string bytesOf(const CNetMessage& message)
    {
        return std::string(message.getBuffer(), static_cast<size_t>(message.getLength()));
    }

    std::unique_ptr<CMC_ObjectsContainer> players;
    ScriptCode playerCode;
};

} // namespace


// A command raises "ONCOMMAND^" and its name with the command's texts as arguments; the plain
// "ONCOMMAND" handler stays silent. Commands reach a client the same way.
TEST_F(NetObjects, CommandsRaiseTheirOwnSignalWithTheirArguments)
{
    connect();
    EXPECT_EQ(playerLog(), Log{"connected"});

    playerCode.run("CLI^SENDCMD(\"JUMP\", 1, 2);");
    EXPECT_EQ(gather(scene.get(), 3), (Log{"jump", "1", "2"}));

    run("SRV^SENDCMD(\"HELLO\");");
    EXPECT_EQ(gather(players.get(), 1), Log{"hello"});
}

// A player is named by its address until its hello; then it bears the client's player name
// (the host name without one in the INI). DISCONNECT removes it without a signal on the
// client; the server's going is the client's "ONCONNECTIONCLOSED".
TEST_F(NetObjects, PlayersComeByHelloAndGoByNoticeOrWithTheServer)
{
    connect();
    const std::string host = CXSocket::getHostName().c_str();
    EXPECT_EQ(ask("SRV^GETLOGGEDPLAYERNAME()"), host);
    EXPECT_EQ(ask("SRV^GETPLAYERSNO()"), "1");
    for (const auto& [index, name] : {std::pair{"0", host}, {"1", ""}, {"-1", ""}})
        EXPECT_EQ(ask("SRV^GETPLAYERNAME(" + std::string(index) + ")"), name) << index;

    playerCode.run("CLI^DISCONNECT();");
    EXPECT_EQ(playerCode.ask("CLI^ISCONNECTED()"), "FALSE");
    EXPECT_EQ(gather(scene.get(), 1), Log{"gone"});
    EXPECT_EQ(ask("SRV^GETPLAYERSNO()"), "0");

    connect();
    run("SRV^STOP();");
    EXPECT_EQ(ask("SRV^ISSTARTED()"), "FALSE");
    EXPECT_EQ(gather(players.get(), 3), (Log{"connected", "connected", "closed"}));
    EXPECT_EQ(playerCode.ask("CLI^ISCONNECTED()"), "FALSE");
    EXPECT_EQ(serverLog(), Log{});
}

// A frame is credited to the name its player bears when the frame is handled: a text in the
// same read as the hello before it comes from the hello's name.
TEST_F(NetObjects, ATextRightAfterTheHelloComesFromTheNewName)
{
    run("SRV^START();");
    auto ann = rawPlayer();
    const std::string helloAndText = bytesOf(CNetHelloMessage(nullptr, "Ann")) + bytesOf(CNetTextMessage(nullptr, "hi"));
    ASSERT_TRUE(ann->sendAll(helloAndText.data(), helloAndText.size()));
    EXPECT_EQ(gather(scene.get(), 2), (Log{"new", "text"}));
    EXPECT_EQ(ask("SRV^GETLATESTTEXT()"), received("hi", "Ann"));
}

// "ONDESTROYPLAYER" pairs with "ONNEWPLAYER": a connection that ends, or gives notice, before
// its hello leaves the players unannounced.
TEST_F(NetObjects, OnlyAnnouncedPlayersAreSeenToGo)
{
    run("SRV^START();");
    rawPlayer().reset();
    ASSERT_TRUE(until([&] { return ask("SRV^GETPLAYERSNO()") == "0"; }));
    const std::string notice = bytesOf(CNetMessage(nullptr, CNetMessage::TYPE_DISCONNECT));
    ASSERT_TRUE(rawPlayer()->sendAll(notice.data(), notice.size()));
    ASSERT_TRUE(until([&] { return ask("SRV^GETPLAYERSNO()") == "0"; }));
    EXPECT_EQ(serverLog(), Log{});

    auto bob = rawPlayer();
    const std::string hello = bytesOf(CNetHelloMessage(nullptr, "Bob"));
    ASSERT_TRUE(bob->sendAll(hello.data(), hello.size()));
    EXPECT_EQ(gather(scene.get(), 1), Log{"new"});
    bob.reset();
    EXPECT_EQ(gather(scene.get(), 1), Log{"gone"});
    EXPECT_EQ(ask("SRV^GETPLAYERSNO()"), "0");
}

// Texts from the server reach every player, or the first one of the name; a name that no
// player bears gets nothing. A text to the server names the player it came from.
TEST_F(NetObjects, TextsGoToEveryPlayerOrToTheOneNamed)
{
    connect("CLI");
    connect("CLI2");
    server()->getServerIfc()->getPlayer(1)->setName("Ann");
    RecordingListener first;
    RecordingListener second;
    client("CLI")->getClientIfc()->addNotifier(&first);
    client("CLI2")->getClientIfc()->addNotifier(&second);
    const auto texts = [](const RecordingListener& heard) {
        Log found;
        for (const RecordingListener::Heard& text : heard.heardOfType(CNetMessage::TYPE_TEXT))
            found.push_back(text.text);
        return found;
    };

    for (const char* sending : {"(\"hi\")", "(\"Nobody\", \"lost\")", "(\"Ann\", \"yo\")", "(\"end\")"})
        run(std::string("SRV^SENDTEXT") + sending + ";");
    ASSERT_TRUE(until([&] { return texts(first).size() == 2 && texts(second).size() == 3; }));
    EXPECT_EQ(texts(first), (Log{"hi", "end"}));
    EXPECT_EQ(texts(second), (Log{"hi", "yo", "end"}));
    EXPECT_EQ(latestText("CLI"), received("end", "localhost"));
    client("CLI")->getClientIfc()->removeNotifier(&first);
    client("CLI2")->getClientIfc()->removeNotifier(&second);

    playerCode.run("CLI2^SENDTEXT(\"hello\");");
    EXPECT_EQ(gather(scene.get(), 1), Log{"text"});
    EXPECT_EQ(ask("SRV^GETLATESTTEXT()"), received("hello", "Ann"));
}

// A NETNOTIFY value's change reaches its namesake on the other side, which takes it without
// sending it back; a value for an object that is no value is dropped. Behaviour code runs
// once, in the receiving scene. Commands after each step show what arrived before them.
TEST_F(NetObjects, ValuesFollowTheirNamesakesAndCodeRunsOnceOnTheOtherSide)
{
    connect();
    EXPECT_EQ(playerLog(), Log{"connected"});
    const Log marker{"jump", "a", "b"};
    const std::string sendMarker = "CLI^SENDCMD(\"JUMP\", \"a\", \"b\");";

    playerCode.run("SCORE^SET(5);");
    EXPECT_EQ(playerLog(), Log{"5"});
    EXPECT_EQ(gather(scene.get(), 2), (Log{"net", "5"}));
    run("SCORE^SET(7);");
    EXPECT_EQ(serverLog(), Log{"7"});
    EXPECT_EQ(gather(players.get(), 2), (Log{"net", "7"}));
    playerCode.run(sendMarker);
    EXPECT_EQ(gather(scene.get(), 3), marker);

    playerCode.run("CLI^SENDVARIABLE(\"SRV\");");
    playerCode.run("CLI^SENDBEHAVIOUR(\"CODE\");");
    playerCode.run(sendMarker);
    EXPECT_EQ(gather(scene.get(), 3), marker);
    EXPECT_EQ(ask("COUNT"), "1");
    EXPECT_EQ(ask("SRV^ISSTARTED()"), "TRUE");
}

// A compiled scene's record gives the server back under its name, with its bindings.
TEST_F(NetObjects, ARecordGivesTheServerBackWithItsBindings)
{
    auto* read = roundTrip(server());
    EXPECT_EQ(read->getName(), "SRV");
    EXPECT_EQ(read->getType(), CMC_NetServer::TYPE);
    connect();
    playerCode.run("CLI^SENDCMD(\"JUMP\", 1, 2);");
    EXPECT_EQ(gather(scene.get(), 3), (Log{"jump", "1", "2"}));
}
