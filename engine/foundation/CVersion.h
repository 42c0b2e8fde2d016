#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <cstdint>

// A three-part version number made from a dotted text such as "2.10.7".
class CVersion : public CXObject {
public:
    // The first three dot-separated parts, each by its leading digits; missing parts are 0.
    explicit CVersion(const CXString& text);

    int getMajor() const { return major_; }
    int getMinor() const { return minor_; }
    int getBuild() const { return build_; }

    // "major.minor.bBuild", such as "1.2.b3"; read back, its build is lost (the "b").
    CXString toString() override;
    using CXObject::compare;
    // 1 when this version is newer, -1 when older, 0 when equal.
    int compare(CVersion* other);

private:
    int32_t major_ = 0;
    int32_t minor_ = 0;
    int32_t build_ = 0;
};
