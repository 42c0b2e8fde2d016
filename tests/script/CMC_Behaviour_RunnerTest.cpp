#include "script/CMC_Behaviour_Runner.h"

#include "foundation/CPublicTrash.h"

#include "Interpreter.h"

namespace {

class BehaviourMethods : public Interpreter {
protected:
    BehaviourMethods()
    {
        probe("P");
        integer("A", 5);
        scene->setScene(scene);
    }
    ~BehaviourMethods() override { scene->setScene(nullptr); }
};

} // namespace

TEST_F(BehaviourMethods, RunPassesTextsAndGivesTheReturnedValue)
{
    behaviour("SHOW", "P^CALL($1,$2,$3);@RETURN([$1+1]);");
    world.behaviour(scene, "TEXTS");
    // A value gives its text, an object that is no value its name in quotes.
    run("TEXTS^RUN(5,\"X\",A,P);P^GIVE(SHOW^RUN(5,\"X\"));P^GIVE(SHOW^RUNC(A));");
    EXPECT_EQ(world.takeLog(), std::vector<std::string>{"TEXTS(5,X,5,\"P\")"});
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(5,X,$3)", "P.GIVE(6)", "P.CALL(5,$2,$3)", "P.GIVE(6)"}));

    // BREAK in the behaviour run stops the caller too; the condition counts for RUNC only.
    behaviour("STOP", "P^CALL(stop);@BREAK();");
    EXPECT_TRUE(run("STOP^RUN();P^CALL(never);"));
    load("OBJECT=NEVER\nNEVER:TYPE=CONDITION\nNEVER:OPERAND1=1\nNEVER:OPERAND2=2\n"
         "OBJECT=GUARDED\nGUARDED:TYPE=BEHAVIOUR\nGUARDED:CONDITION=NEVER\nGUARDED:CODE={P^CALL(guarded);}\n");
    run("GUARDED^RUNC();GUARDED^RUN();");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(stop)", "P.CALL(guarded)"}));

    // A disabled behaviour runs nothing, and the last returned value is given all the same.
    run("SHOW^DISABLE();P^GIVE(SHOW^RUN(1));SHOW^ENABLE();P^GIVE(SHOW^RUN(1));");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.GIVE(6)", "P.CALL(1,$2,$3)", "P.GIVE(2)"}));
}

TEST_F(BehaviourMethods, RunLoopedCountsInTheFirstParameter)
{
    world.behaviour(scene, "BODY");
    behaviour("FIRSTONLY", "P^CALL($1);@BREAK();");
    struct Case {
        const char* code;
        std::vector<std::string> runs;
    };
    const Case cases[] = {
        {"BODY^RUNLOOPED(3,2);", {"BODY(3)", "BODY(4)"}},
        {"BODY^RUNLOOPED(0,10,3,x);", {"BODY(0,3,x)", "BODY(3,3,x)", "BODY(6,3,x)", "BODY(9,3,x)"}},
        {"BODY^RUNLOOPED(0,0);BODY^RUNLOOPED(5,-2);BODY^RUNLOOPED(1);", {}},
        // The sum of start and count does not overflow.
        {"BODY^RUNLOOPED(2147483646,3,2);", {"BODY(2147483646,2)", "BODY(2147483648,2)"}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(run(c.code)) << c.code;
        EXPECT_EQ(world.takeLog(), c.runs) << c.code;
    }
    // BREAK ends the loop only.
    EXPECT_FALSE(run("FIRSTONLY^RUNLOOPED(0,5);P^CALL(after);"));
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(0)", "P.CALL(after)"}));

    // The returned value itself is given.
    run("@RETURN(3);");
    CMC_Object* returned = scene->getObject("__RETURN__");
    CMC_Runner* runner = CMC_RunnerFactory::getRunner(CMC_Object::TYPE_BEHAVIOUR);
    CXVector args(101, 0.75f);
    args.add(new CMC_Integer(0));
    args.add(new CMC_Integer(1));
    EXPECT_EQ(runner->run(CXString("RUNLOOPED"), scene->getObject("BODY"), scene, &args), returned);
    world.takeLog();
    for (int i = 0; i < args.getCount(); ++i)
        delete args.at(i);
}

TEST_F(BehaviourMethods, LoopsWithoutStepEndWhenTheBodyCannotRun)
{
    // The body switches itself off on its third round; a body without code ends at once.
    behaviour("COUNTDOWN", "A^DEC();P^CALL(A);@IF(A,\"_\",2,{COUNTDOWN^DISABLE();});");
    behaviour("EMPTY", "");
    EXPECT_FALSE(run("COUNTDOWN^RUNLOOPED(0,10,0);EMPTY^RUNLOOPED(0,10,-1);P^CALL(done);"));
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(4)", "P.CALL(3)", "P.CALL(2)", "P.CALL(done)"}));
}

TEST_F(BehaviourMethods, BreakTakesABehaviourOutOfItsContainer)
{
    // From its own code too: the rest of its run goes on, and it is deleted later.
    behaviour("ONCE", "P^CALL(once);ONCE^BREAK();P^CALL(still);");
    run("ONCE^RUN();ONCE^RUN();");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(once)", "P.CALL(still)"}));
    EXPECT_EQ(scene->getObject("ONCE"), nullptr);
    // A binding to it runs nothing once it is gone.
    CMC_Behaviour* gone = behaviour("GONE", "P^CALL(gone);");
    scene->getObject("P")->addBehaviour(CXString("ONSIGNAL"), gone, nullptr, scene, false);
    run("GONE^BREAK();");
    world.window->getPublicTrashInterface()->onTimer(CPublicTrash::kTimerId);
    EXPECT_FALSE(CMC_Behaviour::isAlive(gone));
    scene->getObject("P")->onSignal(CXString("ONSIGNAL"));
    EXPECT_TRUE(takeLog().empty());
}
