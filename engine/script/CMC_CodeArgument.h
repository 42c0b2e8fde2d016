#pragma once

#include "foundation/CXString.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_CodeBlockName.h"

#include <memory>

// The code that an IF, WHILE or LOOP argument gives: the behaviour that its text names, or
// else a behaviour named "temp" made from the text itself, compiled at once and deleted with
// this object. A text that names an object of another type is code too.
class CMC_CodeArgument {
public:
    // With trimmedName, the name is looked up without blanks at its ends; the code keeps them.
    // A block's name finds the block it remembers.
    CMC_CodeArgument(CMC_ObjectsContainer* container, CMC_String* text, bool trimmedName)
    {
        CMC_CodeBlockName* name = CMC_CodeBlockName::of(text);
        behaviour_ = name != nullptr ? name->block(container) : nullptr;
        if (behaviour_ == nullptr)
            findOrMake(container, text, trimmedName);
    }
    CMC_CodeArgument(const CMC_CodeArgument&) = delete;
    CMC_CodeArgument& operator=(const CMC_CodeArgument&) = delete;

    CMC_Behaviour* get() const { return behaviour_; }

private:
    // The behaviour that the text names, else one made from it.
    void findOrMake(CMC_ObjectsContainer* container, CMC_String* text, bool trimmedName);

    CMC_Behaviour* behaviour_ = nullptr;
    std::unique_ptr<CMC_Behaviour> made_;
};
