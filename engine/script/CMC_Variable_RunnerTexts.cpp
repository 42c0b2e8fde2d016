// The text methods of the value runner. Positions are byte positions from 0,
// brought into the text when they lie outside it.
#include "script/CMC_Variable_Runner.h"

#include "script/CMC_Bool.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"

#include <algorithm>
#include <string>

namespace {

int clampedTo(const CXString& text, int64_t position)
{
    return static_cast<int>(std::clamp<int64_t>(position, 0, text.GetLength()));
}

} // namespace

bool CMC_Variable_Runner::textAt(CXVector* args, int i, CXString* out)
{
    CMC_String* text = getParameterString(args, i);
    if (text != nullptr)
        *out = text->getValue();
    return text != nullptr;
}

CMC_Object* CMC_Variable_Runner::textMethod(int id, CMC_String* text, CXVector* args)
{
    const CXString& own = text->getValue();
    switch (id) {
    case MTH_NOT: {
        std::string reversed(own.c_str(), static_cast<size_t>(own.GetLength()));
        std::reverse(reversed.begin(), reversed.end());
        text->assign(CXString(reversed.c_str()));
        return CMC_VariableFactory::allocString(text->getValue());
    }
    case MTH_LENGTH:
        return CMC_VariableFactory::allocInteger(own.GetLength());
    case MTH_GET:
        return get(text, args);
    case MTH_UPPER:
        text->upper();
        return nullptr;
    case MTH_FIND:
        return find(text, args);
    case MTH_CUT:
        return cutTo(text, args);
    case MTH_REPLACEAT:
        return replaceAt(text, args);
    case MTH_INSERTAT:
        return insertAt(text, args);
    case MTH_REPLACE: {
        CXString from;
        CXString to;
        if (textAt(args, 0, &from) && textAt(args, 1, &to))
            text->assign(own.replace(from, to));
        return nullptr;
    }
    case MTH_ISUPPERLETTER: {
        int32_t index = 0;
        return CMC_VariableFactory::allocBool(integerAt(args, 0, &index) && own.IsUpper(index));
    }
    default:
        return notServed(id, text);
    }
}

// One character at start, or count characters from it (-1: the rest of the text).
CMC_Object* CMC_Variable_Runner::get(CMC_String* text, CXVector* args)
{
    const CXString& own = text->getValue();
    int32_t start = 0;
    if (!integerAt(args, 0, &start))
        return text;
    int32_t count = 1;
    if (argumentCount(args) > 1 && !integerAt(args, 1, &count))
        return text;
    const int from = clampedTo(own, start);
    const int to = count == -1 ? own.GetLength() : clampedTo(own, int64_t{from} + count);
    return CMC_VariableFactory::allocString(own.Mid(from, std::max(from, to)));
}

CMC_Object* CMC_Variable_Runner::find(CMC_String* text, CXVector* args)
{
    CXString needle;
    if (!textAt(args, 0, &needle))
        return nullptr;
    int32_t from = 0;
    if (argumentCount(args) > 1 && !integerAt(args, 1, &from))
        return nullptr;
    return CMC_VariableFactory::allocInteger(text->getValue().FindSubString(needle, clampedTo(text->getValue(), from)));
}

// Keeps count characters from start; a count of 0 or less, or one past the end, keeps the rest.
CMC_Object* CMC_Variable_Runner::cutTo(CMC_String* text, CXVector* args)
{
    const CXString& own = text->getValue();
    int32_t start = 0;
    int32_t count = 0;
    if (!integerAt(args, 0, &start) || !integerAt(args, 1, &count))
        return nullptr;
    const int from = clampedTo(own, start);
    const bool toTheEnd = count <= 0 || int64_t{from} + count > own.GetLength();
    text->assign(own.Mid(from, toTheEnd ? own.GetLength() : from + count));
    return nullptr;
}

// Writes s over the text from pos on, lengthening it where s runs past the end.
CMC_Object* CMC_Variable_Runner::replaceAt(CMC_String* text, CXVector* args)
{
    const CXString& own = text->getValue();
    int32_t position = 0;
    CXString written;
    if (!integerAt(args, 0, &position) || !textAt(args, 1, &written) || position > own.GetLength())
        return nullptr;
    const int at = clampedTo(own, position);
    text->assign(own.Left(at) + written + own.Right(clampedTo(own, int64_t{at} + written.GetLength())));
    return nullptr;
}

// Inserts s at pos, times times over (1 when not given).
CMC_Object* CMC_Variable_Runner::insertAt(CMC_String* text, CXVector* args)
{
    const CXString& own = text->getValue();
    int32_t position = 0;
    CXString inserted;
    int32_t times = 1;
    if (!integerAt(args, 0, &position) || !textAt(args, 1, &inserted))
        return nullptr;
    if (argumentCount(args) > 2 && !integerAt(args, 2, &times))
        return nullptr;
    if (times <= 0 || own.GetLength() + int64_t{times} * inserted.GetLength() > kLongestInsertion)
        return nullptr;
    const int at = clampedTo(own, position);
    CXString result = own.Left(at);
    for (int32_t i = 0; i < times; ++i)
        result += inserted;
    result += own.Right(at);
    text->assign(result);
    return nullptr;
}

