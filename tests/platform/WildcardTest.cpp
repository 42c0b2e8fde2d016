#include "platform/Wildcard.h"

#include <gtest/gtest.h>

TEST(Wildcard, MatchesTheWindowsWay)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool fits;
    };
    const Case cases[] = {
        {"*", "anything.txt", true},
        {"*.*", "noextension", true},
        {"*.img", "BG.IMG", true},
        {"*.img", "bg.ann", false},
        {"bg?.img", "bg1.img", true},
        {"bg?.img", "bg.img", false},
        {"a*b*c", "axxbyyc", true},
        {"a*b*c", "axxbyy", false},
        {"*.cnv", "scene.cnv.bak", false},
        {"", "", true},
        {"", "x", false},
        {"SCENE*", "scene01.cnv", true},
        {"C.*", "C", true},
        {"C.*", "c.+menu", true},
        {"C.*", "CD", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::wildcardMatch(c.pattern, c.name), c.fits) << c.pattern << " vs " << c.name;
}
