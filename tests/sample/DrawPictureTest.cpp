#include "PngReader.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

int drawPicture(const std::string& arguments)
{
    const int status = std::system((std::string(KESTRUM_DRAW_PICTURE) + " " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(DrawPicture, WritesTheNamedPictureAndRefusesWhatItCannotDrawOrWrite)
{
    TempFolder folder;
    const std::string img = folder.file("caret.img");
    const std::string png = folder.file("Caret.png");
    const std::string nowhere = folder.file("missing/folder");
    struct Case {
        const char* what;
        std::string arguments;
        int exitCode;
    };
    const Case cases[] = {
        {"no png file named", "Caret " + img, 2},
        {"a picture the sample has not", "Sunset " + img + " " + png, 2},
        {"an IMG file that cannot be written", "Caret " + nowhere + ".img " + png, 1},
        {"a PNG file that cannot be written", "Caret " + img + " " + nowhere + ".png", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(drawPicture(c.arguments), c.exitCode) << c.what;
        EXPECT_FALSE(std::filesystem::exists(png)) << c.what;
    }

    ASSERT_EQ(drawPicture("Caret " + img + " " + png), 0);
    EXPECT_TRUE(std::filesystem::exists(img));
    const std::optional<DecodedPng> drawn = readPngFile(png);
    ASSERT_TRUE(drawn.has_value());
    EXPECT_EQ(drawn->width, 2);
    EXPECT_EQ(drawn->height, 22);
}
