#pragma once

#include "script/CMC_Runner.h"

#include <cstdint>

class CMC_Double;
class CMC_Integer;
class CMC_String;
class CMC_Variable;

// The runner of the script values INTEGER, STRING, BOOL, DOUBLE and EXPRESSION: assignment
// and arithmetic by the value types' own rules, bit operations on INTEGER, functions in
// degrees on DOUBLE, text editing on STRING, a file copy and random numbers. An EXPRESSION is
// read-only: the assigning methods leave it as it is.
//
// A method meant for other types changes nothing and gives nothing (GET gives the value
// itself, ISUPPERLETTER FALSE); so does a method given fewer arguments than it reads. Text
// positions are clamped to the text.
class CMC_Variable_Runner : public CMC_Runner {
public:
    static constexpr int MTH_SET = 1;
    static constexpr int MTH_SWITCH = 2;
    static constexpr int MTH_CLEAR = 3;
    static constexpr int MTH_INC = 4;
    static constexpr int MTH_DEC = 5;
    static constexpr int MTH_ADD = 6;
    static constexpr int MTH_MUL = 7;
    static constexpr int MTH_RESETINI = 8;
    static constexpr int MTH_SETDEFAULT = 9;
    static constexpr int MTH_SUB = 10;
    static constexpr int MTH_DIV = 11;
    static constexpr int MTH_MOD = 12;
    static constexpr int MTH_ABS = 13;
    static constexpr int MTH_AND = 14;
    static constexpr int MTH_OR = 15;
    static constexpr int MTH_NOT = 16;
    static constexpr int MTH_XOR = 17;
    static constexpr int MTH_POWER = 18;
    static constexpr int MTH_SQRT = 20;
    static constexpr int MTH_CLAMP = 21;
    static constexpr int MTH_LENGTH = 22;
    static constexpr int MTH_ARCTAN = 23;
    static constexpr int MTH_GET = 24;
    static constexpr int MTH_MINA = 25;
    static constexpr int MTH_MAXA = 26;
    static constexpr int MTH_ARCTANEX = 27;
    static constexpr int MTH_SINUS = 28;
    static constexpr int MTH_COSINUS = 29;
    static constexpr int MTH_UPPER = 30;
    static constexpr int MTH_FIND = 31;
    static constexpr int MTH_CUT = 32;
    static constexpr int MTH_REPLACEAT = 33;
    static constexpr int MTH_INSERTAT = 34;
    static constexpr int MTH_REPLACE = 35;
    static constexpr int MTH_ROUND = 36;
    static constexpr int MTH_ISUPPERLETTER = 37;
    static constexpr int MTH_SGN = 38;
    static constexpr int MTH_COPYFILE = 39;
    static constexpr int MTH_RANDOM = 40;

    // Degrees in a radian, slightly below 180 / pi, as angles have always been computed.
    static constexpr double kDegreesPerRadian = 57.29577950560105;
    // Radians in a degree, in single precision.
    static constexpr float kRadiansPerDegree = 0.017453292f;
    // INSERTAT makes no text longer than this.
    static constexpr int64_t kLongestInsertion = 64 * 1024 * 1024;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
    // SET and the arithmetic ADD, SUB, MUL, DIV and MOD.
    bool readsArgumentsOnly(int id) const override;

private:
    // The variable takes its own value combined with the argument; the new value is given
    // when asked for, as a pooled temporary.
    CMC_Object* combine(CMC_Variable* variable, CXVector* args, int op, bool giveResult);
    static CMC_Object* combineIntegers(CMC_Integer* variable, int32_t operand, int op, bool giveResult);
    // A STRING loses count characters from start.
    CMC_Object* cut(CMC_Variable* text, CXVector* args);

    // The methods of one type, ids 13 to 38; any other id is not served.
    CMC_Object* integerMethod(int id, CMC_Integer* value, CXVector* args);
    CMC_Object* doubleMethod(int id, CMC_Double* value, CXVector* args);
    CMC_Object* textMethod(int id, CMC_String* text, CXVector* args);
    // What a method of ids 13 to 38 gives a value of a type it does not serve.
    static CMC_Object* notServed(int id, CMC_Variable* variable);
    // Smallest (MINA) or largest (MAXA) of the arguments.
    CMC_Object* extreme(int id, CMC_Double* value, CXVector* args);
    CMC_Object* arcTanEx(CMC_Double* value, CXVector* args);
    CMC_Object* get(CMC_String* text, CXVector* args);
    CMC_Object* find(CMC_String* text, CXVector* args);
    CMC_Object* cutTo(CMC_String* text, CXVector* args);
    CMC_Object* replaceAt(CMC_String* text, CXVector* args);
    CMC_Object* insertAt(CMC_String* text, CXVector* args);
    // Copies a file named as data files are; a pooled BOOL tells whether it worked.
    CMC_Object* copyFile(CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* random(CMC_Variable* variable, CXVector* args);

    // Argument i read as a number, or false when there is none.
    bool integerAt(CXVector* args, int i, int32_t* out);
    bool doubleAt(CXVector* args, int i, double* out);
    bool textAt(CXVector* args, int i, CXString* out);
};
