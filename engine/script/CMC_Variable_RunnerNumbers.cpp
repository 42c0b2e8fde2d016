// The number methods of the value runner: INTEGER bit operations, DOUBLE functions in degrees,
// rounding and random numbers.
#include "script/CMC_Variable_Runner.h"

#include "foundation/CXRandom.h"
#include "foundation/DoubleToInt.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_VariableFactory.h"

#include <cmath>
#include <ctime>

namespace {

// Stores the new value as INTEGER's setter does (no change reported) and gives it.
CMC_Object* store(CMC_Integer* value, int32_t number)
{
    value->setValue(number);
    return CMC_VariableFactory::allocInteger(number);
}

CMC_Object* store(CMC_Double* value, double number)
{
    value->setValue(number);
    return CMC_VariableFactory::allocDouble(number);
}

int32_t wrapping(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

} // namespace

bool CMC_Variable_Runner::integerAt(CXVector* args, int i, int32_t* out)
{
    CMC_Integer* number = getParameterInteger(args, i);
    if (number != nullptr)
        *out = number->getValue();
    return number != nullptr;
}

bool CMC_Variable_Runner::doubleAt(CXVector* args, int i, double* out)
{
    CMC_Double* number = getParameterDouble(args, i);
    if (number != nullptr)
        *out = number->getValue();
    return number != nullptr;
}

CMC_Object* CMC_Variable_Runner::notServed(int id, CMC_Variable* variable)
{
    if (id == MTH_GET)
        return variable;
    return id == MTH_ISUPPERLETTER ? CMC_VariableFactory::allocBool(false) : nullptr;
}

CMC_Object* CMC_Variable_Runner::integerMethod(int id, CMC_Integer* value, CXVector* args)
{
    const int32_t own = value->getValue();
    int32_t x = 0;
    int32_t y = 0;
    switch (id) {
    case MTH_ABS:
        return integerAt(args, 0, &x) ? store(value, x < 0 ? wrapping(-int64_t{x}) : x) : nullptr;
    case MTH_AND:
        return integerAt(args, 0, &x) ? store(value, own & x) : nullptr;
    case MTH_OR:
        return integerAt(args, 0, &x) ? store(value, own | x) : nullptr;
    case MTH_XOR:
        return integerAt(args, 0, &x) ? store(value, own ^ x) : nullptr;
    case MTH_NOT:
        return store(value, ~own);
    case MTH_POWER:
        return integerAt(args, 0, &x) ? store(value, truncateToInt(std::pow(double(own), double(x)))) : nullptr;
    case MTH_CLAMP:
        if (!integerAt(args, 0, &x) || !integerAt(args, 1, &y))
            return nullptr;
        return store(value, own < x ? x : (own > y ? y : own));
    default:
        return notServed(id, value);
    }
}

CMC_Object* CMC_Variable_Runner::doubleMethod(int id, CMC_Double* value, CXVector* args)
{
    const double own = value->getValue();
    double x = 0.0;
    double y = 0.0;
    switch (id) {
    case MTH_SQRT:
        return store(value, std::sqrt(own));
    case MTH_CLAMP:
        if (!doubleAt(args, 0, &x) || !doubleAt(args, 1, &y))
            return nullptr;
        return store(value, own < x ? x : (own > y ? y : own));
    case MTH_LENGTH: {
        if (!doubleAt(args, 0, &x) || !doubleAt(args, 1, &y))
            return nullptr;
        // The square of y passes through single precision before the sum.
        const double ySquared = static_cast<float>(y * y);
        return store(value, std::sqrt(x * x + ySquared));
    }
    case MTH_ARCTAN:
        return doubleAt(args, 0, &x) ? store(value, std::atan(x) * kDegreesPerRadian) : nullptr;
    case MTH_MINA:
    case MTH_MAXA:
        return extreme(id, value, args);
    case MTH_ARCTANEX:
        return arcTanEx(value, args);
    case MTH_SINUS:
        return doubleAt(args, 0, &x) ? store(value, std::sin(x * double{kRadiansPerDegree})) : nullptr;
    case MTH_COSINUS:
        return doubleAt(args, 0, &x) ? store(value, std::cos(x * double{kRadiansPerDegree})) : nullptr;
    case MTH_ROUND: {
        // Up when the hundredths are 50 or more (toward zero below zero: -2.7 gives -2).
        const int32_t whole = truncateToInt(own);
        const bool up = truncateToInt(own * 100.0) % 100 >= 50;
        return CMC_VariableFactory::allocInteger(up ? wrapping(int64_t{whole} + 1) : whole);
    }
    case MTH_SGN: {
        const int32_t whole = truncateToInt(own);
        return CMC_VariableFactory::allocInteger(whole > 0 ? 1 : (whole < 0 ? -1 : 0));
    }
    default:
        return notServed(id, value);
    }
}

CMC_Object* CMC_Variable_Runner::extreme(int id, CMC_Double* value, CXVector* args)
{
    double best = 0.0;
    bool any = false;
    for (int i = 0; i < argumentCount(args); ++i) {
        double x = 0.0;
        if (!doubleAt(args, i, &x))
            continue;
        if (!any || (id == MTH_MINA ? x < best : x > best))
            best = x;
        any = true;
    }
    return any ? store(value, best) : nullptr;
}

// The angle of the point (x, y) from 0 to 360; with an offset, moved by it and cut to whole
// degrees below 360.
CMC_Object* CMC_Variable_Runner::arcTanEx(CMC_Double* value, CXVector* args)
{
    double y = 0.0;
    double x = 0.0;
    if (!doubleAt(args, 0, &y) || !doubleAt(args, 1, &x))
        return nullptr;
    double angle = std::atan2(y, x) * kDegreesPerRadian;
    if (angle < 0.0)
        angle += 360.0;
    double offset = 0.0;
    if (argumentCount(args) == 3 && doubleAt(args, 2, &offset))
        angle = truncateToInt(angle + offset) % 360;
    return store(value, angle);
}

// The generator starts again from the time in seconds at every call, as scripts have always
// had it.
CMC_Object* CMC_Variable_Runner::random(CMC_Variable* variable, CXVector* args)
{
    CXRandom::seed(static_cast<uint32_t>(std::time(nullptr)));
    int32_t first = 0;
    int32_t range = 0;
    int32_t drawn = 0;
    if (argumentCount(args) >= 2 && integerAt(args, 0, &first) && integerAt(args, 1, &range))
        drawn = CXRandom::random(first, range);
    else if (argumentCount(args) == 1 && integerAt(args, 0, &first))
        drawn = CXRandom::random(first);
    if (variable->getType() == CMC_Object::TYPE_INTEGER)
        static_cast<CMC_Integer*>(variable)->setValue(drawn);
    return CMC_VariableFactory::allocInteger(drawn);
}
