#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "graphics/CCollisionInspector.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/CRefreshScreen.h"

#include "RasterMaker.h"

#include <gtest/gtest.h>

namespace {

// A composer that keeps the rectangles it is asked to redraw.
class RecordingScreen : public CRefreshScreen {
public:
    RecordingScreen()
        : CRefreshScreen(nullptr)
    {
    }
    void Invalidate(CXRect* r) override { rects.push_back(*r); }
    std::vector<CXRect> rects;
};

class RecordingObserver : public CInvalidateObserver {
public:
    void onInvalidate(CGraphicsObject*, CXRect* r) override { rects.push_back(*r); }
    void onDestroy(CGraphicsObject* object) override { destroyed.push_back(object); }
    std::vector<CXRect> rects;
    std::vector<CGraphicsObject*> destroyed;
};

} // namespace

TEST(CGraphicsObject, PositionIsTheArgumentLessTheAnchor)
{
    CGraphicsObject raster(nullptr, CXSize(20, 10), 16);
    raster.setAnchor(10, 5);
    raster.SetPosition(100, 50);
    EXPECT_EQ(raster.GetPosition(), CXPoint(90, 45));
    raster.setPosition(CXPoint(10, 5));
    EXPECT_EQ(raster.getPosition(), CXPoint(0, 0));
    raster.Move(3, -2);
    EXPECT_EQ(raster.getRect(), CXRect(3, -2, 23, 8));
    EXPECT_EQ(raster.getCenterPoint(), CXPoint(10, 5));
    EXPECT_EQ(raster.ClientCoords(CXPoint(5, 5)), CXPoint(2, 7));
    raster.FitRect(CXRect(0, 0, 100, 50));
    EXPECT_EQ(raster.getPosition(), CXPoint(30, 15));
}

TEST(CGraphicsObject, AddOpacityStaysWithinAByte)
{
    struct Case {
        int start;
        short d;
        int expected;
    };
    for (const Case& c : {Case{255, -300, 0}, Case{100, 300, 255}, Case{100, -50, 50}, Case{0, 255, 255}}) {
        CGraphicsObject raster(nullptr);
        raster.SetOpacity(static_cast<unsigned char>(c.start));
        raster.AddOpacity(c.d);
        EXPECT_EQ(raster.GetOpacity(), c.expected) << c.start << " " << c.d;
    }
}

TEST(CGraphicsObject, HitTestsReadTheAlphaPlane)
{
    auto withAlpha = makeRaster(2, 2, 16, {}, {0, 255, 1, 0});
    withAlpha->SetPosition(10, 20);
    auto opaque = makeRaster(2, 2, 16, {});
    opaque->SetPosition(10, 20);
    struct Case {
        CXPoint p;
        bool alphaHit, opaqueHit;
    };
    for (const Case& c : {Case{{10, 20}, false, true}, Case{{11, 20}, true, true}, Case{{10, 21}, true, true},
                          Case{{12, 20}, false, false}, Case{{9, 21}, false, false}}) {
        EXPECT_EQ(withAlpha->testHit(c.p), c.alphaHit) << c.p.x << "," << c.p.y;
        EXPECT_EQ(opaque->testHit(c.p), c.opaqueHit) << c.p.x << "," << c.p.y;
    }
    EXPECT_TRUE(withAlpha->isAt(CXPoint(10, 20), false));
    EXPECT_EQ(withAlpha->GetPixel(CHANNEL_ALPHA, CXPoint(-1, 1)), 0);
    EXPECT_EQ(withAlpha->GetPixel(CHANNEL_ALPHA, CXPoint(2, 0)), 0);
    EXPECT_EQ(withAlpha->GetPixel(CHANNEL_RED, CXPoint(1, 0)), 0);
}

TEST(CGraphicsObject, NearnessIsTheShareOfTheBoxInside)
{
    CGraphicsObject raster(nullptr, CXSize(10, 10), 16);
    struct Case {
        CXRect r;
        int percent;
        bool near;
    };
    for (const Case& c : {Case{{0, 0, 5, 10}, 50, true}, Case{{0, 0, 5, 10}, 51, false}, Case{{-5, -5, 20, 20}, 100, true},
                          Case{{10, 0, 20, 10}, 1, false}, Case{{20, 20, 30, 30}, 0, true}})
        EXPECT_EQ(raster.isNear(c.r, c.percent), c.near) << c.r.left << "," << c.r.right << " " << c.percent;
    CGraphicsObject empty(nullptr);
    EXPECT_FALSE(empty.isNear(CXRect(0, 0, 10, 10), 0));

    CGraphicsObject other(nullptr, CXSize(10, 4), 16);
    other.SetPosition(0, 8);
    EXPECT_TRUE(other.isNear(&raster, 50));
}

TEST(CGraphicsObject, BoxesFollowTheClipAndTheDestination)
{
    CGraphicsObject screen(nullptr, CXSize(100, 50), 16);
    CGraphicsObject raster(nullptr, CXSize(30, 30), 16);
    raster.SetDestiny(&screen);
    raster.SetPosition(-10, 40);
    EXPECT_EQ(raster.GetAbsoluteBoundingBox(), CXRect(-10, 40, 20, 70));
    EXPECT_EQ(raster.GetBoundingBox(), CXRect(0, 40, 20, 50));
    raster.SetClippingRect(5, 0, 30, 5);
    EXPECT_EQ(raster.GetAbsoluteBoundingBox(), CXRect(-5, 40, 20, 45));
}

TEST(CGraphicsObject, FlipsReverseRowsOrColumnsOfEveryDepth)
{
    auto raster = makeRaster(3, 2, 16, {1, 2, 3, 4, 5, 6}, {10, 20, 30, 40, 50, 60});
    raster->FlipH();
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>{4, 5, 6, 1, 2, 3}));
    EXPECT_EQ(alphaOf(*raster), (std::vector<uint8_t>{40, 50, 60, 10, 20, 30}));
    raster->FlipV();
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>{6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(alphaOf(*raster), (std::vector<uint8_t>{60, 50, 40, 30, 20, 10}));
    raster->resetFlips();
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(raster->isFlippedH() || raster->isFlippedV());

    CGraphicsObject truecolour(nullptr, CXSize(2, 1), 24);
    std::memcpy(truecolour.GetDataPtr(), "abcdef", 6);
    truecolour.FlipV();
    EXPECT_EQ(std::string(truecolour.GetDataPtr(), 6), "defabc");
}

TEST(CGraphicsObject, ClonesShareThePlanesAndOutliveTheSource)
{
    auto source = makeRaster(2, 1, 16, {7, 8}, {255, 0});
    source->SetPosition(4, 5);
    source->SetOpacity(99);
    std::unique_ptr<CGraphicsObject> copy(source->clone());
    EXPECT_EQ(copy->GetDataPtr(), source->GetDataPtr());
    EXPECT_EQ(copy->GetAlphaPtr(), source->GetAlphaPtr());
    EXPECT_EQ(copy->GetPosition(), CXPoint(4, 5));
    EXPECT_EQ(copy->GetOpacity(), 99);
    EXPECT_FALSE(copy->ownsPlanes());

    copy->Flush();
    EXPECT_EQ(wordsOf(*source), (std::vector<uint16_t>{7, 8}));
    std::unique_ptr<CGraphicsObject> second(source->clone());
    source.reset();
    EXPECT_EQ(wordsOf(*second), (std::vector<uint16_t>{7, 8}));
    EXPECT_EQ(alphaOf(*second), (std::vector<uint8_t>{255, 0}));
}

TEST(CGraphicsObject, InvalidationReachesTheComposerAndTheObservers)
{
    RecordingScreen screen;
    RecordingObserver observer;
    {
        CGraphicsObject raster(nullptr, CXSize(10, 10), 16);
        raster.SetPosition(5, 5);
        screen.put(&raster, 3);
        EXPECT_EQ(raster.GetCanvas(), &screen);
        screen.rects.clear();
        raster.addInvalidateObserver(&observer);
        raster.addInvalidateObserver(&observer);

        raster.Invalidate();
        EXPECT_TRUE(raster.isInvalidated());
        EXPECT_FALSE(raster.isInvalidated());
        CXRect part(0, 0, 8, 8);
        raster.Invalidate(&part);
        CXRect outside(0, 0, 5, 5);
        raster.Invalidate(&outside);
        raster.Move(2, 0);
        EXPECT_EQ(screen.rects, (std::vector<CXRect>{{5, 5, 15, 15}, {5, 5, 8, 8}, {5, 5, 17, 15}}));
        EXPECT_EQ(observer.rects, (std::vector<CXRect>{{5, 5, 15, 15}, {5, 5, 8, 8}}));
        EXPECT_EQ(screen.getIndex(&raster), 0);
    }
    EXPECT_EQ(observer.destroyed.size(), 1u);
    EXPECT_EQ(screen.getIndex(static_cast<CGraphicsObject*>(observer.destroyed[0])), -1);
}

TEST(CGraphicsObject, ChildrenAreDrawnOverASnapshot)
{
    auto parent = makeFilled(3, 1, 16, 0x1111);
    auto child = makeRaster(1, 1, 16, {0x2222});
    parent->addObject(child.get(), 0);
    child->SetPosition(1, 0);
    parent->Redraw();
    EXPECT_EQ(wordsOf(*parent), (std::vector<uint16_t>{0x1111, 0x2222, 0x1111}));
    child->SetPosition(2, 0);
    parent->Redraw();
    EXPECT_EQ(wordsOf(*parent), (std::vector<uint16_t>{0x1111, 0x1111, 0x2222}));

    child.reset();
    parent->Redraw();
    EXPECT_EQ(wordsOf(*parent), (std::vector<uint16_t>{0x1111, 0x1111, 0x2222}));

    // A child taken off no longer reports to the parent, which may then go first.
    auto other = makeRaster(1, 1, 16, {0x3333});
    parent->addObject(other.get(), 0);
    parent->removeObject(other.get());
    parent.reset();
    other->Invalidate();
}

TEST(CGraphicsObject, PixelsOutsideTheRasterAreNeitherReadNorWritten)
{
    auto raster = makeFilled(2, 2, 16, 0);
    CColor white(255, 255, 255);
    raster->SetPixel(-1, 0, white);
    raster->SetPixel(2, 1, white);
    raster->SetPixel(1, 1, white);
    raster->Fill(CXRect(-5, 1, 1, 9), &white);
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>{0, 0, 0xFFFF, 0xFFFF}));
    EXPECT_EQ(raster->GetPixel(1, 1).Convert(CM_16BIT), static_cast<int16_t>(0xFFFF));
    EXPECT_EQ(raster->GetPixel(2, 0).getModel(), CM_24BIT);
    EXPECT_EQ(raster->GetPixel(2, 0).getValue(), 0);
    raster->Fill(&white);
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>(4, 0xFFFF)));
}

TEST(CGraphicsObject, MonitoredRastersReportTheirMovesToTheInspector)
{
    const CXString savedRoot = CWindow::rootPath;
    const CXString savedExe = CWindow::exePath;
    CLanguageOSVer language;
    {
        CWindow window(&language, "/opt/kestrum/");
        CCollisionInspector* inspector = window.getCollisionInspectorInterface();
        CGraphicsObject watched(&window, CXSize(4, 4), 16);
        CGraphicsObject other(&window, CXSize(4, 4), 16);
        inspector->addMonitoredObject(&watched, true);
        inspector->addMonitoredObject(&other, false);
        inspector->addMonitoredObject(&watched, false);
        watched.setMonitorCollisions(true);

        other.SetPosition(1, 1);
        EXPECT_EQ(inspector->getMovedCount(), 0);
        watched.SetPosition(1, 1);
        watched.Move(1, 0);
        EXPECT_EQ(inspector->getMovedCount(), 1);
        EXPECT_TRUE(inspector->find(&watched)->isMoved());
        EXPECT_TRUE(inspector->find(&watched)->hasAlphaTest());
    }
    CWindow::rootPath = savedRoot;
    CWindow::exePath = savedExe;
}
