#include "script_graphics/CMC_CanvasObserver.h"

#include "graphics/CImage.h"
#include "script_graphics/CMC_Image.h"

#include "PictureScene.h"
#include "tests/RecordBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// Two observers O1 and O2, each with its frame and focus signals logged, and pictures on the
// screen: A ("stone.img", 20 × 10, alpha 200) at priority 5, H ("clear.img", 4 × 4, alpha 0) at
// 7, both at (0, 0), and B ("plain.img", 4 × 4, opaque) at priority 5 at (30, 0), added after
// A; a canvas C at (50, 50).
class ObservedScene : public PictureScene {
protected:
    ObservedScene()
    {
        for (auto [name, alpha] : {std::pair{"clear.img", 0}, {"plain.img", 255}})
            makeRaster(4, 4, 16, std::vector<uint16_t>(16, 0x0F0F), std::vector<uint8_t>(16, static_cast<uint8_t>(alpha)))
                ->Save(CXString(headless.folder().file(name).c_str()), COMPRESSION_NONE);
        loggers({"U1", "D1", "ON1", "OFF1", "U2", "D2"});
        define("OBJECT=O1\nO1:TYPE=CANVAS_OBSERVER\nO1:ONUPDATE=U1\nO1:ONWINDOWFOCUSON=ON1\nO1:ONWINDOWFOCUSOFF=OFF1\n"
               "OBJECT=O2\nO2:TYPE=CANVAS_OBSERVER\nO2:ONUPDATE=U2\n" +
               image("A", "stone.img", 5) + image("H", "clear.img", 7) + image("B", "plain.img", 5) +
               "OBJECT=C\nC:TYPE=CANVAS\nC:WIDTH=10\nC:HEIGHT=10\n");
        // A definition would bind ONUPDATED under ONUPDATE too, which begins its name.
        run("B^SETPOSITION(30,0);C^SETPOSITION(50,50);O1^ADDBEHAVIOUR(\"ONUPDATED\",\"D1\");"
            "O2^ADDBEHAVIOUR(\"ONUPDATED\",\"D2\");");
    }

    static std::string image(const char* name, const char* file, int priority)
    {
        const std::string n(name);
        return "OBJECT=" + n + "\n" + n + ":TYPE=IMAGE\n" + n + ":FILENAME=" + file + "\n" + n + ":TOCANVAS=TRUE\n" + n
               + ":VISIBLE=TRUE\n" + n + ":PRIORITY=" + std::to_string(priority) + "\n";
    }
};

} // namespace

// Nothing is told before ENABLENOTIFY; then every observer in the order they came, whichever of
// them switched; one switching off silences all.
TEST_F(ObservedScene, TheComposersOneSwitchGatesEveryObserver)
{
    frame();
    window()->OnActivateApp(false);
    window()->OnActivateApp(true);
    EXPECT_EQ(takeLog(), std::vector<std::string>{});
    run("O2^ENABLENOTIFY(TRUE);");
    frame();
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"U1", "U2", "D1", "D2"}));
    window()->OnActivateApp(false);
    window()->OnActivateApp(true);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"OFF1", "ON1"}));
    run("O2^ENABLENOTIFY(FALSE);");
    frame();
    EXPECT_EQ(takeLog(), std::vector<std::string>{});
}

TEST_F(ObservedScene, GetGraphicsAtNamesTheTopmostObjectOfTheScope)
{
    const struct {
        const char* call;
        const char* answer;
    } rows[] = {
        // H is transparent where A shows; it is hit only when alpha is ignored.
        {"O1^GETGRAPHICSAT(1,1)", "A"},
        {"O1^GETGRAPHICSAT(1,1,TRUE,-1,-1,TRUE)", "H"},
        {"O1^GETGRAPHICSAT(19,9)", "A"},
        {"O1^GETGRAPHICSAT(20,9)", "NULL"},
        {"O1^GETGRAPHICSAT(31,1)", "B"},
        // The fourth argument alone is not read; with the fifth both bound the priorities.
        {"O1^GETGRAPHICSAT(1,1,FALSE,6)", "A"},
        {"O1^GETGRAPHICSAT(1,1,FALSE,6,10)", "NULL"},
        {"O1^GETGRAPHICSAT(1,1,FALSE,6,10,TRUE)", "H"},
        {"O1^GETGRAPHICSAT(55,55)", "UNKNOWN"},
        {"O1^GETGRAPHICSAT(400,400)", "NULL"},
        {"O1^GETGRAPHICSAT(1)", "NULL"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ask(row.call), row.answer) << row.call;
    // Of two objects of one priority at the point, the one added later.
    run("B^SETPOSITION(0,0);");
    EXPECT_EQ(ask("O1^GETGRAPHICSAT(1,1)"), "B");
    // A hidden object is hit unless only visible ones count.
    run("B^HIDE();");
    EXPECT_EQ(ask("O1^GETGRAPHICSAT(1,1)"), "B");
    EXPECT_EQ(ask("O1^GETGRAPHICSAT(1,1,TRUE)"), "A");
    EXPECT_EQ(ask("O1^GETBPP()"), "16");
}

TEST_F(ObservedScene, TheDrawListCanChangeAndTheScreenBeRedrawnFromAFrame)
{
    define("OBJECT=CHANGE\nCHANGE:TYPE=BEHAVIOUR\nCHANGE:CODE={O1^REMOVE(\"H\");O1^ADD(\"H\",2);O1^REDRAW();}\n"
           "OBJECT=O3\nO3:TYPE=CANVAS_OBSERVER\nO3:ONUPDATE=CHANGE\n");
    run("O1^REMOVE(\"B\");O1^ADD(\"B\");O1^ADD(\"O1\");O1^ADD(\"NOSUCH\");O1^ENABLENOTIFY(TRUE);");
    EXPECT_EQ(screen()->GetPriority(object<CMC_Image>("B")->getImage()), 1000);
    EXPECT_EQ(screen()->GetPriority(screen()), -1);
    frame();
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"U1", "U2", "D1", "D2"}));
    EXPECT_EQ(screen()->GetPriority(object<CMC_Image>("H")->getImage()), 2);
    run("O1^REDRAW();");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"U1", "U2", "D1", "D2"}));
}

TEST_F(ObservedScene, SaveWritesTheLastFrameAndBackgroundsMoveWhenThereAreAny)
{
    run("O1^SAVE(\"none.img\");O1^MOVEBKG(1,1);");
    EXPECT_FALSE(std::filesystem::exists(headless.folder().file("none.img")));
    frame();
    run("O1^SAVE(\"screen.img\");O1^SAVE(\"corner.img\",0.5,0.5,0,0,20,10);");
    CImage whole(window(), CXString(headless.folder().file("screen.img").c_str()));
    EXPECT_EQ(whole.Width(), 800);
    EXPECT_EQ(whole.Height(), 600);
    CImage corner(window(), CXString(headless.folder().file("corner.img").c_str()));
    EXPECT_EQ(corner.Width(), 10);
    EXPECT_EQ(corner.Height(), 5);

    run("O1^SETBACKGROUND(\"A\");O1^SETBKGPOS(3,4);");
    ASSERT_NE(screen()->getBackgroundIfc(), nullptr);
    EXPECT_EQ(screen()->getBackgroundIfc()->GetPosition(), CXPoint(3, 4));
    run("O1^MOVEBKG(2,2);");
    EXPECT_EQ(screen()->getBackgroundIfc()->GetPosition(), CXPoint(5, 6));
    // The picture drawn into the background goes on drawing on the screen.
    EXPECT_NE(object<CMC_Image>("A")->getImage()->GetDestiny(), screen()->getBackgroundIfc());
}

TEST_F(ObservedScene, TheRecordIsTheObjectsOwnAndBringsAListeningObserver)
{
    loggers({"U"});
    const std::string bytes = RecordBytes::text("OX") + RecordBytes::i32(1) + RecordBytes::text("ONUPDATE")
                              + RecordBytes::text("U") + RecordBytes::i32(0);
    auto* read = readRecord<CMC_CanvasObserver>(bytes);
    EXPECT_EQ(record(read), bytes);
    run("OX^ENABLENOTIFY(TRUE);");
    frame();
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"U1", "U2", "U", "D1", "D2"}));
}
