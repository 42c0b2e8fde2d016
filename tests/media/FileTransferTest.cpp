#include "media/CFileReceiver.h"
#include "media/CFileSender.h"
#include "media/CNetFileMessages.h"
#include "media/CNetworkClient.h"
#include "media/CNetworkServer.h"
#include "media/CXSocket.h"

#include "NetworkTestSupport.h"
#include "TempFolder.h"

#include <filesystem>
#include <memory>
#include <set>

namespace {

std::string pattern(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

// Hands the peer's messages to a file manager and keeps the file frames it saw.
class Forwarder : public CNetListener {
public:
    explicit Forwarder(std::function<void(CNetMessage*)> forward)
        : forward_(std::move(forward))
    {
    }
    void onMessage(CNetMessage* message) override
    {
        if (auto* chunk = dynamic_cast<CNetFileDataMessage*>(message))
            chunks.emplace_back(chunk->getOffset(), chunk->getSize());
        if (auto* response = dynamic_cast<CNetFileResponseMessage*>(message))
            responses.push_back(response->getFileSize());
        if (message->getType() == CNetMessage::TYPE_FILE_REQUEST)
            ++requests;
        forward_(message);
    }

    int requests = 0;
    std::vector<std::pair<int, int>> chunks;
    std::vector<int> responses;

private:
    std::function<void(CNetMessage*)> forward_;
};

// Takes the files it is told about when `take` holds.
class KeepingListener : public CFileReceiver_Listener {
public:
    bool onFileReceived(CFileReceiver_Entry* entry) override
    {
        files.emplace_back(entry->getFileName().c_str(), std::string(entry->getData(), entry->getExpectedSize()));
        return take;
    }
    bool take = false;
    std::vector<std::pair<std::string, std::string>> files;
};

// A server sharing files from share/, a client saving them under received/.
class FileTransferTest : public LoopbackNetworkTest {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(root_.path() / "share" / "Game" / "Scene1");
        server_.addNotifier(&serverSide_);
        client_.addNotifier(&clientSide_);
        ASSERT_TRUE(server_.start(4661));
        ASSERT_TRUE(client_.connect("127.0.0.1", 4661));
        ASSERT_TRUE(eventually([this] { return server_.getPlayersNo() == 1; }));
    }

    std::string share(const std::string& name, const std::string& bytes)
    {
        return root_.write("share/Game/Scene1/" + name, bytes);
    }

    void pump()
    {
        server_.tick();
        sender_.tick();
        client_.tick();
    }

    bool pumpUntil(const std::function<bool()>& condition) { return eventually(condition, [this] { pump(); }); }

    TempFolder root_;
    CNetworkServer server_{nullptr, false};
    CNetworkClient client_{nullptr, false, false};
    CFileSender_Manager sender_{root_.file("share").c_str()};
    KeepingListener kept_;
    CFileReceiver_Manager receiver_{&kept_, root_.file("received").c_str()};
    Forwarder serverSide_{[this](CNetMessage* m) { sender_.received(m); }};
    Forwarder clientSide_{[this](CNetMessage* m) { receiver_.received(m); }};
};

} // namespace

TEST_F(FileTransferTest, FilesArriveWholeOneChunkPerTick)
{
    const std::string big = pattern(2 * 10240 + 500);
    const std::string exact = pattern(10240);
    share("big.img", big);
    share("exact.img", exact);
    share("empty.img", "");

    const int first = receiver_.add_file(client_.getSocket(), "Game", "Scene1", "big.img");
    EXPECT_EQ(receiver_.add_file(client_.getSocket(), "Game", "Scene1", "exact.img"), first + 1);
    receiver_.add_file(client_.getSocket(), "Game", "Scene1", "empty.img");
    ASSERT_TRUE(pumpUntil([this] { return receiver_.getCount() == 0 && sender_.getCount() == 0; }));

    EXPECT_EQ(root_.read("received/Game/Scene1/big.img"), big);
    EXPECT_EQ(root_.read("received/Game/Scene1/exact.img"), exact);
    EXPECT_TRUE(std::filesystem::exists(root_.path() / "received/Game/Scene1/empty.img"));
    EXPECT_EQ(root_.read("received/Game/Scene1/empty.img"), "");
    EXPECT_EQ(kept_.files.size(), 3u);

    std::multiset<int> responses(clientSide_.responses.begin(), clientSide_.responses.end());
    EXPECT_EQ(responses, (std::multiset<int>{0, 10240, 20980}));
    std::multiset<std::pair<int, int>> chunks(clientSide_.chunks.begin(), clientSide_.chunks.end());
    EXPECT_EQ(chunks, (std::multiset<std::pair<int, int>>{{0, 10240}, {10240, 10240}, {20480, 500}, {0, 10240}}));
}

TEST_F(FileTransferTest, TheSenderSendsOneFramePerTickAndThenForgetsTheTransfer)
{
    share("big.img", pattern(2 * 10240 + 500));
    receiver_.add_file(client_.getSocket(), "Game", "Scene1", "big.img");
    ASSERT_TRUE(eventually([this] { return sender_.getCount() == 1; }, [this] { server_.tick(); }));
    for (size_t frames = 1; frames <= 4; ++frames) {
        sender_.tick();
        ASSERT_TRUE(eventually([&] { return clientSide_.responses.size() + clientSide_.chunks.size() == frames; },
                               [this] { client_.tick(); }));
        EXPECT_EQ(sender_.getCount(), 1);
    }
    sender_.tick();
    EXPECT_EQ(sender_.getCount(), 0);
    EXPECT_EQ(clientSide_.chunks.back(), std::make_pair(20480, 500));
}

TEST_F(FileTransferTest, AListenerThatTakesTheFileLeavesNothingOnDisk)
{
    kept_.take = true;
    share("index.net", "VERSION=2.0\n");
    receiver_.add_file(client_.getSocket(), "Game", "Scene1", "index.net");
    ASSERT_TRUE(pumpUntil([this] { return receiver_.getCount() == 0; }));
    ASSERT_EQ(kept_.files.size(), 1u);
    EXPECT_EQ(kept_.files[0].second, "VERSION=2.0\n");
    EXPECT_FALSE(std::filesystem::exists(root_.path() / "received"));
}

TEST_F(FileTransferTest, NamesReachingOutsideTheFoldersAreRefusedOnBothSides)
{
    root_.write("secret.txt", "not for the network");
    for (const char* name : {"..\\x", "../secret.txt", "/etc/passwd", "\\etc\\passwd", "C:\\x", "a\\..\\..\\x", "d:x"})
        EXPECT_EQ(receiver_.add_file(client_.getSocket(), "Game", "Scene1", name), 0) << name;
    EXPECT_EQ(receiver_.add_file(client_.getSocket(), "..", "", "x"), 0);
    EXPECT_EQ(receiver_.add_file(client_.getSocket(), "Game", "..\\..", "x"), 0);
    EXPECT_EQ(receiver_.getCount(), 0);

    // Requests written by hand reach the sender, which serves nothing outside its share.
    CXSocket* socket = client_.getSocket();
    socket->send(new CNetFileRequestMessage(socket, 91, "..", "", "secret.txt"));
    socket->send(new CNetFileRequestMessage(socket, 92, "", "", "/etc/passwd"));
    socket->send(new CNetFileRequestMessage(socket, 93, "Game", "Scene1", "missing.img"));
    socket->send(new CNetFileRequestMessage(socket, 94, "Game", "", "Scene1"));
    // Too large to travel: a sparse file one byte above the limit.
    std::filesystem::resize_file(share("huge.img", ""), CNetFileResponseMessage::MAX_FILE_SIZE + 1);
    socket->send(new CNetFileRequestMessage(socket, 95, "Game", "Scene1", "huge.img"));
    ASSERT_TRUE(pumpUntil([this] { return serverSide_.requests == 5; }));
    for (int i = 0; i < 20; ++i)
        pump();
    EXPECT_EQ(sender_.getCount(), 0);
    EXPECT_TRUE(clientSide_.responses.empty());
    EXPECT_TRUE(clientSide_.chunks.empty());
    const std::set<std::string> expected{"secret.txt", "share"};
    std::set<std::string> entries;
    for (const auto& entry : std::filesystem::directory_iterator(root_.path()))
        entries.insert(entry.path().filename().string());
    EXPECT_EQ(entries, expected);
}

TEST(FileReceiver, ChunksOutsideTheAnnouncedSizeOrBeforeTheResponseAreRefused)
{
    TempFolder root;
    CXSocket socket(nullptr);
    CXSocket otherSocket(nullptr);
    CFileReceiver_Manager receiver(nullptr, root.path().c_str());
    const std::string bytes = pattern(100);
    const auto chunk = [&](int id, int transfer, int offset, int n) {
        CNetFileDataMessage message(&socket, id, transfer, 0, offset, n, bytes.data() + offset);
        receiver.received(&message);
    };
    const auto respond = [&](int id, int size, CXSocket* through) {
        CNetFileResponseMessage message(through, id, 5, size, size);
        receiver.received(&message);
    };

    const int early = receiver.add_file(&socket, "", "", "early.bin");
    chunk(early, 5, 0, 10);
    EXPECT_EQ(receiver.getEntry(early), nullptr);

    const int outside = receiver.add_file(&socket, "", "", "outside.bin");
    respond(outside, 50, &socket);
    chunk(outside, 5, 0, 40);
    chunk(outside, 5, 40, 20);
    EXPECT_EQ(receiver.getEntry(outside), nullptr);

    const int huge = receiver.add_file(&socket, "", "", "huge.bin");
    respond(huge, CNetFileResponseMessage::MAX_FILE_SIZE + 1, &socket);
    EXPECT_EQ(receiver.getEntry(huge), nullptr);

    const int elsewhere = receiver.add_file(&socket, "", "", "elsewhere.bin");
    respond(elsewhere, 10, &otherSocket);
    ASSERT_NE(receiver.getEntry(elsewhere), nullptr);
    EXPECT_EQ(receiver.getEntry(elsewhere)->getTransferId(), -1);
    respond(elsewhere, 10, &socket);
    chunk(elsewhere, 6, 0, 10);
    EXPECT_EQ(receiver.getEntry(elsewhere), nullptr);

    const int good = receiver.add_file(&socket, "", "", "good.bin");
    respond(good, 30, &socket);
    chunk(good, 5, 0, 20);
    chunk(good, 5, 20, 10);
    EXPECT_EQ(receiver.getEntry(good), nullptr);
    chunk(good, 5, 0, 10); // for a request that is gone: nothing happens

    std::set<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(root.path()))
        written.insert(entry.path().filename().string());
    EXPECT_EQ(written, std::set<std::string>{"good.bin"});
    EXPECT_EQ(root.read("good.bin"), bytes.substr(0, 30));
}
