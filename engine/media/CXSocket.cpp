#include "media/CXSocket.h"

#include "foundation/CStringTokenizer.h"
#include "media/CNetMessage.h"
#include "platform/DebugOutput.h"
#include "platform/TcpSocket.h"

#include <chrono>
#include <cstdint>
#include <string>

#include <netinet/in.h>

namespace {

// A failed accept that is not the end of listening (no descriptors left, a connection reset
// before it was taken) is tried again after this pause rather than at once.
constexpr auto ACCEPT_RETRY_PAUSE = std::chrono::milliseconds(10);

// The value of the decimal digits a token starts with; 0 when it starts otherwise.
uint64_t leadingNumber(const CXString& token)
{
    uint64_t value = 0;
    for (int i = 0; i < token.GetLength() && token.GetAt(i) >= '0' && token.GetAt(i) <= '9'; ++i)
        value = value * 10 + static_cast<uint64_t>(token.GetAt(i) - '0');
    return value;
}

} // namespace

CXSocket::CXSocket(MediaWindow* window)
    : window_(window)
    , handle_(platform::TcpSocket::create())
    , stack_(this)
    , received_(101, 0.75f)
{
}

CXSocket::CXSocket(MediaWindow* window, std::unique_ptr<platform::TcpSocket> connection)
    : window_(window)
    , handle_(std::move(connection))
    , stack_(this)
    , received_(101, 0.75f)
{
}

CXSocket::~CXSocket()
{
    stop();
}

CXString CXSocket::getHostName()
{
    static const CXString name(platform::hostName().c_str());
    return name;
}

bool CXSocket::is_ipaddr(const CXString& text)
{
    CStringTokenizer tokens(text, ".");
    int count = 0;
    uint64_t sum = 0;
    uint64_t weight = 1;
    while (tokens.hasMoreTokens()) {
        sum += leadingNumber(tokens.nextToken()) * weight;
        weight *= 256;
        ++count;
    }
    return count == 4 && sum != 0;
}

CXString CXSocket::resolve_ip(const CXString& name)
{
    const auto address = platform::resolveIPv4(name.c_str());
    return address ? CXString(address->c_str()) : CXString();
}

CXString CXSocket::toIP(const sockaddr_in* address)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&address->sin_addr);
    std::string text;
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            text += '.';
        text += std::to_string(bytes[i]);
    }
    return CXString(text.c_str());
}

bool CXSocket::start(int port, int backlog, CXSocketAcceptor* acceptor)
{
    if (!handle_ || !handle_->listen(port, backlog))
        return false;
    stop();
    stopping_ = false;
    acceptThread_ = std::thread(&CXSocket::acceptLoop, this, acceptor);
    return true;
}

void CXSocket::stop()
{
    if (!acceptThread_.joinable())
        return;
    stopping_ = true;
    handle_->shutdown();
    acceptThread_.join();
}

void CXSocket::acceptLoop(CXSocketAcceptor* acceptor)
{
    while (!stopping_) {
        sockaddr_in peer{};
        std::unique_ptr<platform::TcpSocket> connection = handle_->accept(&peer);
        if (!connection) {
            if (!stopping_)
                std::this_thread::sleep_for(ACCEPT_RETRY_PAUSE);
            continue;
        }
        acceptor->onConnected(new CXSocket(window_, std::move(connection)), toIP(&peer));
    }
}

bool CXSocket::connect(const CXString& host, int port)
{
    const CXString address = is_ipaddr(host) ? host : resolve_ip(host);
    if (!handle_ || !address.IsString())
        return false;
    return handle_->connect(address.c_str(), port, CONNECT_TIMEOUT_MS);
}

bool CXSocket::send(CNetMessage* frame)
{
    bool sent = false;
    if (handle_) {
        std::lock_guard<std::mutex> guard(sendLock_);
        sent = handle_->sendAll(frame->getBuffer(), static_cast<size_t>(frame->getLength()));
    }
    delete frame;
    return sent;
}

CXArray* CXSocket::receive()
{
    received_.removeAll();
    if (!handle_)
        closed_ = true;
    if (closed_)
        return &received_;
    char bytes[READ_SIZE];
    const long count = handle_->receive(bytes, sizeof(bytes));
    if (count <= 0) {
        closed_ = true;
        return &received_;
    }
    stack_.push(bytes, static_cast<int>(count));
    while (CNetMessage* frame = stack_.get())
        received_.add(frame);
    if (stack_.isBroken()) {
        platform::debugOutput("Network: a frame length out of bounds, the connection is closed\n");
        shutdown();
    }
    return &received_;
}

void CXSocket::shutdown()
{
    closed_ = true;
    if (handle_)
        handle_->shutdown();
}

int CXSocket::getPort() const
{
    return handle_ ? handle_->localPort() : 0;
}
