#include "script/CMC_Behaviour.h"

#include "foundation/CPublicTrash.h"
#include "foundation/CXArchive.h"
#include "foundation/CXArray.h"
#include "foundation/CXVector.h"
#include "script/CMC_BasicCondition.h"
#include "script/CMC_Behaviour_Entry.h"
#include "script/CMC_CodeText.h"
#include "script/CMC_Expression.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_Runner.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_ScratchText.h"
#include "script/CMC_String.h"
#include "script/CMElement.h"
#include "script/ScriptWindow.h"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace {

// Compiled forms of filled code that a behaviour keeps besides its current one.
constexpr size_t kCompiledForms = 8;

CMC_Runner* runnerOf(CMC_Object* object)
{
    CMC_Runner* runner = CMC_RunnerFactory::getRunner(object->getType());
    return runner != nullptr ? runner : object->getRunner();
}

bool isBasicValue(const CMC_Object* object)
{
    const int type = object->getType();
    return type == CMC_Object::TYPE_INTEGER || type == CMC_Object::TYPE_STRING || type == CMC_Object::TYPE_BOOL ||
           type == CMC_Object::TYPE_DOUBLE;
}

// Every behaviour that exists, so that a binding or a timer run never runs one that was
// deleted meanwhile.
std::unordered_set<const CMC_Object*>& liveBehaviours()
{
    static std::unordered_set<const CMC_Object*> live;
    return live;
}

// The text with blanks dropped at its ends; the text itself when it has none there.
const CXString& trimmed(const CXString& text, CMC_ScratchText* copy)
{
    if (text.GetAt(0) != ' ' && text.lastChar() != ' ')
        return text;
    *copy = text.c_str();
    return copy->text().AllTrim(' ');
}

} // namespace

struct CMC_Behaviour::TimerRun {
    ScriptWindow* window;
    int id;
    int count;
    CXArray* args;
    CMC_Behaviour* followUp;
    std::unique_ptr<CMC_Behaviour> ownFollowUp;
    int64_t ticks = 0;
    // Started by confined code: the ticks and the end behaviour run confined too, whatever
    // code they run.
    bool confined = CFileSandbox::isConfined();
    // A tick's run is going on: the argument texts are in use.
    bool ticking = false;
    bool ended = false;
};

CMC_Behaviour::CMC_Behaviour(CMC_ObjectsContainer* container)
    : CMC_Object(CXString(), TYPE_BEHAVIOUR)
{
    setScene(container);
    liveBehaviours().insert(this);
}

CMC_Behaviour::CMC_Behaviour(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Object(container, element, TYPE_BEHAVIOUR)
    , code_(trimCode(element->getPropertyValue("CODE")))
    , conditionName_(element->getPropertyValue("CONDITION"))
{
    liveBehaviours().insert(this);
    initializeBehaviours(container, element);
}

CMC_Behaviour::CMC_Behaviour(CMC_ObjectsContainer* container, const CXString& name, const CXString& code)
    : CMC_Object(name, TYPE_BEHAVIOUR)
    , code_(trimCode(code))
{
    setScene(container);
    liveBehaviours().insert(this);
}

// A behaviour deleted during its timer run (its container unloaded) takes its timer off the
// list and leaves the bin, which would otherwise delete it a second time.
CMC_Behaviour::~CMC_Behaviour()
{
    liveBehaviours().erase(this);
    if (timer_ != nullptr) {
        if (ScriptWindow* window = ScriptWindow::getInstance(); window != nullptr && window == timer_->window) {
            if (!timer_->ended && window->GetTimerInterface() != nullptr)
                window->GetTimerInterface()->remove(timer_->id);
            if (CPublicTrash* bin = binOf(window))
                bin->remove(this);
        }
        CXString::releaseToVector(timer_->args);
    }
    running_ = 0;
    discardCompiled(true);
    retired_.clear();
    flushTempObjects();
    delete tempObjects_;
}

namespace {

const CXString kCodeNote("{CODE}");

} // namespace

std::vector<CMC_Object::RecordNote> CMC_Behaviour::getRecordNotes()
{
    // A behaviour without either is written as the plain object it is.
    if (!code_.IsString() && !conditionName_.IsString())
        return {};
    return {{kCodeNote, code_, conditionName_}};
}

void CMC_Behaviour::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (!archive->isStoring())
        takeRecordNote(kCodeNote, &code_, &conditionName_);
}

CXString CMC_Behaviour::trimCode(const CXString& code)
{
    CXString text = code;
    if (text.GetLength() == 0)
        return text;
    text.AllTrim(' ');
    if (text.startsWith("{"))
        text = text.Right(1);
    if (text.endsWith("}"))
        text = text.Left(text.GetLength() - 1);
    text.AllTrim(' ');
    return text;
}

void CMC_Behaviour::init()
{
    CMC_Object::init();
    if (code_.startsWith("{"))
        code_ = code_.Mid(1, code_.GetLength() - 1);
    discardCompiled(true);
    if (code_.GetLength() > 0)
        compile(code_.c_str());
}

bool CMC_Behaviour::done(bool final)
{
    discardCompiled(!final);
    if (timer_ != nullptr && timer_->ownFollowUp != nullptr)
        timer_->ownFollowUp->done(final);
    return CMC_Object::done(final);
}

CMC_Behaviour_Entry** CMC_Behaviour::getLines()
{
    return current_ != nullptr ? current_->lines.data() : nullptr;
}

void CMC_Behaviour::setParams(CXArray* params)
{
    CMC_CodeText::fillParams(code_.c_str(), params, &filled_);
    compile(filled_);
}

void CMC_Behaviour::compile(const std::string& text)
{
    if (current_ != nullptr && current_->text == text)
        return;
    for (auto& compiled : compiled_) {
        if (compiled->text == text) {
            current_ = compiled.get();
            return;
        }
    }
    if (compiled_.size() > kCompiledForms) {
        auto oldest = compiled_.begin();
        if (oldest->get() == current_)
            ++oldest;
        std::unique_ptr<Compiled> dropped = std::move(*oldest);
        compiled_.erase(oldest);
        deleteCompiled(std::move(dropped), true);
    }
    auto compiled = std::make_unique<Compiled>();
    compiled->text = text;
    compiled->lines = CMC_Behaviour_Entry::getCodeLines(this, CXString(text.c_str()));
    current_ = compiled.get();
    compiled_.push_back(std::move(compiled));
}

void CMC_Behaviour::discardCompiled(bool releaseBlocks)
{
    current_ = nullptr;
    for (auto& compiled : compiled_)
        deleteCompiled(std::move(compiled), releaseBlocks);
    compiled_.clear();
}

// Statements of a running behaviour stay until its outermost run ends.
void CMC_Behaviour::deleteCompiled(std::unique_ptr<Compiled> compiled, bool releaseBlocks)
{
    if (running_ > 0) {
        retired_.emplace_back(std::move(compiled), releaseBlocks);
        return;
    }
    for (CMC_Behaviour_Entry* line : compiled->lines) {
        if (line == nullptr)
            continue;
        line->releaseTempBeh(releaseBlocks);
        delete line;
    }
}

bool CMC_Behaviour::isAlive(const CMC_Object* object)
{
    return object != nullptr && liveBehaviours().count(object) != 0;
}

bool CMC_Behaviour::run(CMC_Object* caller, CXArray* params, bool checkCondition)
{
    if (!canRun())
        return false;
    const CFileSandbox::Scope confinement(confined_);
    // The condition is checked inside the run's depth: a handler of the condition that runs
    // this behaviour again goes one level deeper, and the limit ends the chain.
    ++runDepth_;
    const bool broke = (condition_ == nullptr || !checkCondition || condition_->valid(true)) && runCode(caller, params);
    --runDepth_;
    return broke;
}

bool CMC_Behaviour::runCode(CMC_Object* caller, CXArray* params)
{
    ++running_;
    const bool broke = runLines(current_->lines.data(), caller, params);
    if (tempObjects_ != nullptr)
        flushTempObjects();
    if (--running_ == 0 && !retired_.empty())
        deleteRetired();
    return broke;
}

bool CMC_Behaviour::runLines(CMC_Behaviour_Entry** lines, CMC_Object* caller, CXArray* params)
{
    for (CMC_Behaviour_Entry** line = lines; *line != nullptr; ++line) {
        CMC_Object* result = (*line)->run(caller, params);
        if (isStopResult(result))
            return stopCode(result) == STOP_BREAK;
        releaseResult(result);
    }
    return false;
}

void CMC_Behaviour::deleteRetired()
{
    auto retired = std::move(retired_);
    for (auto& [form, releaseBlocks] : retired)
        deleteCompiled(std::move(form), releaseBlocks);
}

void CMC_Behaviour::adoptFollowUp(CMC_Behaviour* followUp)
{
    adoptedFollowUp_.reset(followUp);
}

void CMC_Behaviour::runOnTimer(int interval, int count, CXArray* args, CMC_Behaviour* followUp)
{
    ScriptWindow* window = getScene() != nullptr ? getScene()->getWindow() : nullptr;
    CXTimer* timers = window != nullptr ? window->GetTimerInterface() : nullptr;
    if (timer_ != nullptr || timers == nullptr) {
        CXString::releaseToVector(args);
        adoptedFollowUp_.reset();
        return;
    }
    if (args == nullptr)
        args = new CXArray(1, 0.75f);
    if (args->getCount() == 0)
        args->add(new CXString("0"));
    timer_ = std::make_unique<TimerRun>(TimerRun{window, CXTimer::allocateId(), count, args, followUp, nullptr});
    if (adoptedFollowUp_ != nullptr && adoptedFollowUp_.get() == followUp)
        timer_->ownFollowUp = std::move(adoptedFollowUp_);
    adoptedFollowUp_.reset();
    timers->add(timer_->id, static_cast<unsigned int>(std::max(interval, 0)), this);
    if (CPublicTrash* bin = binOf(window))
        bin->add(this);
}

bool CMC_Behaviour::isRunningOnTimer() const
{
    return timer_ != nullptr && !timer_->ended;
}

void CMC_Behaviour::onTimer(int)
{
    if (!isRunningOnTimer())
        return;
    TimerRun& timer = *timer_;
    const CFileSandbox::Scope confinement(timer.confined);
    ++timer.ticks;
    *timer.args->stringAt(0) = std::to_string(timer.ticks).c_str();
    timer.ticking = true;
    const bool broke = run(this, timer.args, false);
    timer.ticking = false;
    if (timer.ended) {
        // Broken off during the tick: the texts could only go now.
        CXString::releaseToVector(timer.args);
        timer.args = nullptr;
        return;
    }
    if (broke || (timer.count >= 1 && timer.ticks >= timer.count))
        endTimerRun(true);
}

void CMC_Behaviour::_break()
{
    if (timer_ != nullptr) {
        if (!timer_->ended)
            endTimerRun(false);
        return;
    }
    if (!isToDelete())
        leaveForDeletion(getScene() != nullptr ? getScene()->getWindow() : nullptr);
}

// The end behaviour runs after the timer is marked ended, so that a BREAK of the timer from
// the end code changes nothing more.
void CMC_Behaviour::endTimerRun(bool runFollowUp)
{
    TimerRun& timer = *timer_;
    timer.ended = true;
    if (timer.window == ScriptWindow::getInstance() && timer.window->GetTimerInterface() != nullptr)
        timer.window->GetTimerInterface()->remove(timer.id);
    CMC_Behaviour* followUp = timer.ownFollowUp != nullptr ? timer.ownFollowUp.get()
                              : isAlive(timer.followUp) ? timer.followUp
                                                        : nullptr;
    if (runFollowUp && followUp != nullptr) {
        followUp->run(this, timer.args, true);
        if (followUp != timer.ownFollowUp.get() && isAlive(followUp) && followUp->getName() == "temp") {
            if (followUp->getScene() != nullptr)
                followUp->getScene()->removeObject(followUp);
            addToTrash(followUp);
        }
    }
    timer.ownFollowUp.reset();
    leaveForDeletion(timer.window);
    if (!timer.ticking) {
        CXString::releaseToVector(timer.args);
        timer.args = nullptr;
    }
}

void CMC_Behaviour::leaveForDeletion(ScriptWindow* window)
{
    setToDelete();
    discardCompiled(true);
    if (getScene() != nullptr)
        getScene()->removeObject(this);
    CPublicTrash* bin = binOf(window);
    if (bin == nullptr)
        addToTrash(this);
    else if (!bin->contains(this))
        bin->add(this);
}

CPublicTrash* CMC_Behaviour::binOf(ScriptWindow* window)
{
    return window != nullptr && window == ScriptWindow::getInstance() ? window->getPublicTrashInterface() : nullptr;
}

void CMC_Behaviour::addTempObject(CMC_Object* object)
{
    if (tempObjects_ == nullptr)
        tempObjects_ = new CXVector(101, 0.75f);
    tempObjects_->add(object);
}

void CMC_Behaviour::flushTempObjects()
{
    if (tempObjects_ == nullptr || tempObjects_->getCount() == 0)
        return;
    const CXVector objects(*tempObjects_);
    tempObjects_->removeAll();
    for (int i = 0; i < objects.getCount(); ++i) {
        auto* object = static_cast<CMC_Object*>(objects.at(i));
        if (getScene() != nullptr)
            getScene()->removeObject(object);
        delete object;
    }
}

void CMC_Behaviour::resolveCondition()
{
    if (conditionName_.GetLength() == 0 || getScene() == nullptr)
        return;
    CMC_Object* found = getScene()->getObject(conditionName_.c_str());
    const bool isCondition = found != nullptr &&
                             (found->getType() == TYPE_CONDITION || found->getType() == TYPE_COMPLEXCONDITION);
    condition_ = isCondition ? dynamic_cast<CMC_BasicCondition*>(found) : nullptr;
}

void CMC_Behaviour::initTrash()
{
    if (globalTrash_ == nullptr)
        globalTrash_ = new CXVector(101, 0.75f);
}

void CMC_Behaviour::doneTrash()
{
    flushTrash();
    delete globalTrash_;
    globalTrash_ = nullptr;
}

void CMC_Behaviour::addToTrash(CMC_Object* object)
{
    initTrash();
    if (!globalTrash_->contains(object))
        globalTrash_->add(object);
}

// Deleting may put more objects into the list; they go in the same flush.
void CMC_Behaviour::flushTrash()
{
    while (globalTrash_ != nullptr && globalTrash_->getCount() > 0) {
        const CXVector objects(*globalTrash_);
        globalTrash_->removeAll();
        for (int i = 0; i < objects.getCount(); ++i)
            delete objects.at(i);
    }
}

CMC_Object* CMC_Behaviour::resolveParameter(CMC_ObjectsContainer* container, CMC_Object* caller, const CXString& text,
                                            CMC_Behaviour* behaviour)
{
    const bool hasCaret = text.Find('^', 0) != -1;
    CMC_ScratchText copy;
    const CXString& operand = trimmed(text, &copy);
    const int first = operand.GetAt(0);
    if (first == '[') {
        CMC_ScratchText inner;
        operand.mid(1, operand.GetLength() - 1, &inner.text());
        auto* expression = new CMC_Expression(container, inner.text().AllTrim(' '));
        addToTrash(expression);
        return expression;
    }
    CMC_Object* result = nullptr;
    if (operand.startsWith("CONV")) {
        CMC_ScratchText line("@");
        line.text() += operand;
        result = runLine(container, caller, line.text(), behaviour);
    } else if (hasCaret && first != '"') {
        result = runLine(container, caller, operand, behaviour);
    } else if (first == '-' || (first >= '0' && first <= '9')) {
        return CMC_Variable::resolve(operand);
    } else if (const int bar = operand.Find('|', 0); bar != -1) {
        if (container == nullptr)
            return nullptr;
        CMC_ScratchText structure;
        operand.left(bar, &structure.text());
        return CMC_Variable::fieldOf(container->getObject(structure.c_str()), operand.Right(bar + 1));
    } else {
        CMC_Object* named = container != nullptr ? container->getObject(operand.c_str()) : nullptr;
        return named != nullptr && isBasicValue(named) ? named : CMC_Variable::resolve(operand);
    }
    return isStopResult(result) ? nullptr : result;
}

CMC_Object* CMC_Behaviour::runLine(CMC_ObjectsContainer* container, CMC_Object* caller, const CXString& line,
                                   CMC_Behaviour* behaviour)
{
    int open = line.Find('(', 0);
    if (open == -1)
        open = line.GetLength();
    CMC_Object* object = nullptr;
    CMC_Runner* runner = nullptr;
    CXString method;
    const int first = line.GetAt(0);
    if (first == '@') {
        object = behaviour;
        runner = CMC_RunnerFactory::getRunner(0);
        method = line.Mid(1, open);
    } else if (first == '*') {
        CMC_Object* variable = resolveObject(container, caller, line.Mid(1, open), &method, behaviour);
        CMC_String* name = variable != nullptr ? CMC_Runner::readAsString(variable->asVariable(), nullptr) : nullptr;
        object = name != nullptr && container != nullptr ? container->getObject(name->getValue().c_str()) : nullptr;
        runner = object != nullptr ? runnerOf(object) : nullptr;
    } else {
        const CXString head = line.Left(open);
        object = resolveObject(container, caller, head, &method, behaviour);
        if (object != nullptr) {
            runner = runnerOf(object);
        } else {
            runner = CMC_RunnerFactory::getRunner(0);
            method = head;
        }
    }
    if (runner == nullptr)
        return nullptr;

    CXString arguments = line.Right(open);
    arguments.AllTrim(' ');
    if (arguments.startsWith("("))
        arguments = arguments.Right(1);
    if (arguments.endsWith(")"))
        arguments = arguments.Left(arguments.GetLength() - 1);
    arguments.AllTrim(' ');
    CXVector* params = resolveParameters(container, caller, arguments, behaviour);

    CMC_Object* result = method.startsWith("#")
                             ? runner->run(method.GetAt(1) & 0x7F, object, container, params)
                             : runner->run(method, object, container, params);
    for (int i = 0; params != nullptr && i < params->getCount(); ++i)
        releaseResult(static_cast<CMC_Object*>(params->at(i)));
    delete params;
    return result;
}

CMC_Object* CMC_Behaviour::resolveObject(CMC_ObjectsContainer* container, CMC_Object* caller, const CXString& head,
                                         CXString* method, CMC_Behaviour* behaviour)
{
    const int first = head.Find('^', 0);
    const int last = head.FindLast('^');
    *method = last != -1 ? head.Right(last + 1) : head;
    const CXString part = first > 0 ? head.Left(first) : CXString();
    if (part == "THIS")
        return caller;
    if (container == nullptr)
        return nullptr;
    if (part.startsWith("#"))
        return part.GetLength() > 2 ? container->getObject(part.GetAt(2) & 0x7F) : nullptr;
    if (part.startsWith("*")) {
        CMC_Object* value = resolveParameter(container, caller, part.Right(1), behaviour);
        CMC_String* name = value != nullptr ? CMC_Runner::readAsString(value->asVariable(), value) : nullptr;
        CMC_Object* object = name != nullptr ? container->getObject(name->getValue().c_str()) : nullptr;
        releaseResult(value);
        return object;
    }
    return container->getObject(part.c_str());
}

CXVector* CMC_Behaviour::resolveParameters(CMC_ObjectsContainer* container, CMC_Object* caller, const CXString& text,
                                           CMC_Behaviour* behaviour)
{
    if (text.GetLength() == 0)
        return nullptr;
    auto* values = new CXVector(101, 0.75f);
    for (const CXString& piece : CMC_CodeText::arguments(text)) {
        if (CMC_Object* value = resolveParameter(container, caller, piece, behaviour))
            values->add(value);
    }
    return values;
}
