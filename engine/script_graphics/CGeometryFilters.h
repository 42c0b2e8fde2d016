#pragma once

#include "script_graphics/CStaticFilter.h"

// ANGLE, in degrees; 0 until set.
class CRotateFilterOptions : public CStaticFilterOptions {
public:
    CRotateFilterOptions();

    void readOptions(const CXString& name, const CXString& value) override;

    double getAngle() const { return angle_; }

private:
    double angle_ = 0.0;
};

// ROTATE: the raster turned by ANGLE about its centre (w div 2, h div 2) into planes sized to
// the turned box; a pixel whose source lies outside, or is transparent, becomes transparent
// black. The raster moves so that its centre stays. The factor from degrees is
// -0.017453233333333335 (-3.141582 / 180), as the pictures made for this system expect.
class CRotateFilter : public CStaticFilter {
public:
    explicit CRotateFilter(ScriptGraphicsWindow* owner);

    void apply(CGraphicsObject* raster, bool release) override;
    bool changesColour() const override { return true; }
    bool changesAlpha() const override { return true; }
    bool changesGeometry() const override { return true; }
};

// FACTORX and FACTORY (values of 0 or less are ignored) and BYCENTER.
class CScaleFilterOptions : public CStaticFilterOptions {
public:
    CScaleFilterOptions();

    void readOptions(const CXString& name, const CXString& value) override;

    double getFactorX() const { return factorX_; }
    double getFactorY() const { return factorY_; }
    bool isByCenter() const { return byCenter_; }

private:
    double factorX_ = 1.0;
    double factorY_ = 1.0;
    bool byCenter_ = false;
};

// SCALE: the raster's own nearest-pixel scaling (a raster without alpha stays without); with
// BYCENTER it moves so that its centre stays.
class CScaleFilter : public CStaticFilter {
public:
    explicit CScaleFilter(ScriptGraphicsWindow* owner);

    void apply(CGraphicsObject* raster, bool release) override;
    bool changesColour() const override { return true; }
    bool changesAlpha() const override { return true; }
    bool changesGeometry() const override { return true; }
};
