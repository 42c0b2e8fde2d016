#pragma once

#include "foundation/CXString.h"

// The program's own settings: section "MAIN" of "Kestrum.ini" in the current folder. A missing
// file or key reads as empty, and the defaults fill what must not be.
struct LauncherSettings {
    // The window's caption; "OstivMedia" by default.
    CXString title;
    // A picture file for the window's icon; empty keeps the built-in one.
    CXString icon;
    // The application's INI file, handed to the engine; "Kestrum.ini" by default.
    CXString applicationIni;
    // The application's folder when the command line names none.
    CXString subFolder;

    static LauncherSettings read();
};
