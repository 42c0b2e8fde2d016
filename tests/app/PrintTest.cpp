#include "app/CMC_Application.h"
#include "app/CMC_Scene.h"

#include "NoPrintServer.h"
#include "PrintedPage.h"
#include "app/ApplicationWorld.h"
#include "graphics/RasterMaker.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

const CXRect kCard(20, 20, 80, 100);
const PrintColour& kCardColour = kColours565[7];

// The application APP with its one scene S: the background shows the eight 5-6-5 colours in
// four columns of 200 × 300, and the IMAGE CARD, 60 × 80 of another colour, lies over the
// first block. The pictures come from our IMG writer. The behaviour PRINTALL prints the
// screen and logs "after". Returns the running scene.
CMC_Scene* startBlocksScene(ApplicationWorld& world, std::vector<ColourBlock>& blocks)
{
    world.write("Dane/application.def", "OBJECT=S\nS:TYPE=SCENE\nS:PATH=Epizod\\Scena\nS:BACKGROUND=blocks.img\n"
                                        "OBJECT=E\nE:TYPE=EPISODE\nE:SCENES=S\nE:PATH=Epizod\n"
                                        "OBJECT=APP\nAPP:TYPE=APPLICATION\nAPP:EPISODES=E\n");
    world.write("Dane/APP.cnv", "OBJECT=LOG\nLOG:TYPE=ARRAY\n");
    world.write("Dane/Epizod/Scena/S.cnv", "OBJECT=CARD\nCARD:TYPE=IMAGE\nCARD:FILENAME=card.img\nCARD:TOCANVAS=TRUE\n"
                                           "CARD:VISIBLE=TRUE\nCARD:PRIORITY=5\n"
                                           "OBJECT=PRINTALL\nPRINTALL:TYPE=BEHAVIOUR\n"
                                           "PRINTALL:CODE={APP^PRINT();LOG^ADD(\"after\");}\n");
    const auto save = [&](CGraphicsObject& picture, const std::string& name) {
        picture.Save(CXString(world.headless.folder().file("Dane/Epizod/Scena/" + name).c_str()), COMPRESSION_NONE);
    };
    const BlockScreen background(kColours565, 4);
    save(*makeRaster(800, 600, 16, background.words), "blocks.img");
    auto card = makeFilled(kCard.Width(), kCard.Height(), 16, kCardColour.word);
    card->SetPosition(kCard.LeftTop());
    save(*card, "card.img");

    blocks = background.blocks;
    blocks.push_back({kCard, kCardColour});
    CMC_Application* application = world.start();
    // The first frame draws the screen and leaves it to be drawn whole once more.
    world.frame();
    world.frame();
    EXPECT_EQ(world.running(), "S");
    return application != nullptr ? application->getCurrentScene()->getCurrentScene() : nullptr;
}

// Runs the line in the scene; what it wrote on standard error.
std::string runCapturingErrors(ApplicationWorld& world, CMC_Scene* scene, const std::string& line)
{
    testing::internal::CaptureStderr();
    world.run(scene, line);
    return testing::internal::GetCapturedStderr();
}

// The screen was presented again whole and shows every block's colour.
void expectScreenDrawnWhole(ApplicationWorld& world, int presentedBefore, const std::vector<ColourBlock>& blocks)
{
    platform::HeadlessDisplay& display = world.headless.display();
    EXPECT_GT(display.presentCount(), presentedBefore);
    ASSERT_EQ(display.lastPresented().size(), 1u);
    EXPECT_EQ(display.lastPresented()[0].right, 800);
    EXPECT_EQ(display.lastPresented()[0].bottom, 600);
    for (const ColourBlock& block : blocks) {
        const CXPoint centre((block.rect.left + block.rect.right) / 2, (block.rect.top + block.rect.bottom) / 2);
        EXPECT_EQ(world.headless.pixel(centre.x, centre.y), block.colour.word);
    }
}

} // namespace

TEST(Print, PagesShowTheScreenAPictureOrFourSidesAndTheScreenIsDrawnWholeAfterwards)
{
    TempFolder folder;
    ApplicationWorld world({"-printto", folder.file("pages")});
    std::vector<ColourBlock> blocks;
    CMC_Scene* scene = startBlocksScene(world, blocks);
    ASSERT_NE(scene, nullptr);
    struct Case {
        const char* call;
        CXRect shown;
    };
    const Case cases[] = {
        {"APP^PRINT()", {0, 0, 800, 600}},
        {"APP^PRINT(\"CARD\")", kCard},
        {"APP^PRINT(150, 100, 450, 500)", {150, 100, 450, 500}},
    };
    int pages = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        const int presented = world.headless.display().presentCount();
        EXPECT_EQ(runCapturingErrors(world, scene, c.call), "");
        const std::optional<DecodedPng> page = readPngFile(folder.file("pages/" + pageName(++pages)));
        ASSERT_TRUE(page);
        expectPage(*page, blocks, c.shown);
        expectScreenDrawnWhole(world, presented, blocks);
    }

    // A name that gives no picture prints nothing and leaves the screen as it is.
    const int presented = world.headless.display().presentCount();
    EXPECT_EQ(runCapturingErrors(world, scene, "APP^PRINT(\"NOSUCH\")"), "");
    EXPECT_EQ(world.headless.display().presentCount(), presented);
    EXPECT_EQ(namesIn(folder.file("pages")).size(), static_cast<size_t>(pages));
}

TEST(Print, WithoutAPrintServerTheMissingPrinterIsReportedAndTheSceneGoesOn)
{
    ApplicationWorld world;
    std::vector<ColourBlock> blocks;
    CMC_Scene* scene = startBlocksScene(world, blocks);
    ASSERT_NE(scene, nullptr);
    NoPrintServer noServer;
    const std::vector<std::string> files = namesIn(world.headless.folder().path());
    const int presented = world.headless.display().presentCount();
    world.frame();
    ASSERT_EQ(world.headless.display().presentCount(), presented) << "a frame without changes presents nothing";
    expectNothingPrinted(runCapturingErrors(world, scene, "PRINTALL^RUN()"), "no print server answers");
    EXPECT_EQ(world.log(), Log{"after"});
    EXPECT_EQ(namesIn(world.headless.folder().path()), files);
    expectScreenDrawnWhole(world, presented, blocks);
    world.frame();
    EXPECT_EQ(world.running(), "S");
}
