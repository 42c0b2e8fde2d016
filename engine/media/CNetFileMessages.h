#pragma once

#include "media/CNetMessage.h"

// The three frames of a file transfer. The request id names the transfer on the side that
// asks for the file, the transfer id on the side that sends it; every frame carries both.

// Asks for a file: request id, transfer id -1, then folder, sub-folder and file name.
class CNetFileRequestMessage : public CNetMessage {
public:
    CNetFileRequestMessage(CXSocket* socket, int requestId, const CXString& folder, const CXString& subFolder,
                           const CXString& fileName);
    CNetFileRequestMessage(const CXString& sender, const CNetMessage* raw);

    int getRequestId() const { return requestId_; }
    int getTransferId() const { return transferId_; }
    const CXString& getFolder() const { return folder_; }
    const CXString& getSubFolder() const { return subFolder_; }
    const CXString& getFileName() const { return fileName_; }

private:
    int32_t requestId_ = 0;
    int32_t transferId_ = -1;
    CXString folder_;
    CXString subFolder_;
    CXString fileName_;
};

// Answers a request: both ids and the file's size, written twice. Sizes that differ make
// the frame ill-formed.
class CNetFileResponseMessage : public CNetMessage {
public:
    static constexpr int LENGTH = 24;
    // The largest file either side of a transfer deals with.
    static constexpr int MAX_FILE_SIZE = 64 << 20;

    CNetFileResponseMessage(CXSocket* socket, int requestId, int transferId, int size, int size2);
    CNetFileResponseMessage(const CXString& sender, const CNetMessage* raw);

    int getRequestId() const { return requestId_; }
    int getTransferId() const { return transferId_; }
    int getFileSize() const { return fileSize_; }
    int getFileSize2() const { return fileSize2_; }

private:
    int32_t requestId_ = 0;
    int32_t transferId_ = 0;
    int32_t fileSize_ = 0;
    int32_t fileSize2_ = 0;
};

// One chunk of a file: both ids, a zero, the chunk's offset in the file, its length n and
// its n bytes. A length that does not end the chunk exactly at the frame's end makes the
// frame ill-formed.
class CNetFileDataMessage : public CNetMessage {
public:
    static constexpr int HEADER_LENGTH = 28;
    static constexpr int MAX_CHUNK = 10240;

    CNetFileDataMessage(CXSocket* socket, int requestId, int transferId, int zero, int offset, int n,
                        const char* data);
    CNetFileDataMessage(const CXString& sender, const CNetMessage* raw);

    int getRequestId() const { return requestId_; }
    int getTransferId() const { return transferId_; }
    int getZero() const { return zero_; }
    int getOffset() const { return offset_; }
    int getSize() const { return size_; }
    const char* getData() const { return getBuffer() + HEADER_LENGTH; }

private:
    int32_t requestId_ = 0;
    int32_t transferId_ = 0;
    int32_t zero_ = 0;
    int32_t offset_ = 0;
    int32_t size_ = 0;
};
