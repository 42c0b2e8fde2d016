#include "graphics/CSpeakingAnimation.h"

#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "foundation/CResourcesManager.h"
#include "graphics/CAnimo6.h"
#include "graphics/CRefreshScreen.h"
#include "media/CMC_Sound.h"
#include "media/CSound4.h"
#include "script_graphics/CMC_Animo.h"

namespace {

// The animation that only marks a place: it is never shown.
const char kPlaceholderAnimation[] = "PIXEL.ANN";

} // namespace

CSpeakingAnimation::CSpeakingAnimation(CWindow* window, CResourcesManager* resources)
    : CPlayable(window)
    , resources_(resources)
{
    type_ = kType;
}

CSpeakingAnimation::~CSpeakingAnimation()
{
    forgetAnimoObject();
    if (animation_ != nullptr)
        animation_->removeNotifier(this);
    dropSound();
}

void CSpeakingAnimation::forgetAnimoObject()
{
    if (animoObject_ != nullptr)
        animoObject_->removeSeq(this);
    animoObject_ = nullptr;
}

void CSpeakingAnimation::setAnimation(const CXString& name)
{
    CMC_Scene* scene = CMC_Scene::currentSceneOf(window_);
    if (animation_ != nullptr && animoObject_ == nullptr)
        animation_->removeNotifier(this);
    forgetAnimoObject();
    animation_ = nullptr;
    auto* object = scene != nullptr ? dynamic_cast<CMC_Animo*>(scene->getObject(name.c_str())) : nullptr;
    if (object != nullptr && object->getAnimo() != nullptr) {
        animation_ = object->getAnimo();
        object->addSeq(this);
        animoObject_ = object;
        return;
    }
    if (resources_ == nullptr)
        return;
    animation_ = resources_->getAs<CAnimo>(name);
    if (animation_ == nullptr) {
        animation_ = new CAnimo(window_, name);
        resources_->add(static_cast<CPlayable*>(animation_));
    }
    CRefreshScreen* screen = window_ != nullptr ? window_->GetRefreshScreenInterface() : nullptr;
    if (screen != nullptr && !name.equalsIgnoreCase(kPlaceholderAnimation))
        screen->put(animation_, 1000);
}

void CSpeakingAnimation::dropSound()
{
    if (sound_ != nullptr) {
        sound_->removeNotifier(this);
        if (soundOrigin_ == SoundOrigin::Manager)
            resources_->remove(sound_);
        else if (soundOrigin_ == SoundOrigin::Own)
            delete sound_;
    }
    sound_ = nullptr;
    soundOrigin_ = SoundOrigin::None;
}

void CSpeakingAnimation::apply(const CXString& name)
{
    CMC_Scene* scene = CMC_Scene::currentSceneOf(window_);
    dropSound();
    if (auto* object = scene != nullptr ? dynamic_cast<CMC_Sound*>(scene->getObject(name.c_str())) : nullptr) {
        sound_ = object->getSound();
        soundOrigin_ = sound_ != nullptr ? SoundOrigin::Object : SoundOrigin::None;
    } else if (resources_ != nullptr) {
        sound_ = resources_->getAs<CSound4>(name);
        if (sound_ == nullptr) {
            sound_ = new CSound4(window_, name, true, false);
            resources_->add(sound_);
        }
        soundOrigin_ = SoundOrigin::Manager;
    } else {
        sound_ = new CSound4(window_, name, true, false);
        soundOrigin_ = SoundOrigin::Own;
    }
    setFilename(name);
}

void CSpeakingAnimation::apply(CPlayable* sound)
{
    if (sound != nullptr && sound->getType() != CSound4::kType)
        return;
    dropSound();
    sound_ = sound;
    soundOrigin_ = sound != nullptr ? SoundOrigin::Given : SoundOrigin::None;
}

void CSpeakingAnimation::substAnimation(CAnimo* animation)
{
    animation_ = animation;
    if (animation == nullptr)
        animoObject_ = nullptr;
}
