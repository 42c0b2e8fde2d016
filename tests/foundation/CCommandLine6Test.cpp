#include "foundation/CCommandLine6.h"
#include "foundation/CXSize.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CCommandLine6 commandLine(std::vector<const char*> options)
{
    options.insert(options.begin(), "Kestrum");
    return CCommandLine6(static_cast<int>(options.size()), options.data());
}

} // namespace

TEST(CCommandLine6, EmptyLineHasDefaults)
{
    CCommandLine6 line = commandLine({});
    EXPECT_EQ(line.getNoArgs(), 0);
    EXPECT_TRUE(line.isMusicEnabled());
    EXPECT_TRUE(line.isSoundEnabled());
    EXPECT_FALSE(line.isWindowMode());
    EXPECT_FALSE(line.isGFXEnabled());
    EXPECT_FALSE(line.isDebugMode());
    EXPECT_EQ(line.getResolution().width, 800);
    EXPECT_EQ(line.getResolution().height, 600);
    EXPECT_EQ(line.getPath(), "");
}

TEST(CCommandLine6, EverySwitchWithEitherPrefix)
{
    struct Switch {
        const char* name;
        bool (CCommandLine6::*read)() const;
        bool whenGiven;
    };
    const Switch switches[] = {
        {"nomusic", &CCommandLine6::isMusicEnabled, false},
        {"nosound", &CCommandLine6::isSoundEnabled, false},
        {"window", &CCommandLine6::isWindowMode, true},
        {"nogfx", &CCommandLine6::isGFXEnabled, true},
        {"server", &CCommandLine6::isServer, true},
        {"client", &CCommandLine6::isClient, true},
        {"pf", &CCommandLine6::isPageFlippingEnabled, true},
        {"code", &CCommandLine6::isToCode, true},
        {"decode", &CCommandLine6::isToDecode, true},
        {"remove", &CCommandLine6::isToRemove, true},
        {"vmem", &CCommandLine6::isVMem, true},
        {"cheat", &CCommandLine6::isCheatMode, true},
        {"tarnovelik", &CCommandLine6::isCheatMode, true},
        {"2bin", &CCommandLine6::is2Bin, true},
        {"forceCNV", &CCommandLine6::isForceCNV, true},
        {"debug", &CCommandLine6::isDebugMode, true},
        {"bigfile", &CCommandLine6::isCreateBigFile, true},
    };
    for (const Switch& s : switches) {
        SCOPED_TRACE(s.name);
        for (const char* prefix : {"-", "/"}) {
            std::string option = std::string(prefix) + s.name;
            EXPECT_EQ((commandLine({option.c_str()}).*s.read)(), s.whenGiven);
        }
        EXPECT_EQ((commandLine({s.name}).*s.read)(), !s.whenGiven) << "a bare word is no option";
        EXPECT_EQ((commandLine({}).*s.read)(), !s.whenGiven);
    }
}

TEST(CCommandLine6, OptionsAreCaseSensitive)
{
    EXPECT_FALSE(commandLine({"-Window"}).isWindowMode());
    EXPECT_FALSE(commandLine({"-forcecnv"}).isForceCNV());
}

TEST(CCommandLine6, ResolutionAndPath)
{
    struct Case {
        std::vector<const char*> options;
        int width;
        int height;
    };
    const Case cases[] = {
        {{"-res", "1024", "768"}, 1024, 768},
        {{"/res", "1024"}, 1024, 600},
        {{"-res"}, 800, 600},
        {{"-res", "640", "640"}, 640, 600}, // the repeated token ends the line
        {{"res", "-res", "800", "600"}, 0, 800}, // the bare word is found first
        {{"-res", "wide", "tall"}, 0, 0},
    };
    for (const Case& c : cases) {
        CCommandLine6 line = commandLine(c.options);
        EXPECT_EQ(line.getResolution().width, c.width);
        EXPECT_EQ(line.getResolution().height, c.height);
    }
    EXPECT_EQ(commandLine({"-res", "640", "640"}).getNoArgs(), 2);
    EXPECT_EQ(commandLine({"-window", "-path", "/opt/My Game"}).getPath(), "/opt/My Game");
    EXPECT_EQ(commandLine({"-window", "-path"}).getPath(), "");
    const CCommandLine6 network = commandLine({"-update", "game.example", "/share", "Shared"});
    EXPECT_EQ(network.getUpdateHost(), "game.example");
    EXPECT_EQ(network.getShareFolder(), "Shared");
    EXPECT_EQ(commandLine({"-share"}).getShareFolder(), "");
}

TEST(CCommandLine6, PrintToNamesTheFolderAfterIt)
{
    EXPECT_EQ(commandLine({}).getPrintTo(), "");
    EXPECT_EQ(commandLine({"-printto", "/tmp/pages"}).getPrintTo(), "/tmp/pages");
    EXPECT_EQ(commandLine({"-window", "/printto", "pages", "-debug"}).getPrintTo(), "pages");
    EXPECT_EQ(commandLine({"-printto"}).getPrintTo(), "");
    EXPECT_EQ(commandLine({"printto", "pages"}).getPrintTo(), "") << "a bare word is no option";
}

TEST(CCommandLine6, SettersChangeTheStoredValues)
{
    CCommandLine6 line = commandLine({"-window", "-debug"});
    line.setAsWindow(false);
    line.setAsShowDbg(false);
    line.setPath("games/demo");
    EXPECT_FALSE(line.isWindowMode());
    EXPECT_FALSE(line.isDebugMode());
    EXPECT_EQ(line.getPath(), "games/demo");
}
