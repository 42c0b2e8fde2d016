#include "CMC_World.h"

#include "CMC_World_Runner.h"
#include "TolvanWorld.h"

#include "foundation/CXArchive.h"
#include "foundation/DoubleToInt.h"
#include "graphics/CGraphicsObject.h"
#include "platform/DebugOutput.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"

#include <charconv>
#include <cstring>
#include <string>
#include <vector>

namespace {

const CXString kAtGoal("ONSIGNAL^ATGOAL");
const CXString kNoPath("ONSIGNAL^NOPATH");
const CXString kAny("ONSIGNAL^ANY");
const CXString kNoCollision("ONSIGNAL^NOCOLL");
const CXString kStarted("ONSIGNAL^ONSTARTED");
const CXString kFinished("ONSIGNAL^ONFINISHED");
// The record's note of the file the world was made from.
const CXString kFileNameNote("{FILENAME}");

// "ONSIGNAL^" and the body's id in signed decimal.
CXString collisionSignal(uint32_t id)
{
    char name[32] = "ONSIGNAL^";
    const size_t prefix = std::strlen(name);
    *std::to_chars(name + prefix, name + sizeof name - 1, static_cast<int32_t>(id)).ptr = '\0';
    return CXString(name);
}

std::unique_ptr<CMC_World_Runner>& sharedRunner()
{
    static std::unique_ptr<CMC_World_Runner> runner;
    return runner;
}

void debugLine(const std::string& line)
{
    platform::debugOutput((line + "\n").c_str());
}

} // namespace

CMC_World::CMC_World(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_World(container, element, makeTolvanWorld())
{
}

CMC_World::CMC_World(CMC_ObjectsContainer* container, CMElement* element, std::unique_ptr<ITolvan> world)
    : CMC_Object(container, element, TYPE_WORLD)
    , world_(std::move(world))
{
    startWorld(element->getPropertyValue("FILENAME"));
    startWatching();
    initializeBehaviours(container, element);
}

CMC_World::CMC_World(CMC_ObjectsContainer* container)
    : CMC_World(container, makeTolvanWorld())
{
}

CMC_World::CMC_World(CMC_ObjectsContainer* container, std::unique_ptr<ITolvan> world)
    : CMC_Object(CXString(), TYPE_WORLD)
    , world_(std::move(world))
{
    setScene(container);
    startWorld(CXString());
    startWatching();
}

CMC_World::~CMC_World()
{
    CPlayable::unwatch(this);
    CMC_Object::unwatch(this);
    sharedRunner().reset();
}

void CMC_World::startWorld(const CXString& fileName)
{
    fileName_ = fileName;
    if (world_ == nullptr)
        debugLine(std::string("WORLD ") + getName().c_str() + ": no world could be made; its methods do nothing");
    else if (world_->Create(fileName.c_str()) != ITolvan::OK)
        debugLine(std::string("WORLD ") + getName().c_str() + ": the world file \"" + fileName.c_str()
               + "\" is not read; the world starts empty");
}

std::vector<CMC_Object::RecordNote> CMC_World::getRecordNotes()
{
    if (!fileName_.IsString())
        return {};
    return {{kFileNameNote, fileName_, CXString()}};
}

// Records written before the note came keep no FILENAME: their world starts empty.
void CMC_World::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring() || archive->failed())
        return;
    if (CXString fileName; takeRecordNote(kFileNameNote, &fileName))
        startWorld(fileName);
    else
        debugLine(std::string("WORLD ") + getName().c_str()
                  + " from a compiled scene: its record keeps no FILENAME; the world starts empty");
}

void CMC_World::startWatching()
{
    CMC_Object::watch(this);
    CPlayable::watch(this);
}

const CMC_SignalList* CMC_World::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
    return &signals;
}

CMC_Runner* CMC_World::getRunner()
{
    std::unique_ptr<CMC_World_Runner>& runner = sharedRunner();
    if (runner == nullptr) {
        runner = std::make_unique<CMC_World_Runner>();
        runner->prepareMthHashSet();
    }
    return runner.get();
}

void CMC_World::onObjectGone(CMC_Object* object)
{
    links_.forget(object);
}

void CMC_World::onPlayableGone(CPlayable* playable)
{
    links_.forget(playable);
}

WorldPoint CMC_World::fixed(double x, double y)
{
    return {static_cast<float>(x - CWorldBackground::SCREEN_WIDTH / 2),
            static_cast<float>(CWorldBackground::SCREEN_HEIGHT / 2 - y)};
}

WorldPoint CMC_World::scrolled(double x, double y) const
{
    return {static_cast<float>(x - background_.getOffsetX()), static_cast<float>(background_.getOffsetY() - y)};
}

void CMC_World::link(uint32_t id, CGraphicsObject* graphics, CMC_Object* graphicsOwner, CMC_Object* target,
                     int32_t flags)
{
    CWorldLink made;
    made.graphics = graphics;
    made.id = id;
    made.flags = flags;
    made.target = target;
    made.graphicsOwner = graphics != nullptr ? graphicsOwner : nullptr;
    if (made.graphicsOwner != nullptr)
        made.picture = dynamic_cast<CPlayable*>(made.graphicsOwner->getShownGraphics(CXString()));
    links_.add(made);
}

void CMC_World::unlink(uint32_t id)
{
    links_.remove(id);
}

void CMC_World::pauseLink(uint32_t id, bool reportOnly)
{
    CWorldLink* link = links_.first(id);
    if (link == nullptr)
        return;
    if (reportOnly)
        link->flags ^= CWorldLink::REPORT;
    else
        link->paused = true;
}

void CMC_World::resumeLink(uint32_t id, bool reportOnly)
{
    CWorldLink* link = links_.first(id);
    if (link == nullptr)
        return;
    if (reportOnly)
        link->flags |= CWorldLink::REPORT;
    else
        link->paused = false;
}

// Handlers run inside the walk and may link, unlink and remove bodies: the walk goes over the
// links it started with, finding each again by its serial once the list changed, and passes
// over those gone.
float CMC_World::moveObjects()
{
    float time = 0;
    if (world_ == nullptr)
        return time;
    world_->MoveObjects(&time);
    if (links_.empty())
        return time;
    float x = 0, y = 0, z = 0;
    if (world_->GetPosition(background_.getReferenceId(), &x, &y, &z) == ITolvan::OK)
        background_.update(x, y);
    const std::vector<uint64_t> serials = links_.serials();
    const uint64_t unchanged = links_.version();
    for (size_t i = 0; i < serials.size(); ++i) {
        CWorldLink* link = links_.version() == unchanged ? links_.at(i) : links_.bySerial(serials[i]);
        if (link == nullptr || link->paused || world_->GetPosition(link->id, &x, &y, &z) != ITolvan::OK)
            continue;
        if ((link->flags & CWorldLink::FOLLOW) != 0 && link->graphics != nullptr)
            place(link->graphics, x, y);
        if ((link->flags & CWorldLink::REPORT) != 0 && link->target != nullptr)
            report(link);
    }
    return time;
}

void CMC_World::place(CGraphicsObject* graphics, float x, float y)
{
    graphics->Invalidate();
    graphics->setPosition(truncateToInt(background_.getOffsetX() + x), truncateToInt(background_.getOffsetY() - y));
    graphics->Invalidate();
}

void CMC_World::report(CWorldLink* link)
{
    const uint32_t id = link->id;
    uint32_t goal = ITolvan::GOAL_NONE;
    if (world_->IsAtGoal(id, &goal) == ITolvan::OK
        && (goal == ITolvan::GOAL_REACHED || goal == ITolvan::GOAL_NO_PATH)) {
        link = signal(link, goal == ITolvan::GOAL_REACHED ? kAtGoal : kNoPath);
        if (link == nullptr)
            return;
    }
    bool colliding = false;
    if (world_->GetCollision(id, &colliding) != ITolvan::OK)
        return;
    if (colliding) {
        // The world's list lasts only until handlers step or change the world.
        const IVector<uint32_t>* ids = nullptr;
        std::vector<uint32_t> touched;
        if (world_->GetAllCollisions(id, &ids) == ITolvan::OK && ids != nullptr)
            touched.assign(ids->begin(), ids->end());
        for (auto other = touched.rbegin(); other != touched.rend() && link != nullptr; ++other)
            link = signal(link, collisionSignal(*other));
        if (link != nullptr)
            link = signal(link, kAny);
    } else {
        link = signal(link, kNoCollision);
    }
    float speed = 0;
    if (link == nullptr || world_->GetSpeed(id, &speed) != ITolvan::OK || speed == link->lastSpeed)
        return;
    // Noted before the handlers run, so that a step they make themselves does not report the
    // same start again.
    const bool started = link->lastSpeed == 0;
    link->lastSpeed = speed;
    if (speed == 0)
        signal(link, kFinished);
    else if (started)
        signal(link, kStarted);
}

CWorldLink* CMC_World::signal(CWorldLink* link, const CXString& name)
{
    const uint64_t serial = link->serial;
    const uint64_t version = links_.version();
    link->target->onSignal(name);
    if (links_.version() != version)
        link = links_.bySerial(serial);
    return link != nullptr && link->target != nullptr ? link : nullptr;
}
