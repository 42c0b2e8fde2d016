#include "foundation/CXRandom.h"
#include "graphics/CAnimo.h"
#include "graphics/CAnimoSequencePlayable.h"
#include "graphics/CSequencedPlayable.h"
#include "media/CPlayableObserver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// What happened in a test, in order, as text.
struct Story {
    void add(const std::string& entry) { text += (text.empty() ? "" : " ") + entry; }
    std::string take() { return std::exchange(text, std::string()); }
    std::string text;
};

// A child that plays until the test ends it; it tells the story of what it is asked to do and
// of its deletion.
class Child : public CPlayable {
public:
    Child(const char* name, Story& story, bool wait = true, int type = 0)
        : CPlayable(nullptr)
        , story_(story)
    {
        setName(name);
        setWaitMode(wait);
        type_ = type;
    }
    ~Child() override { story_.add("~" + std::string(getName().c_str())); }

    void play() override
    {
        status_ = STATUS_PLAYING;
        const CXString parameter = getParam();
        story_.add(std::string(getName().c_str()) + (parameter.IsString() ? "(" + std::string(parameter.c_str()) + ")" : ""));
        notify(NOTIFY_STARTED);
    }
    void stop(bool notifyEnd) override
    {
        story_.add(std::string("stop:") + getName().c_str() + (notifyEnd ? "!" : ""));
        if (isPlaying() && notifyEnd)
            end();
        status_ = 0;
    }
    void pause() override { status_ |= STATUS_PAUSED; }
    void resume() override { status_ &= ~STATUS_PAUSED; }
    void seek(int) override {}

    // The child ends and says so.
    void end()
    {
        status_ = 0;
        notify(NOTIFY_FINISHED);
    }
    // The child ends without a word.
    void fade() { status_ = 0; }

private:
    Story& story_;
};

// The sequence's own notices.
struct Notices : CPlayableObserver {
    explicit Notices(Story& story)
        : story(story)
    {
    }
    bool onPlayableStarted(CPlayable* playable) override
    {
        story.add(std::string("<") + playable->getName().c_str());
        return false;
    }
    bool onPlayableFinished(CPlayable* playable) override
    {
        story.add(std::string(playable->getName().c_str()) + ">");
        return false;
    }
    Story& story;
};

class Sequences : public ::testing::Test {
protected:
    Sequences()
    {
        sequence->setName("S");
        sequence->addNotifier(&notices);
    }

    // A child of the sequence, counted on it.
    Child* child(const char* name, bool wait = true, CSequencedPlayable* parent = nullptr)
    {
        auto* made = new Child(name, story, wait);
        made->addParent();
        (parent != nullptr ? parent : sequence.get())->addChild(made);
        return made;
    }

    Story story;
    Notices notices{story};
    std::unique_ptr<CSequencedPlayable> sequence = std::make_unique<CSequencedPlayable>(nullptr);
};

} // namespace

TEST_F(Sequences, ChildrenThatDoNotWaitStartWithTheFirstThatDoesAndTheRestFollowOneByOne)
{
    Child* a = child("A", false);
    child("B", false);
    Child* c = child("C");
    Child* d = child("D");
    sequence->play();
    EXPECT_EQ(story.take(), "<S A B C");
    EXPECT_TRUE(sequence->isPlaying());
    // A child started with others but not waited for changes nothing when it ends.
    a->end();
    EXPECT_EQ(story.take(), "");
    c->end();
    EXPECT_EQ(story.take(), "D");
    EXPECT_EQ(sequence->getPlaying(), d);
    d->end();
    EXPECT_EQ(story.take(), "stop:D! S>");
    EXPECT_FALSE(sequence->isPlaying());
    EXPECT_EQ(sequence->getPlaying(), nullptr);
}

TEST_F(Sequences, ASequenceEndsWithItsLastChildEvenWhenThatOneDoesNotWait)
{
    Child* a = child("A", false);
    Child* b = child("B", false);
    sequence->play();
    EXPECT_EQ(story.take(), "<S A B");
    a->end();
    EXPECT_EQ(story.take(), "");
    b->end();
    EXPECT_EQ(story.take(), "stop:B! S>");
}

TEST_F(Sequences, ThePollFindsChildrenThatEndedSilentlyAndEachEndIsToldOnce)
{
    Child* a = child("A");
    Child* b = child("B");
    sequence->play();
    a->fade();
    EXPECT_EQ(sequence->next(), 1);
    b->fade();
    sequence->next();
    // The end reported by the stopped child is not told again.
    b->end();
    sequence->next();
    EXPECT_EQ(story.take(), "<S A B stop:B! S>");
}

TEST_F(Sequences, TheParameterChoosesOneChildWhichGetsTheRest)
{
    sequence->setMode(CPlayable::MODE_PARAMETER);
    sequence->addEvent("GO", "B12");
    std::vector<Child*> children;
    for (const char* name : {"c0", "c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8", "c9", "c10"})
        children.push_back(child(name));
    const struct {
        const char* parameter;
        const char* story;
    } rows[] = {
        {"B12", "<S c10(12)"}, {"1", "<S c0"}, {"9x", "<S c8(x)"}, {"A", "<S c9"},
        // "0", selectors past the last child and an empty parameter start nothing.
        {"0", ""}, {"C", ""}, {"a", ""}, {"", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.parameter);
        sequence->setParameter("GO", row.parameter);
        sequence->play("GO");
        EXPECT_EQ(story.take(), row.story);
        EXPECT_EQ(sequence->isPlaying(), row.story[0] != '\0');
        sequence->stop(false);
        story.take();
    }
    sequence->setParameter("GO", "B12");
    sequence->play("GO");
    children[10]->end();
    EXPECT_EQ(story.take(), "<S c10(12) stop:c10 S>");
}

TEST_F(Sequences, RandomPlaysOneChildDrawnFromAll)
{
    sequence->setMode(CPlayable::MODE_RANDOM);
    std::vector<Child*> children{child("A"), child("B"), child("C")};
    CXRandom::seed(11);
    const int drawn = CXRandom::draw() % 3;
    CXRandom::seed(11);
    sequence->play();
    EXPECT_EQ(story.take(), "<S " + std::string(children[static_cast<size_t>(drawn)]->getName().c_str()));
    children[static_cast<size_t>(drawn)]->end();
    EXPECT_EQ(story.take(), "stop:" + std::string(children[static_cast<size_t>(drawn)]->getName().c_str()) + " S>");
}

TEST_F(Sequences, AnEmptySequenceNeverPlaysAndASeekOutsideLeavesNothingPlaying)
{
    for (int mode : {CPlayable::MODE_SEQUENCE, CPlayable::MODE_RANDOM, CPlayable::MODE_PARAMETER}) {
        sequence->setMode(mode);
        sequence->setParameter(CXString("1"));
        sequence->play();
        EXPECT_FALSE(sequence->isPlaying()) << mode;
    }
    EXPECT_EQ(story.take(), "");

    sequence->setMode(CPlayable::MODE_SEQUENCE);
    child("A");
    child("B");
    sequence->seek(-2);
    EXPECT_EQ(sequence->getCurrentChild(), 1);
    EXPECT_EQ(story.take(), "B");
    for (int outside : {2, -5, 99}) {
        sequence->seek(outside);
        EXPECT_EQ(sequence->getCurrentChild(), -1) << outside;
    }
    EXPECT_EQ(story.take(), "stop:B!");
    EXPECT_EQ(sequence->previous(), -1);
}

TEST_F(Sequences, PauseResumeAndAStopThatReportsItsEnd)
{
    Child* a = child("A");
    sequence->play();
    sequence->pause();
    EXPECT_TRUE(sequence->isPaused());
    EXPECT_TRUE(a->isPaused());
    // A paused sequence does not move on.
    a->end();
    sequence->resume();
    EXPECT_FALSE(sequence->isPaused());
    EXPECT_TRUE(sequence->isPlaying());
    EXPECT_EQ(story.take(), "<S A");

    sequence->stop(false);
    EXPECT_EQ(story.take(), "stop:A");
    sequence->play();
    sequence->stop(true);
    EXPECT_EQ(story.take(), "<S A stop:A! S>");
    sequence->stop(true);
    EXPECT_EQ(story.take(), "");
}

TEST_F(Sequences, EventsWalkToTheChildTheirPathSelects)
{
    sequence->setMode(CPlayable::MODE_PARAMETER);
    auto* inner = new CSequencedPlayable(nullptr);
    inner->setName("I");
    inner->setMode(CPlayable::MODE_PARAMETER);
    inner->addParent();
    Child* zero = child("Z");
    sequence->addChild(inner);
    Child* deep = child("D", true, inner);
    auto* plain = new CSequencedPlayable(nullptr);
    plain->addParent();
    inner->addChild(plain);
    Child* first = child("F", true, plain);
    sequence->addEvent("ZERO", "1");
    sequence->addEvent("DEEP", "21");
    sequence->addEvent("FIRST", "22x");
    sequence->addEvent("PAST", "29");
    const struct {
        const char* event;
        CPlayable* found;
    } rows[] = {{"zero", zero}, {"DEEP", deep}, {"FIRST", first}, {"PAST", inner}, {"NONE", sequence.get()}};
    for (const auto& row : rows)
        EXPECT_EQ(sequence->get(row.event), row.found) << row.event;
}

TEST_F(Sequences, AnimationsAreListedOnceAndTheLastEventIsTheCurrentChildsName)
{
    CAnimo animation(nullptr);
    auto* walk = new CAnimoSequencePlayable(nullptr, &animation);
    auto* talk = new CAnimoSequencePlayable(nullptr, &animation);
    for (CPlayable* leaf : {static_cast<CPlayable*>(walk), static_cast<CPlayable*>(talk)}) {
        leaf->addParent();
        sequence->addChild(leaf);
    }
    EXPECT_EQ(sequence->getAllAnimations(), std::vector<CAnimo*>{&animation});
    EXPECT_EQ(sequence->getAllOfType(CAnimoSequencePlayable::kType).size(), 2U);

    auto second = std::make_unique<CSequencedPlayable>(nullptr);
    second->setName("OUTER");
    auto* nested = new CSequencedPlayable(nullptr);
    nested->setName("INNER");
    nested->addParent();
    second->addChild(nested);
    auto* sound = new Child("VOICE", story, true, 1);
    sound->addParent();
    nested->addChild(sound);
    EXPECT_EQ(second->getLastPlayedEvent(CXString()), "");
    second->play();
    for (const char* name : {"", "OUTER"})
        EXPECT_EQ(second->getLastPlayedEvent(CXString(name)), "VOICE") << name;
    EXPECT_EQ(second->getLastPlayedEvent(CXString("INNER")), "VOICE");
    EXPECT_EQ(second->getLastPlayedEvent(CXString("OTHER")), "");
    second.reset();
    // A sound belongs to others: it is not deleted with its sequences.
    EXPECT_EQ(story.take(), "VOICE");
    delete sound;
}

TEST_F(Sequences, AChildUnderTwoParentsIsFreedOnceByTheLastOfThem)
{
    auto* other = new CSequencedPlayable(nullptr);
    other->addParent();
    sequence->addChild(other);
    Child* shared = child("SHARED");
    shared->addParent();
    other->addChild(shared);
    child("OWN");
    EXPECT_EQ(shared->getParentsNo(), 2);
    sequence.reset();
    EXPECT_EQ(story.take(), "~SHARED ~OWN");
}

TEST_F(Sequences, AChildDestroyedElsewhereLeavesTheSequence)
{
    Child* a = child("A");
    child("B");
    sequence->play();
    delete a;
    EXPECT_EQ(sequence->getChildCount(), 1);
    EXPECT_FALSE(sequence->isPlaying());
    EXPECT_EQ(story.take(), "<S A ~A");
}
