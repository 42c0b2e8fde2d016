#include "media/CFileReceiver.h"
#include "media/CFileSender.h"
#include "media/CNetFileMessages.h"
#include "media/CNetworkClient.h"
#include "media/CNetworkServer.h"
#include "media/CXSocket.h"

#include "NetworkTestSupport.h"
#include "TempFolder.h"

#include <algorithm>
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

// A bad frame is dropped on its own: the transfer goes on and the file lands whole once its
// good chunks are in, each written at its own offset. Every case's transfer is number 5.
TEST(FileReceiver, BadFramesAreDroppedAndTheTransferGoesOn)
{
    struct Frame {
        bool response;
        int transfer;
        int offset; // a chunk's
        int size;   // the file's, or the chunk's
    };
    const auto respond = [](int size) { return Frame{true, 5, 0, size}; };
    const auto chunk = [](int offset, int n, int transfer = 5) { return Frame{false, transfer, offset, n}; };
    constexpr int STILL_WAITING = -1;
    constexpr int GIVEN_UP = -2;
    struct Case {
        const char* file;
        std::vector<Frame> frames;
        int lands; // the size of the file that lands, else STILL_WAITING or GIVEN_UP
    };
    const Case cases[] = {
        {"empty-after-early-data.bin", {chunk(0, 10), respond(0)}, 0},
        {"early-data.bin", {chunk(0, 10), respond(30), chunk(0, 30)}, 30},
        {"past-the-end.bin", {respond(50), chunk(0, 40), chunk(40, 20), chunk(40, 10)}, 50},
        {"before-the-start.bin", {respond(20), chunk(-10, 10), chunk(0, 20)}, 20},
        {"other-transfer.bin", {respond(10), chunk(0, 10, 6), chunk(0, 10)}, 10},
        {"second-response.bin", {respond(20), chunk(0, 10), respond(90), chunk(10, 10)}, 20},
        {"backwards.bin", {respond(30), chunk(20, 10), chunk(10, 10), chunk(0, 10)}, 30},
        {"overlapping.bin", {respond(30), chunk(0, 20), chunk(0, 20), chunk(10, 15), chunk(25, 5)}, 30},
        {"hole.bin", {respond(30), chunk(0, 10), chunk(0, 10), chunk(0, 10), chunk(20, 10)}, STILL_WAITING},
        {"huge.bin", {respond(CNetFileResponseMessage::MAX_FILE_SIZE + 1), respond(10), chunk(0, 10)}, GIVEN_UP},
    };
    TempFolder root;
    CXSocket socket(nullptr);
    CFileReceiver_Manager receiver(nullptr, root.path().c_str());
    const std::string bytes = pattern(100);
    for (const Case& test : cases) {
        const int id = receiver.add_file(&socket, "", "", test.file);
        for (const Frame& frame : test.frames) {
            if (frame.response) {
                CNetFileResponseMessage message(&socket, id, frame.transfer, frame.size, frame.size);
                receiver.received(&message);
            } else {
                const char* data = bytes.data() + std::max(frame.offset, 0);
                CNetFileDataMessage message(&socket, id, frame.transfer, 0, frame.offset, frame.size, data);
                receiver.received(&message);
            }
        }
        const bool landed = std::filesystem::exists(root.path() / test.file);
        EXPECT_EQ(landed, test.lands >= 0) << test.file;
        if (landed) {
            EXPECT_EQ(root.read(test.file), bytes.substr(0, static_cast<size_t>(test.lands))) << test.file;
        }
        EXPECT_EQ(receiver.getEntry(id) != nullptr, test.lands == STILL_WAITING) << test.file;
    }
}

// Answers count only on the connection their request went out on, and frames for a request
// that is gone change nothing.
TEST(FileReceiver, AnswersComeOnTheRequestsConnection)
{
    TempFolder root;
    CXSocket socket(nullptr);
    CXSocket otherSocket(nullptr);
    CFileReceiver_Manager receiver(nullptr, root.path().c_str());
    const std::string bytes = pattern(10);
    const int id = receiver.add_file(&socket, "", "", "elsewhere.bin");
    CNetFileResponseMessage elsewhere(&otherSocket, id, 5, 10, 10);
    receiver.received(&elsewhere);
    ASSERT_NE(receiver.getEntry(id), nullptr);
    EXPECT_EQ(receiver.getEntry(id)->getTransferId(), -1);

    CNetFileResponseMessage response(&socket, id, 5, 10, 10);
    CNetFileDataMessage chunk(&socket, id, 5, 0, 0, 10, bytes.data());
    receiver.received(&response);
    receiver.received(&chunk);
    EXPECT_EQ(receiver.getEntry(id), nullptr);
    EXPECT_EQ(root.read("elsewhere.bin"), bytes);
    std::filesystem::remove(root.path() / "elsewhere.bin");
    receiver.received(&chunk);
    EXPECT_FALSE(std::filesystem::exists(root.path() / "elsewhere.bin"));
}
