#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "graphics/GraphicsApplication.h"

#include <memory>

class CAnimationManager;
class CCommandLine6;
class CConfig;
class CFont5;
class CMC_Application;
class CMC_ObjectsContainer;
class CMC_StructureParser;
class CNetworkClient;
class CResourcesManager;
class CSoundManager;
class CWindow;

// The engine object that the start-up program makes right after the window: it owns the
// engine-wide managers, opens the archive file and the application's INI file, registers
// itself with the window, through which the rest of the engine reaches it, and loads and
// starts the script application.
class CApplication : public CXObject, public GraphicsApplication {
public:
    // Menu commands of the program's window.
    static constexpr int COMMAND_QUIT = 40001;
    static constexpr int COMMAND_REDRAW = 40004;

    // Makes the animation manager, the sound manager and the codec table, opens the archive
    // when one is named ("data.bf" from the start-up program) and the INI file rootPath +
    // iniName when one is named; neither the window nor the command line is owned.
    CApplication(CWindow* window, const CXString& iniName, const CXString& archiveName, CCommandLine6* commandLine);
    // The script application goes first (its objects finish), then what was made for it and
    // the managers; the objects that wait in the window's deferred-delete bin go before them.
    ~CApplication() override;
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // Loads the script application and starts it, once, right after the constructor: the
    // script types are registered; the "path" option's folder (else the current one) gives
    // the data disc and "Wavs" below it the sound effects; from the data folder "Dane" the
    // application is read from "application.bin", or parsed from "application.def" when that
    // file is missing or "forceCNV" is given. With "2bin" it is stored in compiled form and
    // not started. Without an application (a "path" that names no folder, a folder without
    // "Dane", a definition without one, a damaged compiled file) a line on standard error
    // says why, and
    // getMCApplicationIfc stays none.
    virtual void preinitializeApplication();
    // The application's work for one frame, run by the window's frame pump also while the
    // program is inactive; then the INI writes that the frame gathered reach the file. The
    // application never asks the program to end here (false).
    virtual bool domodal();
    // The program may end.
    virtual bool OnExit() { return true; }
    // A command of the window's menu that the program does not serve itself.
    virtual void OnWindowCommand(int) {}
    // Asked first of every key press; 0 lets the hot spots and the key listeners have it.
    virtual int OnKeyDown(int key, int flags);
    // A sound's name in the sound-effects folder.
    CXString getWAVPath(const CXString& name) override;
    // The frame's step of the scene updates: what the update server sent reaches the updaters.
    void tickUpdates();

    CWindow* getWindow() const { return window_; }
    CCommandLine6* getCommandLine() const override { return commandLine_; }
    // The application INI; none when no INI name was given. Where it gathers its writes, those
    // of each frame are written at the frame's end, and those of the end when it goes.
    CConfig* GetConfigInterface() const override { return config_; }
    CAnimationManager* getAnimoManagerIfc() const override { return animationManager_; }
    CSoundManager* getSoundManagerIfc() const override { return soundManager_; }
    // Made by preinitializeApplication; none before.
    CResourcesManager* getGeneralResourcesManager() const { return resourcesManager_; }
    // The application's animation font; none until one is set. Not owned.
    CFont5* getDefaultFont() const { return defaultFont_; }
    void setDefaultFont(CFont5* font) { defaultFont_ = font; }
    // The root script container of the running application; none until it is loaded (or
    // registered by hand).
    CMC_ObjectsContainer* getMCApplicationIfc() const override { return mcApplication_; }
    void setMCApplicationIfc(CMC_ObjectsContainer* root) { mcApplication_ = root; }
    // Whether "2bin" wrote the compiled application whole.
    bool isBinaryStored() const { return binaryStored_; }
    // The connection to the server that the "update" option names; none without the option.
    CNetworkClient* getUpdateClient() const { return updateClient_.get(); }

private:
    // The marked objects of the window's deferred-delete bin.
    void deleteWaitingObjects();
    // The compiled application, with the value pools and the runners it needs; none, and a
    // line on standard error, when "application.bin" is damaged.
    CMC_Application* loadCompiled();
    // With the "update" option: connects to that server and gives the application and every
    // scene without sub-scenes an updater over the connection, before the application starts.
    void connectUpdates();

    CWindow* window_;
    CAnimationManager* animationManager_;
    CSoundManager* soundManager_;
    CCommandLine6* commandLine_;
    CConfig* config_ = nullptr;
    CResourcesManager* resourcesManager_ = nullptr;
    CFont5* defaultFont_ = nullptr;
    CXString iniName_;
    CXString archiveName_;
    // Outlives the application, whose updaters listen to it.
    std::unique_ptr<CNetworkClient> updateClient_;
    std::unique_ptr<CMC_Application> application_;
    std::unique_ptr<CMC_StructureParser> parser_;
    // The compiled path set up the value pools and the runners itself.
    bool ownsRunners_ = false;
    CMC_ObjectsContainer* mcApplication_ = nullptr;
    bool binaryStored_ = false;
};

// The program window's menu: 40001 ends the program's loop, 40004 draws the whole screen
// again; other commands go nowhere.
void OnWindowCommand(CWindow* window, int command);
