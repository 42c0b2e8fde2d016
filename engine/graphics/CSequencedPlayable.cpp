#include "graphics/CSequencedPlayable.h"

#include "foundation/CXRandom.h"
#include "graphics/CAnimationManager.h"
#include "graphics/CAnimo.h"
#include "graphics/CAnimoSequencePlayable.h"
#include "graphics/CSpeakingAnimation.h"
#include "graphics/GraphicsWindow.h"
#include "media/CSound4.h"

#include <algorithm>
#include <functional>
#include <unordered_set>

CSequencedPlayable::CSequencedPlayable(GraphicsWindow* window)
    : CPlayable(window)
{
    type_ = kType;
    CPlayable::watch(this);
    if (CAnimationManager* manager = CAnimationManager::of(window))
        manager->add(this, nullptr);
}

CSequencedPlayable::CSequencedPlayable(GraphicsWindow* window, CMElement*)
    : CSequencedPlayable(window)
{
}

CSequencedPlayable::~CSequencedPlayable()
{
    // The children that go below must not come back here.
    CPlayable::unwatch(this);
    const std::vector<CPlayable*> children = std::move(children_);
    children_.clear();
    for (CPlayable* child : children) {
        child->subParent();
        const int type = child->getType();
        if (child->getParentsNo() > 0 || type == CSound4::kType || type == CAnimo::kType) {
            // What stays must not report to this sequence, nor to the observer of its tree.
            child->removeNotifier(this);
            if (child->getGenericNotifier() == getGenericNotifier())
                child->setGenericNotifier(nullptr);
            continue;
        }
        delete child;
    }
    if (CAnimationManager* manager = CAnimationManager::of(GraphicsWindow::of(window_)))
        manager->remove(this);
}

void CSequencedPlayable::onPlayableGone(CPlayable* playable)
{
    if (std::find(children_.begin(), children_.end(), playable) == children_.end())
        return;
    const CPlayable* current = currentChild();
    std::erase(children_, playable);
    if (current == playable) {
        child_ = -1;
        status_ &= ~STATUS_PLAYING;
    } else if (current != nullptr) {
        child_ = static_cast<int32_t>(std::find(children_.begin(), children_.end(), current) - children_.begin());
    }
    current_ = std::min(current_, static_cast<int32_t>(children_.size()) - 1);
}

void CSequencedPlayable::addChild(CPlayable* child)
{
    if (child == nullptr)
        return;
    children_.push_back(child);
    child->setParent(this);
}

CPlayable* CSequencedPlayable::getChild(int index) const
{
    return isIndex(index) ? children_[static_cast<size_t>(index)] : nullptr;
}

bool CSequencedPlayable::holds(CPlayable* playable) const
{
    // Children may be shared: each sequence is searched once.
    std::vector<const CSequencedPlayable*> pending{this};
    std::unordered_set<const CSequencedPlayable*> searched;
    while (!pending.empty()) {
        const CSequencedPlayable* sequence = pending.back();
        pending.pop_back();
        if (sequence == playable)
            return true;
        if (!searched.insert(sequence).second)
            continue;
        for (CPlayable* child : sequence->children_) {
            if (child == playable)
                return true;
            if (auto* nested = dynamic_cast<const CSequencedPlayable*>(child))
                pending.push_back(nested);
        }
    }
    return false;
}

int CSequencedPlayable::selectedChild(char selector)
{
    const auto code = static_cast<signed char>(selector);
    if (code <= '0')
        return -1;
    if (code <= '9')
        return code - '1';
    if (code <= 'Z')
        return code - 56;
    return code - 62;
}

void CSequencedPlayable::startChild(int index, bool withParameter)
{
    CPlayable* child = children_[static_cast<size_t>(index)];
    child->setNotifier(this);
    if (withParameter)
        child->setParameter(CPlayable::getParam());
    child->play();
    accure(child);
}

void CSequencedPlayable::play()
{
    int chosen = -1;
    switch (getMode()) {
    case MODE_SEQUENCE:
    case MODE_RANDOM:
        if (!children_.empty())
            chosen = getMode() == MODE_SEQUENCE ? 0 : CXRandom::draw() % getChildCount();
        break;
    case MODE_PARAMETER: {
        const CXString parameter = CPlayable::getParam();
        if (parameter.IsString())
            chosen = selectedChild(parameter.c_str()[0]);
        break;
    }
    default:
        break;
    }
    // Nothing to play: the sequence stays idle and says nothing.
    if (!isIndex(chosen)) {
        status_ &= ~(STATUS_PLAYING | STATUS_PAUSED);
        return;
    }
    notify(NOTIFY_STARTED);
    status_ = STATUS_PLAYING;
    // A child that ends while the run starts is found by the next poll.
    starting_ = true;
    if (getMode() == MODE_SEQUENCE) {
        for (int i = 0; isIndex(i); ++i) {
            child_ = current_ = i;
            const bool waits = children_[static_cast<size_t>(i)]->getWaitMode();
            startChild(i, true);
            if (waits)
                break;
        }
    } else {
        if (getMode() == MODE_PARAMETER)
            setParameter(getParameter());
        else
            ++current_;
        child_ = chosen;
        startChild(chosen, true);
    }
    starting_ = false;
}

int CSequencedPlayable::next()
{
    CPlayable* current = currentChild();
    if (!isPlaying() || isPaused() || starting_ || current == nullptr || current->isPlaying())
        return current_;
    if (getMode() != MODE_SEQUENCE) {
        end(false);
    } else if (current_ + 1 < getChildCount()) {
        setParameter(current->getParam());
        child_ = ++current_;
        startChild(child_, true);
    } else {
        end(true);
    }
    return current_;
}

bool CSequencedPlayable::onPlayableFinished(CPlayable*)
{
    next();
    return false;
}

void CSequencedPlayable::end(bool childReports)
{
    CPlayable* current = currentChild();
    status_ &= ~(STATUS_PLAYING | STATUS_PAUSED);
    if (current != nullptr)
        current->stop(childReports);
    notify(NOTIFY_FINISHED);
}

void CSequencedPlayable::stop(bool notifyEnd)
{
    CPlayable* current = currentChild();
    if (current == nullptr || !isPlaying())
        return;
    if (notifyEnd) {
        end(true);
        return;
    }
    status_ &= ~(STATUS_PLAYING | STATUS_PAUSED);
    current->stop(false);
}

void CSequencedPlayable::pause()
{
    CPlayable* current = currentChild();
    if (current == nullptr || !isPlaying() || isPaused())
        return;
    current->pause();
    status_ |= STATUS_PAUSED;
}

void CSequencedPlayable::resume()
{
    CPlayable* current = currentChild();
    if (current == nullptr || !isPaused())
        return;
    current->resume();
    status_ &= ~STATUS_PAUSED;
}

void CSequencedPlayable::seek(int position)
{
    if (CPlayable* current = currentChild()) {
        // The child reports its end, which must not move this sequence on meanwhile.
        current->removeNotifier(this);
        current->stop(true);
    }
    int target = position;
    switch (position) {
    case -4: target = child_ + 1; break;
    case -3: target = child_ - 1; break;
    case -2: target = getChildCount() - 1; break;
    case -1: target = 0; break;
    default: break;
    }
    child_ = isIndex(target) ? target : -1;
    current_ = child_;
    if (child_ != -1)
        startChild(child_, false);
}

CPlayable* CSequencedPlayable::getPlaying()
{
    CPlayable* current = currentChild();
    return isPlaying() && current != nullptr ? current->getPlaying() : nullptr;
}

CXString CSequencedPlayable::getParameter()
{
    const CXString parameter = CPlayable::getParam();
    if (parameter.GetLength() < 2)
        return CXString();
    return getMode() == MODE_PARAMETER ? parameter.Mid(1, parameter.GetLength()) : parameter;
}

void CSequencedPlayable::move(int dx, int dy)
{
    for (CAnimo* animation : getAllAnimations())
        animation->move(dx, dy);
}

void CSequencedPlayable::setPosition(int x, int y)
{
    for (CPlayable* child : std::vector<CPlayable*>(children_))
        child->setPosition(x, y);
}

void CSequencedPlayable::setVisibility(bool visible)
{
    for (CPlayable* child : std::vector<CPlayable*>(children_))
        if (child->isVisible() != visible)
            child->setVisibility(visible);
    CPlayable::setVisibility(visible);
}

void CSequencedPlayable::alwaysOnTop()
{
    for (CPlayable* child : std::vector<CPlayable*>(children_))
        child->alwaysOnTop();
}

void CSequencedPlayable::accure(CPlayable* child)
{
    child->setVolume(volume_);
    child->setPanning(panning_);
    if (frequency_ > 0)
        child->setFrequency(frequency_);
}

CAnimo* CSequencedPlayable::animationOf(CPlayable* playable)
{
    switch (playable->getType()) {
    case CAnimo::kType: return dynamic_cast<CAnimo*>(playable);
    case CAnimoSequencePlayable::kType: return static_cast<CAnimoSequencePlayable*>(playable)->getAnimation();
    case CSpeakingAnimation::kType: return static_cast<CSpeakingAnimation*>(playable)->getAnimation();
    default: return nullptr;
    }
}

void CSequencedPlayable::eachLeaf(const std::function<void(CPlayable*)>& visit) const
{
    for (CPlayable* child : children_) {
        if (auto* nested = dynamic_cast<CSequencedPlayable*>(child))
            nested->eachLeaf(visit);
        else
            visit(child);
    }
}

std::vector<CAnimo*> CSequencedPlayable::getAllAnimations() const
{
    std::vector<CAnimo*> listed;
    eachLeaf([&listed](CPlayable* leaf) {
        CAnimo* animation = animationOf(leaf);
        if (animation != nullptr && std::find(listed.begin(), listed.end(), animation) == listed.end())
            listed.push_back(animation);
    });
    return listed;
}

std::vector<CPlayable*> CSequencedPlayable::getAllOfType(int type) const
{
    std::vector<CPlayable*> found;
    eachLeaf([&found, type](CPlayable* leaf) {
        if (leaf->getType() == type && std::find(found.begin(), found.end(), leaf) == found.end())
            found.push_back(leaf);
    });
    return found;
}

CPlayable* CSequencedPlayable::get(const CXString& event)
{
    CXString path = CPlayable::getParameter(event);
    CPlayable* node = this;
    while (path.IsString()) {
        auto* sequence = dynamic_cast<CSequencedPlayable*>(node);
        if (sequence == nullptr || sequence->children_.empty())
            break;
        if (sequence->getMode() != MODE_PARAMETER) {
            node = sequence->children_.front();
            continue;
        }
        const int index = selectedChild(path.c_str()[0]);
        if (!sequence->isIndex(index))
            break;
        node = sequence->children_[static_cast<size_t>(index)];
        path = path.Mid(1, path.GetLength());
    }
    return node;
}

CAnimo* CSequencedPlayable::chosenAnimation(int which) const
{
    for (CAnimo* animation : getAllAnimations())
        if (which == 1 || animation->isPlaying())
            return animation;
    return nullptr;
}

CXRect CSequencedPlayable::getBoundingBox(int which) const
{
    CAnimo* animation = chosenAnimation(which);
    return animation != nullptr ? animation->GetBoundingBox() : CXRect(0, 0, 0, 0);
}

CXPoint CSequencedPlayable::getPosition(int which) const
{
    CAnimo* animation = chosenAnimation(which);
    return animation != nullptr ? animation->GetPosition() : CXPoint(0, 0);
}

CXString CSequencedPlayable::getLastPlayedEvent(const CXString& name)
{
    CPlayable* current = currentChild();
    if (!isPlaying() || current == nullptr)
        return CXString();
    if (!name.IsString() || name == getName()) {
        auto* nested = dynamic_cast<CSequencedPlayable*>(current);
        return nested != nullptr ? nested->getLastPlayedEvent(CXString()) : current->getName();
    }
    for (CPlayable* child : std::vector<CPlayable*>(children_))
        if (auto* nested = dynamic_cast<CSequencedPlayable*>(child)) {
            const CXString answer = nested->getLastPlayedEvent(name);
            if (answer.IsString())
                return answer;
        }
    return CXString();
}
