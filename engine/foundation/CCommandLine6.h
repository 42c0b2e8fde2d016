#pragma once

#include "foundation/CXString.h"

#include <cstdint>
#include <vector>

class CXSize;

// The start-up options of the program. Each option is written with a leading "-" or "/"
// and matched case-sensitively; anything else on the line is kept and ignored.
class CCommandLine6 {
public:
    // The program's arguments as main() receives them; argv[0], the program, is not an option.
    CCommandLine6(int argc, const char* const* argv);

    int getNoArgs() const { return static_cast<int>(tokens_.size()); }
    CXSize getResolution() const;
    CXString getPath() const { return path_; }
    // The server that scene updates come from ("update" host); empty without the option.
    CXString getUpdateHost() const { return updateHost_; }
    // The folder a NETSERVER serves requested files from ("share" folder); empty without it.
    CXString getShareFolder() const { return shareFolder_; }
    // The folder that "printto" names: printed pages are written there as PNG files instead of
    // going to the default printer. Empty when not given.
    CXString getPrintTo() const { return printTo_; }

    bool isMusicEnabled() const { return musicEnabled_; }
    bool isSoundEnabled() const { return soundEnabled_; }
    bool isWindowMode() const { return windowMode_; }
    // True when "nogfx" was given.
    bool isGFXEnabled() const { return noGraphics_; }
    bool isServer() const { return server_; }
    bool isClient() const { return client_; }
    bool isToCode() const { return code_; }
    bool isToDecode() const { return decode_; }
    bool isToRemove() const { return remove_; }
    bool isPageFlippingEnabled() const { return pageFlipping_; }
    bool isVMem() const { return videoMemory_; }
    bool isCheatMode() const { return cheat_; }
    bool is2Bin() const { return storeBinary_; }
    bool isForceCNV() const { return forceTextDefinitions_; }
    bool isDebugMode() const { return debug_; }
    bool isCreateBigFile() const { return createBigFile_; }

    void setAsWindow(bool on) { windowMode_ = on; }
    void setAsShowDbg(bool on) { debug_ = on; }
    void setPath(const CXString& path) { path_ = path; }

    // Whether the option was given, with its "-" or "/".
    bool findToken(const CXString& name) const;
    // The token after the first one that is the name with or without its "-" or "/"; "" when
    // there is none.
    CXString getNextToken(const CXString& name) const;

private:
    void parse();

    std::vector<CXString> tokens_;
    int32_t width_ = 800;
    int32_t height_ = 600;
    bool musicEnabled_ = true;
    bool soundEnabled_ = true;
    bool windowMode_ = false;
    bool noGraphics_ = false;
    bool server_ = false;
    bool client_ = false;
    bool code_ = false;
    bool decode_ = false;
    bool remove_ = false;
    bool pageFlipping_ = false;
    bool videoMemory_ = false;
    bool cheat_ = false;
    bool storeBinary_ = false;
    bool forceTextDefinitions_ = false;
    bool debug_ = false;
    bool createBigFile_ = false;
    CXString path_;
    CXString updateHost_;
    CXString shareFolder_;
    CXString printTo_;
};
