#include "platform/FolderPrinter.h"
#include "platform/PngWriter.h"
#include "platform/Printer.h"

#include "NoPrintServer.h"
#include "NoisePicture.h"
#include "PngReader.h"
#include "TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> encoded(const platform::RgbImage& image, int dotsPerInch)
{
    std::vector<uint8_t> bytes;
    const bool written = platform::writePng(image, dotsPerInch, [&](const uint8_t* data, size_t count) {
        bytes.insert(bytes.end(), data, data + count);
        return true;
    });
    return written ? bytes : std::vector<uint8_t>{};
}


} // namespace

TEST(PngWriter, PicturesComeBackExactlyWithTheirResolution)
{
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{7, 3}, std::pair{400, 300}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const platform::RgbImage image = noisePicture(width, height, 1);
        const std::vector<uint8_t> bytes = encoded(image, 300);
        const std::optional<DecodedPng> decoded = readPngBytes(bytes);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->width, width);
        EXPECT_EQ(decoded->height, height);
        EXPECT_EQ(decoded->rgb, image.pixels);
        // 300 dots per inch are 11811 per metre, in both directions.
        const uint8_t physical[] = {'p', 'H', 'Y', 's', 0, 0, 0x2E, 0x23, 0, 0, 0x2E, 0x23, 1};
        EXPECT_NE(std::search(bytes.begin(), bytes.end(), std::begin(physical), std::end(physical)), bytes.end());
    }
}

TEST(PngWriter, NoPixelsOrAStoppedSinkFail)
{
    EXPECT_TRUE(encoded(platform::RgbImage(0, 5, 0), 300).empty());
    platform::RgbImage torn(4, 4, 0);
    torn.pixels.pop_back();
    EXPECT_TRUE(encoded(torn, 300).empty());

    size_t taken = 0;
    const bool written = platform::writePng(noisePicture(400, 300, 1), 300, [&](const uint8_t*, size_t count) {
        taken += count;
        return taken < 100000;
    });
    EXPECT_FALSE(written);
}

TEST(FolderPrinter, PagesAreNumberedAfterTheHighestAlreadyThere)
{
    TempFolder temp;
    const std::string folder = temp.file("pages/new");
    std::string cause;
    std::unique_ptr<platform::Printer> printer = platform::openPrinter(folder, cause);
    ASSERT_TRUE(printer) << cause;
    const platform::PageSize page = printer->pageSize();
    EXPECT_EQ(page.width, 3300);
    EXPECT_EQ(page.height, 2550);
    EXPECT_EQ(page.dotsPerInch, 300);

    const platform::RgbImage white(page.width, page.height, 255);
    ASSERT_TRUE(printer->printPage("DocPrint", white, cause)) << cause;
    ASSERT_TRUE(printer->printPage("DocPrint", white, cause)) << cause;
    std::ofstream(fs::path(folder) / "page-0041.png") << "earlier";
    std::ofstream(fs::path(folder) / "page-x.png") << "not a page";
    ASSERT_TRUE(printer->printPage("DocPrint", white, cause)) << cause;

    EXPECT_EQ(namesIn(folder),
              (std::vector<std::string>{"page-0001.png", "page-0002.png", "page-0041.png", "page-0042.png", "page-x.png"}));
    const std::optional<DecodedPng> last = readPngFile(folder + "/page-0042.png");
    ASSERT_TRUE(last);
    EXPECT_EQ(last->width, 3300);
    EXPECT_EQ(last->height, 2550);
    EXPECT_EQ(last->rgb, white.pixels);
}

TEST(FolderPrinter, AFolderThatIsAFileIsRefused)
{
    TempFolder temp;
    const std::string path = temp.write("pages", "keep");
    std::string cause;
    EXPECT_FALSE(platform::openPrinter(path, cause));
    EXPECT_NE(cause.find(path), std::string::npos) << cause;
    EXPECT_EQ(temp.read("pages"), "keep");
    EXPECT_EQ(namesIn(temp.path()), std::vector<std::string>{"pages"});
}

TEST(CupsPrinter, NoServerIsNamedAsTheCause)
{
    NoPrintServer noServer;
    std::string cause;
    EXPECT_FALSE(platform::openPrinter("", cause));
    EXPECT_NE(cause.find("no print server answers"), std::string::npos) << cause;
}
