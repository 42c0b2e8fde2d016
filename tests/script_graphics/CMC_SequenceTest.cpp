#include "script_graphics/CMC_Sequence.h"

#include "graphics/CMC_SceneTypes.h"
#include "graphics/CSequencedPlayable.h"
#include "script/CMC_Array.h"
#include "script/CMC_Integer.h"
#include "script_graphics/CMC_Sequence_Runner.h"

#include "PictureScene.h"
#include "tests/RecordBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using RecordBytes::i32;
using RecordBytes::text;

// A sequence file "show.seq": the root "show" holds the sequence "intro" of four animation
// events a, b, c and d, each the event "GO" of its own file "<name>.ann", showing 3, 3, 2 and 2
// images at 10 a second; a and b do not wait. "pick" is a sequence played by parameter of
// the events b and d.
class SequenceScene : public PictureScene {
protected:
    SequenceScene()
    {
        for (auto [name, images] : {std::pair{"a", 3}, {"b", 3}, {"c", 2}, {"d", 2}})
            animation(name, images);
        std::string show = "NAME show\nshow TYPE SEQUENCE\nNAME intro\nintro TYPE SEQUENCE\nintro ADD show\n";
        for (const char* name : {"a", "b", "c", "d"}) {
            const std::string n(name);
            show += "NAME " + n + "\n" + n + " FILENAME " + n + ".ann\n" + n + " EVENT GO\n" + n + " TYPE SIMPLE\n" + n
                    + " ADD intro\n";
        }
        show += "a WAIT FALSE\nb WAIT FALSE\n";
        headless.folder().write("show.seq", show);
        headless.folder().write("pick.seq", "NAME pick\npick TYPE SEQUENCE\npick MODE PARAMETER\npick SEQEVENT GO x\n"
                                            "NAME b\nb FILENAME b.ann\nb EVENT GO\nb TYPE SIMPLE\nb ADD pick\n"
                                            "NAME d\nd FILENAME d.ann\nd EVENT GO\nd TYPE SIMPLE\nd ADD pick\n");
    }

    void animation(const char* name, int images)
    {
        CAnimo6 made(window());
        for (int i = 0; i < images; ++i)
            made.AddFrame(makeRaster(2, 2, 16, {1, 2, 3, 4}).get());
        _annEventInfo3 event;
        event.setName("GO");
        for (int i = 0; i < images; ++i)
            event.frames.push_back(static_cast<uint16_t>(i));
        event.fps = 10;
        event.opacity = 255;
        made.AddEvent(&event);
        made.Save(CXString(headless.folder().file(std::string(name) + ".ann").c_str()), COMPRESSION_NONE);
    }

    CSequencedPlayable* tree(const char* name) { return object<CMC_Sequence>(name)->heldSequence(); }
};

} // namespace

// Children that do not wait start with the first that does; the next starts when that one
// ends. The root starts plainly, an element only in its caret form, and only the tree's own end
// is plain.
TEST_F(SequenceScene, AFileOfAnimationsPlaysInTurnAndSignalsAsBound)
{
    loggers({"STARTED", "INTRO", "D", "FINISHED", "C"});
    define("OBJECT=SEQ\nSEQ:TYPE=SEQUENCE\nSEQ:FILENAME=show.seq\nSEQ:ONSTARTED=STARTED\nSEQ:ONSTARTED^INTRO=INTRO\n"
           "SEQ:ONSTARTED^D=D\nSEQ:ONFINISHED=FINISHED\nSEQ:ONFINISHED^C=C\n");
    run("SEQ^PLAY(\"GO\");");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"STARTED", "INTRO"}));
    EXPECT_EQ(ask("SEQ^GETPLAYING()"), "c");
    EXPECT_EQ(ask("SEQ^GETEVENTNAME(\"show\")"), "c");
    EXPECT_EQ(ask("SEQ^ISPLAYING()"), "TRUE");
    const struct {
        int frames;
        std::vector<std::string> log;
        const char* playing;
    } steps[] = {
        {1, {}, "c"},
        // The tree hears of c's end first, and starts d, before the object does.
        {1, {"D", "C"}, "d"},
        {1, {}, "d"},
        {1, {"FINISHED"}, ""},
        {3, {}, ""},
    };
    for (const auto& step : steps) {
        for (int i = 0; i < step.frames; ++i)
            frame(100);
        EXPECT_EQ(takeLog(), step.log);
        EXPECT_EQ(ask("SEQ^GETPLAYING()"), step.playing);
    }
    EXPECT_EQ(ask("SEQ^ISPLAYING()"), "FALSE");
    EXPECT_EQ(CMC_SceneTypes::playableOf(object<CMC_Sequence>("SEQ")), tree("SEQ"));
}

TEST_F(SequenceScene, StopReportsTheEndUnlessToldNotTo)
{
    loggers({"FINISHED"});
    define("OBJECT=SEQ\nSEQ:TYPE=SEQUENCE\nSEQ:FILENAME=show.seq\nSEQ:ONFINISHED=FINISHED\n");
    run("SEQ^PLAY(\"GO\");SEQ^STOP(FALSE);");
    EXPECT_EQ(takeLog(), std::vector<std::string>{});
    run("SEQ^PLAY(\"GO\");SEQ^PAUSE();");
    frame(100);
    frame(100);
    // Paused, the tree still plays, but nothing in it does.
    EXPECT_EQ(ask("SEQ^ISPLAYING()"), "TRUE");
    EXPECT_EQ(ask("SEQ^GETPLAYING()"), "");
    run("SEQ^RESUME();");
    EXPECT_EQ(ask("SEQ^GETPLAYING()"), "c");
    run("SEQ^STOP();SEQ^STOP();");
    EXPECT_EQ(takeLog(), std::vector<std::string>{"FINISHED"});
    EXPECT_EQ(ask("SEQ^GETPLAYING()"), "");
}

// The event's parameter, or one given with it, picks the child: "1" the first, "2" the second.
TEST_F(SequenceScene, PlayTakesTheParameterOfTheEventOrTheOneGiven)
{
    define("OBJECT=PICK\nPICK:TYPE=SEQUENCE\nPICK:FILENAME=pick.seq\nOBJECT=ARR\nARR:TYPE=ARRAY\n");
    // An ARRAY's values replace the x of the event's parameter: 0 is "1".
    run("ARR^ADD(0);PICK^PLAY(\"GO\",\"ARR\");");
    EXPECT_EQ(ask("PICK^GETPLAYING()"), "b");
    EXPECT_EQ(tree("PICK")->getParameter("GO"), "1");
    run("PICK^PLAY(\"GO\",\"2\");");
    EXPECT_EQ(ask("PICK^GETPLAYING()"), "d");
    // The event's name is matched exactly when it is replaced: "go" replaces nothing, and the
    // parameter that "GO" holds plays.
    run("PICK^PLAY(\"go\",\"1\");");
    EXPECT_EQ(ask("PICK^GETPLAYING()"), "d");
    run("PICK^PLAY(\"GO\",\"0\");");
    EXPECT_EQ(ask("PICK^ISPLAYING()"), "FALSE");
}

TEST(SequenceParameterFromArray, EachXWithinTheArraysSizeTakesTheNextValuesSelector)
{
    CMC_Array values(nullptr, CXString("ARR"));
    for (int value : {0, 9, 34}) {
        CMC_Integer number(value);
        values.add(&number);
    }
    const struct {
        const char* parameter;
        const char* result;
    } rows[] = {{"xxx", "1Aa"}, {"XxX", "1Aa"}, {"1x2x", "112x"}, {"ab", "ab"}, {"x", "1"}, {"", ""}};
    for (const auto& row : rows)
        EXPECT_EQ(CMC_Sequence_Runner::parameterFromArray(CXString(row.parameter), values), row.result) << row.parameter;
}

// The tree is built once and "ONINIT" raised once, whether a method or the scene asks first;
// without a file there is no tree and every method gives its empty answer.
TEST_F(SequenceScene, TheTreeIsBuiltOnceAndAbsentWithoutAFile)
{
    loggers({"INIT"});
    // The record: the object's own (the name, one binding of ONINIT to INIT) and the file name.
    const std::string bytes = text("SEQ") + i32(1) + text("ONINIT") + text("INIT") + i32(0) + text("show.seq");
    auto* read = readRecord<CMC_Sequence>(bytes);
    EXPECT_EQ(read->heldSequence(), nullptr);
    EXPECT_EQ(ask("SEQ^ISPLAYING()"), "FALSE");
    EXPECT_NE(read->heldSequence(), nullptr);
    read->init();
    EXPECT_EQ(takeLog(), std::vector<std::string>{"INIT"});
    EXPECT_EQ(record(read), bytes);

    define("OBJECT=NONE\nNONE:TYPE=SEQUENCE\nNONE:ONINIT=INIT\n");
    run("NONE^PLAY(\"GO\");NONE^STOP();NONE^SETVOLUME(100);NONE^PLAY();");
    for (const char* call : {"NONE^ISPLAYING()", "NONE^GETPLAYING()", "NONE^GETEVENTNAME()", "NONE^GETEVENTNAME(\"X\")"})
        EXPECT_EQ(ask(call), std::string(call).find("ISPLAYING") != std::string::npos ? "FALSE" : "") << call;
    EXPECT_EQ(takeLog(), std::vector<std::string>{"INIT"});
    EXPECT_EQ(object<CMC_Sequence>("NONE")->getSequence(), nullptr);
}
