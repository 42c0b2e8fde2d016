#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

class CKeyboard;
class CLanguageOSVer;
class CRefreshScreen;

// The one engine window of the process: frame pump, devices, timers and the data paths.
class CWindow : public CXObject {
public:
    // The start-up program's folder; plug-in libraries load from there.
    static CXString exePath;
    // The current folder when the window was built: the root of the local data tree,
    // ending with a backslash.
    static CXString rootPath;

    // Takes the language object (not owned) and the start-up program's folder; creates the
    // keyboard device.
    CWindow(CLanguageOSVer* language, const CXString& startFolder);
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    ~CWindow() override;

    CLanguageOSVer* getLangIfc() const { return language_; }
    CKeyboard* getKeyboardInterface() const { return keyboard_; }
    // The screen composer; it comes with the display surface and is null until then.
    CRefreshScreen* GetRefreshScreenInterface() const { return refreshScreen_; }

    // The root of the data-disc tree: the application folder, ending with a backslash,
    // set once at start-up; empty until then.
    static void setCDPath(const CXString& path);
    static CXString getCDPath();

    // The log sink of the engine; it keeps nothing.
    static void toLog(const CXString& text, bool flag);

private:
    static CXString cdPath_;

    CLanguageOSVer* language_;
    CKeyboard* keyboard_;
    CRefreshScreen* refreshScreen_ = nullptr;
};
