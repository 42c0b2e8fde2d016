#include "media/CFileReceiver.h"

#include "foundation/CInteger.h"
#include "media/CNetFileMessages.h"
#include "media/CXSocket.h"
#include "platform/DebugOutput.h"
#include "platform/FileSystem.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <string>

namespace {

std::atomic<int> unique_id{0};

void report(const CFileReceiver_Entry& entry, const char* what)
{
    const std::string line = std::string("File transfer of ") + entry.getFileName().c_str() + ": " + what + "\n";
    platform::debugOutput(line.c_str());
}

} // namespace

CFileReceiver_Entry::CFileReceiver_Entry(CXSocket* socket, int requestId, const CXString& folder,
                                         const CXString& subFolder, const CXString& fileName)
    : socket_(socket)
    , requestId_(requestId)
    , folder_(folder)
    , subFolder_(subFolder)
    , fileName_(fileName)
{
}

bool CFileReceiver_Entry::equals(CXObject* other)
{
    auto* entry = dynamic_cast<CFileReceiver_Entry*>(other);
    return entry != nullptr && entry->requestId_ == requestId_;
}

CFileReceiver_Entry::Progress CFileReceiver_Entry::received(const CNetMessage* message)
{
    if (const auto* response = dynamic_cast<const CNetFileResponseMessage*>(message)) {
        if (answered_) {
            report(*this, "a second response dropped");
            return Progress::WAITING;
        }
        if (response->getFileSize2() > CNetFileResponseMessage::MAX_FILE_SIZE) {
            report(*this, "refused, the file is too large");
            return Progress::REFUSED;
        }
        answered_ = true;
        transferId_ = response->getTransferId();
        fileSize_ = response->getFileSize();
        expectedSize_ = response->getFileSize2();
        received_ = 0;
        data_.assign(static_cast<size_t>(expectedSize_), 0);
        return expectedSize_ == 0 ? Progress::COMPLETE : Progress::WAITING;
    }
    const auto* chunk = dynamic_cast<const CNetFileDataMessage*>(message);
    if (chunk == nullptr)
        return Progress::WAITING;
    if (!answered_ || chunk->getTransferId() != transferId_) {
        report(*this, "data without its response dropped");
        return Progress::WAITING;
    }
    const int64_t offset = chunk->getOffset();
    const int64_t size = chunk->getSize();
    if (offset < 0 || size < 0 || offset + size > expectedSize_) {
        report(*this, "data outside the announced size dropped");
        return Progress::WAITING;
    }
    if (size > 0)
        std::memcpy(data_.data() + offset, chunk->getData(), static_cast<size_t>(size));
    received_ += static_cast<int32_t>(filled_.add(offset, size));
    return received_ < expectedSize_ ? Progress::WAITING : Progress::COMPLETE;
}

bool CFileReceiver_Entry::save_file(const CTransferFolder& transferFolder) const
{
    return saveAs(transferFolder.pathOf(folder_, subFolder_, fileName_));
}

bool CFileReceiver_Entry::saveAs(const std::string& path) const
{
    if (path.empty() || !platform::createFolders(platform::parentFolder(path)))
        return false;
    std::unique_ptr<platform::FileStream> file = platform::FileStream::open(path, "wb");
    if (!file)
        return false;
    if (!data_.empty() && std::fwrite(data_.data(), 1, data_.size(), file->handle()) != data_.size()) {
        file->discard();
        return false;
    }
    return file->commit();
}

CFileReceiver_Manager::CFileReceiver_Manager(CFileReceiver_Listener* listener, const CXString& transferFolder)
    : listener_(listener)
    , folder_(transferFolder)
    , table_(101, 0.75, true)
{
}

CFileReceiver_Manager::~CFileReceiver_Manager()
{
    CXVector* entries = table_.getElements();
    for (int i = 0; i < entries->getCount(); ++i)
        delete entries->at(i);
}

int CFileReceiver_Manager::add_file(CXSocket* socket, const CXString& folder, const CXString& subFolder,
                                    const CXString& fileName)
{
    if (folder_.pathOf(folder, subFolder, fileName).empty())
        return 0;
    const int requestId = ++unique_id;
    table_.put(new CInteger(requestId), new CFileReceiver_Entry(socket, requestId, folder, subFolder, fileName));
    socket->send(new CNetFileRequestMessage(socket, requestId, folder, subFolder, fileName));
    return requestId;
}

CFileReceiver_Entry* CFileReceiver_Manager::getEntry(int requestId)
{
    CInteger key(requestId);
    return static_cast<CFileReceiver_Entry*>(table_.get(&key));
}

void CFileReceiver_Manager::received(CNetMessage* message)
{
    int requestId;
    if (const auto* response = dynamic_cast<const CNetFileResponseMessage*>(message))
        requestId = response->getRequestId();
    else if (const auto* chunk = dynamic_cast<const CNetFileDataMessage*>(message))
        requestId = chunk->getRequestId();
    else
        return;
    CFileReceiver_Entry* entry = getEntry(requestId);
    if (entry == nullptr || entry->getSocket() != message->getSocket())
        return;
    const CFileReceiver_Entry::Progress progress = entry->received(message);
    if (progress == CFileReceiver_Entry::Progress::WAITING)
        return;
    if (progress == CFileReceiver_Entry::Progress::COMPLETE) {
        const bool taken = listener_ != nullptr && listener_->onFileReceived(entry);
        if (!taken && !entry->save_file(folder_))
            report(*entry, "the file cannot be written");
    }
    remove_file(requestId);
}

void CFileReceiver_Manager::remove_file(int requestId)
{
    CFileReceiver_Entry* entry = getEntry(requestId);
    if (entry == nullptr)
        return;
    table_.remove(entry);
    delete entry;
}
