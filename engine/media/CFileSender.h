#pragma once

#include "foundation/CHashtable.h"
#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "media/CTransferFolder.h"

#include <cstdint>
#include <memory>
#include <vector>

class CNetMessage;
class CXSocket;

namespace platform {
class FileStream;
}

// One file being sent, keyed by its transfer id: first the response, then one chunk per call
// of send.
class CFileSender_Entry : public CXObject {
public:
    // Takes the open file of fileSize bytes, which is read whole when the response goes out.
    CFileSender_Entry(CXSocket* socket, int requestId, int transferId, std::unique_ptr<platform::FileStream> file,
                      int fileSize);
    ~CFileSender_Entry() override;

    int getHashcode() override { return transferId_; }
    bool equals(CXObject* other) override;

    // Sends the next frame; false when there is none left (or the file could not be read, in
    // which case nothing was sent).
    bool send();

    CXSocket* getSocket() const { return socket_; }
    int getTransferId() const { return transferId_; }

private:
    CNetMessage* nextFrame();

    CXSocket* socket_;
    int32_t requestId_;
    int32_t transferId_;
    std::unique_ptr<platform::FileStream> file_;
    bool responseSent_ = false;
    int32_t fileSize_ = 0;
    std::vector<char> data_;
    int32_t offset_ = 0;
};

// The files one side is sending, read from its share folder. Transfer ids are counted from 1
// across all managers of the process. Used from one thread.
class CFileSender_Manager {
public:
    // Requested names are looked up inside shareFolder (a name the Windows way).
    explicit CFileSender_Manager(const CXString& shareFolder);
    CFileSender_Manager(const CFileSender_Manager&) = delete;
    CFileSender_Manager& operator=(const CFileSender_Manager&) = delete;
    ~CFileSender_Manager();

    // Opens share folder\folder\sub-folder\file name; its transfer id, or 0 (nothing will be
    // sent) when a name reaches outside the share folder, the file cannot be read or it is
    // larger than a transfer carries.
    int add_file(CXSocket* socket, int requestId, const CXString& folder, const CXString& subFolder,
                 const CXString& fileName);
    // Serves a file request; other messages change nothing. The message stays with the caller.
    void received(CNetMessage* message);
    void remove_file(int transferId);
    // Drops the transfers on a connection that goes away.
    void remove_socket(CXSocket* socket);
    // Sends one frame of every transfer; a transfer with nothing left is dropped.
    void tick();

    int getCount() const { return table_.getSize(); }

private:
    std::vector<CFileSender_Entry*> entries();
    void remove(CFileSender_Entry* entry);

    CTransferFolder folder_;
    CHashtable table_;
};
