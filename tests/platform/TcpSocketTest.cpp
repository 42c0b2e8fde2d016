#include "platform/TcpSocket.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <string>
#include <thread>

namespace {

class TcpSocketTest : public testing::Test {
protected:
    static void SetUpTestSuite() { platform::setLoopbackTestNetwork(true); }

    // A connected pair over loopback: the client end and the accepted end.
    static void connectPair(std::unique_ptr<platform::TcpSocket>& client, std::unique_ptr<platform::TcpSocket>& accepted)
    {
        auto listener = platform::TcpSocket::create();
        ASSERT_TRUE(listener->listen(4661, 5));
        client = platform::TcpSocket::create();
        ASSERT_TRUE(client->connect("127.0.0.1", 4661, 2000));
        sockaddr_in peer{};
        accepted = listener->accept(&peer);
        ASSERT_NE(accepted, nullptr);
        EXPECT_EQ(peer.sin_addr.s_addr, htonl(INADDR_LOOPBACK));
    }
};

} // namespace

TEST_F(TcpSocketTest, TheTestNetworkStaysOnLoopbackAndMapsRequestedPorts)
{
    auto listener = platform::TcpSocket::create();
    ASSERT_TRUE(listener->listen(4661, 5));
    EXPECT_NE(listener->localPort(), 4661);
    EXPECT_NE(listener->localPort(), 0);

    auto direct = platform::TcpSocket::create();
    EXPECT_TRUE(direct->connect("127.0.0.1", listener->localPort(), 2000));
    auto outside = platform::TcpSocket::create();
    EXPECT_FALSE(outside->connect("192.0.2.1", 4661, 2000));
    auto malformed = platform::TcpSocket::create();
    EXPECT_FALSE(malformed->connect("1.2.3.300", 4661, 2000));

    EXPECT_EQ(platform::resolveIPv4("localhost"), "127.0.0.1");
    EXPECT_EQ(platform::resolveIPv4("example.org"), std::nullopt);
}

TEST_F(TcpSocketTest, WholeSendsArriveAndAClosedPeerReadsAsZero)
{
    std::unique_ptr<platform::TcpSocket> client;
    std::unique_ptr<platform::TcpSocket> accepted;
    connectPair(client, accepted);

    // Far more than the socket buffers hold: the send has to go on while the other side reads.
    const std::string bytes(8 << 20, 'k');
    std::thread sender([&] { EXPECT_TRUE(client->sendAll(bytes.data(), bytes.size())); });
    size_t total = 0;
    char buffer[1024];
    while (total < bytes.size()) {
        const long count = accepted->receive(buffer, sizeof(buffer));
        ASSERT_GT(count, 0);
        ASSERT_LE(count, 1024);
        total += static_cast<size_t>(count);
    }
    sender.join();
    EXPECT_EQ(total, bytes.size());

    client.reset();
    EXPECT_EQ(accepted->receive(buffer, sizeof(buffer)), 0);
    // Sending to a closed peer fails quietly instead of raising SIGPIPE.
    bool sent = true;
    for (int i = 0; i < 100 && sent; ++i)
        sent = accepted->sendAll(bytes.data(), 65536);
    EXPECT_FALSE(sent);
}

TEST_F(TcpSocketTest, ShutdownWakesAReadAndAnAcceptWaitingElsewhere)
{
    std::unique_ptr<platform::TcpSocket> client;
    std::unique_ptr<platform::TcpSocket> accepted;
    connectPair(client, accepted);
    long result = 1;
    std::thread reader([&] {
        char buffer[16];
        result = accepted->receive(buffer, sizeof(buffer));
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    accepted->shutdown();
    reader.join();
    EXPECT_LE(result, 0);

    auto listener = platform::TcpSocket::create();
    ASSERT_TRUE(listener->listen(0, 5));
    bool acceptReturned = false;
    std::thread acceptor([&] {
        sockaddr_in peer{};
        EXPECT_EQ(listener->accept(&peer), nullptr);
        acceptReturned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    listener->shutdown();
    acceptor.join();
    EXPECT_TRUE(acceptReturned);
}
