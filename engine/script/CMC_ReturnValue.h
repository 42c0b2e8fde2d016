#pragma once

class CMC_Object;
class CMC_ObjectsContainer;
class CMC_Variable;

// The scene's variable "__RETURN__", through which a behaviour hands a value back to whoever
// ran it. The RETURN statement replaces it; BEHAVIOUR methods and class methods read it
// afterwards. It lives until the next RETURN in that scene, or until the scene ends.
class CMC_ReturnValue {
public:
    static constexpr const char* kName = "__RETURN__";

    // Makes a new "__RETURN__" of the value's type holding the value in the scene of the
    // container (the container itself when it has no scene), in place of the one that the
    // scene finds. Anything but BOOL, DOUBLE, INTEGER and STRING is kept as a STRING of the
    // argument's text. The one replaced leaves its container and is deleted at the end of the
    // frame, since running statements may still hold it. Gives the new variable; none
    // without a container or a value.
    static CMC_Variable* store(CMC_ObjectsContainer* container, CMC_Object* argument, CMC_Variable* value);
    // The variable that the container finds; none when it finds nothing or no value.
    static CMC_Variable* find(CMC_ObjectsContainer* container);
    // A pooled copy of it; none when there is none.
    static CMC_Variable* copy(CMC_ObjectsContainer* container);
};
