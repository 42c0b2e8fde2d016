#include "media/CMessageStack.h"

#include "media/CNetMessage.h"

#include <utility>

CMessageStack::CMessageStack(CXSocket* socket)
    : socket_(socket)
{
}

void CMessageStack::push(const char* bytes, int n)
{
    if (broken_ || n <= 0)
        return;
    pending_.insert(pending_.end(), bytes, bytes + n);
}

CNetMessage* CMessageStack::get()
{
    const size_t available = pendingSize();
    if (broken_ || available < CNetMessage::HEADER_SIZE)
        return nullptr;
    const uint32_t length = CNetMessage::loadUInt32(pending_.data() + start_ + 4);
    if (length < CNetMessage::HEADER_SIZE || length > CNetMessage::MAX_LENGTH) {
        broken_ = true;
        pending_ = std::vector<char>();
        start_ = 0;
        return nullptr;
    }
    if (length > available) {
        // The frame waits for more reads: move it to the front once, and make room for all of
        // it so that the reads to come append without moving it again.
        if (start_ > 0) {
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(start_));
            start_ = 0;
        }
        pending_.reserve(length);
        return nullptr;
    }
    if (start_ == 0 && length == available)
        return new CNetMessage(socket_, std::exchange(pending_, std::vector<char>()));
    auto* frame = new CNetMessage(socket_, pending_.data() + start_);
    start_ += length;
    if (start_ == pending_.size()) {
        pending_.clear();
        start_ = 0;
    }
    return frame;
}
