#include "app/CMC_StructureParser.h"

#include "app/CMC_Application.h"
#include "foundation/CXVector.h"
#include "platform/PathResolver.h"
#include "script/CMC_Array.h"
#include "script/CMC_Integer.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElementsLoader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "script/ScriptWorld.h"

namespace {

const char* const kApplication = "OBJECT=GAME\nGAME:TYPE=APPLICATION\nGAME:EPISODES=E1,  E2\nGAME:SCENES=S9\n";
const char* const kEpisodes = "OBJECT=E1\nE1:TYPE=EPISODE\nE1:SCENES=S1 S2\nE1:STARTWITH=S2\n"
                              "OBJECT=E2\nE2:TYPE=EPISODE\nE2:SCENES=,S3,,NOSUCH,\n";
const char* const kScenes = "OBJECT=S1\nS1:TYPE=SCENE\nOBJECT=S2\nS2:TYPE=SCENE\nOBJECT=S3\nS3:TYPE=SCENE\n"
                            "OBJECT=S9\nS9:TYPE=SCENE\nOBJECT=LOOSE\nLOOSE:TYPE=SCENE\n";

class ApplicationDefinitions : public ::testing::Test {
protected:
    ~ApplicationDefinitions() override
    {
        if (parser != nullptr)
            delete parser->getMCApplication();
        parser.reset();
        CMC_Scene::doneDefUnit();
    }

    CMC_Application* parse(const std::string& definition)
    {
        world.temp.write("application.def", definition);
        parser.reset();
        parser = std::make_unique<CMC_StructureParser>(world.window.get(), CXString("application.def"));
        return parser->getMCApplication();
    }

    // A node as "NAME:type{children}>start", each child also showing that this node is its
    // parent.
    static std::string tree(CMC_Scene* node)
    {
        std::string text = std::string(node->getName().c_str()) + ":" + std::to_string(node->getType());
        CXVector* children = node->getSubScenes();
        text += "{";
        for (int i = 0; i < children->getCount(); ++i) {
            auto* child = static_cast<CMC_Scene*>(children->at(i));
            text += std::string(i > 0 ? "," : "") + (child->getParent() == node ? "" : "!") + tree(child);
        }
        text += "}";
        CMC_Scene* start = node->getStart();
        return start != nullptr ? text + ">" + start->getName().c_str() : text;
    }

    ScriptWorld world;
    std::unique_ptr<CMC_StructureParser> parser;
};

} // namespace

TEST_F(ApplicationDefinitions, ScenesThenEpisodesThenTheApplicationAreBuiltWhateverTheFileOrder)
{
    const std::string expected = "GAME:1000{E1:1001{S1:1002{},S2:1002{}}>S2,E2:1001{S3:1002{}}>S3,S9:1002{}}>E1";
    CMC_Application* reversed = parse(std::string(kApplication) + kEpisodes + kScenes);
    ASSERT_NE(reversed, nullptr);
    EXPECT_EQ(tree(reversed), expected);
    delete reversed;
    CMC_Application* forward = parse(std::string(kScenes) + kEpisodes + kApplication);
    ASSERT_NE(forward, nullptr);
    EXPECT_EQ(tree(forward), expected);

    // The episodes' scenes and the application's own scenes are objects of the application,
    // the episodes are not; a scene reaches the application through its episode.
    for (const char* name : {"S1", "S2", "S3", "S9"})
        EXPECT_NE(forward->getOwnObject(CXString(name)), nullptr) << name;
    EXPECT_EQ(forward->getOwnObject(CXString("E1")), nullptr);
    auto* s1 = static_cast<CMC_Scene*>(parser->get(CXString("S1")));
    EXPECT_EQ(s1->getObject("GAME"), forward);
    EXPECT_EQ(s1->getOwnObject(CXString("E1")), parser->get(CXString("E1")));
}

TEST_F(ApplicationDefinitions, GetFindsTheFirstNodeOfExactlyThatName)
{
    CMC_Application* application = parse("OBJECT=S1\nS1:TYPE=SCENE\nS1:MUSIC=first.wav\n"
                                         "DEF:S1(TYPE=SCENE|MUSIC=second.wav)\n"
                                         "OBJECT=GAME\nGAME:TYPE=APPLICATION\nGAME:SCENES=S1\nGAME:STARTWITH=NOSUCH\n"
                                         "OBJECT=OTHER\nOTHER:TYPE=Scene\n");
    ASSERT_NE(application, nullptr);
    auto* first = dynamic_cast<CMC_Scene*>(parser->get(CXString("S1")));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getMusicFilename(), "first.wav");
    EXPECT_EQ(application->getStart(), first);
    EXPECT_EQ(parser->get(CXString("s1")), nullptr);
    EXPECT_EQ(parser->get(CXString("OTHER")), nullptr);
    EXPECT_EQ(parser->get(CXString("GAME")), application);
}

TEST_F(ApplicationDefinitions, ANodeListedTwiceIsAdoptedOnceByItsLastParentAndDeletedOnce)
{
    CMC_Application* application = parse("OBJECT=S1\nS1:TYPE=SCENE\n"
                                         "OBJECT=E1\nE1:TYPE=EPISODE\nE1:SCENES=S1,S1,E1\n"
                                         "OBJECT=E2\nE2:TYPE=EPISODE\nE2:SCENES=S1\n"
                                         "OBJECT=GAME\nGAME:TYPE=APPLICATION\nGAME:EPISODES=E2 E1 E2\n");
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(tree(application), "GAME:1000{E2:1001{S1:1002{}}>S1,E1:1001{}}>E2");
}

TEST_F(ApplicationDefinitions, WithoutTheFileOrAnApplicationThereIsNoApplicationButThePoolsAndRunnersWork)
{
    EXPECT_EQ(parse(kScenes), nullptr);
    EXPECT_NE(parser->get(CXString("LOOSE")), nullptr);
    parser.reset();
    std::filesystem::remove(world.temp.file("application.def"));
    parser = std::make_unique<CMC_StructureParser>(world.window.get(), CXString("application.def"));
    EXPECT_EQ(parser->getMCApplication(), nullptr);
    CMC_Integer* value = CMC_VariableFactory::allocInteger(5);
    ASSERT_NE(value, nullptr);
    CMC_VariableFactory::free(value);
    for (int type : {CMC_Object::TYPE_INTEGER, CMC_Object::TYPE_CLASS, CMC_Object::TYPE_DATABASE, CMC_Object::TYPE_CNVLOADER})
        EXPECT_NE(CMC_RunnerFactory::getRunner(type), nullptr) << type;
    parser.reset();
    EXPECT_EQ(CMC_RunnerFactory::getRunner(CMC_Object::TYPE_INTEGER), nullptr);
}

// A whole application: its definition, then the scene that it starts with, whose objects are
// built from the scene's definition and initialised, after which its "__INIT__" runs.
TEST_F(ApplicationDefinitions, AScenesBehavioursComputeWithAClassADatabaseAnArrayAndACondition)
{
    std::filesystem::create_directories(world.temp.path() / "COMMON" / "CLASSES");
    const CXString savedDisc = CWindow::getCDPath();
    CWindow::setCDPath(CXString(platform::toWindowsName(world.temp.path().string()).c_str()) + "\\");
    world.temp.write("COMMON/CLASSES/TALLY", "OBJECT=SUM\nSUM:TYPE=INTEGER\n"
                                             "OBJECT=ADD\nADD:TYPE=BEHAVIOUR\nADD:CODE={SUM^ADD($1);@RETURN(SUM);}\n");
    world.temp.write("people.txt", "Ann|30\r\nBob|12\r\nCid|45\r\n");
    world.temp.write("S1.cnv",
                     "OBJECT=PERSON\nPERSON:TYPE=STRUCT\nPERSON:FIELDS=NAME<STRING>,AGE<INTEGER>\n"
                     "OBJECT=PEOPLE\nPEOPLE:TYPE=DATABASE\nPEOPLE:MODEL=PERSON\n"
                     "OBJECT=ADULTS\nADULTS:TYPE=ARRAY\n"
                     "OBJECT=ISADULT\nISADULT:TYPE=CONDITION\nISADULT:OPERAND1=PEOPLE_CURSOR|AGE\n"
                     "ISADULT:OPERATOR=GREATEREQUAL\nISADULT:OPERAND2=18\n"
                     "OBJECT=TALLY\nTALLY:TYPE=CLASS\nTALLY:DEF=TALLY\n"
                     "OBJECT=TOTAL\nTOTAL:TYPE=INTEGER\n"
                     "OBJECT=APPNAME\nAPPNAME:TYPE=STRING\n"
                     "OBJECT=__INIT__\n__INIT__:TYPE=BEHAVIOUR\n"
                     "__INIT__:CODE={PEOPLE^LOAD(\"people.txt\");TALLY^NEW(AGES);"
                     "@LOOP({@IF(ISADULT^CHECK(),\"_\",TRUE,"
                     "{ADULTS^ADD(PEOPLE_CURSOR|NAME);TOTAL^SET(AGES^ADD(PEOPLE_CURSOR|AGE));});PEOPLE^NEXT();},"
                     "0,PEOPLE^GETROWSNO(),1);APPNAME^SET(@GETAPPLICATIONNAME());}\n");
    CMC_Application* application = parse(std::string(kApplication) + kEpisodes + kScenes);
    ASSERT_NE(application, nullptr);
    world.application->setMCApplicationIfc(application);

    auto* scene = static_cast<CMC_Scene*>(parser->get(CXString("S1")));
    std::unique_ptr<CMElements> elements(CMElementsLoader::load(world.window.get(), CXString("S1.cnv")));
    ASSERT_NE(elements, nullptr);
    std::unique_ptr<CMElements> leftOver(scene->resolveObjects(elements.get()));
    EXPECT_EQ(leftOver->getCount(), 0);
    for (int i = 0; i < scene->getObjectsNo(); ++i)
        scene->getObject(i)->init();
    static_cast<CMC_Behaviour*>(scene->getObject("__INIT__"))->run(scene, nullptr, true);

    auto* adults = dynamic_cast<CMC_Array*>(scene->getObject("ADULTS"));
    ASSERT_NE(adults, nullptr);
    ASSERT_EQ(adults->getSize(), 2);
    EXPECT_EQ(adults->get(0)->toString(), "Ann");
    EXPECT_EQ(adults->get(1)->toString(), "Cid");
    EXPECT_EQ(scene->getVariable("TOTAL")->toString(), "75");
    EXPECT_EQ(scene->getVariable("APPNAME")->toString(), "GAME");
    world.application->setMCApplicationIfc(nullptr);
    CWindow::setCDPath(savedDisc);
}
