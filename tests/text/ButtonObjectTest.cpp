#include "media/CMC_Sound.h"
#include "media/CSound4.h"
#include "text/CButton.h"
#include "text/CButtonHotSpot.h"
#include "text/CMC_Button.h"

#include "ControlScene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// BUTTON B1 over the picture S1 (hit on its pixels) and B2 over a rectangle, each with its
// pointed-at and pressed looks and sounds; B3 without ENABLE. Their behaviours log the
// signals, as do the sounds' starts.
class ButtonScene : public ControlScene {
protected:
    ButtonScene()
    {
        for (const char* n : {"1", "2", "3"}) {
            const int x = std::stoi(n) * 100;
            for (const char* look : {"S", "M", "C"})
                picture(std::string(look) + n + ".img", x, 100, 40, 20);
        }
        for (const char* file : {"move1.wav", "click1.wav", "move2.wav", "click2.wav"})
            sound(file);
        std::string definitions;
        for (const char* n : {"1", "2", "3"})
            for (const char* look : {"S", "M", "C"})
                definitions += image(std::string(look) + n, std::string(look) + n + ".img", 5);
        for (const char* s : {"MOVE1", "CLICK1", "MOVE2", "CLICK2"}) {
            std::string file = s;
            for (char& c : file)
                c = static_cast<char>(std::tolower(c));
            definitions += properties(s, "SOUND", {"FILENAME=" + file + ".wav", std::string("ONSTARTED=") + s + "_STARTED"});
            logger(std::string(s) + "_STARTED");
        }
        for (const char* n : {"1", "2", "3"}) {
            const std::string b = std::string("B") + n;
            std::vector<std::string> lines = {"GFXSTANDARD=S" + std::string(n), "GFXONMOVE=M" + std::string(n),
                                              "GFXONCLICK=C" + std::string(n)};
            if (*n != '3')
                lines.insert(lines.end(), {"SNDONMOVE=MOVE" + std::string(n), "SNDONCLICK=CLICK" + std::string(n), "ENABLE=TRUE"});
            if (*n == '2')
                lines.push_back("RECT=200,100,240,120");
            for (const char* signal : {"FOCUSON", "FOCUSOFF", "CLICKED", "RELEASED", "ACTION", "PAUSED"}) {
                lines.push_back(std::string("ON") + signal + "=" + b + "_" + signal);
                logger(b + "_" + signal);
            }
            definitions += properties(b, "BUTTON", lines);
        }
        define(definitions);
        frame();
    }

    CSound4* soundOf(const char* name) { return object<CMC_Sound>(name)->getSound(); }
};

struct Step {
    const char* what;
    platform::Event event;
    std::vector<std::string> signals;
    const char* shown;
};

platform::Event moveTo(int x, int y)
{
    return platform::Event::mouseMove({x, y});
}

platform::Event left(bool down, int x, int y)
{
    return down ? platform::Event::mouseDown(platform::MouseButton::Left, {x, y})
                : platform::Event::mouseUp(platform::MouseButton::Left, {x, y});
}

// The same pointer story over either button, b being its number; the signals' names carry it.
std::vector<Step> story(int b)
{
    const int x = 100 * b + 10;
    const std::string n = std::to_string(b);
    const auto s = [&n](const char* signal) { return std::string(signal).replace(std::string(signal).find('#'), 1, n); };
    return {
        {"outside", moveTo(50, 50), {}, "S#"},
        {"enter", moveTo(x, 105), {s("MOVE#_STARTED"), s("B#_FOCUSON")}, "M#"},
        {"move inside", moveTo(x + 5, 108), {}, "M#"},
        {"leave", moveTo(50, 50), {s("B#_FOCUSOFF")}, "S#"},
        {"enter again", moveTo(x, 105), {s("MOVE#_STARTED"), s("B#_FOCUSON")}, "M#"},
        {"press", left(true, x, 105), {s("CLICK#_STARTED"), s("B#_CLICKED"), s("CLICK#_STARTED")}, "C#"},
        {"release", left(false, x, 105), {s("B#_RELEASED"), s("B#_ACTION")}, "M#"},
        // The release makes the next move an entry, but the sound waits for a real one.
        {"move after the release", moveTo(x + 1, 105), {s("B#_FOCUSON")}, "M#"},
        {"press again", left(true, x + 1, 105), {s("CLICK#_STARTED"), s("B#_CLICKED"), s("CLICK#_STARTED")}, "C#"},
        {"leave pressed", moveTo(50, 50), {s("B#_FOCUSOFF")}, "S#"},
        {"release outside", left(false, 50, 50), {}, "S#"},
        // The right press raises nothing, but counts the pointer in: it leaves again.
        {"right press", platform::Event::mouseDown(platform::MouseButton::Right, {x, 105}), {}, "S#"},
        {"leave after the right press", moveTo(50, 50), {s("B#_FOCUSOFF")}, "S#"},
    };
}

} // namespace

// Pointer events over a picture-shaped and a rectangle-shaped BUTTON give their signals, looks
// and sounds; a BUTTON without ENABLE shows nothing and raises nothing.
TEST_F(ButtonScene, PointerEventsGiveSignalsLooksAndSounds)
{
    for (int b : {1, 2}) {
        const std::string n = std::to_string(b);
        for (const Step& step : story(b)) {
            SCOPED_TRACE(n + ": " + step.what);
            frame(10, {step.event});
            EXPECT_EQ(takeLog(), step.signals);
            std::string expectedShown = step.shown;
            expectedShown.replace(expectedShown.find('#'), 1, n);
            EXPECT_EQ(shown({("S" + n).c_str(), ("M" + n).c_str(), ("C" + n).c_str()}), expectedShown);
        }
    }
    // Leaving stops the move sound, which plays on otherwise.
    EXPECT_FALSE(soundOf("MOVE1")->IsPlaying());
    EXPECT_TRUE(soundOf("CLICK1")->IsPlaying());

    EXPECT_EQ(shown({"S3", "M3", "C3"}), "");
    pointTo(310, 105);
    press(310, 105);
    release(310, 105);
    EXPECT_EQ(takeLog(), std::vector<std::string>{});

    // The right press goes on to the spots and listeners below; the left one is taken.
    EXPECT_EQ(window()->OnRButtonDown(CXPoint(110, 105), 0), 0);
    EXPECT_EQ(window()->OnLButtonDown(CXPoint(110, 105), 0), 1);
}

// BUTTONs built from their properties and changed by their methods: a RECT that names a picture
// gives its box and its priority; sounds come only from SOUND objects, and a found sound stays
// without its look; looks are named back; made and cloned BUTTONs own nothing they show.
TEST_F(ButtonScene, PropertiesMethodsAndMadeButtons)
{
    define(properties("B4", "BUTTON", {"RECT=S1", "PRIORITY=9", "ENABLE=TRUE"}) +
           properties("B5", "BUTTON", {"SNDONMOVE=S1", "SNDONCLICK=CLICK1", "ENABLE=TRUE"}));
    CButton* b4 = object<CMC_Button>("B4")->getButton();
    EXPECT_EQ(b4->getActiveRect(), CXRect(100, 100, 140, 120));
    EXPECT_EQ(ask("B4^GETPRIORITY()"), "5");
    CButton* b5 = object<CMC_Button>("B5")->getButton();
    EXPECT_EQ(b5->GetSOOnMove(), nullptr);
    EXPECT_EQ(b5->GetSOOnClick(), soundOf("CLICK1"));

    EXPECT_EQ(ask("B1^GETSTD()"), "S1");
    EXPECT_EQ(ask("B1^GETONMOVE()"), "M1");
    EXPECT_EQ(ask("B1^GETONCLICK()"), "C1");
    run("B1^SETONMOVE(\"NOTHING\");");
    EXPECT_EQ(ask("B1^GETONMOVE()"), "M1");
    // Without FALSE the old look leaves the screen; with it, it stays.
    run("B1^SETSTD(\"S3\");");
    EXPECT_EQ(screen()->GetPriority(imageOf("S1")), -1);
    run("B1^SETSTD(\"S2\",FALSE);");
    EXPECT_NE(screen()->GetPriority(imageOf("S3")), -1);
    EXPECT_EQ(ask("B1^GETSTD()"), "S2");
    run("B4^SETRECT(1,2,3,4);B4^SETPRIORITY(12);");
    EXPECT_EQ(b4->getActiveRect(), CXRect(1, 2, 3, 4));
    EXPECT_EQ(ask("B4^GETPRIORITY()"), "12");
    run("B4^SETRECT(\"NOTHING\");");
    EXPECT_EQ(b4->getActiveRect(), CXRect());

    run("SCENE1^CREATEOBJECT(\"BUTTON\",\"MADE\");@CREATE(\"BUTTON\",\"EMPTY\");");
    EXPECT_EQ(ask("MADE^GETSTD()"), "UNKNOWN");
    EXPECT_TRUE(object<CMC_Button>("MADE")->getButton()->IsEnabled());
    EXPECT_EQ(object<CMC_Button>("EMPTY")->getButton(), nullptr);
    EXPECT_EQ(ask("EMPTY^GETSTD()"), "");
    run("MADE^SETSTD(\"S3\");B1^CLONE(1);");
    auto* clone = object<CMC_Button>("B1_1");
    ASSERT_NE(clone, nullptr);
    CButtonHotSpot* spot = clone->getButton()->getHotSpot();
    EXPECT_TRUE(spot->TestHit(CXPoint(210, 105)));
    EXPECT_EQ(spot->getUnit(), CMC_Scene::getDefUnit());
    EXPECT_EQ(clone->getButton()->GetStandard(), imageOf("S2"));
    // Every picture is deleted once, by its IMAGE, when the scene ends.
}

namespace {

// A behaviour that logs its name and the scene's dragged name.
class DragProbe : public CMC_Behaviour {
public:
    DragProbe(CMC_Scene* scene, const char* name, std::vector<std::string>* log)
        : CMC_Behaviour(scene, CXString(name), CXString())
        , scene_(scene)
        , log_(log)
    {
    }
    bool run(CMC_Object*, CXArray*, bool) override
    {
        log_->push_back(std::string(getName().c_str()) + ":" + scene_->getDraggedName().c_str());
        return false;
    }

private:
    CMC_Scene* scene_;
    std::vector<std::string>* log_;
};

} // namespace

// A DRAGGABLE BUTTON's picture follows the pointer above everything while the button is
// pressed, or until the next press in the drop-on-click mode; its handlers see the dragged
// picture's name. Deleting the button ends its drag.
TEST_F(ButtonScene, DraggingMovesThePictureAboveEverything)
{
    picture("drag.img", 400, 100, 40, 20);
    for (const char* name : {"START", "STEP", "END"})
        scene->addObject(new DragProbe(scene.get(), name, &log));
    define(image("D", "drag.img", 7) +
           properties("B6", "BUTTON", {"GFXSTANDARD=D", "DRAGGABLE=TRUE", "ENABLE=TRUE", "ONSTARTDRAGGING=START",
                                       "ONDRAGGING=STEP", "ONENDDRAGGING=END", "ONCLICKED=B1_CLICKED",
                                       "ONRELEASED=B1_RELEASED"}));
    CUnit6* unit = CMC_Scene::getDefUnit();
    CGraphicsObject* dragged = imageOf("D");
    struct Mode {
        bool dropOnClick;
        std::vector<platform::Event> ending;
    };
    const Mode modes[] = {{false, {left(false, 440, 125)}},
                          {true, {left(false, 470, 145), left(true, 470, 145)}}};
    for (const Mode& mode : modes) {
        SCOPED_TRACE(mode.dropOnClick ? "drop on click" : "drop on release");
        unit->setDraggingMode(mode.dropOnClick);
        const CXPoint from = dragged->getPosition();
        pointTo(from.x + 10, from.y + 5);
        press(from.x + 10, from.y + 5);
        EXPECT_EQ(takeLog(), (std::vector<std::string>{"START:D", "B1_CLICKED"}));
        EXPECT_EQ(screen()->GetPriority(dragged), CUnit6::kDraggedPriority);
        pointTo(from.x + 25, from.y + 15);
        pointTo(from.x + 40, from.y + 25);
        EXPECT_EQ(takeLog(), (std::vector<std::string>{"STEP:D", "STEP:D"}));
        for (const platform::Event& event : mode.ending)
            frame(10, {event});
        EXPECT_EQ(takeLog(), std::vector<std::string>{"END:D"});
        EXPECT_FALSE(unit->isDragging());
        EXPECT_EQ(scene->getDraggedName(), "");
        EXPECT_EQ(screen()->GetPriority(dragged), 7);
        EXPECT_EQ(dragged->getPosition(), from + CXPoint(30, 20));
        EXPECT_TRUE(object<CMC_Button>("B6")->getButton()->IsEnabled());
    }

    const CXPoint at = dragged->getPosition();
    pointTo(at.x + 5, at.y + 5);
    press(at.x + 5, at.y + 5);
    EXPECT_TRUE(unit->isDragging());
    CMC_Object* button = scene->getObject("B6");
    scene->removeObject(button);
    delete button;
    EXPECT_FALSE(unit->isDragging());
    pointTo(at.x + 50, at.y + 50);
    release(at.x + 50, at.y + 50);
    EXPECT_EQ(dragged->getPosition(), at);
}
