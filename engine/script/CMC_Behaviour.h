#pragma once

#include "foundation/CFileSandbox.h"
#include "foundation/CXTimer.h"
#include "script/CMC_Object.h"

#include <memory>
#include <string>
#include <vector>

class CMC_BasicCondition;
class CMC_Behaviour_Entry;
class CPublicTrash;
class ScriptWindow;

// The BEHAVIOUR script object: a named piece of script code with an optional condition, run
// by the signals that it is bound to and by statements. The code is compiled once, by init,
// into statements; a run walks them and stops at the first that gives a stop result.
//
// A behaviour may also run on the window's timer list: at each tick its code runs with "$1"
// the tick number, until it ends itself with BREAK or has run a given number of times; an end
// behaviour then runs once, and the behaviour leaves its container and waits in the window's
// deferred-delete bin to be deleted.
//
// The class also keeps the trash list (objects deleted at the end of the frame) and the
// run-once interpreter of condition operands, which reads text anew at every call.
class CMC_Behaviour : public CMC_Object, public CTimerNotificator {
public:
    // Runs nested deeper than this do nothing, so that endless recursion of scripts cannot
    // exhaust the stack.
    static constexpr int kMaxRunDepth = 200;

    // An empty behaviour, filled by a compiled scene's record.
    explicit CMC_Behaviour(CMC_ObjectsContainer* container);
    // From a BEHAVIOUR definition: its "CODE" and "CONDITION" properties.
    CMC_Behaviour(CMC_ObjectsContainer* container, CMElement* element);
    // A named piece of code, such as in-line code of a property or a block of code.
    CMC_Behaviour(CMC_ObjectsContainer* container, const CXString& name, const CXString& code);
    ~CMC_Behaviour() override;

    // Drops a doubled pair of braces that construction left and compiles the code.
    void init() override;
    // Drops the compiled code; unless final, its blocks of code leave the container too. An
    // end behaviour that a timer run made for itself is finished with it.
    bool done(bool final) override;
    // The object's record. The code and the condition's name ride in it as a record note
    // under "{CODE}", so a behaviour read back runs what it ran before; a record without the
    // note gives a behaviour without code.
    void serialize(CXArchive* archive) override;

    // Runs the code with the caller and the argument texts (CXString items, or none); with
    // checkCondition, only when the condition holds. True only when a statement ended the
    // run with BREAK; ONEBREAK and CONTINUE end it quietly. The results of the statements and
    // the temporary objects are let go of.
    virtual bool run(CMC_Object* caller, CXArray* params, bool checkCondition);
    // The behaviour owns the object until the end of its run, when the object leaves the
    // container and is deleted.
    virtual void addTempObject(CMC_Object* object);
    // Compiles the code with "$1" to "$9" replaced by the parameter texts; the stored code
    // stays as it is. The compiled form of each text is kept for the next time.
    void setParams(CXArray* params);

    // Starts a timer run on the timer list of the container's window: every interval the
    // code runs with the argument texts (CXString items, whose first is overwritten with the
    // tick number), without its condition, until a run ends with BREAK or count runs were
    // made (count below 1: no limit). The end behaviour, if any, then runs with its
    // condition. The run takes the argument array over; without a timer list it only
    // releases it.
    virtual void runOnTimer(int interval, int count, CXArray* args, CMC_Behaviour* followUp);
    // An end behaviour made for the coming timer run alone: it is not in any container, and
    // is deleted when the run ends or the behaviour is deleted.
    void adoptFollowUp(CMC_Behaviour* followUp);
    // One tick of the timer run.
    void onTimer(int id) override;
    // Ends a timer run at once, without the end behaviour. Either way the behaviour leaves its
    // container and is deleted later, when the frame no longer uses it.
    virtual void _break();
    bool isRunningOnTimer() const;

    // Whether a run would walk any code now: enabled, compiled, and not nested too deeply.
    bool canRun() const { return enabled_ && current_ != nullptr && runDepth_ < kMaxRunDepth; }
    // How many behaviour runs are nested now, the condition checks that they begin with
    // included.
    static int getRunDepth() { return runDepth_; }
    // Whether the object is a behaviour that still exists.
    static bool isAlive(const CMC_Object* object);

    // The compiled statements, ended by a null pointer; none before init and for empty code.
    CMC_Behaviour_Entry** getLines();

    // Finds the condition object named by "CONDITION" in the container; an object of any other
    // type, or none, leaves the behaviour without a condition.
    void resolveCondition();
    CMC_BasicCondition* getConditionInterface() const { return condition_; }

    CXString getCode() const { return code_; }
    CXString getCodition() const { return conditionName_; }
    bool isEnabled() const { return enabled_; }
    void enable(bool on) { enabled_ = on; }
    int getBreakpoint() const { return breakpoint_; }
    void setBreakpoint(int line) { breakpoint_ = line; }
    void resetBreakpoint() { breakpoint_ = -1; }

    // The trash list: objects deleted together at the end of the frame.
    static void initTrash();
    static void doneTrash();
    // Appends the object unless the list holds it; a list is made when there is none.
    static void addToTrash(CMC_Object* object);
    static void flushTrash();

    // The run-once interpreter. The value of an operand text: "[expr]" an EXPRESSION that
    // lives until the end of the frame, "CONV..." and texts with "^" (unquoted) the result of
    // the statement, a leading '-' or digit a number, "S|F" a field, the name of a BOOL,
    // DOUBLE, INTEGER or STRING the variable itself, anything else the literal. Stop results
    // count as none.
    static CMC_Object* resolveParameter(CMC_ObjectsContainer* container, CMC_Object* caller, const CXString& text,
                                        CMC_Behaviour* behaviour);
    // Runs one statement text ("@NAME(...)", "*VAR^M(...)", "OBJ^M(...)", "#c" object and
    // method forms); a head naming no object is an "@" statement. The result is the caller's.
    static CMC_Object* runLine(CMC_ObjectsContainer* container, CMC_Object* caller, const CXString& line,
                               CMC_Behaviour* behaviour);
    // The object of a statement head "OBJ^M", "#x^M", "*VAR^M" or "THIS^M"; the text after
    // the last "^" goes to method.
    static CMC_Object* resolveObject(CMC_ObjectsContainer* container, CMC_Object* caller, const CXString& head,
                                     CXString* method, CMC_Behaviour* behaviour);
    // The values of an argument list; a piece without a value takes no place. None for an
    // empty text; the caller lets the values go and deletes the vector.
    static CXVector* resolveParameters(CMC_ObjectsContainer* container, CMC_Object* caller, const CXString& text,
                                       CMC_Behaviour* behaviour);

protected:
    std::vector<RecordNote> getRecordNotes() override;

private:
    // The statements of one text of code.
    struct Compiled {
        std::string text;
        std::vector<CMC_Behaviour_Entry*> lines;
    };

    // Blanks at both ends, then one opening and one closing brace, then blanks again.
    static CXString trimCode(const CXString& code);
    // Makes the compiled form of the text current, compiling it when it is not kept yet.
    void compile(const std::string& text);
    // Drops every compiled form; while the behaviour runs, the forms live on until it ends.
    void discardCompiled(bool releaseBlocks);
    void deleteCompiled(std::unique_ptr<Compiled> compiled, bool releaseBlocks);
    void flushTempObjects();
    // Walks the compiled code once; true when a statement ended it with BREAK.
    bool runCode(CMC_Object* caller, CXArray* params);
    // Runs the statements until one gives a stop result; true when that was BREAK.
    static bool runLines(CMC_Behaviour_Entry** lines, CMC_Object* caller, CXArray* params);
    // Deletes the compiled forms retired while the behaviour ran.
    void deleteRetired();

    // The state of a timer run.
    struct TimerRun;
    // The run is over: the timer goes, and the end behaviour runs when asked to.
    void endTimerRun(bool runFollowUp);
    // The behaviour leaves its container, its code and blocks go, and the deferred-delete bin
    // (or the trash list, without a window) deletes it later.
    void leaveForDeletion(ScriptWindow* window);
    // The window's bin while that window exists.
    static CPublicTrash* binOf(ScriptWindow* window);

    static inline CXVector* globalTrash_ = nullptr;
    static inline int runDepth_ = 0;

    // Code that a peer sent, or made while such code ran: its runs are confined to the
    // application's folder.
    bool confined_ = CFileSandbox::isConfined();
    CXString code_;
    CXString conditionName_;
    CMC_BasicCondition* condition_ = nullptr;
    bool enabled_ = true;
    int32_t breakpoint_ = -1;
    std::vector<std::unique_ptr<Compiled>> compiled_;
    Compiled* current_ = nullptr;
    std::vector<std::pair<std::unique_ptr<Compiled>, bool>> retired_;
    int running_ = 0;
    CXVector* tempObjects_ = nullptr;
    std::string filled_;
    std::unique_ptr<TimerRun> timer_;
    std::unique_ptr<CMC_Behaviour> adoptedFollowUp_;
};
