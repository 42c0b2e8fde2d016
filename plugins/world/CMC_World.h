#pragma once

#include "CWorldBackground.h"
#include "CWorldLink.h"
#include "ITolvan.h"

#include "media/CPlayable.h"
#include "script/CMC_Object.h"

#include <cstdint>
#include <memory>

class CGraphicsObject;
class CMC_Runner;
class CXString;

// A point in world coordinates.
struct WorldPoint {
    float x;
    float y;
};

// The script type WORLD: one physics and path-finding world, the links that tie its bodies to
// pictures and script objects, and the background view that can follow one body. It steps
// only when a script calls MOVEOBJECTS; the signals of a step run at once, inside that call.
//
// A picture or object that is destroyed leaves the links it was in; a link whose picture or
// target is missing passes over what needs it.
class CMC_World : public CMC_Object,
                  private CMC_Object::Watcher,
                  private CPlayable::Watcher {
public:
    static constexpr int TYPE_WORLD = 10003;

    // From a definition: the world is made from the file that FILENAME names.
    CMC_World(CMC_ObjectsContainer* container, CMElement* element);
    CMC_World(CMC_ObjectsContainer* container, CMElement* element, std::unique_ptr<ITolvan> world);
    // For a compiled scene: the world starts empty until the object's record is read, and is
    // then made from the file its record notes.
    explicit CMC_World(CMC_ObjectsContainer* container);
    CMC_World(CMC_ObjectsContainer* container, std::unique_ptr<ITolvan> world);
    // The methods' runner, shared by every WORLD, goes with each WORLD and is made again
    // when next asked for.
    ~CMC_World() override;

    const CMC_SignalList* getBehavioursList() override;
    // The record notes the file the world was made from.
    std::vector<RecordNote> getRecordNotes() override;
    void serialize(CXArchive* archive) override;
    CMC_Runner* getRunner() override;

    // One step of the world: the linked pictures follow their bodies and the linked objects
    // hear of goals, collisions and starts and stops. The step's time in seconds.
    float moveObjects();

    void link(uint32_t id, CGraphicsObject* graphics, CMC_Object* graphicsOwner, CMC_Object* target, int32_t flags);
    // Removes the first link of the id.
    void unlink(uint32_t id);
    // reportOnly: the first link of the id switches its reports (pause) or turns them on
    // (resume); otherwise the link is paused or resumed as a whole.
    void pauseLink(uint32_t id, bool reportOnly);
    void resumeLink(uint32_t id, bool reportOnly);

    // Screen to world: about the screen's centre, or about the background's current offsets.
    static WorldPoint fixed(double x, double y);
    WorldPoint scrolled(double x, double y) const;

    // None when the world could not be made.
    ITolvan* getWorld() const { return world_.get(); }
    CWorldBackground& getBackground() { return background_; }
    const CWorldLinks& getLinks() const { return links_; }

private:
    void onObjectGone(CMC_Object* object) override;
    void onPlayableGone(CPlayable* playable) override;
    // Makes the world anew from the file; what fails is reported.
    void startWorld(const CXString& fileName);
    void startWatching();
    void place(CGraphicsObject* graphics, float x, float y);
    // The signals of the link's body to its target; stops when a handler takes the link or
    // its target away.
    void report(CWorldLink* link);
    // Raises the signal on the link's target; the link afterwards, none when a handler took
    // it or its target away.
    CWorldLink* signal(CWorldLink* link, const CXString& name);

    std::unique_ptr<ITolvan> world_;
    // The FILENAME the world was made from; empty for a world that started empty.
    CXString fileName_;
    CWorldLinks links_;
    CWorldBackground background_;
};
