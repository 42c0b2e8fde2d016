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
    addFrom(rect, 0);
}

// A rectangle inside an entry adds nothing; an entry inside the rectangle gives way to it; any
// other overlap adds the parts of the rectangle beside the entry. The parts miss every entry
// up to this one, as the whole rectangle did, so their search goes on from there.
void CRefreshRegion::addFrom(const CXRect* rect, int from)
{
    for (int i = from; i < getCount();) {
        CXRect* stored = rectAt(i);
        // Most entries lie beside the new rectangle: they are passed over without a cut.
        if (stored == nullptr || stored->right <= rect->left || rect->right <= stored->left
            || stored->bottom <= rect->top || rect->bottom <= stored->top) {
            ++i;
            continue;
        }
        if (rect->IsPartOf(*stored))
            return;
        if (stored->IsPartOf(*rect)) {
            removeAt(i);
            delete stored;
            continue;
        }
        const std::unique_ptr<CXArray> parts(rect->sub(*stored));
        for (int k = 0; k < parts->getCount(); ++k)
            addFrom(static_cast<CXRect*>(parts->at(k)), i + 1);
        for (int k = 0; k < parts->getCount(); ++k)
            delete static_cast<CXRect*>(parts->at(k));
        return;
    }
    CXArray::add(new CXRect(*rect));
}
