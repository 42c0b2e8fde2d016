#include "app/CMC_Scene.h"

#include "app/CWindow.h"
#include "app/ScriptTypes.h"
#include "foundation/CLanguageOSVer.h"
#include "foundation/CPublicTrash.h"
#include "foundation/CTextFileReader.h"
#include "foundation/CXVector.h"
#include "platform/DebugOutput.h"
#include "platform/PathResolver.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_DLLExModuleInterface.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElementsLoader.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A program folder holding copies of the test modules, with the pools and the runners.
class PluginScenes : public ::testing::Test {
protected:
    PluginScenes()
    {
        platform::changeFolder(folder.path().string());
        for (const char* module : {"ProbeAlpha.so", "ProbeBeta.so", "ProbeNoRelease.so", "ProbeSilent.so"})
            std::filesystem::copy_file(std::filesystem::path(KESTRUM_PROBE_MODULES) / module, folder.path() / module);
        registerScriptTypes();
        CMC_VariableFactory::initialize();
        CMC_RunnerFactory::initialize();
        window = std::make_unique<CWindow>(&language, programFolder());
    }
    ~PluginScenes() override
    {
        CMC_Scene::doneDefUnit();
        window.reset();
        CMC_RunnerFactory::done();
        CMC_VariableFactory::done();
        CWindow::rootPath = savedRoot_;
        CWindow::exePath = savedExe_;
    }

    CXString programFolder() const
    {
        return CXString(platform::toWindowsName(folder.path().string()).c_str()) + "\\";
    }
    std::unique_ptr<CMC_Scene> scene(const char* dlls)
    {
        CMElement definition("SCENE1");
        definition.addProperty("DLLS", dlls);
        auto made = std::make_unique<CMC_Scene>(window.get(), nullptr, &definition, CMC_Object::TYPE_SCENE);
        made->resolveDLLs(made->getDLLs());
        return made;
    }
    // Builds a definition text in the scene and starts its objects; the names left over.
    std::vector<std::string> build(CMC_Scene* in, const std::string& text)
    {
        std::unique_ptr<CMElements> elements(
            CMElementsLoader::load(window.get(), new CTextFileReader(window.get(), text.c_str(), static_cast<int>(text.size()))));
        std::unique_ptr<CMElements> left(in->resolveObjects(elements.get()));
        for (int i = 0; i < in->getObjectsNo(); ++i)
            in->getObject(i)->init();
        std::vector<std::string> names;
        for (int i = 0; i < left->getCount(); ++i)
            names.emplace_back(left->getAt(i)->getName().c_str());
        return names;
    }
    std::vector<std::string> moduleLog() const
    {
        std::istringstream lines(folder.read("probe.log"));
        std::vector<std::string> entries;
        for (std::string line; std::getline(lines, line);)
            entries.push_back(line);
        return entries;
    }

    CurrentFolderGuard guard;
    TempFolder folder;
    CLanguageOSVer language;
    std::unique_ptr<CWindow> window;

private:
    CXString savedRoot_ = CWindow::rootPath;
    CXString savedExe_ = CWindow::exePath;
};

} // namespace

TEST_F(PluginScenes, ModulesBuildTheirTypesInDllsOrderAndAreReleasedAndUnloadedInThatOrder)
{
    std::unique_ptr<CMC_Scene> made = scene("PROBEALPHA.DLL,probebeta");
    ASSERT_EQ(made->getModules().size(), 2u);
    for (const auto& module : made->getModules())
        EXPECT_NE(module->getModuleInterface(), nullptr) << module->getName().c_str();
    EXPECT_EQ(build(made.get(), "OBJECT=GADGET\nGADGET:TYPE=PROBE\nOBJECT=RESULT\nRESULT:TYPE=STRING\n"
                                "OBJECT=USE\nUSE:TYPE=BEHAVIOUR\nUSE:CODE={RESULT^SET(GADGET^PING(1,two));}\n"),
              std::vector<std::string>{});
    static_cast<CMC_Behaviour*>(made->getObject("USE"))->run(nullptr, nullptr, false);
    EXPECT_EQ(made->getVariable("RESULT")->toString(), "ALPHA");

    // One element, and a compiled record of the module's type id.
    CMElement spare("SPARE");
    spare.addProperty("TYPE", "PROBE");
    std::unique_ptr<CXVector> one(made->resolve(&spare, nullptr));
    ASSERT_EQ(one->getCount(), 1);
    delete static_cast<CMC_Object*>(one->at(0));
    delete made->serializeEx(nullptr, 10002);
    EXPECT_EQ(made->serializeEx(nullptr, 10003), nullptr);

    made.reset();
    EXPECT_EQ(moduleLog(), (std::vector<std::string>{
                               "ALPHA create SCENE1", "ALPHA interface", "BETA create SCENE1", "BETA interface",
                               "ALPHA build GADGET", "ALPHA PING(1,two)", "ALPHA build SPARE", "ALPHA delete SPARE",
                               "ALPHA build", "ALPHA delete ", "ALPHA delete GADGET", "ALPHA release",
                               "ALPHA unload", "BETA release", "BETA unload"}));
}

TEST_F(PluginScenes, LibrariesThatCannotServeLeaveTheSceneRunningAndTheirWordsReported)
{
    folder.write("Text.so", "not a library\n");
    platform::setDebugOutputEnabled(true);
    testing::internal::CaptureStderr();
    std::unique_ptr<CMC_Scene> made = scene("Missing,Text.dll,ProbeNoRelease,ProbeSilent");
    const std::vector<std::string> left =
        build(made.get(), "OBJECT=GADGET\nGADGET:TYPE=PROBE\nOBJECT=COUNT\nCOUNT:TYPE=INTEGER\nCOUNT:VALUE=3\n");
    const std::string reported = testing::internal::GetCapturedStderr();
    platform::setDebugOutputEnabled(false);

    EXPECT_EQ(left, std::vector<std::string>{"GADGET"});
    EXPECT_EQ(made->getVariable("COUNT")->toString(), "3");
    std::vector<bool> loaded;
    for (const auto& module : made->getModules()) {
        loaded.push_back(module->isLoaded());
        EXPECT_EQ(module->getModuleInterface(), nullptr) << module->getName().c_str();
    }
    EXPECT_EQ(loaded, (std::vector<bool>{false, false, false, true}));
    for (const char* line : {"Plug-in Missing not loaded", "Plug-in Text.dll not loaded",
                             "Plug-in ProbeNoRelease not loaded", "Object GADGET not built: no type PROBE"})
        EXPECT_NE(reported.find(line), std::string::npos) << line;

    made.reset();
    EXPECT_EQ(moduleLog(), (std::vector<std::string>{"NORELEASE unload", "SILENT create SCENE1", "SILENT interface",
                                                     "SILENT unload"}));
    EXPECT_EQ(scene(",,")->getModules().size(), 0u);
}

TEST_F(PluginScenes, AModuleNameNamesASharedLibraryInTheProgramsFolder)
{
    const std::string program = folder.path().string();
    const std::pair<const char*, std::string> cases[] = {
        {"ProbeAlpha", program + "/ProbeAlpha.so"},
        {"PROBEALPHA.DLL", program + "/ProbeAlpha.so"},
        {"probealpha.x", program + "/ProbeAlpha.so"},
        {"World", program + "/World.so"},
        {"plug.ins\\World", program + "/plug.ins/World.so"},
        {"/opt/kestrum/World.dll", "/opt/kestrum/World.so"},
    };
    for (const auto& [name, path] : cases)
        EXPECT_EQ(CMC_DLLExModuleInterface::libraryPath(CXString(name)), path) << name;
}

TEST_F(PluginScenes, ALibraryUnloadsOnlyAfterTheObjectsItMadeThatWaitInTheBin)
{
    std::unique_ptr<CMC_Scene> made = scene("ProbeAlpha");
    build(made.get(), "OBJECT=GADGET\nGADGET:TYPE=PROBE\nOBJECT=KEPT\nKEPT:TYPE=PROBE\n");
    CMC_Object* gadget = made->getObject("GADGET");
    ASSERT_TRUE(made->removeObject(gadget));
    made->deleteLater(gadget);
    made->unload(nullptr);
    EXPECT_EQ(moduleLog(), (std::vector<std::string>{"ALPHA create SCENE1", "ALPHA interface", "ALPHA build GADGET",
                                                     "ALPHA build KEPT", "ALPHA delete KEPT", "ALPHA release"}));
    window->getPublicTrashInterface()->onTimer(CPublicTrash::kTimerId);
    EXPECT_EQ(moduleLog().back(), "ALPHA unload");
    EXPECT_EQ(moduleLog().end()[-2], "ALPHA delete GADGET");

    // Without objects in the bin, the library goes at once.
    made->resolveDLLs(CXString("ProbeAlpha"));
    made->unload(nullptr);
    EXPECT_EQ(moduleLog().back(), "ALPHA unload");
}
