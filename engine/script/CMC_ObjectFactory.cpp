#include "script/CMC_ObjectFactory.h"

#include "platform/DebugOutput.h"
#include "script/CMC_Array.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Class.h"
#include "script/CMC_ComplexCondition.h"
#include "script/CMC_Condition.h"
#include "script/CMC_Database.h"
#include "script/CMC_Double.h"
#include "script/CMC_Expression.h"
#include "script/CMC_Integer.h"
#include "script/CMC_MultiArray.h"
#include "script/CMC_Quene.h"
#include "script/CMC_String.h"
#include "script/CMC_Structure.h"
#include "script/CMC_Vector.h"
#include "script/CMElement.h"

namespace {

template <typename Type>
constexpr CMC_ObjectFactory::Constructor construct = &CMC_ObjectFactory::construct<Type>;

using Word = CMC_ObjectFactory::Word;

Word words[] = {
    {"BEHAVIOUR", 1, true, false, nullptr, construct<CMC_Behaviour>},
    {"BOOL", 2, true, false, nullptr, construct<CMC_Bool>},
    {"DOUBLE", 2, true, false, nullptr, construct<CMC_Double>},
    {"INTEGER", 2, true, false, nullptr, construct<CMC_Integer>},
    {"STRING", 2, true, false, nullptr, construct<CMC_String>},
    {"CONDITION", 3, true, false, nullptr, construct<CMC_Condition>},
    {"COMPLEXCONDITION", 3, true, false, nullptr, construct<CMC_ComplexCondition>},
    {"EXPRESSION", 3, true, false, nullptr, construct<CMC_Expression>},
    {"ARRAY", 3, true, false, nullptr, construct<CMC_Array>},
    {"MULTIARRAY", 3, true, false, nullptr, construct<CMC_MultiArray>},
    {"STRUCT", 3, true, false, nullptr, construct<CMC_Structure>},
    {"DATABASE", 3, true, false, nullptr, construct<CMC_Database>},
    {"CLASS", 4, true, false, nullptr, construct<CMC_Class>},
    {"IMAGE", 5, true, false, nullptr, nullptr},
    {"ANIMO", 5, true, false, nullptr, nullptr},
    {"VIRTUALGRAPHICSOBJECT", 5, true, false, nullptr, nullptr},
    {"FONT", 5, true, false, nullptr, nullptr},
    {"SOUND", 5, true, false, nullptr, nullptr},
    {"VECTOR", 5, true, false, nullptr, construct<CMC_Vector>},
    {"MOUSE", 6, true, false, "MOUSE", nullptr},
    {"KEYBOARD", 6, true, false, "KEYBOARD", nullptr},
    {"JOYSTICK", 6, true, false, "JOYSTICK", nullptr},
    {"PHONE", 6, false, true, nullptr, nullptr},
    {"TIMER", 6, true, false, nullptr, nullptr},
    {"BUTTON", 6, true, false, nullptr, nullptr},
    {"SEQUENCE", 6, true, false, nullptr, nullptr},
    {"CANVAS_OBSERVER", 6, true, false, "CANVASOBSERVER", nullptr},
    {"GROUP", 6, true, false, nullptr, nullptr},
    {"TEXT", 6, true, false, nullptr, nullptr},
    {"FILTER", 6, true, false, nullptr, nullptr},
    {"STATICFILTER", 6, true, false, nullptr, nullptr},
    {"EDITBOX", 6, true, false, nullptr, nullptr},
    {"PATH", 6, true, false, nullptr, nullptr},
    {"FIFO", 6, true, false, nullptr, construct<CMC_FifoQuene>},
    {"LIFO", 6, true, false, nullptr, construct<CMC_LifoQuene>},
    {"CANVAS", 6, true, false, nullptr, nullptr},
    {"PATTERN", 6, true, false, nullptr, nullptr},
    {"DIALOG", 6, true, false, nullptr, nullptr},
    {"SCROLL", 6, true, false, nullptr, nullptr},
    {"MOVIE", 6, true, false, nullptr, nullptr},
    {"NETCLIENT", 6, true, false, nullptr, nullptr},
    {"NETSERVER", 6, true, false, nullptr, nullptr},
};

struct EmptyWord {
    const char* word;
    CMC_ObjectFactory::EmptyConstructor constructor;
};

EmptyWord emptyWords[] = {{"ANIMO", nullptr}, {"IMAGE", nullptr}, {"SOUND", nullptr}, {"BUTTON", nullptr}};

EmptyWord* findEmptyWord(const CXString& word)
{
    for (EmptyWord& entry : emptyWords)
        if (word == entry.word)
            return &entry;
    return nullptr;
}

Word* findWord(const CXString& word)
{
    for (Word& entry : words)
        if (word == entry.word)
            return &entry;
    return nullptr;
}

} // namespace

const Word* CMC_ObjectFactory::find(const CXString& word)
{
    return findWord(word);
}

CMC_ObjectFactory::Constructor CMC_ObjectFactory::attach(const char* word, Constructor constructor)
{
    Word* entry = findWord(CXString(word));
    if (entry == nullptr)
        return nullptr;
    Constructor previous = entry->constructor;
    entry->constructor = constructor;
    return previous;
}

CMC_Object* CMC_ObjectFactory::createEmpty(const CXString& word, CMC_ObjectsContainer* container)
{
    EmptyWord* entry = findEmptyWord(word);
    return entry != nullptr && entry->constructor != nullptr ? entry->constructor(container) : nullptr;
}

CMC_ObjectFactory::EmptyConstructor CMC_ObjectFactory::attachEmpty(const char* word, EmptyConstructor constructor)
{
    EmptyWord* entry = findEmptyWord(CXString(word));
    if (entry == nullptr)
        return nullptr;
    EmptyConstructor previous = entry->constructor;
    entry->constructor = constructor;
    return previous;
}

void CMC_ObjectFactory::reportLeftOver(CMElement* element, const CXString& word)
{
    const CXString line = "Object " + element->getName() + " not built: no type " + word + "\n";
    platform::debugOutput(line.c_str());
}
