#include "media/CNetFileMessages.h"

#include <cstring>

CNetFileRequestMessage::CNetFileRequestMessage(CXSocket* socket, int requestId, const CXString& folder,
                                               const CXString& subFolder, const CXString& fileName)
    : CNetMessage(socket)
    , requestId_(requestId)
    , folder_(folder)
    , subFolder_(subFolder)
    , fileName_(fileName)
{
    allocate(TYPE_FILE_REQUEST, 19 + folder.GetLength() + subFolder.GetLength() + fileName.GetLength());
    putInt(8, requestId);
    putInt(12, transferId_);
    putString(putString(putString(16, folder), subFolder), fileName);
}

CNetFileRequestMessage::CNetFileRequestMessage(const CXString& sender, const CNetMessage* raw)
    : CNetMessage(sender, raw)
{
    requestId_ = intAt(8);
    transferId_ = intAt(12);
    const int afterFolder = stringAt(16, &folder_);
    if (afterFolder < 0)
        return;
    const int afterSubFolder = stringAt(afterFolder, &subFolder_);
    if (afterSubFolder >= 0)
        stringAt(afterSubFolder, &fileName_);
}

CNetFileResponseMessage::CNetFileResponseMessage(CXSocket* socket, int requestId, int transferId, int size, int size2)
    : CNetMessage(socket)
    , requestId_(requestId)
    , transferId_(transferId)
    , fileSize_(size)
    , fileSize2_(size2)
{
    allocate(TYPE_FILE_RESPONSE, LENGTH);
    putInt(8, requestId);
    putInt(12, transferId);
    putInt(16, size);
    putInt(20, size2);
}

CNetFileResponseMessage::CNetFileResponseMessage(const CXString& sender, const CNetMessage* raw)
    : CNetMessage(sender, raw)
{
    if (getLength() != LENGTH) {
        markIllFormed();
        return;
    }
    requestId_ = intAt(8);
    transferId_ = intAt(12);
    fileSize_ = intAt(16);
    fileSize2_ = intAt(20);
    if (fileSize_ != fileSize2_ || fileSize_ < 0)
        markIllFormed();
}

CNetFileDataMessage::CNetFileDataMessage(CXSocket* socket, int requestId, int transferId, int zero, int offset,
                                         int n, const char* data)
    : CNetMessage(socket)
    , requestId_(requestId)
    , transferId_(transferId)
    , zero_(zero)
    , offset_(offset)
    , size_(n)
{
    allocate(TYPE_FILE_DATA, HEADER_LENGTH + n);
    putInt(8, requestId);
    putInt(12, transferId);
    putInt(16, zero);
    putInt(20, offset);
    putInt(24, n);
    if (n > 0)
        std::memcpy(payloadAt(HEADER_LENGTH), data, static_cast<size_t>(n));
}

CNetFileDataMessage::CNetFileDataMessage(const CXString& sender, const CNetMessage* raw)
    : CNetMessage(sender, raw)
{
    requestId_ = intAt(8);
    transferId_ = intAt(12);
    zero_ = intAt(16);
    offset_ = intAt(20);
    size_ = intAt(24);
    if (!isWellFormed() || size_ < 0 || offset_ < 0 || size_ != getLength() - HEADER_LENGTH)
        markIllFormed();
}
