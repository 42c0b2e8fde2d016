#pragma once

#include "foundation/CHashtable.h"
#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "media/CByteSpans.h"
#include "media/CTransferFolder.h"

#include <cstdint>
#include <string>
#include <vector>

class CFileReceiver_Entry;
class CNetMessage;
class CXSocket;

// Told when a requested file has arrived whole.
class CFileReceiver_Listener {
public:
    virtual ~CFileReceiver_Listener() = default;
    // True when the listener has dealt with the file; false has the manager save it.
    virtual bool onFileReceived(CFileReceiver_Entry* entry) = 0;
};

// One requested file on the receiving side, keyed by its request id.
class CFileReceiver_Entry : public CXObject {
public:
    enum class Progress { WAITING, COMPLETE, REFUSED };

    CFileReceiver_Entry(CXSocket* socket, int requestId, const CXString& folder, const CXString& subFolder,
                        const CXString& fileName);

    int getHashcode() override { return requestId_; }
    bool equals(CXObject* other) override;

    // Takes the response or a chunk, which is written at its own offset; the file is complete
    // once every byte of the announced size has come. A response announcing a file above
    // CNetFileResponseMessage::MAX_FILE_SIZE refuses the transfer. A bad frame (a second
    // response; a chunk before the response, of another transfer, or reaching outside the
    // announced size) is dropped on its own and the transfer goes on.
    Progress received(const CNetMessage* message);
    // Writes the bytes to folder\sub-folder\file name inside the transfer folder, creating the
    // folders; false when the names are not safe or the file cannot be written.
    bool save_file(const CTransferFolder& transferFolder) const;
    // Writes the bytes to the disk path, creating its folders; a file there stays as it was
    // unless the whole new one is written. False for the empty path.
    bool saveAs(const std::string& path) const;

    // The connection the request went out on: only its answers count.
    CXSocket* getSocket() const { return socket_; }
    int getRequestId() const { return requestId_; }
    int getTransferId() const { return transferId_; }
    const CXString& getFolder() const { return folder_; }
    const CXString& getSubFolder() const { return subFolder_; }
    const CXString& getFileName() const { return fileName_; }
    int getFileSize() const { return fileSize_; }
    int getExpectedSize() const { return expectedSize_; }
    // The bytes of the file that have come, each counted once.
    int getReceived() const { return received_; }
    const char* getData() const { return data_.data(); }

private:
    CXSocket* socket_;
    int32_t requestId_;
    int32_t transferId_ = -1;
    CXString folder_;
    CXString subFolder_;
    CXString fileName_;
    int32_t fileSize_ = 0;
    int32_t expectedSize_ = 0;
    std::vector<char> data_;
    CByteSpans filled_;
    int32_t received_ = 0;
    bool answered_ = false;
};

// The files one side has asked for. Request ids are counted from 1 across all managers of
// the process. Used from one thread: the one that receives the peer's messages.
class CFileReceiver_Manager {
public:
    // Files the listener does not take are saved inside transferFolder (a name the Windows
    // way); the listener is not owned and may be null, which saves every file.
    CFileReceiver_Manager(CFileReceiver_Listener* listener, const CXString& transferFolder);
    CFileReceiver_Manager(const CFileReceiver_Manager&) = delete;
    CFileReceiver_Manager& operator=(const CFileReceiver_Manager&) = delete;
    ~CFileReceiver_Manager();

    // Sends the request through the socket; its request id, or 0 (nothing sent) when a name
    // would reach outside the transfer folder.
    int add_file(CXSocket* socket, const CXString& folder, const CXString& subFolder, const CXString& fileName);
    // Takes file responses and chunks for the requests it holds, arriving on the connection
    // each request went out on; other messages change nothing.
    // The message stays with the caller.
    void received(CNetMessage* message);
    void remove_file(int requestId);

    CFileReceiver_Entry* getEntry(int requestId);
    int getCount() const { return table_.getSize(); }

private:
    CFileReceiver_Listener* listener_;
    CTransferFolder folder_;
    CHashtable table_;
};
