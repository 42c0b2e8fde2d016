#include "script_graphics/CMC_Filter.h"

#include "FilterScene.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

class FilterObject : public FilterScene {
protected:
    FilterObject() { loggers({"STARTED", "RUNNING", "ENDED", "PLAIN_STARTED"}); }

    // "F", of the ACTION, with handlers of its caret signals for the object S.
    void defineFilter(const char* action, const std::string& more = "")
    {
        define(image("S", "grad.img") + filter("F", "FILTER", action)
               + "F:ONSTARTED^S=STARTED\nF:ONFINISHED^S=RUNNING\nF:ONTICK^S=ENDED\n" + more);
    }
    int opacity() { return picture("S")->GetOpacity(); }
};

// Every running tick raises ONFINISHED and the end ONTICK, each for the linked object first.
TEST_F(FilterObject, FadeInRunsToItsEndAndStops)
{
    defineFilter("FADEIN");
    run("F^SETPROPERTY(\"SPEED\",\"100\");F^LINK(\"S\");");
    EXPECT_EQ(ask("F^ISRUNNING(\"S\")"), "FALSE");
    run("F^START(\"S\");");
    EXPECT_EQ(opacity(), 0);
    EXPECT_EQ(takeLog(), Log{"STARTED"});
    EXPECT_EQ(ask("F^ISRUNNING(\"S\")"), "TRUE");
    for (int expected : {100, 200}) {
        frame();
        EXPECT_EQ(opacity(), expected);
        EXPECT_EQ(takeLog(), Log{"RUNNING"});
    }
    frame();
    EXPECT_EQ(opacity(), 255);
    EXPECT_EQ(takeLog(), Log{"ENDED"});
    EXPECT_EQ(ask("F^ISRUNNING(\"S\")"), "FALSE");
    frame();
    EXPECT_EQ(takeLog(), Log{});
    // START runs it again from START.
    run("F^START(\"S\");");
    EXPECT_EQ(opacity(), 0);
}

TEST_F(FilterObject, FadeOutFallsByItsSpeed)
{
    defineFilter("FADEOUT");
    run("F^SETPROPERTY(\"SPEED\",\"50\");F^LINK(\"S\");F^START(\"S\");");
    EXPECT_EQ(opacity(), 255);
    for (int expected : {205, 155, 105, 55, 5}) {
        frame();
        EXPECT_EQ(opacity(), expected);
    }
    takeLog();
    frame();
    EXPECT_EQ(opacity(), 0);
    EXPECT_EQ(takeLog(), Log{"ENDED"});
}

// FADEINOUT turns at exactly END and START and never stops by itself; STOP raises the end.
TEST_F(FilterObject, FadeInOutSwingsUntilStopped)
{
    defineFilter("FADEINOUT");
    run("F^SETPROPERTY(\"SPEED\",\"100\");F^LINK(\"S\");F^START(\"S\");");
    std::vector<int> seen;
    for (int i = 0; i < 7; ++i) {
        frame();
        seen.push_back(opacity());
    }
    EXPECT_EQ(seen, (std::vector<int>{100, 200, 255, 155, 55, 0, 100}));
    takeLog();
    run("F^STOP(\"S\");");
    EXPECT_EQ(takeLog(), Log{"ENDED"});
    run("F^STOP(\"S\");");
    EXPECT_EQ(takeLog(), Log{});
}

// The caret form alone runs when it has a handler; the plain form runs when it has none.
TEST_F(FilterObject, ThePlainSignalRunsOnlyWhenTheNamedOneHasNoHandler)
{
    define(image("S", "grad.img") + image("T", "stone.img") + filter("F", "FILTER", "FADEIN")
           + "F:ONSTARTED^S=STARTED\nF:ONSTARTED=PLAIN_STARTED\n");
    run("F^LINK(\"S\");F^LINK(\"T\");F^START(\"S\");F^START(\"T\");");
    EXPECT_EQ(takeLog(), (Log{"STARTED", "PLAIN_STARTED"}));
}

// The start is told while the opacity is still the old one.
TEST_F(FilterObject, StartIsToldBeforeTheKindStarts)
{
    define(image("S", "grad.img") + filter("F", "FILTER", "FADEIN") + "OBJECT=SEEN\nSEEN:TYPE=INTEGER\n"
           + "F:ONSTARTED={SEEN^SET(S^GETOPACITY());}\n");
    run("F^LINK(\"S\");F^START(\"S\");");
    EXPECT_EQ(ask("SEEN"), "255");
    EXPECT_EQ(opacity(), 0);
}

// ONEATTIME drops the other links silently; an object linked again is linked anew, stopped.
// UNLINK of a running link says nothing.
TEST_F(FilterObject, OneAtATimeAndUnlinkAreSilent)
{
    define(image("S", "grad.img") + image("T", "stone.img") + filter("F", "FILTER", "FADEIN")
           + "F:ONTICK=ENDED\nF:ONFINISHED=RUNNING\n");
    run("F^SETPROPERTY(\"ONEATTIME\",\"true\");F^LINK(\"S\");F^START(\"S\");F^LINK(\"T\");");
    EXPECT_EQ(object<CMC_Filter>("F")->getFilter()->getLinkCount(), 1);
    run("F^START(\"S\");");
    EXPECT_EQ(ask("F^ISRUNNING(\"S\")"), "FALSE");
    run("F^START(\"T\");F^LINK(\"T\");");
    EXPECT_EQ(ask("F^ISRUNNING(\"T\")"), "FALSE");
    run("F^START(\"T\");");
    frame();
    EXPECT_EQ(takeLog(), Log{"RUNNING"});
    run("F^UNLINK(\"T\");");
    frame();
    EXPECT_EQ(takeLog(), Log{});
    EXPECT_EQ(ask("F^ISRUNNING(\"T\")"), "FALSE");
}

// A handler that unlinks during the tick leaves the walk valid; a destroyed object's link goes.
TEST_F(FilterObject, LinksLeaveSafelyDuringTheTickAndWithTheirObjects)
{
    // Pictures of one file are shared: U and V have their own.
    for (const char* copy : {"u.img", "v.img"})
        std::filesystem::copy_file(headless.folder().file("grad.img"), headless.folder().file(copy));
    define(image("S", "grad.img") + image("T", "stone.img") + image("U", "u.img") + image("V", "v.img")
           + filter("F", "FILTER", "FADEIN") + "F:ONFINISHED^S={F^UNLINK(\"S\");F^UNLINK(\"T\");}\n");
    run("F^SETPROPERTY(\"SPEED\",\"100\");F^LINK(\"S\");F^LINK(\"T\");F^LINK(\"U\");F^LINK(\"V\");"
        "F^START(\"S\");F^START(\"T\");F^START(\"U\");");
    frame();
    EXPECT_EQ(object<CMC_Filter>("F")->getFilter()->getLinkCount(), 2);
    const int before = picture("U")->GetOpacity();
    frame();
    EXPECT_GT(picture("U")->GetOpacity(), before);
    // U's picture lives on with S, V's goes with V.
    destroy("U");
    destroy("V");
    frame();
    EXPECT_EQ(object<CMC_Filter>("F")->getFilter()->getLinkCount(), 0);
}

// A part of an animation links as a raster of its own, and signals in the plain form only.
TEST_F(FilterObject, APartOfAnAnimationLinksAsARaster)
{
    define("OBJECT=HERO\nHERO:TYPE=ANIMO\nHERO:FILENAME=hero.ann\nHERO:TOCANVAS=TRUE\nHERO:VISIBLE=TRUE\n"
           + filter("F", "FILTER", "FADEOUT") + "F:ONSTARTED=PLAIN_STARTED\n");
    run("F^LINK(\"HERO!door\");F^START(\"HERO!door\");");
    EXPECT_EQ(takeLog(), Log{"PLAIN_STARTED"});
    EXPECT_EQ(ask("F^ISRUNNING(\"HERO!door\")"), "TRUE");
    EXPECT_EQ(ask("F^ISRUNNING(\"HERO\")"), "FALSE");
}

// PATH with SPEED 3 along (3, 0), (0, 2) and (-3, -4): a move every third frame, the last node
// in five steps of which the first moves nothing; it ends there, or starts over when LOOPED.
TEST_F(FilterObject, PathMovesAlongTheNodesEveryThirdFrame)
{
    const std::string nodes = "OBJECT=V1\nV1:TYPE=VECTOR\nV1:SIZE=2\nV1:VALUE=3,0\n"
                              "OBJECT=V2\nV2:TYPE=VECTOR\nV2:SIZE=2\nV2:VALUE=0,2\n"
                              "OBJECT=V3\nV3:TYPE=VECTOR\nV3:SIZE=2\nV3:VALUE=-3,-4\n"
                              "OBJECT=WAY\nWAY:TYPE=PATH\nWAY:NODES=V1,V2,V3\n";
    defineFilter("PATH", nodes);
    const std::vector<CXPoint> steps = {{11, 20}, {12, 20}, {13, 20}, {13, 21}, {13, 22},
                                        {13, 22}, {12, 21}, {12, 20}, {11, 19}, {10, 18}};
    for (const char* looped : {"FALSE", "TRUE"}) {
        SCOPED_TRACE(looped);
        run(std::string("S^SETPOSITION(10,20);F^SETPROPERTY(\"SPEED\",\"3\");F^SETPROPERTY(\"PATHDEF\",\"WAY\");"
                        "F^SETPROPERTY(\"LOOPED\",\"")
            + looped + "\");F^LINK(\"S\");F^START(\"S\");");
        CXPoint before(10, 20);
        for (const CXPoint& step : steps) {
            frame();
            frame();
            EXPECT_EQ(picture("S")->GetPosition(), before);
            frame();
            EXPECT_EQ(picture("S")->GetPosition(), step);
            before = step;
        }
        frame();
        frame();
        frame();
        EXPECT_EQ(picture("S")->GetPosition(), std::string(looped) == "TRUE" ? CXPoint(11, 18) : CXPoint(10, 18));
        EXPECT_EQ(ask("F^ISRUNNING(\"S\")"), std::string(looped) == "TRUE" ? "TRUE" : "FALSE");
        run("F^UNLINK(\"S\");");
    }
}

// A PATHDEF that names no PATH, or a node that is no VECTOR of two components, moves nothing;
// SPEED 0 counts as 1 and DENSITY 0 as 1.0.
TEST_F(FilterObject, PathWithoutAUsablePathMovesNothing)
{
    define(image("S", "grad.img") + filter("F", "FILTER", "PATH")
           + "OBJECT=ONE\nONE:TYPE=VECTOR\nONE:SIZE=1\nONE:VALUE=5\n"
             "OBJECT=ZERO\nZERO:TYPE=VECTOR\nZERO:SIZE=2\nZERO:VALUE=0,0\n"
             "OBJECT=V\nV:TYPE=VECTOR\nV:SIZE=2\nV:VALUE=2,0\n"
             "OBJECT=BAD\nBAD:TYPE=PATH\nBAD:NODES=ONE\nOBJECT=GOOD\nGOOD:TYPE=PATH\nGOOD:NODES=ZERO,V\n");
    run("F^SETPROPERTY(\"PATHDEF\",\"NOWHERE\");F^LINK(\"S\");F^START(\"S\");");
    frame();
    run("F^SETPROPERTY(\"PATHDEF\",\"BAD\");");
    frame();
    EXPECT_EQ(picture("S")->GetPosition(), CXPoint(0, 0));
    // The zero node is reached at once, the next covered a pixel a frame.
    run("F^SETPROPERTY(\"PATHDEF\",\"GOOD\");F^SETPROPERTY(\"SPEED\",\"0\");GOOD^SETPROPERTY(\"DENSITY\",0);");
    frame();
    frame();
    EXPECT_EQ(picture("S")->GetPosition(), CXPoint(1, 0));
    frame();
    EXPECT_EQ(picture("S")->GetPosition(), CXPoint(2, 0));
}

// An anchored object moves by its corner: the anchor is not taken off again at every step.
TEST_F(FilterObject, PathMovesAnchoredObjectsByTheirCorner)
{
    define(image("S", "grad.img") + filter("F", "FILTER", "PATH")
           + "OBJECT=V\nV:TYPE=VECTOR\nV:SIZE=2\nV:VALUE=2,0\nOBJECT=WAY\nWAY:TYPE=PATH\nWAY:NODES=V\n");
    run("S^SETANCHOR(\"CENTER\");S^SETPOSITION(10,20);F^SETPROPERTY(\"PATHDEF\",\"WAY\");F^LINK(\"S\");"
        "F^START(\"S\");");
    const CXPoint corner = picture("S")->GetPosition();
    for (int step : {1, 2, 2}) {
        frame();
        EXPECT_EQ(picture("S")->GetPosition(), corner + CXPoint(step, 0));
    }
}

// WATER at FACTOR 0 samples each pixel itself; WAVING draws 11 pictures in 101 frames.
TEST_F(FilterObject, WaterAtFactorZeroAndWavingEveryTenthFrame)
{
    define(image("S", "grad.img") + filter("W", "FILTER", "WATER") + filter("V", "FILTER", "WAVING"));
    const std::vector<uint16_t> before = words("S");
    run("W^SETPROPERTY(\"FACTOR\",\"0\");W^LINK(\"S\");W^START(\"S\");");
    for (int i = 0; i < 5; ++i)
        frame();
    EXPECT_EQ(words("S"), before);

    struct Counter : CInvalidateObserver {
        void onInvalidate(CGraphicsObject*, CXRect*) override { ++count; }
        void onDestroy(CGraphicsObject*) override {}
        int count = 0;
    } drawn;
    run("V^LINK(\"S\");V^START(\"S\");W^STOP(\"S\");");
    picture("S")->addInvalidateObserver(&drawn);
    for (int i = 0; i < 101; ++i)
        frame();
    picture("S")->removeInvalidateObserver(&drawn);
    EXPECT_EQ(drawn.count, 11);
    EXPECT_NE(words("S"), before);
}

// Unknown ACTIONs make no kind; the common methods do nothing on a filter; its text is "Filter".
TEST_F(FilterObject, WithoutAKindOrWithCommonMethodsNothingHappens)
{
    define(image("S", "grad.img") + filter("F", "FILTER", "fadein") + filter("G", "FILTER", "FADEIN"));
    EXPECT_EQ(object<CMC_Filter>("F")->getFilter(), nullptr);
    run("F^SETPROPERTY(\"SPEED\",\"1\");F^LINK(\"S\");F^START(\"S\");");
    EXPECT_EQ(ask("F^ISRUNNING(\"S\")"), "FALSE");
    EXPECT_EQ(ask("G^GETNAME()"), "");
    EXPECT_EQ(object<CMC_Filter>("G")->toString(), "Filter");
    run("G^LINK(\"NOBODY\");G^START(\"NOBODY\");");
    EXPECT_EQ(ask("G^ISRUNNING(\"NOBODY\")"), "FALSE");
    EXPECT_EQ(object<CMC_Filter>("G")->getFilter()->getLinkCount(), 0);
}

// The record is the object's followed by ACTION; read back, the kind has its defaults.
TEST_F(FilterObject, RecordsHoldTheAction)
{
    define(image("S", "grad.img") + filter("F", "FILTER", "FADEIN"));
    run("F^SETPROPERTY(\"SPEED\",\"100\");F^LINK(\"S\");");
    const std::string bytes = record(object<CMC_Filter>("F"));
    EXPECT_EQ(bytes, std::string("\x01\0\0\0F\0\0\0\0\x06\0\0\0FADEIN", 19));
    destroy("F");
    auto* read = readRecord<CMC_Filter>(bytes);
    EXPECT_EQ(read->getAction(), "FADEIN");
    ASSERT_NE(read->getFilter(), nullptr);
    EXPECT_EQ(read->getFilter()->getLinkCount(), 0);
    run("F^LINK(\"S\");F^START(\"S\");");
    frame();
    EXPECT_EQ(opacity(), 0);
}

} // namespace
