#include "script/CMC_Behaviour_Entry.h"

#include "foundation/CXArray.h"
#include "foundation/CXVector.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_CodeBlockName.h"
#include "script/CMC_CodeText.h"
#include "script/CMC_Expression.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_Runner.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"

namespace {

// Filled texts whose compiled form a slot keeps; further texts are compiled for one run.
constexpr size_t kFilledForms = 8;
// Arguments whose release notes fit on the stack.
constexpr int kLocalReleases = 8;

bool holds(const CXString& text, char c)
{
    return text.Find(c, 0) != -1;
}

// What a statement made from a filled text must do before it is deleted: code it compiled
// keeps its blocks in the container when the container deletes them itself.
void prepareDeletion(CMC_Object* made, bool releaseBlocks)
{
    if (made == nullptr)
        return;
    switch (made->getType()) {
    case CMC_Object::TYPE_STATEMENT:
        static_cast<CMC_Behaviour_Entry*>(made)->releaseTempBeh(releaseBlocks);
        break;
    case CMC_Object::TYPE_EXPRESSION:
        static_cast<CMC_Expression*>(made)->releaseTempBeh(releaseBlocks);
        break;
    case CMC_Object::TYPE_BEHAVIOUR:
        if (!releaseBlocks)
            static_cast<CMC_Behaviour*>(made)->done(true);
        break;
    default:
        break;
    }
}

} // namespace

CMC_Behaviour_Entry::CMC_Behaviour_Entry(CMC_Behaviour* owner, const CXString& line)
    : CMC_Object(CXString("code"), TYPE_STATEMENT)
    , line_(line)
    , owner_(owner)
{
    setScene(owner != nullptr ? owner->getScene() : nullptr);
    ++nesting_;
    if (nesting_ <= kMaxNesting)
        parse();
    --nesting_;
}

CMC_Behaviour_Entry::~CMC_Behaviour_Entry()
{
    CMC_ObjectsContainer* container = ownerContainer();
    for (Slot& slot : slots_) {
        if (slot.kind == Slot::Kind::Block && releaseBlocks_ && container != nullptr) {
            CMC_Object* block = container->getObject(slot.name.c_str());
            if (block != nullptr && block->getType() == TYPE_BEHAVIOUR && container->removeObject(block))
                delete block;
        }
        discardFilled(slot);
    }
    discardFilled(literalForms_);
    delete values_;
}

// Behaviours keep their container in the object's own field, so the owner's is read without
// a virtual call.
inline CMC_ObjectsContainer* CMC_Behaviour_Entry::ownerContainer()
{
    return owner_ != nullptr ? owner_->CMC_Object::getScene() : CMC_Object::getScene();
}

CMC_ObjectsContainer* CMC_Behaviour_Entry::getScene()
{
    return ownerContainer();
}

std::vector<CMC_Behaviour_Entry*> CMC_Behaviour_Entry::getCodeLines(CMC_Behaviour* owner, const CXString& code)
{
    std::vector<CMC_Behaviour_Entry*> lines;
    for (const CXString& statement : CMC_CodeText::statements(code))
        lines.push_back(new CMC_Behaviour_Entry(owner, statement));
    lines.push_back(nullptr);
    return lines;
}

void CMC_Behaviour_Entry::releaseTempBeh(bool release)
{
    releaseBlocks_ = release;
    for (Slot& slot : slots_) {
        if (slot.statement != nullptr)
            slot.statement->releaseTempBeh(release);
        if (slot.kind == Slot::Kind::Expression)
            static_cast<CMC_Expression*>(slot.owned.get())->releaseTempBeh(release);
    }
    if (ownExpression_ != nullptr)
        ownExpression_->releaseTempBeh(release);
    if (referenceExpression_ != nullptr)
        referenceExpression_->releaseTempBeh(release);
}

void CMC_Behaviour_Entry::discardFilled(Slot& slot)
{
    for (auto& filled : slot.filled)
        prepareDeletion(filled->made.get(), releaseBlocks_);
    slot.filled.clear();
}

void CMC_Behaviour_Entry::parse()
{
    CXString text = line_;
    if (text.endsWith(";"))
        text.left(text.GetLength() - 1);
    const int open = text.Find('(', 0);
    const int first = text.GetAt(0);
    if (first == '@') {
        parseBuiltin(text, open);
    } else if (first == '*') {
        parseReference(text, open);
    } else if (text.startsWith("THIS")) {
        form_ = Form::This;
        methodName_ = text.Mid(5, open == -1 ? text.GetLength() : open);
        parseArguments(text, open);
    } else if (first == '[') {
        parseBracket(text);
    } else if (first == '"' || !holds(text, '^')) {
        parseLiteral(text);
    } else {
        parseCall(text, open);
    }
}

void CMC_Behaviour_Entry::bindMethod(CMC_Runner* runner)
{
    if (runner == nullptr)
        return;
    rebindMethod(runner);
    parsedMethod_ = methodId_;
}

void CMC_Behaviour_Entry::rebindMethod(CMC_Runner* runner)
{
    methodId_ = runner->resolveMethod(methodName_);
    methodRunner_ = runner->getSerial();
    readsOnly_ = methodId_ != -1 && runner->readsArgumentsOnly(methodId_);
}

void CMC_Behaviour_Entry::parseBuiltin(const CXString& text, int open)
{
    form_ = Form::Builtin;
    methodName_ = text.Mid(1, open == -1 ? text.GetLength() : open);
    object_ = owner_;
    bindMethod(builtinRunner());
    parseArguments(text, open);
}

void CMC_Behaviour_Entry::parseReference(const CXString& text, int open)
{
    form_ = Form::Reference;
    const int close = text.Find(']', 0) + 1;
    int caret = text.Find('^', close);
    if (close < open)
        open = text.Find('(', caret);
    else
        caret = text.Find('^', 0);
    objectName_ = text.Mid(1, caret);
    methodName_ = text.Mid(caret + 1, open == -1 ? text.GetLength() : open);
    if (objectName_.startsWith("[")) {
        referenceExpression_ = std::make_unique<CMC_Expression>(
            ownerContainer(), objectName_.Mid(1, objectName_.GetLength() - 1));
    } else {
        find(objectLookup_, objectName_.c_str());
    }
    parseArguments(text, open);
}

void CMC_Behaviour_Entry::parseBracket(const CXString& text)
{
    form_ = Form::Bracket;
    const CXString inner = text.Mid(1, text.GetLength() - 1);
    literalValue_.reset(static_cast<CMC_Variable*>(literalCopy(line_)));
    if (!holds(inner, '$')) {
        literalText_ = "XXX";
        ownExpression_ = std::make_unique<CMC_Expression>(ownerContainer(), inner);
        return;
    }
    literalText_ = "[" + inner + "]";
    literalHasParams_ = true;
}

// Only objects that are not temporary are bound; a temporary value is found by name at
// each run, as are all variables. An empty text, such as an operand that an expression's
// leading operator leaves, has no value at all.
void CMC_Behaviour_Entry::parseLiteral(const CXString& text)
{
    form_ = Form::Literal;
    if (text.GetLength() == 0)
        return;
    literalValue_.reset(static_cast<CMC_Variable*>(literalCopy(line_)));
    CMC_Object* found = find(objectLookup_, text.c_str());
    boundAtParse_ = found != nullptr && !found->isTemporary();
    literalText_ = boundAtParse_ ? found->getName() : text;
    plainLiteral_ = true;
    if (boundAtParse_) {
        objectLookup_.remember(ownerContainer(), literalText_.c_str(), found);
        return;
    }
    literalHasParams_ = holds(literalText_, '$');
    const int bar = literalText_.Find('|', 0);
    if (!literalHasParams_ && bar != -1) {
        objectName_ = literalText_.Left(bar);
        fieldName_ = literalText_.Right(bar + 1);
        // The look-up serves the structure's name from now on, not the whole text.
        find(objectLookup_, objectName_.c_str());
    }
    plainLiteral_ = !literalHasParams_ && bar == -1;
}

void CMC_Behaviour_Entry::parseCall(const CXString& text, int open)
{
    form_ = Form::Call;
    const int caret = text.Find('^', 0);
    objectName_ = text.Left(caret);
    methodName_ = text.Mid(caret + 1, open == -1 ? text.GetLength() : open);
    if (holds(objectName_, '$')) {
        objectHasParams_ = true;
        methodHasParams_ = holds(methodName_, '$');
    } else {
        const int bar = objectName_.Find('|', 0);
        if (bar != -1) {
            fieldName_ = objectName_.Right(bar + 1);
            objectName_.left(bar);
        }
        CMC_Object* found = find(objectLookup_, objectName_.c_str());
        object_ = bar != -1 ? CMC_Variable::fieldOf(found, fieldName_) : found;
        if (object_ != nullptr)
            bindMethod(runnerOf(object_));
        plainCall_ = bar == -1;
    }
    parseArguments(text, open);
}

void CMC_Behaviour_Entry::parseArguments(const CXString& text, int open)
{
    if (open == -1)
        return;
    const CXString arguments = text.Mid(open + 1, text.GetLength() - 1);
    if (arguments.GetLength() == 0)
        return;
    values_ = new CXVector(101, 0.75f);
    for (const CXString& piece : CMC_CodeText::arguments(arguments))
        addArgument(piece);
}

void CMC_Behaviour_Entry::addArgument(const CXString& piece)
{
    Slot slot;
    CMC_Object* value = nullptr;
    const char* text = piece.c_str();
    if (text[0] == '[' && !holds(piece, '$')) {
        slot.kind = Slot::Kind::Expression;
        slot.owned = std::make_unique<CMC_Expression>(ownerContainer(), piece.Mid(1, piece.GetLength() - 1));
        value = slot.owned.get();
    } else if (CMC_CodeText::isBlock(text)) {
        slot.kind = Slot::Kind::Block;
        CMC_Behaviour* block = makeBlock(piece, "temp_");
        slot.name = block->getName();
        slot.owned = std::make_unique<CMC_CodeBlockName>("temp", slot.name);
        slot.hasParams = holds(piece, '$');
        if (slot.hasParams) {
            evaluated_.push_back(static_cast<int>(slots_.size()));
            onlyLiterals_ = false;
        }
        if (ownerContainer() != nullptr)
            ownerContainer()->addObject(block);
        value = slot.owned.get();
    } else if (text[0] == '&' && !CMC_CodeText::isCode(text)) {
        slot.name = piece.Right(1);
        value = variableIn(find(slot.lookup, slot.name.c_str()));
        slot.owned.reset(literalCopy(slot.name));
        slot.kind = value != nullptr ? Slot::Kind::Variable : Slot::Kind::LiteralCopy;
        hasVariables_ = hasVariables_ || value != nullptr;
        if (value == nullptr)
            value = slot.owned.get();
    } else {
        slot.kind = Slot::Kind::Statement;
        slot.hasParams = CMC_CodeText::isCode(text) && holds(piece, '$');
        if (slot.hasParams)
            slot.name = piece;
        else
            slot.statement = std::make_unique<CMC_Behaviour_Entry>(owner_, piece);
        evaluated_.push_back(static_cast<int>(slots_.size()));
        onlyLiterals_ = onlyLiterals_ && slot.statement != nullptr && slot.statement->isPlainLiteral();
    }
    values_->add(value);
    slots_.push_back(std::move(slot));
}

CMC_Behaviour* CMC_Behaviour_Entry::makeBlock(const CXString& piece, const char* prefix)
{
    const CXString name = prefix + CXString::toString(blockCounter_++);
    auto* block = new CMC_Behaviour(ownerContainer(), name, CMC_CodeText::blockCode(piece));
    block->init();
    return block;
}

CMC_Object* CMC_Behaviour_Entry::find(CMC_NameLookup& lookup, const char* name)
{
    return lookup.find(ownerContainer(), name);
}

inline CMC_Runner* CMC_Behaviour_Entry::runnerOf(CMC_Object* object)
{
    if (object == nullptr)
        return nullptr;
    CMC_Runner* runner = CMC_RunnerFactory::getRunner(object->getType());
    return runner != nullptr ? runner : object->getRunner();
}

CMC_Runner* CMC_Behaviour_Entry::builtinRunner() const
{
    CMC_Runner* runner = CMC_RunnerFactory::getRunner(0);
    return runner != nullptr || owner_ == nullptr ? runner : owner_->getRunner();
}

CMC_Object* CMC_Behaviour_Entry::literalCopy(const CXString& text)
{
    CMC_Variable* literal = CMC_Variable::resolve(text);
    CXObject* copy = literal->clone();
    flush(literal, false);
    return static_cast<CMC_Variable*>(copy);
}

inline CMC_Variable* CMC_Behaviour_Entry::variableIn(CMC_Object* object)
{
    if (object == nullptr)
        return nullptr;
    switch (object->getType()) {
    case TYPE_INTEGER:
    case TYPE_STRING:
    case TYPE_BOOL:
    case TYPE_DOUBLE:
        return object->asVariable();
    default:
        return nullptr;
    }
}

CMC_Object* CMC_Behaviour_Entry::run(CMC_Object* caller, CXArray* params)
{
    if (form_ == Form::Literal)
        return runLiteral(params, true);
    if (form_ == Form::Bracket)
        return literalHasParams_ ? runFilledBracket(params) : ownExpression_.get();
    if (hasVariables_)
        refreshVariables();
    // The target is known before the arguments when it can be (the "@" runner, or a named
    // object when the arguments are literals, which change nothing), so that a method that
    // only reads its arguments is given the literals themselves instead of copies.
    Target target;
    if (form_ == Form::Builtin)
        target = {owner_, builtinRunner(), &methodName_};
    else if (plainCall_ && onlyLiterals_)
        findTarget(caller, params, &target);
    if (target.runner != nullptr && target.runner->getSerial() != methodRunner_)
        rebindMethod(target.runner);
    const bool copyLiterals = target.runner == nullptr || !readsOnly_;
    // A statement run again from inside its own run fills values of its own.
    if (depth_ > 0)
        return runApart(caller, params, &target, copyLiterals, evaluated_);
    const std::vector<int>& slots = slotsToEvaluate(copyLiterals);
    if (slots.size() > kLocalReleases)
        return runApart(caller, params, &target, copyLiterals, slots);
    Release releases[kLocalReleases];
    ++depth_;
    CMC_Object* result = runWith(caller, params, &target, {values_, &slots, releases}, copyLiterals);
    --depth_;
    return result;
}

// Arguments that are all plain literals are settled: while the containers stay as they were,
// each gives the same object or prepared value at every run, which stays among the values.
// Only the literals that give copies are evaluated again.
inline const std::vector<int>& CMC_Behaviour_Entry::slotsToEvaluate(bool copyLiterals)
{
    if (!onlyLiterals_ || evaluated_.empty())
        return evaluated_;
    CMC_ObjectsContainer* container = ownerContainer();
    if (settledCount_ != CMC_ObjectsContainer::getChangeCount() || settledContainer_ != container ||
        settledCopies_ != copyLiterals)
        settleLiterals(container, copyLiterals);
    return copying_;
}

void CMC_Behaviour_Entry::settleLiterals(CMC_ObjectsContainer* container, bool copyLiterals)
{
    copying_.clear();
    for (int i : evaluated_) {
        CMC_Object* steady = slots_[static_cast<size_t>(i)].statement->steadyLiteral(copyLiterals);
        if (steady != nullptr)
            values_->setAt(i, steady);
        else
            copying_.push_back(i);
    }
    settledCount_ = CMC_ObjectsContainer::getChangeCount();
    settledContainer_ = container;
    settledCopies_ = copyLiterals;
}

// A nested run works on a copy of the values; notes of many arguments go on the heap.
CMC_Object* CMC_Behaviour_Entry::runApart(CMC_Object* caller, CXArray* params, Target* target, bool copyLiterals,
                                          const std::vector<int>& slots)
{
    std::unique_ptr<CXVector> ownValues;
    if (depth_ > 0 && values_ != nullptr)
        ownValues = std::make_unique<CXVector>(*values_);
    auto releases = std::make_unique<Release[]>(slots.size());
    ++depth_;
    CMC_Object* result = runWith(caller, params, target,
                                 {ownValues != nullptr ? ownValues.get() : values_, &slots, releases.get()}, copyLiterals);
    --depth_;
    return result;
}

// Other targets are found after the arguments.
inline CMC_Object* CMC_Behaviour_Entry::runWith(CMC_Object* caller, CXArray* params, Target* target,
                                                const Arguments& arguments, bool copyLiterals)
{
    const bool evaluates = !arguments.slots->empty();
    if (evaluates)
        evaluateArguments(caller, params, arguments, copyLiterals);
    if (target->method == nullptr)
        findTarget(caller, params, target);
    CMC_Object* result =
        target->runner != nullptr ? call(target->object, target->runner, *target->method, arguments.values) : nullptr;
    if (evaluates)
        releaseArguments(arguments);
    return result;
}

// What a plain literal gives without a copy: the object its name finds (a value, or an
// object found at parse that is no temporary), else its prepared value unless a copy is
// asked for; none when it must give a copy.
inline CMC_Object* CMC_Behaviour_Entry::steadyLiteral(bool copy)
{
    CMC_Object* found = objectLookup_.findFixed(ownerContainer(), literalText_.c_str());
    if (found != nullptr) {
        if (boundAtParse_ && !found->isTemporary())
            return found;
        if (CMC_Variable* variable = variableIn(found))
            return variable;
    }
    return copy ? nullptr : literalValue_.get();
}

// Given to a statement that only reads it, a literal is its prepared value itself; anyone
// else gets a pooled copy, which it may change.
inline CMC_Object* CMC_Behaviour_Entry::runLiteral(CXArray* params, bool copy)
{
    if (!plainLiteral_)
        return runFilledOrFieldLiteral(params, copy);
    CMC_Object* steady = steadyLiteral(copy);
    return steady != nullptr ? steady : CMC_VariableFactory::copyVariable(literalValue_.get());
}

CMC_Object* CMC_Behaviour_Entry::runFilledOrFieldLiteral(CXArray* params, bool copy)
{
    if (literalValue_ == nullptr)
        return nullptr;
    if (literalHasParams_) {
        CMC_CodeText::fillParams(literalText_.c_str(), params, &nameFilled_);
        CMC_ObjectsContainer* container = ownerContainer();
        CMC_Variable* variable = variableIn(container != nullptr ? container->getObject(nameFilled_.c_str()) : nullptr);
        return variable != nullptr ? variable : CMC_Variable::resolve(CXString(nameFilled_.c_str()));
    }
    CMC_Variable* field = CMC_Variable::fieldOf(findFixed(objectLookup_, objectName_.c_str()), fieldName_);
    if (field != nullptr)
        return field;
    return copy ? CMC_VariableFactory::copyVariable(literalValue_.get()) : literalValue_.get();
}

// The Part's text leaves the new expression uncomputed; it is computed, so that the
// statement gives its value.
CMC_Object* CMC_Behaviour_Entry::runFilledBracket(CXArray* params)
{
    CMC_CodeText::fillParams(literalText_.c_str(), params, &nameFilled_);
    Filled* kept = filledFor(literalForms_);
    std::unique_ptr<CMC_Object> fresh;
    CMC_Object* made = kept != nullptr ? kept->made.get() : nullptr;
    if (made == nullptr) {
        const CXString filled(nameFilled_.c_str());
        made = new CMC_Expression(ownerContainer(), filled.Mid(1, filled.GetLength() - 1));
        if (kept != nullptr)
            kept->made.reset(made);
        else
            fresh.reset(made);
    }
    auto* expression = static_cast<CMC_Expression*>(made);
    expression->calculate();
    CMC_Variable* result = expression->getResult();
    if (result != nullptr && result->getId() >= 0)
        return CMC_VariableFactory::copyVariable(result);
    if (result != nullptr && (kept != nullptr || variableIn(result) != nullptr))
        return result;
    return CMC_VariableFactory::copyVariable(literalValue_.get());
}

void CMC_Behaviour_Entry::refreshVariables()
{
    for (size_t i = 0; i < slots_.size(); ++i) {
        Slot& slot = slots_[i];
        if (slot.kind != Slot::Kind::Variable)
            continue;
        CMC_Variable* variable = variableIn(findFixed(slot.lookup, slot.name.c_str()));
        values_->setAt(static_cast<int>(i), variable != nullptr ? variable : slot.owned.get());
    }
}

CMC_Behaviour_Entry::Filled* CMC_Behaviour_Entry::filledFor(Slot& slot)
{
    for (auto& filled : slot.filled)
        if (filled->text == nameFilled_)
            return filled.get();
    if (slot.filled.size() >= kFilledForms)
        return nullptr;
    slot.filled.push_back(std::make_unique<Filled>());
    slot.filled.back()->text = nameFilled_;
    return slot.filled.back().get();
}

void CMC_Behaviour_Entry::evaluateArguments(CMC_Object* caller, CXArray* params, const Arguments& arguments,
                                            bool copyLiterals)
{
    const std::vector<int>& slots = *arguments.slots;
    for (size_t n = 0; n < slots.size(); ++n) {
        const int i = slots[n];
        Slot& slot = slots_[static_cast<size_t>(i)];
        if (slot.kind == Slot::Kind::Block) {
            // A block that uses parameters takes this run's.
            if (params != nullptr) {
                CMC_Object* block = findFixed(slot.lookup, slot.name.c_str());
                if (block != nullptr && block->getType() == TYPE_BEHAVIOUR)
                    static_cast<CMC_Behaviour*>(block)->setParams(params);
            }
            continue;
        }
        Release& release = arguments.releases[n];
        CMC_Object* value = nullptr;
        if (slot.hasParams) {
            release = Release{};
            value = evaluateFilled(slot, caller, params, &release);
        } else {
            CMC_Behaviour_Entry* statement = slot.statement.get();
            value = statement->form_ == Form::Literal ? statement->runLiteral(params, copyLiterals)
                                                      : statement->run(caller, params);
            release.result = value;
        }
        arguments.values->setAt(i, isStopResult(value) ? nullptr : value);
    }
}

CMC_Object* CMC_Behaviour_Entry::evaluateFilled(Slot& slot, CMC_Object* caller, CXArray* params, Release* release)
{
    CMC_ObjectsContainer* container = ownerContainer();
    CMC_CodeText::fillParams(slot.name.c_str(), params, &nameFilled_);
    const char* text = nameFilled_.c_str();
    const bool isExpression = text[0] == '[';
    const bool isBlock = !isExpression && CMC_CodeText::isBlock(text);
    const bool isCode = !isExpression && CMC_CodeText::isCode(text);
    if (!isExpression && !isCode) {
        CMC_Variable* variable = variableIn(container != nullptr ? container->getObject(text) : nullptr);
        if (variable != nullptr)
            return variable;
        release->result = CMC_Variable::resolve(CXString(text));
        return release->result;
    }

    Filled* kept = filledFor(slot);
    Filled made;
    Filled* form = kept != nullptr ? kept : &made;
    if (form->made == nullptr) {
        const CXString filled(text);
        if (isExpression) {
            form->made = std::make_unique<CMC_Expression>(container, filled.Mid(1, filled.GetLength() - 1));
        } else if (isBlock) {
            CMC_Behaviour* block = makeBlock(filled, "xtemp_");
            form->made.reset(block);
            form->blockName = std::make_unique<CMC_CodeBlockName>("xtemp", block->getName());
        } else {
            form->made = std::make_unique<CMC_Behaviour_Entry>(owner_, filled);
        }
    }

    CMC_Object* value = form->made.get();
    if (isBlock) {
        release->block = static_cast<CMC_Behaviour*>(value);
        if (container != nullptr)
            container->addObject(release->block);
        value = form->blockName.get();
    } else if (!isExpression) {
        value = static_cast<CMC_Behaviour_Entry*>(value)->run(caller, params);
        release->result = value;
    }
    if (kept == nullptr) {
        release->made = form->made.release();
        release->madeName = form->blockName.release();
    }
    return value;
}

void CMC_Behaviour_Entry::releaseArguments(const Arguments& arguments)
{
    const std::vector<int>& slots = *arguments.slots;
    for (size_t n = 0; n < slots.size(); ++n) {
        const int i = slots[n];
        const Slot& slot = slots_[static_cast<size_t>(i)];
        if (slot.kind != Slot::Kind::Statement)
            continue;
        if (slot.hasParams)
            releaseFilled(arguments.releases[n]);
        else
            releaseResult(arguments.releases[n].result);
        arguments.values->setAt(i, nullptr);
    }
}

// The block made for the run leaves the container before the result goes.
void CMC_Behaviour_Entry::releaseFilled(const Release& release)
{
    CMC_ObjectsContainer* container = ownerContainer();
    if (release.block != nullptr && container != nullptr)
        container->removeObject(release.block);
    releaseResult(release.result);
    delete release.made;
    delete release.madeName;
}

// A target without its object or runner has no runner.
inline void CMC_Behaviour_Entry::findTarget(CMC_Object* caller, CXArray* params, Target* target)
{
    target->method = &methodName_;
    if (plainCall_) {
        target->object = findFixed(objectLookup_, objectName_.c_str());
        target->runner = runnerOf(target->object);
    } else if (!lookUpTarget(caller, params, &target->object, &target->runner, &target->method)) {
        target->runner = nullptr;
    }
    if (target->runner != nullptr)
        object_ = target->object;
}

bool CMC_Behaviour_Entry::lookUpTarget(CMC_Object* caller, CXArray* params, CMC_Object** object, CMC_Runner** runner,
                                       const CXString** method)
{
    CMC_ObjectsContainer* container = ownerContainer();
    *method = &methodName_;
    switch (form_) {
    case Form::This:
        if (container != nullptr && container->getType() == TYPE_CLASS) {
            *object = container;
            *runner = CMC_RunnerFactory::getRunner(TYPE_CLASS);
        } else {
            *object = caller;
            *runner = runnerOf(caller);
        }
        break;
    case Form::Reference: {
        CMC_Object* source = referenceExpression_ != nullptr ? referenceExpression_.get()
                                                             : findFixed(objectLookup_, objectName_.c_str());
        if (source == nullptr)
            return false;
        CMC_String* name = CMC_Runner::readAsString(source->asVariable(), source);
        *object = name != nullptr ? find(targetLookup_, name->getValue().c_str()) : nullptr;
        *runner = runnerOf(*object);
        break;
    }
    default:
        if (objectHasParams_) {
            CMC_CodeText::fillParams(objectName_.c_str(), params, &nameFilled_);
            *object = find(targetLookup_, nameFilled_.c_str());
            if (methodHasParams_) {
                CMC_CodeText::fillParams(methodName_.c_str(), params, &methodFilled_);
                methodText_ = methodFilled_.c_str();
                *method = &methodText_;
            }
        } else {
            CMC_Object* found = findFixed(objectLookup_, objectName_.c_str());
            *object = fieldName_.GetLength() > 0 ? CMC_Variable::fieldOf(found, fieldName_) : found;
        }
        *runner = runnerOf(*object);
        break;
    }
    return *object != nullptr && *runner != nullptr;
}

// A name is resolved once per runner; a name the runner does not know goes by name, for
// runners that serve names of their own.
inline CMC_Object* CMC_Behaviour_Entry::call(CMC_Object* object, CMC_Runner* runner, const CXString& method,
                                             CXVector* args)
{
    if (&method != &methodName_)
        return runner->run(method, object, ownerContainer(), args);
    if (runner->getSerial() != methodRunner_)
        rebindMethod(runner);
    return methodId_ != -1 ? runner->run(methodId_, object, ownerContainer(), args)
                           : runner->run(methodName_, object, ownerContainer(), args);
}
