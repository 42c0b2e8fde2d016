#pragma once

#include "script/CMC_NameLookup.h"
#include "script/CMC_Object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CMC_Behaviour;
class CMC_Expression;
class CMC_Runner;
class CMC_CodeBlockName;

// One statement of behaviour code, parsed once when its behaviour is compiled and run at
// every run of it. The forms, by the first that fits:
//
//   @NAME(args)              a statement of the "@" runner
//   *NAME^METHOD(args)       a method of the object named by the variable NAME
//   *[expr]^METHOD(args)     ... or by the text of the expression
//   THIS^METHOD(args)        a method of the calling object (of the class, in a class)
//   [expr]                   the statement's own EXPRESSION object
//   "text", or text with no "^"   a literal: the object of that name, else the value it reads as
//                            (an empty text has none)
//   OBJ^METHOD(args)         a method of the object OBJ (STRUCT|FIELD^... of a field)
//
// Arguments, by the first rule that fits each piece: "[expr]" without "$" an EXPRESSION made
// once; code ("@...", or holding "$" or "^") in braces a block of code, compiled once into a
// behaviour "temp_N" of the container and passed as a STRING naming it; other code a nested
// statement run at every run; "&NAME" the variable NAME found at compile time (an owned copy
// of the literal when there was none: a variable declared later is not taken); anything else
// a nested literal statement.
//
// Names found while parsing, and names looked up at run time, are remembered until the
// containers change (CMC_NameLookup): an object deleted meanwhile is never used, its name is
// looked up again. Parameter texts ("$1" to "$9") are filled in at every run; what a filled
// text compiles to is kept per text.
//
// A literal that finds no value is given as a pooled copy of its prepared value, which the
// method may change; a method that only reads its arguments gets the prepared value itself.
// That needs the method known before the arguments: the "@" runner's, or a named object's
// when every argument is a literal (looking names up changes nothing). Such arguments are
// also evaluated only once while the containers stay as they were.
class CMC_Behaviour_Entry : public CMC_Object {
public:
    // Parses the statement for the owner, in the owner's container.
    CMC_Behaviour_Entry(CMC_Behaviour* owner, const CXString& line);
    // Deletes what the statement made; the blocks of code leave the container with their
    // behaviours unless releaseTempBeh(false) was called.
    ~CMC_Behaviour_Entry() override;

    // The statements of the code, parsed; the list ends with a null pointer and is the
    // caller's.
    static std::vector<CMC_Behaviour_Entry*> getCodeLines(CMC_Behaviour* owner, const CXString& code);

    // The container of the behaviour that holds the statement, read anew at every use: a
    // class method runs its behaviour in the instance.
    CMC_ObjectsContainer* getScene() override;

    // Runs the statement for the caller (none when started by a method) with the parameter
    // texts (CXString items, or none). Gives the method's result unchanged (a pooled temporary
    // or a handed-over object for the caller to release, an object, a stop result or none).
    CMC_Object* run(CMC_Object* caller, CXArray* params);
    // Whether deleting the statement also takes its blocks of code out of the container and
    // deletes them (the container does that itself when it unloads).
    void releaseTempBeh(bool release);

    const CXString& getLine() const { return line_; }
    // The object of the last run, or the one bound while parsing.
    CMC_Object* getObject() const { return object_; }
    // The method id found while parsing, -1 when none was.
    int getMethod() const { return parsedMethod_; }
    bool isReference() const { return form_ == Form::Reference; }
    int getArgumentCount() const { return static_cast<int>(slots_.size()); }

    // Code nested deeper than this compiles to nothing.
    static constexpr int kMaxNesting = 64;

private:
    // What getScene gives, without a virtual call.
    CMC_ObjectsContainer* ownerContainer();

    enum class Form { Builtin, Reference, This, Bracket, Literal, Call };

    // What a text filled with parameters made, kept for the next run with the same text.
    struct Filled {
        std::string text;
        std::unique_ptr<CMC_Object> made;
        std::unique_ptr<CMC_CodeBlockName> blockName;
    };

    // One argument.
    struct Slot {
        // "&NAME" is a Variable when NAME had one at compile time, else a LiteralCopy.
        enum class Kind { Expression, Block, Variable, LiteralCopy, Statement } kind = Kind::Statement;
        // Statement: the nested statement and whether its line holds "$".
        std::unique_ptr<CMC_Behaviour_Entry> statement;
        bool hasParams = false;
        // Expression and Block: the value made for the slot; Variable: the literal copy that
        // stands in once the variable is gone; LiteralCopy: the literal, for good.
        std::unique_ptr<CMC_Object> owned;
        // Block and Variable: the name looked up.
        CXString name;
        CMC_NameLookup lookup;
        std::vector<std::unique_ptr<Filled>> filled;
    };

    // What an argument evaluated for one run must be let go of after the call.
    struct Release {
        CMC_Object* result;
        CMC_Object* made;
        CMC_CodeBlockName* madeName;
        CMC_Behaviour* block;
    };

    void parse();
    void parseBuiltin(const CXString& text, int open);
    void parseReference(const CXString& text, int open);
    void parseBracket(const CXString& text);
    void parseLiteral(const CXString& text);
    void parseCall(const CXString& text, int open);
    void parseArguments(const CXString& text, int open);
    void addArgument(const CXString& piece);
    // A block of code made into a compiled behaviour of the container.
    CMC_Behaviour* makeBlock(const CXString& piece, const char* prefix);
    // The method id of the statement's runner, at parse and whenever the runner changes.
    void bindMethod(CMC_Runner* runner);
    void rebindMethod(CMC_Runner* runner);

    // The values of one run, the slots it evaluates and where their releases are noted.
    struct Arguments {
        CXVector* values;
        const std::vector<int>* slots;
        Release* releases;
    };

    // The slots evaluated at this run; literals are settled first when they may be.
    const std::vector<int>& slotsToEvaluate(bool copyLiterals);
    void settleLiterals(CMC_ObjectsContainer* container, bool copyLiterals);
    // The object, runner and method of a call; no method while it was not looked for, no
    // runner when there is nothing to call.
    struct Target {
        CMC_Object* object = nullptr;
        CMC_Runner* runner = nullptr;
        const CXString* method = nullptr;
    };

    CMC_Object* runApart(CMC_Object* caller, CXArray* params, Target* target, bool copyLiterals,
                         const std::vector<int>& slots);
    CMC_Object* runWith(CMC_Object* caller, CXArray* params, Target* target, const Arguments& arguments,
                        bool copyLiterals);
    bool isPlainLiteral() const { return form_ == Form::Literal && plainLiteral_; }
    CMC_Object* steadyLiteral(bool copy);
    CMC_Object* runLiteral(CXArray* params, bool copy);
    CMC_Object* runFilledOrFieldLiteral(CXArray* params, bool copy);
    CMC_Object* runFilledBracket(CXArray* params);
    void findTarget(CMC_Object* caller, CXArray* params, Target* target);
    // The object, runner and method name of a call other than a plain one; false when
    // nothing can be called.
    bool lookUpTarget(CMC_Object* caller, CXArray* params, CMC_Object** object, CMC_Runner** runner,
                      const CXString** method);
    CMC_Object* call(CMC_Object* object, CMC_Runner* runner, const CXString& method, CXVector* args);
    // Values of the arguments that depend on the run; what must be let go of is noted.
    // Literals are copied unless the method only reads them.
    void evaluateArguments(CMC_Object* caller, CXArray* params, const Arguments& arguments, bool copyLiterals);
    CMC_Object* evaluateFilled(Slot& slot, CMC_Object* caller, CXArray* params, Release* release);
    void releaseArguments(const Arguments& arguments);
    void releaseFilled(const Release& release);
    // Checks that "&" variables found at compile time still stand; looks again when not.
    void refreshVariables();
    // The object found for a name: remembered, or looked up again. A fixed lookup is always
    // asked for the same name.
    CMC_Object* find(CMC_NameLookup& lookup, const char* name);
    CMC_Object* findFixed(CMC_NameLookup& lookup, const char* name) { return lookup.findFixed(getScene(), name); }
    // The slot's kept form of the text last filled (empty when new); none when the slot keeps
    // as many forms as it may, and the text is compiled for one run only.
    Filled* filledFor(Slot& slot);
    void discardFilled(Slot& slot);

    // The runner of "@" statements; the owner's own when the registry has none.
    CMC_Runner* builtinRunner() const;
    static CMC_Runner* runnerOf(CMC_Object* object);
    static CMC_Object* literalCopy(const CXString& text);
    static CMC_Variable* variableIn(CMC_Object* object);

    static inline int blockCounter_ = 0;
    static inline int nesting_ = 0;

    CXString line_;
    CMC_Behaviour* owner_;
    Form form_ = Form::Literal;

    // Calls.
    CXString objectName_;
    CXString fieldName_;
    bool objectHasParams_ = false;
    // OBJ^METHOD with neither "$" nor a field in OBJ.
    bool plainCall_ = false;
    bool methodHasParams_ = false;
    CMC_NameLookup objectLookup_;
    CMC_Object* object_ = nullptr;
    CXString methodName_;
    int parsedMethod_ = -1;
    uint64_t methodRunner_ = 0;
    int methodId_ = -1;
    // The method only reads its arguments (by the runner's word).
    bool readsOnly_ = false;
    std::string methodFilled_;
    CXString methodText_;
    std::unique_ptr<CMC_Expression> referenceExpression_;
    CMC_NameLookup targetLookup_;
    std::string nameFilled_;

    // Arguments.
    std::vector<Slot> slots_;
    CXVector* values_ = nullptr;
    // The slots evaluated at every run: nested statements and blocks that use parameters.
    std::vector<int> evaluated_;
    // Every one of them is a plain literal; the literals are settled for a change count, a
    // container and whether they are copied, and those that give copies are listed.
    bool onlyLiterals_ = true;
    uint64_t settledCount_ = 0;
    CMC_ObjectsContainer* settledContainer_ = nullptr;
    bool settledCopies_ = true;
    std::vector<int> copying_;
    bool hasVariables_ = false;
    int depth_ = 0;
    bool releaseBlocks_ = true;

    // Literals and brackets.
    CXString literalText_;
    bool boundAtParse_ = false;
    // Neither "$" nor a field: the literal's object is remembered, or its value prepared.
    bool plainLiteral_ = false;
    bool literalHasParams_ = false;
    std::unique_ptr<CMC_Variable> literalValue_;
    std::unique_ptr<CMC_Expression> ownExpression_;
    Slot literalForms_;
};
