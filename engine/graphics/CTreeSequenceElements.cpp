#include "graphics/CTreeSequenceElements.h"

#include "foundation/CFileNameResolver.h"
#include "graphics/AnimationObject.h"
#include "graphics/CAnimo6.h"
#include "graphics/CAnimoSequencePlayable.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/CSequencedPlayable.h"
#include "graphics/CSpeakingAnimation.h"
#include "graphics/GraphicsApplication.h"
#include "graphics/GraphicsWindow.h"
#include "media/CMC_Sound.h"
#include "media/CResourcesManager.h"
#include "media/CSound4.h"
#include "script/CMC_ObjectsContainer.h"


namespace {

// Animations that sequences load themselves stand above the scene's own objects.
constexpr int kSequencePriority = 1000;

// The animation's event of that name, else the text read as a number.
int eventNumber(CAnimo* animation, const CXString& event)
{
    const int number = animation->resolveEventName(event);
    return number == -1 ? event.toNumber() : number;
}

// A sound's full name in the sound folders.
CXString wavPath(GraphicsWindow* window, const CXString& name)
{
    if (window == nullptr)
        return name;
    GraphicsApplication* application = window->GetApplicationInterface();
    return application != nullptr ? application->getWAVPath(name) : window->GetSoundFXFullPath(name);
}

} // namespace

CTreeSequenceElements::CTreeSequenceElements(GraphicsWindow* window, CResourcesManager* resources)
    : window_(window)
    , resources_(resources)
{
}

CTreeSequenceElements::~CTreeSequenceElements() = default;

_tse_entry* CTreeSequenceElements::find(const CXString& name) const
{
    for (const auto& entry : entries_)
        if (entry->name == name)
            return entry.get();
    return nullptr;
}

void CTreeSequenceElements::add(const CXString& name)
{
    auto entry = std::make_unique<_tse_entry>();
    entry->name = name;
    entries_.push_back(std::move(entry));
}

void CTreeSequenceElements::setType(const CXString& name, const CXString& type)
{
    _tse_entry* entry = find(name);
    if (entry == nullptr)
        return;
    if (type == "SIMPLE")
        entry->type = _tse_entry::SIMPLE;
    else if (type == "SEQUENCE")
        entry->type = _tse_entry::SEQUENCE;
    else if (type == "SPEAKING")
        entry->type = _tse_entry::SPEAKING;
}

void CTreeSequenceElements::setFileName(const CXString& name, const CXString& fileName)
{
    if (_tse_entry* entry = find(name))
        entry->fileName = fileName;
}

void CTreeSequenceElements::setEvent(const CXString& name, const CXString& event)
{
    if (_tse_entry* entry = find(name))
        entry->event = event;
}

void CTreeSequenceElements::show(const CXString& name)
{
    _tse_entry* entry = find(name);
    if (entry != nullptr && entry->playable != nullptr && entry->type != _tse_entry::SEQUENCE)
        entry->playable->show();
}

void CTreeSequenceElements::hide(const CXString& name)
{
    _tse_entry* entry = find(name);
    if (entry != nullptr && entry->playable != nullptr && entry->type != _tse_entry::SEQUENCE)
        entry->playable->hide();
}

void CTreeSequenceElements::setMode(const CXString& name, const CXString& mode)
{
    _tse_entry* entry = find(name);
    if (entry == nullptr || entry->playable == nullptr)
        return;
    if (mode == "SEQUENCE")
        entry->playable->setMode(CPlayable::MODE_SEQUENCE);
    else if (mode == "RANDOM")
        entry->playable->setMode(CPlayable::MODE_RANDOM);
    else if (mode == "PARAMETER")
        entry->playable->setMode(CPlayable::MODE_PARAMETER);
}

void CTreeSequenceElements::setWaitMode(const CXString& name, bool wait)
{
    _tse_entry* entry = find(name);
    if (entry != nullptr && entry->playable != nullptr)
        entry->playable->setWaitMode(wait);
}

void CTreeSequenceElements::addSequenceEvent(const CXString& name, const CXString& event, const CXString& value)
{
    _tse_entry* entry = find(name);
    if (entry != nullptr && entry->playable != nullptr)
        entry->playable->addEvent(event, value);
}

CSpeakingAnimation* CTreeSequenceElements::speaking(const CXString& name) const
{
    _tse_entry* entry = find(name);
    if (entry == nullptr || entry->type != _tse_entry::SPEAKING)
        return nullptr;
    return dynamic_cast<CSpeakingAnimation*>(entry->playable);
}

void CTreeSequenceElements::setStarting(const CXString& name, bool starting)
{
    if (CSpeakingAnimation* playable = speaking(name))
        playable->setStarting(starting);
}

void CTreeSequenceElements::setEnding(const CXString& name, bool ending)
{
    if (CSpeakingAnimation* playable = speaking(name))
        playable->setEnding(ending);
}

void CTreeSequenceElements::setPrefix(const CXString& name, const CXString& prefix)
{
    if (CSpeakingAnimation* playable = speaking(name))
        playable->setPrefix(prefix);
}

void CTreeSequenceElements::setAnimoFN(const CXString& name, const CXString& fileName)
{
    if (CSpeakingAnimation* playable = speaking(name))
        playable->setAnimation(fileName);
}

void CTreeSequenceElements::setWAVFN(const CXString& name, const CXString& value)
{
    CSpeakingAnimation* playable = speaking(name);
    if (playable == nullptr)
        return;
    if (_tse_entry* other = find(value); other != nullptr && other != find(name)) {
        playable->apply(other->playable);
        return;
    }
    CMC_ObjectsContainer* scene = window_ != nullptr ? window_->getRunningScene() : nullptr;
    if (auto* object = scene != nullptr ? dynamic_cast<CMC_Sound*>(scene->getObject(value.c_str())) : nullptr)
        playable->apply(static_cast<CPlayable*>(object->getSound()));
    else
        playable->apply(wavPath(window_, value));
}

void CTreeSequenceElements::add(const CXString& child, const CXString& parent)
{
    _tse_entry* childEntry = find(child);
    _tse_entry* parentEntry = find(parent);
    if (childEntry == nullptr || parentEntry == nullptr || childEntry->playable == nullptr)
        return;
    auto* sequence = dynamic_cast<CSequencedPlayable*>(parentEntry->playable);
    auto* childSequence = dynamic_cast<CSequencedPlayable*>(childEntry->playable);
    // A sequence under itself would play and delete itself for ever.
    if (sequence == nullptr || (childSequence != nullptr && childSequence->holds(sequence)))
        return;
    childEntry->playable->addParent();
    sequence->addChild(childEntry->playable);
}

void CTreeSequenceElements::create(_tse_entry* entry, CPlayableObserver* observer)
{
    if (entry == nullptr)
        return;
    switch (entry->type) {
    case _tse_entry::SIMPLE:
        createSimple(entry);
        break;
    case _tse_entry::SEQUENCE:
        entry->playable = new CSequencedPlayable(window_);
        break;
    case _tse_entry::SPEAKING:
        entry->playable = new CSpeakingAnimation(window_, resources_);
        break;
    default:
        return;
    }
    if (entry->playable == nullptr)
        return;
    made_.push_back(entry->playable);
    entry->playable->setGenericNotifier(observer);
}

void CTreeSequenceElements::createSimple(_tse_entry* entry)
{
    entry->playable = nullptr;
    CMC_ObjectsContainer* scene = window_ != nullptr ? window_->getRunningScene() : nullptr;
    auto* object = scene != nullptr ? dynamic_cast<AnimationObject*>(scene->getObject(entry->fileName.c_str())) : nullptr;
    if (object != nullptr && object->getAnimo() != nullptr) {
        auto* leaf = new CAnimoSequencePlayable(window_, object);
        leaf->setEventNo(eventNumber(object->getAnimo(), entry->event));
        object->addSeq(leaf);
        entry->playable = leaf;
        return;
    }
    const CXString extension = CFileNameResolver(entry->fileName).getExtension();
    if (extension.equalsIgnoreCase("ANN")) {
        CAnimo* animation = resources_ != nullptr ? resources_->getAs<CAnimo>(entry->fileName) : nullptr;
        if (animation == nullptr) {
            animation = new CAnimo(window_, entry->fileName);
            if (CRefreshScreen* screen = window_ != nullptr ? window_->GetRefreshScreenInterface() : nullptr)
                screen->put(animation, kSequencePriority);
            if (resources_ != nullptr)
                resources_->add(static_cast<CPlayable*>(animation));
        }
        auto* leaf = new CAnimoSequencePlayable(window_, animation);
        leaf->setEventNo(eventNumber(animation, entry->event));
        entry->playable = leaf;
    } else if (extension.equalsIgnoreCase("WAV")) {
        const CXString path = wavPath(window_, entry->fileName);
        CSound4* sound = resources_ != nullptr ? resources_->getAs<CSound4>(path) : nullptr;
        if (sound == nullptr) {
            sound = new CSound4(window_, path, true, false);
            if (resources_ != nullptr)
                resources_->add(sound);
        }
        entry->playable = sound;
    }
}

void CTreeSequenceElements::dropUnlinked(CPlayable* root)
{
    std::vector<CPlayable*> unlinked;
    for (CPlayable* playable : made_) {
        if (playable == root || playable->getParentsNo() > 0)
            continue;
        // A sound outside the tree stays with its manager, and must not report to the tree's
        // observer, which may go first.
        if (playable->getType() == CSound4::kType)
            playable->setGenericNotifier(nullptr);
        else
            unlinked.push_back(playable);
    }
    made_.clear();
    for (CPlayable* playable : unlinked)
        delete playable;
}
