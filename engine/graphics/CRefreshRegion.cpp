#include "graphics/CRefreshRegion.h"

#include "foundation/CXRect.h"

#include <memory>

const CXRect CRefreshRegion::kWholeScreen(0, 0, 800, 600);

CRefreshRegion::CRefreshRegion(bool wholeScreen)
    : CXArray(101, 0.75f)
    , wholeScreen_(wholeScreen)
{
    CXArray::add(static_cast<void*>(nullptr));
}

CRefreshRegion::~CRefreshRegion()
{
    removeAll();
}

void CRefreshRegion::removeAll()
{
    for (int i = 0; i < getCount(); ++i)
        delete rectAt(i);
    wholeScreen_ = false;
    CXArray::removeAll();
}

void CRefreshRegion::makeWholeScreen()
{
    removeAll();
    wholeScreen_ = true;
    CXArray::add(static_cast<void*>(nullptr));
}

void CRefreshRegion::add(const CXRect* rect)
{
    if (wholeScreen_)
        return;
    if (rect == nullptr || *rect == kWholeScreen) {
        makeWholeScreen();
        return;
    }
    for (int i = 0; i < getCount(); ++i) {
        CXRect* stored = rectAt(i);
        if (stored == nullptr)
            continue;
        const CXRect common = stored->Common(*rect);
        if (common.Width() == 0 || common.Height() == 0)
            continue;
        if (rect->IsPartOf(*stored))
            return;
        if (stored->IsPartOf(*rect)) {
            removeAt(i);
            delete stored;
            add(rect);
            return;
        }
        const std::unique_ptr<CXArray> parts(rect->sub(*stored));
        for (int k = 0; k < parts->getCount(); ++k)
            add(static_cast<CXRect*>(parts->at(k)));
        for (int k = 0; k < parts->getCount(); ++k)
            delete static_cast<CXRect*>(parts->at(k));
        return;
    }
    CXArray::add(new CXRect(*rect));
}
