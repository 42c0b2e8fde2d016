#pragma once

#include "foundation/CXString.h"

#include <cstdint>

class FoundationWindow;

// The language of the system and its data folder ("POL", "CZE", ...): data files are looked
// up in that folder first. Language 9 means no language folder.
class CLanguageOSVer {
public:
    static constexpr int NO_LANGUAGE = 9;

    // Reads the system language.
    CLanguageOSVer();

    int getLang() const { return language_; }
    CXString getLanguageFolder() const { return folder_; }
    // Switches the language by locale code ("0415" ... "041B", compared exactly); another
    // code keeps the language. The recorded window's keyboard follows the language.
    void setLanguageFolder(const CXString& code);
    void setWindowIfc(FoundationWindow* window) { window_ = window; }
    // The language variant of a path: X\Dane\a.img becomes X\Dane\POL\a.img when that file
    // exists, else the path itself; a bare name gets the folder without a test on disk.
    CXString getLocalFileName(const CXString& path) const;

private:
    // Sets the language from a locale code of the table; false when the code is not there.
    bool selectByCode(const CXString& code);
    CXString getSubFolder() const;

    int32_t language_ = NO_LANGUAGE;
    CXString folder_;
    FoundationWindow* window_ = nullptr;
};
