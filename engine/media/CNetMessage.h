#pragma once

#include "foundation/CXString.h"

#include <cstdint>
#include <vector>

class CXSocket;

// One network frame: a little-endian 32-bit type, a 32-bit total length that counts these
// 8 header bytes too, then the payload. The message owns the whole frame and is passed by
// pointer from one holder to the next; it is never copied.
//
// The typed messages derive from it. Each has a builder, which writes a frame for sending,
// and a parser, which copies a received frame and reads its fields; a parser that finds the
// payload does not fit its type (a string without its NUL, a count past the frame's end, an
// unknown value kind) marks the message ill-formed instead of reading outside the frame.
class CNetMessage {
public:
    static constexpr int TYPE_COMMAND = 1;
    static constexpr int TYPE_VARIABLE = 2;
    static constexpr int TYPE_BEHAVIOUR = 3;
    static constexpr int TYPE_DISCONNECT = 4;
    static constexpr int TYPE_TEXT = 5;
    static constexpr int TYPE_PING = 6;
    static constexpr int TYPE_HELLO = 7;
    static constexpr int TYPE_FILE_REQUEST = 8;
    static constexpr int TYPE_FILE_RESPONSE = 9;
    static constexpr int TYPE_FILE_DATA = 10;

    static constexpr int HEADER_SIZE = 8;
    // The largest frame a connection accepts; a longer length field ends the connection.
    static constexpr int MAX_LENGTH = 1 << 20;

    // No frame yet: type 0, length 0.
    explicit CNetMessage(CXSocket* socket);
    // A frame of just the header, such as the disconnect notice.
    CNetMessage(CXSocket* socket, int type);
    // A copy of the frame at `raw`, whose length field the caller has checked against the
    // bytes it holds.
    CNetMessage(CXSocket* socket, const char* raw);
    // Takes over a whole checked frame.
    CNetMessage(CXSocket* socket, std::vector<char>&& frame);
    // The base of every parser: a copy of raw's frame, its socket, and the sender given.
    CNetMessage(const CXString& sender, const CNetMessage* raw);
    CNetMessage(const CNetMessage&) = delete;
    CNetMessage& operator=(const CNetMessage&) = delete;
    virtual ~CNetMessage() = default;

    int getType() const { return type_; }
    int getLength() const { return length_; }
    const char* getBuffer() const { return buffer_.data(); }
    CXSocket* getSocket() const { return socket_; }
    const CXString& getSender() const { return sender_; }
    void setSender(const CXString& sender) { sender_ = sender; }
    bool isWellFormed() const { return wellFormed_; }

    static uint32_t loadUInt32(const char* bytes);
    static void storeUInt32(char* bytes, uint32_t value);

protected:
    // Builders: a zeroed frame of `length` bytes with its header written.
    void allocate(int type, int length);
    void putInt(int offset, int32_t value);
    // The text and its NUL; the offset after them.
    int putString(int offset, const CXString& text);
    char* payloadAt(int offset) { return buffer_.data() + offset; }

    // Parsers: every read is checked against the frame and marks the message ill-formed
    // when it would leave it.
    int32_t intAt(int offset);
    // The NUL-ended text at offset; the offset after its NUL, or -1 when the frame ends first.
    int stringAt(int offset, CXString* text);
    void markIllFormed() { wellFormed_ = false; }

private:
    int32_t type_ = 0;
    int32_t length_ = 0;
    std::vector<char> buffer_;
    CXSocket* socket_;
    CXString sender_;
    bool wellFormed_ = true;
};
