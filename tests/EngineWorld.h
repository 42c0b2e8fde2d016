#pragma once

#include "app/CApplication.h"
#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "platform/PathResolver.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include <memory>
#include <string>

// A running engine over a fresh data folder, which is the current folder meanwhile: the window
// with its application, active. The window's data roots are put back afterwards.
class EngineWorld {
public:
    EngineWorld()
    {
        platform::changeFolder(folder_.path().string());
        window_ = std::make_unique<CWindow>(&language_, "");
        application_ = std::make_unique<CApplication>(window_.get(), "", "", nullptr);
        window_->Activate(true);
    }
    ~EngineWorld()
    {
        application_.reset();
        window_.reset();
        CWindow::rootPath = savedRoot_;
        CWindow::exePath = savedExe_;
    }
    EngineWorld(const EngineWorld&) = delete;
    EngineWorld& operator=(const EngineWorld&) = delete;

    CWindow* window() const { return window_.get(); }
    CApplication* application() const { return application_.get(); }
    const TempFolder& folder() const { return folder_; }
    std::string write(const std::string& name, const std::string& bytes) const { return folder_.write(name, bytes); }

private:
    CurrentFolderGuard guard_;
    TempFolder folder_;
    CXString savedRoot_ = CWindow::rootPath;
    CXString savedExe_ = CWindow::exePath;
    CLanguageOSVer language_;
    std::unique_ptr<CWindow> window_;
    std::unique_ptr<CApplication> application_;
};
