#include "foundation/CFileNameResolver.h"
#include "foundation/CXArray.h"

#include <gtest/gtest.h>

TEST(CFileNameResolver, SplitsAPathIntoItsParts)
{
    struct Case {
        const char* path;
        unsigned char drive;
        const char* file;
        const char* pure;
        const char* extension;
        int folders;
    };
    const Case cases[] = {
        {"C:\\Game\\Dane\\a.img", 'C', "a.img", "a", "img", 2},
        {"scene.cnv", 0, "scene.cnv", "scene", "cnv", 0},
        {"archive.tar.gz", 0, "archive.tar.gz", "archive", "tar", 0},
        {"noext", 0, "noext", "noext", "", 0},
        {".cfg", 0, ".cfg", "cfg", "", 0},
        {"Game\\Dane\\", 0, "Dane", "Dane", "", 1},
        {"sfx/boom.WAV", 0, "boom.WAV", "boom", "WAV", 1},
        {"", 0, "", "", "", 0},
    };
    for (const Case& c : cases) {
        CFileNameResolver parts(c.path);
        EXPECT_EQ(parts.getDrive(), c.drive) << c.path;
        EXPECT_EQ(parts.getFileName(), c.file) << c.path;
        EXPECT_EQ(parts.getPureFileName(), c.pure) << c.path;
        EXPECT_EQ(parts.getExtension(), c.extension) << c.path;
        EXPECT_EQ(parts.getDirectories()->getCount(), c.folders) << c.path;
    }
}

TEST(CFileNameResolver, CopiesOwnTheirFolderNames)
{
    auto* original = new CFileNameResolver("C:\\Game\\Dane\\a.img");
    CFileNameResolver copy(*original);
    CFileNameResolver assigned("x");
    assigned = *original;
    delete original;
    ASSERT_EQ(copy.getDirectories()->getCount(), 2);
    EXPECT_EQ(*copy.getDirectories()->stringAt(0), "Game");
    EXPECT_EQ(*assigned.getDirectories()->stringAt(1), "Dane");
    EXPECT_EQ(assigned.getExtension(), "img");
}
