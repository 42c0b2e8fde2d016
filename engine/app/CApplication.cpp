#include "app/CApplication.h"

#include "app/CMC_Application.h"
#include "app/CMC_SceneUpdate.h"
#include "app/CMC_StructureParser.h"
#include "app/CWindow.h"
#include "app/ScriptTypes.h"
#include "foundation/CCommandLine6.h"
#include "foundation/CConfig.h"
#include "foundation/CFile.h"
#include "foundation/CFolder.h"
#include "foundation/CPath.h"
#include "foundation/CPublicTrash.h"
#include "graphics/CAnimationManager.h"
#include "graphics/CHotSpot.h"
#include "media/CMC_NetPeer.h"
#include "media/CNetworkClient.h"
#include "media/CResourcesManager.h"
#include "media/CSoundCodec.h"
#include "media/CSoundManager.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_VariableFactory.h"

#include <cstdio>

namespace {

void reportNoFolder(const CXString& name)
{
    std::fputs(("No application: there is no folder \"" + name + "\"\n").c_str(), stderr);
}

} // namespace

CApplication::CApplication(CWindow* window, const CXString& iniName, const CXString& archiveName,
                           CCommandLine6* commandLine)
    : window_(window)
    , animationManager_(new CAnimationManager())
    , soundManager_(new CSoundManager())
    , commandLine_(commandLine)
    , iniName_(iniName)
    , archiveName_(archiveName)
{
    CSoundCodec::init_codecs();
    if (archiveName_.GetLength() > 0)
        CFile::openBigFile(archiveName_);
    window_->SetApplicationInterface(this);
    if (iniName_.GetLength() > 0)
        config_ = new CConfig(CWindow::rootPath + iniName_);
}

CApplication::~CApplication()
{
    // What waits in the deferred-delete bin may still reach its scene, the managers and the
    // runners: it goes while they are there, before and after the application's own objects.
    deleteWaitingObjects();
    application_.reset();
    deleteWaitingObjects();
    updateClient_.reset();
    mcApplication_ = nullptr;
    parser_.reset();
    if (ownsRunners_) {
        CMC_VariableFactory::done();
        CMC_RunnerFactory::done();
    }
    delete config_;
    delete resourcesManager_;
    delete animationManager_;
    CSoundCodec::done_codecs();
    delete soundManager_;
    if (archiveName_.GetLength() > 0)
        CFile::closeBigFile();
    CHotSpot::done();
    // The window outlives the application: it must not reach it any more.
    if (window_->GetApplicationInterface() == this)
        window_->SetApplicationInterface(nullptr);
}

void CApplication::deleteWaitingObjects()
{
    if (CPublicTrash* bin = window_->getPublicTrashInterface())
        bin->deleteAllMarked();
}

void CApplication::preinitializeApplication()
{
    registerScriptTypes();
    const CXString path = commandLine_ != nullptr ? commandLine_->getPath() : CXString();
    resourcesManager_ = new CResourcesManager(window_);
    // Without its folder the look-ups would go on wherever the current folder is, and could
    // find another application there.
    if (path.IsString() && CFile::chDir(path) != 0) {
        reportNoFolder(path);
        return;
    }
    {
        const CPath here(window_);
        CWindow::setCDPath(here.GetFullPath(CXString()));
        window_->SetSoundFXPath(here.GetFullPath(CXString("Wavs")));
    }
    if (CFile::chDir(CFolder::DATA_FOLDER) != 0) {
        reportNoFolder(CFolder::DATA_FOLDER);
        return;
    }
    const bool fromText = (commandLine_ != nullptr && commandLine_->isForceCNV()) ||
                          !CFile::fileExists(CXString("application.bin"));
    if (fromText) {
        parser_ = std::make_unique<CMC_StructureParser>(window_, CXString("application.def"));
        application_.reset(parser_->getMCApplication());
        if (application_ == nullptr)
            std::fputs("No application: application.def cannot be read or has no APPLICATION\n", stderr);
    } else {
        application_.reset(loadCompiled());
    }
    mcApplication_ = application_.get();
    if (application_ == nullptr)
        return;
    if (commandLine_ != nullptr && commandLine_->is2Bin()) {
        // Storing runs no scene: the INI keeps no statistics of it.
        application_->dropStatistics();
        binaryStored_ = application_->storeBinary();
        return;
    }
    connectUpdates();
    application_->initialize(nullptr);
}

void CApplication::connectUpdates()
{
    const CXString host = commandLine_ != nullptr ? commandLine_->getUpdateHost() : CXString();
    if (!host.IsString())
        return;
    updateClient_ = std::make_unique<CNetworkClient>(window_, false, false);
    updateClient_->setApplicationIni(config_);
    if (!updateClient_->connect(host, CMC_NetPeer::PORT))
        std::fputs(("No scene updates: the update server " + host + " cannot be reached\n").c_str(), stderr);
    application_->setUpdateIfc(std::make_unique<CMC_SceneUpdate>(updateClient_.get(), application_.get()));
    application_->createUpdates(updateClient_.get());
}

void CApplication::tickUpdates()
{
    if (updateClient_ != nullptr)
        updateClient_->tick();
}

CMC_Application* CApplication::loadCompiled()
{
    CMC_VariableFactory::initialize();
    CMC_RunnerFactory::initialize();
    ownsRunners_ = true;
    auto application = std::make_unique<CMC_Application>(window_);
    if (!application->getDamage().IsString())
        return application.release();
    std::fputs(("No application: application.bin is damaged (" + application->getDamage() + ")\n").c_str(), stderr);
    application->dropStatistics();
    return nullptr;
}

bool CApplication::domodal()
{
    if (application_ != nullptr)
        application_->domodal();
    if (config_ != nullptr)
        config_->Flush();
    return false;
}

int CApplication::OnKeyDown(int, int)
{
    return 0;
}

CXString CApplication::getWAVPath(const CXString& name)
{
    return window_->GetSoundFXFullPath(name);
}

void OnWindowCommand(CWindow* window, int command)
{
    switch (command) {
    case CApplication::COMMAND_QUIT:
        window->OnDestroy();
        break;
    case CApplication::COMMAND_REDRAW:
        window->Invalidate();
        window->Redraw();
        break;
    default:
        break;
    }
}
