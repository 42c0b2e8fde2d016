#pragma once

#include <cstddef>
#include <vector>

class CNetMessage;
class CXSocket;

// Cuts whole frames out of the byte stream of one connection. Bytes are pushed as reads
// deliver them; frames come out in order once their last byte is in, so a frame may span
// many reads and one read may finish many frames. Bytes wait in one buffer and are copied
// into it once; a frame that fills the buffer alone is handed over without another copy.
//
// A length field below the header's 8 bytes or above CNetMessage::MAX_LENGTH can never
// make sense of the stream again: the stack then reports itself broken and gives nothing more.
class CMessageStack {
public:
    explicit CMessageStack(CXSocket* socket);
    CMessageStack(const CMessageStack&) = delete;
    CMessageStack& operator=(const CMessageStack&) = delete;

    void push(const char* bytes, int n);
    // The next whole frame, bound to the stack's socket with no sender yet; null when none
    // is complete or the stream is broken. The caller owns it.
    CNetMessage* get();
    bool isBroken() const { return broken_; }
    // Bytes received and not yet handed out in a frame.
    size_t pendingSize() const { return pending_.size() - start_; }

private:
    CXSocket* socket_;
    std::vector<char> pending_;
    size_t start_ = 0; // where the first byte not yet handed out lies in pending_
    bool broken_ = false;
};
