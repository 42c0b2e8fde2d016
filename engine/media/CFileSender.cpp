#include "media/CFileSender.h"

#include "foundation/CInteger.h"
#include "media/CNetFileMessages.h"
#include "media/CXSocket.h"
#include "platform/DebugOutput.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>

namespace {

std::atomic<int> unique_id{0};

// The size of an open file, -1 when it cannot be told.
long sizeOf(FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(file);
    return std::fseek(file, 0, SEEK_SET) == 0 ? size : -1;
}

} // namespace

CFileSender_Entry::CFileSender_Entry(CXSocket* socket, int requestId, int transferId,
                                     std::unique_ptr<platform::FileStream> file, int fileSize)
    : socket_(socket)
    , requestId_(requestId)
    , transferId_(transferId)
    , file_(std::move(file))
    , fileSize_(fileSize)
{
}

CFileSender_Entry::~CFileSender_Entry() = default;

bool CFileSender_Entry::equals(CXObject* other)
{
    auto* entry = dynamic_cast<CFileSender_Entry*>(other);
    return entry != nullptr && entry->transferId_ == transferId_;
}

CNetMessage* CFileSender_Entry::nextFrame()
{
    if (!responseSent_) {
        data_.resize(static_cast<size_t>(fileSize_));
        if (std::fread(data_.data(), 1, data_.size(), file_->handle()) != data_.size())
            return nullptr;
        responseSent_ = true;
        return new CNetFileResponseMessage(socket_, requestId_, transferId_, fileSize_, fileSize_);
    }
    const int remaining = fileSize_ - offset_;
    if (remaining < 1)
        return nullptr;
    const int chunk = std::min(remaining, CNetFileDataMessage::MAX_CHUNK);
    auto* frame = new CNetFileDataMessage(socket_, requestId_, transferId_, 0, offset_, chunk, data_.data() + offset_);
    offset_ += chunk;
    return frame;
}

bool CFileSender_Entry::send()
{
    CNetMessage* frame = nextFrame();
    if (frame == nullptr)
        return false;
    socket_->send(frame);
    return true;
}

CFileSender_Manager::CFileSender_Manager(const CXString& shareFolder)
    : folder_(shareFolder)
    , table_(101, 0.75, true)
{
}

CFileSender_Manager::~CFileSender_Manager()
{
    for (CFileSender_Entry* entry : entries())
        delete entry;
}

int CFileSender_Manager::add_file(CXSocket* socket, int requestId, const CXString& folder, const CXString& subFolder,
                                  const CXString& fileName)
{
    const std::string path = folder_.pathOf(folder, subFolder, fileName);
    std::unique_ptr<platform::FileStream> file = path.empty() ? nullptr : platform::FileStream::open(path, "rb");
    const long size = file ? sizeOf(file->handle()) : -1;
    if (size < 0 || size > CNetFileResponseMessage::MAX_FILE_SIZE) {
        const std::string line = std::string("File transfer: ") + fileName.c_str() + " is not served\n";
        platform::debugOutput(line.c_str());
        return 0;
    }
    const int transferId = ++unique_id;
    table_.put(new CInteger(transferId), new CFileSender_Entry(socket, requestId, transferId, std::move(file), static_cast<int>(size)));
    return transferId;
}

void CFileSender_Manager::received(CNetMessage* message)
{
    const auto* request = dynamic_cast<const CNetFileRequestMessage*>(message);
    if (request != nullptr && request->getSocket() != nullptr)
        add_file(request->getSocket(), request->getRequestId(), request->getFolder(), request->getSubFolder(),
                 request->getFileName());
}

std::vector<CFileSender_Entry*> CFileSender_Manager::entries()
{
    std::vector<CFileSender_Entry*> list;
    CXVector* values = table_.getElements();
    for (int i = 0; i < values->getCount(); ++i)
        list.push_back(static_cast<CFileSender_Entry*>(values->at(i)));
    return list;
}

void CFileSender_Manager::remove(CFileSender_Entry* entry)
{
    table_.remove(entry);
    delete entry;
}

void CFileSender_Manager::remove_file(int transferId)
{
    CInteger key(transferId);
    if (auto* entry = static_cast<CFileSender_Entry*>(table_.get(&key)))
        remove(entry);
}

void CFileSender_Manager::remove_socket(CXSocket* socket)
{
    for (CFileSender_Entry* entry : entries()) {
        if (entry->getSocket() == socket)
            remove(entry);
    }
}

void CFileSender_Manager::tick()
{
    for (CFileSender_Entry* entry : entries()) {
        if (!entry->send())
            remove(entry);
    }
}
