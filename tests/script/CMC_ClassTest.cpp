#include "script/CMC_Class.h"

#include "platform/PathResolver.h"
#include "script/CMC_Integer.h"

#include <filesystem>

#include "Interpreter.h"

namespace {

// Class files in the disc tree's COMMON\CLASSES: A and B are bases that define X, C defines X
// again with the methods, D holds a class object of C itself.
class Classes : public Interpreter {
protected:
    Classes()
    {
        const std::filesystem::path classes = world.temp.path() / "COMMON" / "CLASSES";
        std::filesystem::create_directories(classes);
        CWindow::setCDPath(CXString(platform::toWindowsName(world.temp.path().string()).c_str()) + "\\");
        world.temp.write("COMMON/CLASSES/A", "OBJECT=X\nX:TYPE=INTEGER\nX:VALUE=1\n");
        world.temp.write("COMMON/CLASSES/B", "OBJECT=X\nX:TYPE=INTEGER\nX:VALUE=2\n"
                                             "OBJECT=FROMB\nFROMB:TYPE=STRING\nFROMB:VALUE=b\n");
        world.temp.write("COMMON/CLASSES/C",
                         "OBJECT=X\nX:TYPE=INTEGER\nX:VALUE=3\n"
                         "OBJECT=ARG1\nARG1:TYPE=STRING\nOBJECT=ARG2\nARG2:TYPE=STRING\nOBJECT=ARG3\nARG3:TYPE=STRING\n"
                         "OBJECT=CONSTRUCTOR\nCONSTRUCTOR:TYPE=BEHAVIOUR\n"
                         "CONSTRUCTOR:CODE={ARG1^SET($1);ARG2^SET($2);ARG3^SET($3);}\n"
                         "OBJECT=BUMP\nBUMP:TYPE=BEHAVIOUR\nBUMP:CODE={X^ADD($1);}\n"
                         "OBJECT=GETX\nGETX:TYPE=BEHAVIOUR\nGETX:CODE={@RETURN(X);}\n"
                         "OBJECT=QUIT\nQUIT:TYPE=BEHAVIOUR\nQUIT:CODE={CLS^DELETE($1);X^SET(99);}\n"
                         "OBJECT=DESTRUCTOR\nDESTRUCTOR:TYPE=BEHAVIOUR\nDESTRUCTOR:CODE={NOTE^RUN(gone);}\n");
        world.temp.write("COMMON/CLASSES/D", "OBJECT=INNER\nINNER:TYPE=CLASS\nINNER:DEF=C\n");
        world.behaviour(scene, "NOTE");
        load("OBJECT=CLS\nCLS:TYPE=CLASS\nCLS:DEF=C\nCLS:BASE=A,B\n"
             "OBJECT=OUTER\nOUTER:TYPE=CLASS\nOUTER:DEF=D\n"
             "OBJECT=EMPTY\nEMPTY:TYPE=CLASS\nEMPTY:DEF=NOFILE\n"
             "OBJECT=RESULT\nRESULT:TYPE=STRING\n"
             "OBJECT=SHARED\nSHARED:TYPE=BEHAVIOUR\nSHARED:CODE={@RETURN(X);}\n");
    }
    ~Classes() override { CWindow::setCDPath(savedDisc_); }

    CMC_Class* instance(const char* name) { return dynamic_cast<CMC_Class*>(scene->getObject(name)); }
    // The text of a value of the instance's own.
    static std::string own(CMC_Class* in, const char* name)
    {
        CMC_Object* found = in != nullptr ? in->getOwnObject(CXString(name)) : nullptr;
        return found != nullptr && found->asVariable() != nullptr ? found->asVariable()->toString().c_str() : "<none>";
    }
    // Runs a method of the object as a statement does, by name.
    std::string method(CMC_Object* object, const char* name)
    {
        CMC_Object* result = CMC_RunnerFactory::getRunner(CMC_Object::TYPE_CLASS)->run(CXString(name), object, scene, nullptr);
        const std::string text = result != nullptr && result->asVariable() != nullptr
                                     ? result->asVariable()->toString().c_str()
                                     : "none";
        CMC_Object::releaseResult(result);
        return text;
    }
    void emptyTheBin() { world.window->getPublicTrashInterface()->onTimer(CPublicTrash::kTimerId); }

private:
    CXString savedDisc_ = CWindow::getCDPath();
};

} // namespace

TEST_F(Classes, AnInstanceLoadsItsBasesInOrderThenItsClassAndNamesakesGoAside)
{
    run("CLS^NEW(INST1, 5, x);");
    CMC_Class* made = instance("INST1");
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->isInstance());
    EXPECT_EQ(made->getParent(), scene);
    EXPECT_EQ(own(made, "X"), "3");
    EXPECT_EQ(own(made, "SUPER_X"), "2");
    EXPECT_EQ(own(made, "SUPER_SUPER_X"), "1");
    EXPECT_EQ(own(made, "FROMB"), "b");
    EXPECT_EQ(own(made, "ARG1") + own(made, "ARG2") + own(made, "ARG3"), "INST15x");

    // A class object in a class file belongs to the instance that built it.
    run("OUTER^NEW(OUTER1);");
    CMC_Class* outer = instance("OUTER1");
    ASSERT_NE(outer, nullptr);
    auto* inner = dynamic_cast<CMC_Class*>(outer->getOwnObject(CXString("INNER")));
    ASSERT_NE(inner, nullptr);
    EXPECT_FALSE(inner->isInstance());
    EXPECT_EQ(inner->getParent(), outer);

    // A class file that cannot be read gives an empty instance.
    run("EMPTY^NEW(NOTHING);");
    ASSERT_NE(instance("NOTHING"), nullptr);
    EXPECT_EQ(instance("NOTHING")->getObjectsNo(), 0);
}

TEST_F(Classes, InstancesKeepTheirOwnValuesAndMethodsHandBackTheirReturn)
{
    run("CLS^NEW(INST1);CLS^NEW(INST2);INST1^BUMP(4);RESULT^SET(INST1^GETX());");
    EXPECT_EQ(text("RESULT"), "7");
    EXPECT_EQ(own(instance("INST2"), "X"), "3");
    EXPECT_EQ(method(instance("INST2"), "GETX"), "3");
    // Names that are no behaviour, and the common methods, do nothing.
    EXPECT_EQ(method(instance("INST1"), "NOSUCH"), "none");
    EXPECT_EQ(method(instance("INST1"), "X"), "none");
    EXPECT_EQ(method(instance("INST1"), "GETNAME"), "none");
    EXPECT_EQ(method(scene->getObject("RESULT"), "GETX"), "none");

    // A behaviour of the scene runs as a method in the instance, and goes back to the scene
    // when the instance is deleted.
    CMC_Object* shared = scene->getObject("SHARED");
    EXPECT_EQ(method(instance("INST1"), "SHARED"), "7");
    EXPECT_EQ(shared->getScene(), instance("INST1"));
    EXPECT_EQ(method(instance("INST2"), "SHARED"), "3");
    EXPECT_EQ(shared->getScene(), instance("INST2"));
    run("CLS^DELETE(INST1);");
    EXPECT_EQ(shared->getScene(), instance("INST2"));
    run("CLS^DELETE(INST2);");
    EXPECT_EQ(shared->getScene(), scene);
    emptyTheBin();
    EXPECT_EQ(shared->getScene(), scene);
}

TEST_F(Classes, DeleteRunsTheDestructorOnceAndLeavesAnythingButAnInstanceAlone)
{
    run("CLS^NEW(INST1);CLS^NEW(INST2);CLS^NEW(INST3);");
    world.takeLog();
    run("CLS^DELETE(INST1, now);");
    EXPECT_EQ(world.takeLog(), std::vector<std::string>{"NOTE(gone)"});
    EXPECT_EQ(scene->getObject("INST1"), nullptr);
    run("CLS^DELETE(CLS);CLS^DELETE(RESULT);CLS^DELETE(NOBODY);CLS^DELETE();");
    EXPECT_NE(scene->getObject("CLS"), nullptr);
    EXPECT_NE(scene->getObject("RESULT"), nullptr);

    // An instance deleted by its own method lives until the frame no longer runs it.
    run("INST2^QUIT(INST2);");
    EXPECT_EQ(scene->getObject("INST2"), nullptr);
    EXPECT_EQ(world.takeLog(), std::vector<std::string>{"NOTE(gone)"});
    emptyTheBin();
    EXPECT_EQ(world.takeLog(), std::vector<std::string>{});

    // Finishing the scene runs the destructor of every instance still there.
    scene->unload();
    EXPECT_EQ(world.takeLog(), std::vector<std::string>{"NOTE(gone)"});
}
