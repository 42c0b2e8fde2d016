#pragma once

#include "foundation/CXString.h"

class CMC_Object;
class CMC_ObjectsContainer;
class CMElement;

// The TYPE words of definition files, fixed here with the pass of the container's
// resolveObjects that builds each and whether the one-element resolve knows it. A script
// type's own code attaches the constructor of its word; a word that has none yet builds
// nothing, and its elements are left over.
class CMC_ObjectFactory {
public:
    // Builds a complete object of the type from its element, with its signals bound.
    using Constructor = CMC_Object* (*)(CMC_ObjectsContainer* container, CMElement* element);
    // Builds an object of the type with its defaults, owned by the container but not entered.
    using EmptyConstructor = CMC_Object* (*)(CMC_ObjectsContainer* container);

    static constexpr int kPasses = 6;

    // The constructor of a type that is built as Type(container, element).
    template <typename Type>
    static CMC_Object* construct(CMC_ObjectsContainer* container, CMElement* element)
    {
        return new Type(container, element);
    }

    struct Word {
        const char* word;
        int pass;
        // Known to resolve; a word it does not know goes to the plug-in modules.
        bool byResolve;
        // Left over on purpose, without a report.
        bool ignored;
        // An object of this name, found in the container or its parents, takes the element's
        // bindings instead of a new object being built (input devices and the canvas observer).
        const char* rebindName;
        Constructor constructor;
    };

    // The entry of a word (exact, case-sensitive), or none for a word that is not a TYPE word.
    static const Word* find(const CXString& word);
    // Attaches the constructor of a word and gives back the one it replaces; none, and nothing
    // attached, for a word that is not a TYPE word.
    static Constructor attach(const char* word, Constructor constructor);
    // An object of the word's type without a definition, as the CREATE statement makes them:
    // only ANIMO, IMAGE, SOUND and BUTTON can be made so, once their types have attached the
    // constructor. None for every other word (exact case).
    static CMC_Object* createEmpty(const CXString& word, CMC_ObjectsContainer* container);
    // Attaches the constructor of one of those words and gives back the one it replaces; none,
    // and nothing attached, for any other word.
    static EmptyConstructor attachEmpty(const char* word, EmptyConstructor constructor);
    // Names a definition that built nothing on the debug output.
    static void reportLeftOver(CMElement* element, const CXString& word);
};
