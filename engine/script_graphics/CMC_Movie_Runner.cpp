#include "script_graphics/CMC_Movie_Runner.h"

#include "graphics/CMovie.h"
#include "script_graphics/CMC_Movie.h"

namespace {

constexpr int64_t kUnitsPerMs = platform::kVideoTimeUnitsPerSecond / 1000;

const CMC_Runner::MethodName kMethods[] = {
    {"LOAD", CMC_Movie_Runner::MTH_LOAD},       {"SETPOSITION", CMC_Movie_Runner::MTH_SETPOSITION},
    {"PLAY", CMC_Movie_Runner::MTH_PLAY},       {"STOP", CMC_Movie_Runner::MTH_STOP},
    {"SETLOOP", CMC_Movie_Runner::MTH_SETLOOP}, {"SEEK", CMC_Movie_Runner::MTH_SEEK},
    {"ISPLAYING", CMC_Movie_Runner::MTH_ISPLAYING}, {"PAUSE", CMC_Movie_Runner::MTH_PAUSE},
    {"RESUME", CMC_Movie_Runner::MTH_RESUME},
};

} // namespace

void CMC_Movie_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_Movie_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* movie = object != nullptr && object->getType() == CMC_Movie::kType ? dynamic_cast<CMC_Movie*>(object) : nullptr;
    CMovie* player = movie != nullptr ? movie->getMovie() : nullptr;
    if (player == nullptr || id < MTH_LOAD || id > MTH_RESUME)
        return CMC_Runner::run(id, object, scope, args);
    const int given = argumentCount(args);
    switch (id) {
    case MTH_LOAD: return giveBool(given >= 1 && player->load(parameterText(args, 0)));
    case MTH_SETPOSITION:
        // The new place is marked too, so that a movie that shows no new pictures still shows
        // there.
        if (given >= 2) {
            player->Invalidate();
            player->SetPosition(integerParameter(args, 0), integerParameter(args, 1));
            player->Invalidate();
        }
        return nullptr;
    case MTH_PLAY: player->play(); return nullptr;
    case MTH_STOP: player->stop(boolParameter(args, 0, true)); return nullptr;
    case MTH_SETLOOP:
        if (given >= 2)
            player->setRange(integerParameter(args, 0), integerParameter(args, 1));
        else
            player->setRange(0, -1);
        return nullptr;
    case MTH_SEEK:
        if (given >= 1)
            player->seekTo(int64_t{integerParameter(args, 0)} * kUnitsPerMs);
        return nullptr;
    case MTH_ISPLAYING: return giveBool(player->isPlaying());
    case MTH_PAUSE: player->pause(); return nullptr;
    default: player->resume(); return nullptr;
    }
}
