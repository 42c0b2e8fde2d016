#include "media/CNetPingMessage.h"
#include "media/CNetTextMessage.h"
#include "media/CXSocket.h"

#include "NetworkTestSupport.h"

#include <arpa/inet.h>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// Keeps the connections a listening socket accepts.
class CollectingAcceptor : public CXSocketAcceptor {
public:
    ~CollectingAcceptor() override
    {
        for (CXSocket* socket : sockets_)
            delete socket;
    }
    void onConnected(CXSocket* socket, CXString address) override
    {
        std::lock_guard<std::mutex> guard(lock_);
        sockets_.push_back(socket);
        addresses_.push_back(address.c_str());
    }
    size_t count()
    {
        std::lock_guard<std::mutex> guard(lock_);
        return sockets_.size();
    }
    CXSocket* at(size_t i)
    {
        std::lock_guard<std::mutex> guard(lock_);
        return sockets_.at(i);
    }
    std::string firstAddress()
    {
        std::lock_guard<std::mutex> guard(lock_);
        return addresses_.front();
    }

private:
    std::mutex lock_;
    std::vector<CXSocket*> sockets_;
    std::vector<std::string> addresses_;
};

class CXSocketTest : public LoopbackNetworkTest {
protected:
    // A listening socket and a client connected to it; `accepted` is the server's end.
    void SetUp() override
    {
        ASSERT_TRUE(listening_.start(4661, 5, &acceptor_));
        ASSERT_TRUE(client_->connect("localhost", 4661));
        ASSERT_TRUE(eventually([this] { return acceptor_.count() == 1; }));
        accepted_ = acceptor_.at(0);
    }

    // Frames from as many receive calls as it takes to get `count` of them; the calls made.
    int receiveFrames(CXSocket* socket, size_t count, std::vector<std::unique_ptr<CNetMessage>>& frames)
    {
        int calls = 0;
        while (frames.size() < count && !socket->isClosed()) {
            CXArray* received = socket->receive();
            ++calls;
            for (int i = 0; i < received->getCount(); ++i)
                frames.emplace_back(static_cast<CNetMessage*>(received->at(i)));
        }
        return calls;
    }

    CollectingAcceptor acceptor_;
    CXSocket listening_{nullptr};
    std::unique_ptr<CXSocket> client_ = std::make_unique<CXSocket>(nullptr);
    CXSocket* accepted_ = nullptr;
};

} // namespace

TEST(CXSocket, AddressTexts)
{
    struct Case {
        const char* text;
        bool address;
    };
    const Case cases[] = {
        {"localhost", false}, {"1.2.3", false},     {"1.2.3.4.5", false},  {"0.0.0.0", false},
        {"a.b.c.d", false},   {"127.0.0.1", true},  {"300.1.1.999", true}, {"0.0.0.1", true},
        {"10x.2.3.4", true},  {"1..2.3.4", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CXSocket::is_ipaddr(c.text), c.address) << c.text;

    sockaddr_in loopback{};
    loopback.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(CXSocket::toIP(&loopback), "127.0.0.1");
    sockaddr_in other{};
    ASSERT_EQ(inet_pton(AF_INET, "10.0.200.7", &other.sin_addr), 1);
    EXPECT_EQ(CXSocket::toIP(&other), "10.0.200.7");
}

TEST_F(CXSocketTest, NamesThatDoNotResolveCannotBeReached)
{
    EXPECT_EQ(CXSocket::resolve_ip("localhost"), "127.0.0.1");
    EXPECT_EQ(CXSocket::resolve_ip("no-such-host.invalid"), "");
    CXSocket socket(nullptr);
    EXPECT_FALSE(socket.connect("no-such-host.invalid", 4661));
    EXPECT_EQ(acceptor_.firstAddress(), "127.0.0.1");
}

TEST_F(CXSocketTest, FramesComeOutWholeAcrossReads)
{
    EXPECT_TRUE(client_->send(new CNetTextMessage(client_.get(), "one")));
    EXPECT_TRUE(client_->send(new CNetPingMessage(client_.get(), 77)));
    std::vector<std::unique_ptr<CNetMessage>> frames;
    receiveFrames(accepted_, 2, frames);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0]->getType(), CNetMessage::TYPE_TEXT);
    EXPECT_EQ(frames[1]->getLength(), 1024);
    EXPECT_EQ(frames[1]->getSocket(), accepted_);

    // At most 1024 bytes a read: a 3000-byte frame needs three reads at least.
    ASSERT_TRUE(client_->send(new CNetTextMessage(client_.get(), std::string(2991, 'a').c_str())));
    frames.clear();
    EXPECT_GE(receiveFrames(accepted_, 1, frames), 3);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->getLength(), 3000);
}

TEST_F(CXSocketTest, AClosedConnectionReadsEmptyAtOnce)
{
    client_.reset();
    std::vector<std::unique_ptr<CNetMessage>> frames;
    receiveFrames(accepted_, 1, frames);
    EXPECT_TRUE(frames.empty());
    EXPECT_TRUE(accepted_->isClosed());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(accepted_->receive()->getCount(), 0);
}

TEST_F(CXSocketTest, ALengthOutOfBoundsClosesTheConnection)
{
    auto raw = platform::TcpSocket::create();
    ASSERT_TRUE(raw->connect("127.0.0.1", 4661, 2000));
    ASSERT_TRUE(eventually([this] { return acceptor_.count() == 2; }));
    CXSocket* accepted = acceptor_.at(1);

    CNetTextMessage before(nullptr, "before");
    std::string bytes(before.getBuffer(), static_cast<size_t>(before.getLength()));
    std::string bad(8, '\0');
    CNetMessage::storeUInt32(bad.data(), CNetMessage::TYPE_TEXT);
    CNetMessage::storeUInt32(bad.data() + 4, 3);
    bytes += bad + "more bytes that never make a frame";
    ASSERT_TRUE(raw->sendAll(bytes.data(), bytes.size()));

    std::vector<std::unique_ptr<CNetMessage>> frames;
    receiveFrames(accepted, 2, frames);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->getType(), CNetMessage::TYPE_TEXT);
    EXPECT_TRUE(accepted->isClosed());
    char buffer[64];
    EXPECT_EQ(raw->receive(buffer, sizeof(buffer)), 0);
}
