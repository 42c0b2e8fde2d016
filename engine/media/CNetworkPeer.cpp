#include "media/CNetworkPeer.h"

#include "media/CNetFileMessages.h"
#include "media/CNetListener.h"
#include "media/CNetMessageProcessor.h"
#include "media/CXSocket.h"

#include <algorithm>

CNetworkPeer::CNetworkPeer(MediaWindow* window, bool processOnThread)
    : window_(window)
    , processOnThread_(processOnThread)
{
}

CNetworkPeer::~CNetworkPeer()
{
    for (const Entry& entry : queue_)
        delete entry.frame;
    for (const Entry& entry : processing_)
        delete entry.frame;
}

void CNetworkPeer::addNotifier(CNetListener* listener)
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    listeners_.push_back(listener);
}

void CNetworkPeer::removeNotifier(CNetListener* listener)
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    auto found = std::find(listeners_.begin(), listeners_.end(), listener);
    if (found != listeners_.end())
        listeners_.erase(found);
}

void CNetworkPeer::notify(const std::function<void(CNetListener*)>& call)
{
    std::vector<CNetListener*> snapshot;
    {
        std::lock_guard<std::recursive_mutex> guard(lock_);
        snapshot = listeners_;
    }
    for (CNetListener* listener : snapshot) {
        {
            std::lock_guard<std::recursive_mutex> guard(lock_);
            if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
                continue;
        }
        call(listener);
    }
}

bool CNetworkPeer::send(CNetMessage* frame)
{
    CXSocket* socket = getSocket();
    if (socket == nullptr) {
        delete frame;
        return false;
    }
    return socket->send(frame);
}

void CNetworkPeer::addMessage(CNetMessage* frame)
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    queue_.push_back(Entry{frame, frame->getSocket()});
}

void CNetworkPeer::addLinkLost(CXSocket* socket)
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    queue_.push_back(Entry{nullptr, socket});
}

void CNetworkPeer::dropEntriesOf(CXSocket* socket)
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    for (std::deque<Entry>* entries : {&queue_, &processing_}) {
        auto from = std::remove_if(entries->begin(), entries->end(), [socket](const Entry& entry) {
            if (entry.socket != socket)
                return false;
            delete entry.frame;
            return true;
        });
        entries->erase(from, entries->end());
    }
}

bool CNetworkPeer::nextEntry(Entry* entry)
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    if (processing_.empty())
        return false;
    *entry = processing_.front();
    processing_.pop_front();
    return true;
}

void CNetworkPeer::tick()
{
    {
        std::lock_guard<std::recursive_mutex> guard(lock_);
        processing_.insert(processing_.end(), queue_.begin(), queue_.end());
        queue_.clear();
    }
    Entry entry{};
    while (nextEntry(&entry)) {
        if (entry.frame == nullptr) {
            onLinkLost(entry.socket);
            continue;
        }
        entry.frame->setSender(senderOf(entry.socket));
        CNetMessageProcessor::process(entry.frame, this);
        delete entry.frame;
    }
}

bool CNetworkPeer::downlnoad_file(const CXString& folder, const CXString& subFolder, const CXString& fileName)
{
    return send(new CNetFileRequestMessage(getSocket(), 1, folder, subFolder, fileName));
}

CXSocket* CNetworkPeer::getSocket()
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return socket_;
}

void CNetworkPeer::setSocket(CXSocket* socket)
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    socket_ = socket;
}
