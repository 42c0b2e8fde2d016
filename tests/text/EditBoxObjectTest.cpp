#include "platform/KeyCodes.h"
#include "text/CButton.h"
#include "text/CEditBox6.h"
#include "text/CFontCollection.h"
#include "text/CMC_EditBox.h"
#include "text/CMC_Font.h"
#include "text/CMultilineText6.h"
#include "text/CUnit6.h"

#include "ControlScene.h"
#include "FntFixtures.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace platform::key;
using platform::Event;
using Log = std::vector<std::string>;

namespace {

// EDITBOXes E1 (text "ab", caret picture CARET) and E2, 20 pixels wide, in the font F whose
// letters a, b, c, l and the code page's 0xB9 each take 5 pixels; then the edit box of a text
// on the unit. E1's and E2's signals are logged.
class EditBoxScene : public ControlScene {
protected:
    EditBoxScene()
    {
        window()->getLangIfc()->setLanguageFolder("0415");
        std::vector<FntLetter> letters;
        for (char code : std::string("abcl\xB9"))
            letters.push_back({code, std::vector<std::string>(8, "###..")});
        headless.folder().write("box.fnt", FntMaker(letters).bytes());
        picture("caret.img", 0, 0, 1, 6);
        std::string definitions = properties("F", "FONT", {"DEF_F_STANDARD_10=box.fnt"}) + image("CARET", "caret.img");
        for (const char* n : {"1", "2"}) {
            const std::string e = std::string("E") + n;
            std::vector<std::string> lines = {"RECT=10," + std::string(n == std::string("1") ? "10,30,30" : "40,30,60"),
                                              "FONT=F", "PRIORITY=3"};
            if (*n == '1')
                lines.insert(lines.end(), {"TEXT=ab", "CURSOR=CARET"});
            for (const char* signal : {"FOCUSON", "FOCUSOFF", "CHANGED", "ENTER", "ESC"}) {
                lines.push_back(std::string("ON") + signal + "=" + e + "_" + signal);
                logger(e + "_" + signal);
            }
            definitions += properties(e, "EDITBOX", lines);
        }
        define(definitions);
        text = std::make_unique<CMultilineText6>(window(), CMC_Scene::getDefUnit());
        text->setPosition(10, 70);
        text->setJustify(CXRect(10, 70, 200, 100), JUSTIFY_LEFT, JUSTIFY_TOP);
        text->setFont(object<CMC_Font>("F")->getFont());
        text->setText("a<E,20,N,l>");
        frame();
    }
    ~EditBoxScene() override { text.reset(); }

    // A key pressed and released in one frame, with the keys given held from the frame before
    // to the frame after.
    void tap(int key, const std::vector<int>& held = {})
    {
        std::vector<Event> downs;
        std::vector<Event> ups;
        for (int h : held) {
            downs.push_back(Event::keyDown(h));
            ups.push_back(Event::keyUp(h));
        }
        if (!held.empty())
            frame(10, downs);
        frame(10, {Event::keyDown(key), Event::keyUp(key)});
        if (!held.empty())
            frame(10, ups);
    }

    CEditBox6* box(const char* name) { return object<CMC_EditBox>(name)->getEditBox(); }

    std::unique_ptr<CMultilineText6> text;
};

} // namespace

// The two EDITBOXes and the text's box take the focus by click and in turn by Tab, forward
// and back with Shift; the focused box takes characters up to its width and the editing keys.
TEST_F(EditBoxScene, FocusTypingAndKeys)
{
    CUnit6* unit = CMC_Scene::getDefUnit();
    ASSERT_EQ(unit->getEditBoxes().size(), 3u);
    CEditBox6* coded = unit->getEditBoxes()[2];
    EXPECT_EQ(coded, text->getEditBoxes().at(0));
    EXPECT_EQ(coded->getText(), "l");
    EXPECT_FALSE(box("E1")->isActive());

    // Tab does nothing while no box has the focus.
    tap(Tab);
    EXPECT_EQ(takeLog(), Log{});
    clickAt(15, 20);
    EXPECT_EQ(takeLog(), Log{"E1_FOCUSON"});
    EXPECT_EQ(box("E1")->getCursorPos(), 2);

    struct Typing {
        const char* what;
        int key;
        std::vector<int> held;
        const char* text;
        int caret;
        Log signals;
    };
    const Typing typing[] = {
        {"a letter", C, {}, "abc", 3, {"E1_CHANGED"}},
        {"an Alt letter", A, {LeftAlt}, "abc\xB9", 4, {"E1_CHANGED"}},
        {"a letter beyond the width", B, {}, "abc\xB9", 4, {}},
        {"Home", Home, {}, "abc\xB9", 0, {}},
        {"Left at the start", Left, {}, "abc\xB9", 0, {}},
        {"Right", Right, {}, "abc\xB9", 1, {}},
        {"Delete", Delete, {}, "ac\xB9", 1, {}},
        {"Backspace", Backspace, {}, "c\xB9", 0, {}},
        {"Backspace at the start", Backspace, {}, "c\xB9", 0, {}},
        {"a letter at the caret", B, {}, "bc\xB9", 1, {"E1_CHANGED"}},
        {"End", End, {}, "bc\xB9", 3, {}},
        {"Delete at the end", Delete, {}, "bc\xB9", 3, {}},
        {"Right at the end", Right, {}, "bc\xB9", 3, {}},
        {"Left", Left, {}, "bc\xB9", 2, {}},
        {"Enter", Return, {}, "bc\xB9", 2, {"E1_ENTER"}},
        {"Escape", Escape, {}, "bc\xB9", 2, {"E1_ESC"}},
    };
    for (const Typing& t : typing) {
        SCOPED_TRACE(t.what);
        tap(t.key, t.held);
        EXPECT_EQ(box("E1")->getText(), t.text);
        EXPECT_EQ(box("E1")->getCursorPos(), t.caret);
        EXPECT_EQ(takeLog(), t.signals);
    }
    // The caret picture stands after the caret's letters, 5 pixels over the box's bottom.
    EXPECT_EQ(imageOf("CARET")->getPosition(), CXPoint(20, 19));
    EXPECT_TRUE(box("E1")->isActive());

    const struct {
        std::vector<int> held;
        CEditBox6* focused;
        Log signals;
    } turns[] = {
        {{}, box("E2"), {"E1_FOCUSOFF", "E2_FOCUSON"}},
        {{}, coded, {"E2_FOCUSOFF"}},
        {{}, box("E1"), {"E1_FOCUSON"}},
        {{LeftShift}, coded, {"E1_FOCUSOFF"}},
        {{RightShift}, box("E2"), {"E2_FOCUSON"}},
    };
    for (const auto& turn : turns) {
        tap(Tab, turn.held);
        EXPECT_EQ(unit->getCurrentEditBox(), turn.focused);
        EXPECT_EQ(takeLog(), turn.signals);
    }
    for (CEditBox6* b : unit->getEditBoxes())
        EXPECT_EQ(b->isActive(), b == box("E2"));

    // A press outside the focused box takes its focus; a press in it changes nothing.
    clickAt(15, 50);
    EXPECT_EQ(takeLog(), Log{});
    clickAt(100, 100);
    EXPECT_EQ(takeLog(), Log{"E2_FOCUSOFF"});
    EXPECT_EQ(unit->getCurrentEditBox(), nullptr);

    // The text's boxes go with its lines.
    text->flush();
    EXPECT_EQ(unit->getEditBoxes().size(), 2u);
}

// The caret blinks every 400 ms of the clock while its box has the focus.
TEST_F(EditBoxScene, TheCaretBlinksWhileTheBoxIsActive)
{
    CGraphicsObject* caret = imageOf("CARET");
    run("E1^ACTIVE();");
    const bool first = caret->isVisible();
    frame(390);
    EXPECT_EQ(caret->isVisible(), first);
    frame(10);
    EXPECT_NE(caret->isVisible(), first);
    frame(400);
    EXPECT_EQ(caret->isVisible(), first);
    run("E1^DEACTIVE();");
    frame(400);
    frame(400);
    EXPECT_EQ(caret->isVisible(), first);
    EXPECT_EQ(takeLog(), (Log{"E1_FOCUSON", "E1_FOCUSOFF"}));
}

// The methods of EDITBOX: texts set without signals, the caret kept within the text, ACTIVE on
// this box alone, moves; a FONT that names nothing keeps the text and shows nothing; a box the
// unit deletes leaves its EDITBOX with nothing to do.
TEST_F(EditBoxScene, MethodsAndBoxesThatGo)
{
    run("E1^SETTEXT(\"a\");E1^ADDTEXT(\"bc\");");
    EXPECT_EQ(ask("E1^GETTEXT()"), "abc");
    run("E1^SETCURSORPOS(99);");
    EXPECT_EQ(box("E1")->getCursorPos(), 3);
    run("E1^SETCURSORPOS(-4);");
    EXPECT_EQ(box("E1")->getCursorPos(), 0);
    run("E1^SETCURSORPOS(3);E1^SETTEXT(\"l\");");
    EXPECT_EQ(box("E1")->getCursorPos(), 1);
    EXPECT_EQ(takeLog(), Log{});

    // Both take the same characters.
    run("E1^ACTIVE();E2^ACTIVE();");
    tap(A);
    EXPECT_EQ(box("E1")->getText(), "la");
    EXPECT_EQ(box("E2")->getText(), "a");
    EXPECT_EQ(takeLog(), (Log{"E1_FOCUSON", "E2_FOCUSON", "E1_CHANGED", "E2_CHANGED"}));
    run("E2^DISABLE();E2^DEACTIVE();");
    EXPECT_EQ(takeLog(), (Log{"E2_FOCUSOFF", "E2_FOCUSOFF"}));
    tap(A);
    EXPECT_EQ(box("E2")->getText(), "a");

    run("E2^MOVE(5,-10);");
    EXPECT_EQ(box("E2")->getBoundingRect(), CXRect(15, 30, 35, 50));
    run("E2^SETPOSITION(100,200);");
    EXPECT_EQ(box("E2")->getBoundingRect(), CXRect(100, 200, 120, 220));
    EXPECT_EQ(box("E2")->getClickArea()->getActiveRect(), CXRect(100, 200, 120, 220));

    define(properties("E3", "EDITBOX", {"RECT=CARET", "FONT=CARET", "TEXT=keep"}));
    EXPECT_EQ(box("E3")->getBoundingRect(), imageOf("CARET")->GetBoundingBox());
    EXPECT_EQ(ask("E3^GETTEXT()"), "keep");
    EXPECT_EQ(box("E3")->getDisplay()->getFont(), nullptr);

    CMC_Scene::getDefUnit()->flushEditBoxes();
    EXPECT_EQ(box("E1"), nullptr);
    EXPECT_EQ(ask("E1^GETTEXT()"), "");
    run("E1^ACTIVE();E1^SETTEXT(\"x\");");
}
