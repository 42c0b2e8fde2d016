#pragma once

class CGraphicsObject;
class CXRect;

// Told when a watched raster marks an area dirty and when it is destroyed.
class CInvalidateObserver {
public:
    CInvalidateObserver() = default;
    CInvalidateObserver(const CInvalidateObserver&) = default;
    CInvalidateObserver& operator=(const CInvalidateObserver&) { return *this; }
    virtual ~CInvalidateObserver() = default;

    virtual void onInvalidate(CGraphicsObject* object, CXRect* rect) = 0;
    virtual void onDestroy(CGraphicsObject* object) = 0;
};
