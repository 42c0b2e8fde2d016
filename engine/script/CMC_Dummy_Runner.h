#pragma once

#include "script/CMC_Runner.h"

class CMC_Behaviour;
class CMC_String;

// The runner of the "@" statements of behaviour code (object type 0): control flow,
// conversion, look-up and creation of objects. The object it is called with is the behaviour
// that holds the statement. It offers none of the common methods.
class CMC_Dummy_Runner : public CMC_Runner {
public:
    static constexpr int MTH_IF = 1;
    static constexpr int MTH_WHILE = 2;
    static constexpr int MTH_RETURN = 3;
    static constexpr int MTH_BREAK = 4;
    static constexpr int MTH_CONV = 5;
    static constexpr int MTH_MSGBOX = 6;
    static constexpr int MTH_BOOL = 7;
    static constexpr int MTH_DOUBLE = 8;
    static constexpr int MTH_INT = 9;
    static constexpr int MTH_STRING = 10;
    static constexpr int MTH_LOOP = 11;
    static constexpr int MTH_VALUE = 12;
    static constexpr int MTH_RUNONTIMER = 13;
    static constexpr int MTH_CREATE = 14;
    static constexpr int MTH_GETAPPLICATIONNAME = 15;
    static constexpr int MTH_GETCURRENTSCENE = 16;
    static constexpr int MTH_ONEBREAK = 17;
    static constexpr int MTH_CONTINUE = 18;

    // Registers the 18 statement names and nothing else.
    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args) override;
    // IF, WHILE and LOOP.
    bool readsArgumentsOnly(int id) const override;

private:
    // IF with left, operator, right, then-code and an optional else-code; or with a condition
    // text, then-code and else-code. BREAK in the code that ran is passed on.
    CMC_Object* ifStatement(CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args);
    // WHILE with left, operator, right and body code; BREAK in the body ends only a pass.
    CMC_Object* whileStatement(CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args);
    // LOOP with body code, start, count and step, counting in "_I_"; BREAK ends the loop and
    // is passed on.
    CMC_Object* loopStatement(CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args);
    // RETURN: the scene's "__RETURN__" takes the value; a pooled copy is given.
    CMC_Object* returnValue(CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args);
    // BOOL, DOUBLE, INT and STRING: a variable of the type, named by the first argument and
    // holding the second, lives in the container until the run of the behaviour holding the
    // statement ends. Nothing is declared when the name finds an object anywhere in reach.
    CMC_Object* declare(int type, CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args);
    // RUNONTIMER(interval, count, code, end code, more...): the code, copied from the behaviour
    // it names or taken as text, runs as a behaviour "timer_N" of the container on the
    // window's timer list; the more texts are "$2" and on. Gives the behaviour's name.
    CMC_Object* runOnTimer(CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args);
    CMC_Object* conv(CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args);
    CMC_Object* value(CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args);
    CMC_Object* create(CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args);
    CMC_Object* getApplicationName(CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args);
    CMC_Object* getCurrentScene(CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args);

    // A one-text condition; pieces joined by "&&" or "||" are tested in turn, as few as decide.
    static bool oneTextCondition(CMC_ObjectsContainer* container, const CXString& text);
    // Runs the code of an argument text, the code being its own caller; true on BREAK.
    static bool runCode(CMC_ObjectsContainer* container, CMC_String* text);
    // The code that argument i gives a timer: the code of the behaviour it names, else its text.
    CXString timedCode(CMC_ObjectsContainer* container, CXVector* args, int i);
    // The end behaviour of a timer: the behaviour that argument i names, else one made from
    // its text for the timer alone (own is set then); none for an empty text. A block of code
    // is copied, since it ends with the statement that holds it.
    CMC_Behaviour* timerEnd(CMC_ObjectsContainer* container, CXVector* args, int i, bool* own);
    // "timer_" and a number that nothing in reach of the container is named.
    static CXString timerName(CMC_ObjectsContainer* container);
};
