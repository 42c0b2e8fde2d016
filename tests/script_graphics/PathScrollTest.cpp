#include "script_graphics/CMC_Path.h"
#include "script_graphics/CMC_Scroll.h"

#include "FilterScene.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const char kNodes[] = "OBJECT=V1\nV1:TYPE=VECTOR\nV1:SIZE=2\nV1:VALUE=3,0\n"
                      "OBJECT=V2\nV2:TYPE=VECTOR\nV2:SIZE=2\nV2:VALUE=0,2\n"
                      "OBJECT=V3\nV3:TYPE=VECTOR\nV3:SIZE=2\nV3:VALUE=1,1\n";

using PathObject = FilterScene;

// The answers after the calls before them, in order.
TEST_F(PathObject, MethodsListTheNodesAndTheDensity)
{
    define(std::string(kNodes) + "OBJECT=WAY\nWAY:TYPE=PATH\nWAY:NODES=V1,NOWHERE,V2,V3\n"
           + "OBJECT=EMPTY\nEMPTY:TYPE=PATH\n");
    struct Row {
        const char* code;
        const char* call;
        const char* answer;
    };
    const Row rows[] = {
        {"", "WAY^GETSIZE()", "3"},
        {"", "WAY^GETNODE(0)", "V1"},
        {"", "WAY^GETNODE(2)", "V3"},
        {"", "WAY^GETNODE(3)", ""},
        {"", "WAY^GETNODE(-1)", ""},
        {"", "WAY^GETPROPERTY(\"DENSITY\")", "1.00000"},
        {"WAY^SETPROPERTY(\"DENSITY\",2.5);", "WAY^GETPROPERTY(\"DENSITY\")", "2.50000"},
        {"WAY^SETPROPERTY(\"density\",9);", "WAY^GETPROPERTY(\"DENSITY\")", "2.50000"},
        {"", "WAY^GETPROPERTY(\"SPEED\")", ""},
        {"WAY^ADD(\"V1\");WAY^ADD(\"NOBODY\");", "WAY^GETSIZE()", "4"},
        {"", "WAY^GETNODE(3)", "V1"},
        {"", "WAY^GETNAME()", "WAY"},
        {"", "EMPTY^GETSIZE()", "0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.code) + " " + row.call);
        run(row.code);
        EXPECT_EQ(ask(row.call), row.answer);
    }
    EXPECT_EQ(object<CMC_Path>("WAY")->toString(), "[V1][V2][V3][V1]");
    EXPECT_EQ(object<CMC_Path>("EMPTY")->toString(), "");
    // A node that is destroyed leaves the path.
    destroy("V1");
    EXPECT_EQ(object<CMC_Path>("WAY")->toString(), "[V2][V3]");
}

// The record holds the count and the names; read back they are looked up in the scene (an
// unknown one skipped), and DENSITY is 1.0 again.
TEST_F(PathObject, RecordsHoldTheNodeNames)
{
    define(std::string(kNodes) + "OBJECT=WAY\nWAY:TYPE=PATH\nWAY:NODES=V1,V2\n");
    run("WAY^SETPROPERTY(\"DENSITY\",2);");
    EXPECT_EQ(record(object<CMC_Path>("WAY")),
              std::string("\x03\0\0\0WAY\0\0\0\0\x02\0\0\0\x02\0\0\0V1\x02\0\0\0V2", 27));
    auto* read = readRecord<CMC_Path>(
        std::string("\x03\0\0\0WAY\0\0\0\0\x03\0\0\0\x02\0\0\0V3\x02\0\0\0V9\x02\0\0\0V1", 33));
    EXPECT_EQ(read->toString(), "[V3][V1]");
    EXPECT_EQ(read->getDensity(), 1.0);
    // A count the record cannot hold fails the read.
    const std::string tooMany("\x01\0\0\0P\0\0\0\0\xFF\xFF\xFF\x7F", 13);
    CFile_Stream file(tooMany.data(), 13);
    CXArchive archive(&file, false);
    CMC_Path damaged(scene.get());
    damaged.serialize(&archive);
    EXPECT_TRUE(archive.failed());
    EXPECT_EQ(damaged.getSize(), 0);
}

class ScrollObject : public FilterScene {
protected:
    struct Seen {
        CXPoint position;
        CXRect clip;
        bool visible;
        bool operator==(const Seen&) const = default;
    };
    Seen seen(const char* name)
    {
        CImage* shown = picture(name);
        return {shown->GetPosition(), shown->GetClippingRect(), shown->CGraphicsObject::isVisible()};
    }
    // An IMAGE of a picture of its own: pictures of one file are shared.
    std::string ownImage(const char* name)
    {
        const std::string file = std::string(name) + ".img";
        std::filesystem::copy_file(headless.folder().file("grad.img"), headless.folder().file(file));
        return image(name, file.c_str());
    }
};

// The viewport (100, 100, 200, 200) over four 8 × 6 pictures: one inside, one across the right
// edge, one far off and one touching the edge, which counts as outside.
TEST_F(ScrollObject, ObjectsMoveTogetherClippedToTheViewport)
{
    define(ownImage("A") + ownImage("B") + ownImage("C") + ownImage("D")
           + "OBJECT=SC\nSC:TYPE=SCROLL\nSC:VIEWPORT=100,100,200,200\n");
    run("A^SETPOSITION(150,150);B^SETPOSITION(196,150);C^SETPOSITION(300,300);D^SETPOSITION(200,150);");
    run("SC^ADD(\"A\");SC^ADD(\"B\");SC^ADD(\"C\");SC^ADD(\"D\");SC^ADD(\"NOBODY\");");
    EXPECT_FALSE(seen("C").visible);
    struct Step {
        const char* code;
        Seen a;
        Seen b;
        Seen d;
    };
    const Step steps[] = {
        {"", {{150, 150}, {0, 0, 8, 6}, true}, {{196, 150}, {0, 0, 4, 6}, true}, {{200, 150}, {}, false}},
        {"SC^SCROLLLEFT(2);", {{148, 150}, {0, 0, 8, 6}, true}, {{194, 150}, {0, 0, 6, 6}, true},
         {{198, 150}, {0, 0, 2, 6}, true}},
        // Up by -10 is down by 10.
        {"SC^SCROLLUP(-10);", {{148, 160}, {0, 0, 8, 6}, true}, {{194, 160}, {0, 0, 6, 6}, true},
         {{198, 160}, {0, 0, 2, 6}, true}},
        {"SC^SCROLLDOWN(36);", {{148, 196}, {0, 0, 8, 4}, true}, {{194, 196}, {0, 0, 6, 4}, true},
         {{198, 196}, {0, 0, 2, 4}, true}},
        // Hidden objects keep no clipping.
        {"SC^SCROLLDOWN(4);", {{148, 200}, {}, false}, {{194, 200}, {}, false}, {{198, 200}, {}, false}},
        {"SC^SCROLLUP(4);SC^SCROLLRIGHT(2);", {{150, 196}, {0, 0, 8, 4}, true}, {{196, 196}, {0, 0, 4, 4}, true},
         {{200, 196}, {}, false}},
        // A wider viewport keeps the old cut until the next scroll.
        {"SC^SETVIEWPORT(0,0,800,600);", {{150, 196}, {0, 0, 8, 4}, true}, {{196, 196}, {0, 0, 4, 4}, true},
         {{200, 196}, {0, 0, 8, 6}, true}},
        {"SC^MOVEVIEWPORT(10,10);SC^SCROLLUP(0);", {{150, 196}, {0, 0, 8, 6}, true}, {{196, 196}, {0, 0, 8, 6}, true},
         {{200, 196}, {0, 0, 8, 6}, true}},
        // REMOVE leaves B where it is, unclipped; it no longer moves.
        {"SC^REMOVE(\"B\");SC^SCROLLLEFT(1);", {{149, 196}, {0, 0, 8, 6}, true}, {{196, 196}, {}, true},
         {{199, 196}, {0, 0, 8, 6}, true}},
        // A listed twice moves twice as far.
        {"SC^ADD(\"A\");SC^SCROLLLEFT(1);", {{147, 196}, {0, 0, 8, 6}, true}, {{196, 196}, {}, true},
         {{198, 196}, {0, 0, 8, 6}, true}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.code);
        run(step.code);
        EXPECT_EQ(seen("A"), step.a);
        EXPECT_EQ(seen("B"), step.b);
        EXPECT_EQ(seen("D"), step.d);
    }
}

// Without VIEWPORT the viewport is empty: everything added is hidden. A destroyed object leaves
// the list.
TEST_F(ScrollObject, AnEmptyViewportHidesAndDestroyedObjectsLeave)
{
    define(ownImage("A") + ownImage("O") + "OBJECT=SC\nSC:TYPE=SCROLL\n");
    run("SC^ADD(\"A\");SC^ADD(\"O\");");
    EXPECT_FALSE(seen("A").visible);
    EXPECT_EQ(object<CMC_Scroll>("SC")->getViewport(), CXRect(0, 0, 0, 0));
    destroy("O");
    run("SC^SCROLLUP(5);");
    EXPECT_EQ(object<CMC_Scroll>("SC")->getCount(), 1);
    EXPECT_EQ(seen("A").position, CXPoint(0, -5));
    EXPECT_EQ(ask("SC^GETNAME()"), "SC");
}

// The record is the object's followed by the viewport; read back, the list is empty.
TEST_F(ScrollObject, RecordsHoldTheViewport)
{
    define(image("A", "grad.img") + "OBJECT=SC\nSC:TYPE=SCROLL\nSC:VIEWPORT=1,2,300,-4\n");
    run("SC^ADD(\"A\");");
    const std::string bytes = record(object<CMC_Scroll>("SC"));
    EXPECT_EQ(bytes, std::string("\x02\0\0\0SC\0\0\0\0\x01\0\0\0\x02\0\0\0\x2C\x01\0\0\xFC\xFF\xFF\xFF", 26));
    auto* read = readRecord<CMC_Scroll>(bytes);
    EXPECT_EQ(read->getViewport(), CXRect(1, 2, 300, -4));
    EXPECT_EQ(read->getCount(), 0);
}

} // namespace
