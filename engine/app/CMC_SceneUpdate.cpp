#include "app/CMC_SceneUpdate.h"

#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "foundation/CTextFileReader.h"
#include "foundation/CVersion.h"
#include "foundation/CXArray.h"
#include "media/CNetworkClient.h"
#include "media/CTransferFolder.h"
#include "platform/DebugOutput.h"
#include "script/CMElementsLoader.h"
#include "script/CMProperty.h"

#include <memory>
#include <string>

namespace {

void report(const CXString& text)
{
    platform::debugOutput((text + "\n").c_str());
}

// The application's DESCRIPTION names the update on the server. Scenes directly under the
// application, and the application itself, reach it by going up to the root.
CXString applicationDescription(CMC_Scene* scene)
{
    CMC_Scene* root = scene;
    for (CMC_ObjectsContainer* node = scene; node != nullptr; node = node->getParent())
        if (auto* above = dynamic_cast<CMC_Scene*>(node))
            root = above;
    return root->getDesc();
}

} // namespace

CMC_SceneUpdate::CMC_SceneUpdate(CNetworkClient* peer, CMC_Scene* scene)
    : peer_(peer)
    , scene_(scene)
{
    peer_->addNotifier(this);
    if (!peer_->isConnected())
        return;
    receiver_ = std::make_unique<CFileReceiver_Manager>(this, scene_->getDataFolder());
    request(CXString(INDEX_NAME));
}

CMC_SceneUpdate::~CMC_SceneUpdate()
{
    peer_->removeNotifier(this);
    reset();
}

void CMC_SceneUpdate::onMessage(CNetMessage* message)
{
    if (receiver_ != nullptr)
        receiver_->received(message);
}

void CMC_SceneUpdate::onConnectionClosed()
{
    report("Scene update of " + scene_->getName() + ": the update server has disconnected");
    receiver_.reset();
}

void CMC_SceneUpdate::reset()
{
    files_.clear();
    version_.reset();
}

bool CMC_SceneUpdate::isUpdateAvailable()
{
    if (received_ != 0 || version_ == nullptr)
        return false;
    // A scene read from a compiled file has no version of its own: any index is newer.
    CVersion none{CXString()};
    CVersion* own = scene_->getVersion() != nullptr ? scene_->getVersion() : &none;
    return version_->compare(own) > 0;
}

int CMC_SceneUpdate::getProgress()
{
    if (packedSize_ <= 0)
        return 0;
    return static_cast<int>(received_ * 100 / packedSize_);
}

void CMC_SceneUpdate::startUpdate()
{
    if (!isUpdateAvailable())
        return;
    for (const CXString& file : files_)
        request(file);
}

void CMC_SceneUpdate::request(const CXString& fileName)
{
    CXSocket* socket = peer_->getSocket();
    if (receiver_ == nullptr || socket == nullptr)
        return;
    if (receiver_->add_file(socket, applicationDescription(scene_), scene_->getName(), fileName) == 0)
        report("Scene update of " + scene_->getName() + ": " + fileName + " is no name inside the scene's folder");
}

bool CMC_SceneUpdate::onFileReceived(CFileReceiver_Entry* entry)
{
    if (entry->getFileName().equalsIgnoreCase(CXString(INDEX_NAME))) {
        readIndex(entry);
        return true;
    }
    storeFile(entry);
    return true;
}

void CMC_SceneUpdate::readIndex(const CFileReceiver_Entry* entry)
{
    CTextFileReader reader(scene_->getWindow(), entry->getData(), entry->getExpectedSize());
    std::unique_ptr<CMProperties> index(CMElementsLoader::loadPropertiesFile(&reader));
    const char* keys[] = {"DESCRIPTION", "VERSION", "FILES", "PACKED_SIZE", "DATA_SIZE"};
    for (const char* key : keys) {
        if (!index->contains(CXString(key))) {
            report("Scene update of " + scene_->getName() + ": the index lacks " + key);
            return;
        }
    }
    description_ = index->get(CXString("DESCRIPTION"))->getValue();
    version_ = std::make_unique<CVersion>(index->get(CXString("VERSION"))->getValue());
    files_.clear();
    CXArray* names = index->get(CXString("FILES"))->getListValue();
    for (int i = 0; i < names->getCount(); ++i)
        files_.push_back(*names->stringAt(i));
    CXString::releaseToVector(names);
    packedSize_ = index->get(CXString("PACKED_SIZE"))->getIntValue();
    dataSize_ = index->get(CXString("DATA_SIZE"))->getIntValue();
    received_ = 0;
}

// A name that would leave the scene's folder, or a file that cannot be written, is not
// counted: the update is then never complete.
void CMC_SceneUpdate::storeFile(const CFileReceiver_Entry* entry)
{
    const std::string path = CTransferFolder(scene_->getDataFolder()).pathOf(CXString(), CXString(), entry->getFileName());
    if (!entry->saveAs(path)) {
        report("Scene update of " + scene_->getName() + ": " + entry->getFileName() + " cannot be written");
        return;
    }
    received_ += entry->getExpectedSize();
    if (received_ >= packedSize_)
        scene_->onSignal(CXString("ONUPGRADED"));
}
