#include "script_graphics/CMC_StaticFilter.h"

#include "graphics/CFrame.h"
#include "media/CResourcesManager.h"
#include "script_graphics/CMC_Animo.h"

#include "FilterScene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kHero[] = "OBJECT=HERO\nHERO:TYPE=ANIMO\nHERO:FILENAME=hero.ann\nHERO:TOCANVAS=TRUE\nHERO:VISIBLE=TRUE\n";

// One image of an animation as it reads: its packing and its pixels, read through the packing.
struct Image {
    _compression code;
    std::vector<uint16_t> words;
    bool operator==(const Image&) const = default;
};

class StaticFilterObject : public FilterScene {
protected:
    CAnimo6* hero() { return object<CMC_Animo>("HERO")->getAnimo(); }
    Image frameImage(int index)
    {
        CFrame* frame = hero()->GetFrame(index);
        Image read{frame->GetCompression(), {}};
        for (int y = 0; y < frame->Height(); ++y)
            for (int x = 0; x < frame->Width(); ++x)
                read.words.push_back(frame->GetPixelWord(CXPoint(x, y)));
        return read;
    }
    std::vector<Image> images()
    {
        std::vector<Image> all;
        for (int i = 0; i < hero()->GetNOF(); ++i)
            all.push_back(frameImage(i));
        return all;
    }
    // Grey in 5-6-5: red and blue alike, green twice as much.
    static bool isGrey(const Image& read)
    {
        for (uint16_t word : read.words)
            if ((word >> 11) != (word & 31) || (word >> 5 & 63) != 2 * (word & 31))
                return false;
        return true;
    }
};

// Only the frame on show is grey. The frame left is packed again when it was packed, or given
// back its own planes; UNLINK gives every frame back as it was.
TEST_F(StaticFilterObject, GrayScaleFollowsAPlayingAnimationAndIsUndone)
{
    define(std::string(kHero) + filter("G", "STATICFILTER", "GRAYSCALE"));
    hero()->GetFrame(1)->unpack();
    const std::vector<Image> before = images();
    ASSERT_EQ(before[0].code, COMPRESSION_RLE);
    ASSERT_EQ(before[1].code, COMPRESSION_NONE);
    run("HERO^PLAY(\"Walk\");G^SETPROPERTY(\"CANUNDO\",\"TRUE\");G^LINK(\"HERO\");");
    EXPECT_TRUE(isGrey(frameImage(0)));
    EXPECT_EQ(frameImage(1), before[1]);
    EXPECT_EQ(frameImage(2), before[2]);
    for (int shown : {1, 2}) {
        frame(100);
        ASSERT_EQ(hero()->Current(), shown);
        EXPECT_TRUE(isGrey(frameImage(shown)));
        EXPECT_EQ(frameImage(shown - 1), before[static_cast<size_t>(shown - 1)]);
    }
    run("G^UNLINK(\"HERO\");");
    EXPECT_EQ(images(), before);
}

// With CURRENTFRAME false every frame is treated at LINK, and UNLINK with CANUNDO packs them
// again. Without CANUNDO a frame that is left, or unlinked, keeps the effect unless it was packed.
TEST_F(StaticFilterObject, EveryFrameOrTheFramesOnShowWithoutUndo)
{
    define(std::string(kHero) + filter("G", "STATICFILTER", "GRAYSCALE") + filter("N", "STATICFILTER", "NEGATIVE"));
    const std::vector<Image> before = images();
    run("G^SETPROPERTY(\"CURRENTFRAME\",\"FALSE\");G^SETPROPERTY(\"CANUNDO\",\"TRUE\");G^LINK(\"HERO\");");
    for (const Image& read : images())
        EXPECT_TRUE(isGrey(read));
    run("G^UNLINK(\"HERO\");");
    EXPECT_EQ(images(), before);

    hero()->GetFrame(1)->unpack();
    run("HERO^PLAY(\"Walk\");N^LINK(\"HERO\");");
    frame(100);
    frame(100);
    EXPECT_EQ(frameImage(0), before[0]);
    EXPECT_NE(frameImage(1).words, before[1].words);
    EXPECT_NE(frameImage(2).words, before[2].words);
    run("N^UNLINK(\"HERO\");");
    EXPECT_EQ(frameImage(2), before[2]);
    EXPECT_NE(frameImage(1).words, before[1].words);
}

// A packed frame that leaves the frame on show is packed again at its own size, undo or not.
TEST_F(StaticFilterObject, ScaledFramesArePackedAgainAtTheirOwnSize)
{
    define(std::string(kHero) + filter("Z", "STATICFILTER", "SCALE"));
    const std::vector<Image> before = images();
    run("HERO^PLAY(\"Walk\");Z^SETPROPERTY(\"FACTORX\",\"2.0\");Z^LINK(\"HERO\");");
    EXPECT_EQ(hero()->GetFrame(0)->Width(), 16);
    frame(100);
    EXPECT_EQ(hero()->GetFrame(0)->Width(), 8);
    EXPECT_EQ(frameImage(0), before[0]);
    EXPECT_EQ(hero()->GetFrame(1)->Width(), 16);
}

// A picture SCALEd by 2.0 about its centre gets back its size, position and planes, whether it
// was held packed or not.
TEST_F(StaticFilterObject, ScaleWithUndoGivesBackSizePositionAndPlanes)
{
    define(image("S", "grad.img") + image("P", "stone.img") + filter("Z", "STATICFILTER", "SCALE"));
    run("Z^SETPROPERTY(\"FACTORX\",\"2.0\");Z^SETPROPERTY(\"FACTORY\",\"2.0\");Z^SETPROPERTY(\"BYCENTER\",\"TRUE\");"
        "Z^SETPROPERTY(\"CANUNDO\",\"TRUE\");S^SETPOSITION(10,20);P^SETPOSITION(10,20);");
    for (const char* name : {"S", "P"}) {
        SCOPED_TRACE(name);
        CImage* scaled = picture(name);
        const CXSize size = scaled->Size();
        const _compression code = scaled->GetCompression();
        const char* planes = scaled->GetDataPtr();
        run(std::string("Z^LINK(\"") + name + "\");");
        EXPECT_EQ(scaled->Width(), size.width * 2);
        EXPECT_EQ(scaled->Height(), size.height * 2);
        EXPECT_EQ(scaled->GetPosition(), CXPoint(10 - size.width / 2, 20 - size.height / 2));
        run(std::string("Z^UNLINK(\"") + name + "\");");
        EXPECT_EQ(scaled->Width(), size.width);
        EXPECT_EQ(scaled->Height(), size.height);
        EXPECT_EQ(scaled->GetPosition(), CXPoint(10, 20));
        EXPECT_EQ(scaled->GetCompression(), code);
        EXPECT_EQ(scaled->GetDataPtr(), planes);
    }
}

// NEGATIVE inverts at once; a second LINK and later options change nothing; without CANUNDO
// UNLINK leaves the effect, with it the picture comes back.
TEST_F(StaticFilterObject, NegativeAppliesOnceAndUndoesOnlyWithCanUndo)
{
    define(image("S", "grad.img") + filter("N", "STATICFILTER", "NEGATIVE") + filter("U", "STATICFILTER", "NEGATIVE"));
    const std::vector<uint16_t> before = words("S");
    run("N^LINK(\"S\");");
    const std::vector<uint16_t> negative = words("S");
    EXPECT_EQ(negative[1], static_cast<uint16_t>((before[1] ^ 0xFFDF) & 0xFFDF));
    EXPECT_EQ(negative[0], before[0]);
    run("N^LINK(\"S\");N^SETPROPERTY(\"CANUNDO\",\"TRUE\");");
    EXPECT_EQ(words("S"), negative);
    run("N^UNLINK(\"S\");");
    EXPECT_EQ(words("S"), negative);

    run("U^SETPROPERTY(\"CANUNDO\",\"TRUE\");U^LINK(\"S\");");
    EXPECT_NE(words("S"), negative);
    run("U^UNLINK(\"S\");");
    EXPECT_EQ(words("S"), negative);
}

// At the scene's end the filters give their rasters back before the pictures go.
TEST_F(StaticFilterObject, UnloadGivesBackBeforeTheOtherObjectsEnd)
{
    define(image("S", "grad.img") + filter("N", "STATICFILTER", "NEGATIVE"));
    const std::vector<uint16_t> before = words("S");
    CResourcesManager* resources = CMC_Scene::getDefUnit()->getResourcesManager();
    CFileResolver* kept = resources->get(CXString("grad.img"));
    ASSERT_EQ(kept, picture("S"));
    run("N^SETPROPERTY(\"CANUNDO\",\"TRUE\");N^LINK(\"S\");");
    scene->unload();
    EXPECT_EQ(wordsOf(*dynamic_cast<CImage*>(kept)), before);
    resources->remove(kept);
}

// A filter that ends without being finished leaves the animation it followed.
TEST_F(StaticFilterObject, AFilterDeletedUnfinishedLeavesItsAnimation)
{
    define(std::string(kHero) + filter("G", "STATICFILTER", "GRAYSCALE"));
    run("HERO^PLAY(\"Walk\");G^LINK(\"HERO\");");
    CMC_Object* filterObject = scene->getObject("G");
    scene->removeObject(filterObject);
    delete filterObject;
    frame(100);
    EXPECT_EQ(hero()->Current(), 1);
}

// Names no kind, or no graphics object: nothing happens. The common methods give nothing.
TEST_F(StaticFilterObject, UnknownActionsAndNamesDoNothing)
{
    define(image("S", "grad.img") + filter("L", "STATICFILTER", "grayscale") + filter("G", "STATICFILTER", "GRAYSCALE"));
    const std::vector<uint16_t> before = words("S");
    run("L^LINK(\"S\");G^LINK(\"NOBODY\");");
    EXPECT_EQ(words("S"), before);
    EXPECT_EQ(ask("G^GETNAME()"), "");
    EXPECT_EQ(object<CMC_StaticFilter>("G")->toString(), "Filter");
}

// The record is the object's followed by ACTION; every ACTION reads back with its kind.
TEST_F(StaticFilterObject, RecordsHoldTheAction)
{
    define(filter("G", "STATICFILTER", "GRAYSCALE"));
    EXPECT_EQ(record(object<CMC_StaticFilter>("G")), std::string("\x01\0\0\0G\0\0\0\0\x09\0\0\0GRAYSCALE", 22));
    for (const char* action : {"COLORCHANNEL", "GRAYSCALE", "BLUR", "ROTATE", "SCALE", "NEGATIVE", "RANDOMJITTER", "WAVES"}) {
        const std::string text(action);
        std::string bytes = std::string("\x01\0\0\0R\0\0\0\0", 9);
        bytes += static_cast<char>(text.size());
        bytes += std::string(3, '\0') + text;
        auto* read = readRecord<CMC_StaticFilter>(bytes);
        EXPECT_NE(read->getFilter(), nullptr) << action;
        EXPECT_EQ(read->getFilter()->getLinkCount(), 0);
    }
}

} // namespace
