#include "foundation/CCommandLine6.h"

#include "foundation/CXSize.h"

#include <cstddef>

CCommandLine6::CCommandLine6(int argc, const char* const* argv)
{
    // A token equal to the one before it ends the line: it and all after it are dropped.
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        CXString token(argv[i]);
        if (!tokens_.empty() && tokens_.back() == token)
            break;
        tokens_.push_back(token);
    }
    parse();
}

CXSize CCommandLine6::getResolution() const
{
    return CXSize(width_, height_);
}

bool CCommandLine6::findToken(const CXString& name) const
{
    for (const CXString& token : tokens_)
        if (token == "-" + name || token == "/" + name)
            return true;
    return false;
}

CXString CCommandLine6::getNextToken(const CXString& name) const
{
    for (size_t i = 0; i + 1 < tokens_.size(); ++i)
        if (tokens_[i] == "-" + name || tokens_[i] == "/" + name || tokens_[i] == name)
            return tokens_[i + 1];
    return CXString();
}

void CCommandLine6::parse()
{
    musicEnabled_ = !findToken("nomusic");
    soundEnabled_ = !findToken("nosound");
    windowMode_ = findToken("window");
    noGraphics_ = findToken("nogfx");
    server_ = findToken("server");
    client_ = findToken("client");
    pageFlipping_ = findToken("pf");
    code_ = findToken("code");
    decode_ = findToken("decode");
    remove_ = findToken("remove");
    videoMemory_ = findToken("vmem");
    cheat_ = findToken("tarnovelik") || findToken("cheat");
    storeBinary_ = findToken("2bin");
    forceTextDefinitions_ = findToken("forceCNV");
    debug_ = findToken("debug");
    createBigFile_ = findToken("bigfile");

    if (findToken("res")) {
        // The height is the token after the first token equal to the width text,
        // which a bare word before the option can make a different one.
        CXString widthText = getNextToken("res");
        if (widthText.IsString()) {
            width_ = widthText.toNumber();
            CXString heightText = getNextToken(widthText);
            if (heightText.IsString())
                height_ = heightText.toNumber();
        }
    }
    if (findToken("path"))
        path_ = getNextToken("path");
    if (findToken("update"))
        updateHost_ = getNextToken("update");
    if (findToken("share"))
        shareFolder_ = getNextToken("share");
    if (findToken("printto"))
        printTo_ = getNextToken("printto");
}
