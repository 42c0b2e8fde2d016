#pragma once

#include "foundation/CXString.h"

class CLanguageOSVer;

// The engine window as the files, timers and texts of the foundation reach it: the data
// paths, the language, the timer list and the deferred-delete bin. The window itself lives
// in the application's folder, above every folder that calls it; each folder on the way up
// adds what it needs to this interface, and the window implements them all.
class FoundationWindow {
public:
    // The start-up program's folder; plug-in libraries load from there.
    static CXString exePath;
    // The current folder when the window was built: the root of the local data tree,
    // ending with a backslash.
    static CXString rootPath;

    // The root of the data-disc tree: the application folder, ending with a backslash,
    // set once at start-up; empty until then.
    static void setCDPath(const CXString& path) { cdPath_ = path; }
    static CXString getCDPath() { return cdPath_; }

    static void toLog(const CXString& text, bool flag);

    virtual CLanguageOSVer* getLangIfc() const = 0;
    // The language's folder changed: the keyboard reads its letters again.
    virtual void onLanguageChanged() = 0;

protected:
    FoundationWindow() = default;
    FoundationWindow(const FoundationWindow&) = delete;
    FoundationWindow& operator=(const FoundationWindow&) = delete;
    virtual ~FoundationWindow() = default;

    // The window made last, while it lives.
    static FoundationWindow* instance_;

private:
    static CXString cdPath_;
};
