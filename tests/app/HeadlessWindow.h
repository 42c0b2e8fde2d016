#pragma once

#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "platform/HeadlessBackend.h"
#include "platform/PathResolver.h"

#include "CommandLineOf.h"
#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include <memory>
#include <string>
#include <vector>

// An engine window on the headless back end, in a fresh data folder, on the manual clock: what
// it presents is read from the display, events are injected, time moves by hand.
class HeadlessWindow {
public:
    // The window reads the options given as its command line; without any it has none.
    explicit HeadlessWindow(const std::vector<std::string>& options = {})
        : commandLine_(options.empty() ? nullptr : std::make_unique<CCommandLine6>(commandLineOf(options)))
    {
        platform::changeFolder(folder_.path().string());
        window_ = std::make_unique<CWindow>(&backend_, commandLine_.get(), &language_, CXSize(800, 600),
                                            backend_.cursors().systemCursor(platform::SystemCursor::Arrow), "");
    }
    ~HeadlessWindow()
    {
        window_.reset();
        CWindow::rootPath = savedRoot_;
        CWindow::exePath = savedExe_;
    }
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    // Active, with the display in a window.
    void open()
    {
        window_->OnActivateApp(true);
        window_->CreateSurface();
    }

    CWindow& window() { return *window_; }
    platform::HeadlessBackend& backend() { return backend_; }
    platform::HeadlessDisplay& display() { return backend_.display(); }
    const TempFolder& folder() const { return folder_; }
    uint16_t pixel(int x, int y) { return backend_.display().screen().pixel(x, y); }
    // One turn of the program's loop: the events, then a frame.
    bool turn()
    {
        window_->pumpEvents();
        return window_->domodal();
    }

private:
    CurrentFolderGuard guard_;
    TempFolder folder_;
    CXString savedRoot_ = CWindow::rootPath;
    CXString savedExe_ = CWindow::exePath;
    platform::HeadlessBackend backend_{platform::HeadlessBackend::Time::Manual};
    CLanguageOSVer language_;
    std::unique_ptr<CCommandLine6> commandLine_;
    std::unique_ptr<CWindow> window_;
};
