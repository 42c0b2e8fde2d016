#pragma once

#include "foundation/CXString.h"
#include "media/CFileReceiver.h"
#include "media/CNetListener.h"

#include <cstdint>
#include <memory>
#include <vector>

class CMC_Scene;
class CNetworkClient;
class CVersion;

// Brings one scene's data files up to date from an update server, through a network client
// that it listens to but does not own. It asks at once for the scene's index "index.net":
// KEY=VALUE lines with DESCRIPTION, VERSION, FILES (separated by commas, blanks or line
// breaks), PACKED_SIZE (the bytes of the listed files) and DATA_SIZE. An update is available
// while nothing has been received and the index's version is newer than the scene's.
// Requests carry the application's DESCRIPTION and the scene's name before the file name.
// Received files are written into the scene's data folder; once PACKED_SIZE bytes are in,
// the scene raises "ONUPGRADED", and again with every later file.
//
// It runs where its client delivers messages: the main thread, once a frame.
class CMC_SceneUpdate : public CNetListener, public CFileReceiver_Listener {
public:
    static constexpr const char* INDEX_NAME = "index.net";

    // Listens to the peer; when the peer is connected, requests the index.
    CMC_SceneUpdate(CNetworkClient* peer, CMC_Scene* scene);
    // Stops listening to the peer.
    ~CMC_SceneUpdate() override;
    CMC_SceneUpdate(const CMC_SceneUpdate&) = delete;
    CMC_SceneUpdate& operator=(const CMC_SceneUpdate&) = delete;

    // File responses and data for the requests made here; nothing after a disconnect.
    void onMessage(CNetMessage* message) override;
    // No more requests or files: the server has gone.
    void onConnectionClosed() override;
    // The index (read in memory, never stored) or a listed file (written); always taken.
    bool onFileReceived(CFileReceiver_Entry* entry) override;

    // Forgets the index.
    virtual void reset();
    virtual bool isUpdateAvailable();
    // The received bytes in percent of PACKED_SIZE, truncated; 0 while PACKED_SIZE is 0 or
    // less. Above 100 when more came than announced.
    virtual int getProgress();
    // Requests every listed file, in list order, when an update is available.
    virtual void startUpdate();

    CNetworkClient* getPeer() const { return peer_; }
    // The index's description; empty until an index came.
    const CXString& getDescription() const { return description_; }
    int getDataSize() const { return dataSize_; }

private:
    void request(const CXString& fileName);
    // An index lacking one of its keys changes nothing.
    void readIndex(const CFileReceiver_Entry* entry);
    void storeFile(const CFileReceiver_Entry* entry);

    CNetworkClient* peer_;
    CMC_Scene* scene_;
    std::unique_ptr<CFileReceiver_Manager> receiver_;
    CXString description_;
    std::unique_ptr<CVersion> version_;
    int32_t packedSize_ = 0;
    int32_t dataSize_ = 0;
    std::vector<CXString> files_;
    // 64 bits: the files of one update together may pass what 32 bits count.
    int64_t received_ = 0;
};
