#include "media/CMC_NetClient.h"
#include "platform/DebugOutput.h"
#include "script/CMC_Array.h"
#include "script/CMC_CNVLoader.h"
#include "script/CMC_Integer.h"

#include "InputScene.h"
#include "NetworkTestSupport.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A server's scene in its application's folder and a player that sends it behaviour code
// over the loopback network. The scene holds the ARRAY LIST with a value, the empty ARRAY GOT,
// the STRING TEXT (whose COPYFILE copies "source.txt" of the folder), the INTEGERs PEERS and
// OWN on which peer code and the application's code bind, and the INTEGER DONE that the code
// sent counts up last. Beside the folder lies another, which the folder's link "door" leads to.
class ReceivedCode : public InputScene {
protected:
    static void SetUpTestSuite() { platform::setLoopbackTestNetwork(true); }

    ReceivedCode()
        : players(std::make_unique<CMC_ObjectsContainer>(window.get(), nullptr, CXString("PLAYERS"),
                                                         CMC_Object::TYPE_SCENE))
    {
        // A "/" in a definition continues its line and is dropped: the code names the file the
        // Windows way.
        const std::string saveLost = "{LIST^SAVE(\"" + dataName(outside.path()) + "\\lost.dat\");}\n";
        CWindow::setCDPath(folder.path().string().c_str());
        folder.write("source.txt", "copied");
        fs::create_directory_symlink(outside.path(), folder.file("door"));
        define("OBJECT=SRV\nSRV:TYPE=NETSERVER\n"
               "OBJECT=LIST\nLIST:TYPE=ARRAY\nOBJECT=GOT\nGOT:TYPE=ARRAY\n"
               "OBJECT=TEXT\nTEXT:TYPE=STRING\nOBJECT=DONE\nDONE:TYPE=INTEGER\n"
               "OBJECT=PEERS\nPEERS:TYPE=INTEGER\nOBJECT=OWN\nOWN:TYPE=INTEGER\n"
               "OBJECT=SAVER\nSAVER:TYPE=BEHAVIOUR\nSAVER:CODE={LIST^SAVE(\"$1\");}\n"
               "OBJECT=SAVELOST\nSAVELOST:TYPE=BEHAVIOUR\nSAVELOST:CODE=" + saveLost);
        scene->addObject(new CMC_CNVLoader(window.get(), scene.get()));
        for (const char* side : {"PEERS", "OWN"})
            folder.write(std::string(side) + ".cnv", std::string("OBJECT=") + side + "_LOADED\n" + side +
                                                         "_LOADED:TYPE=BEHAVIOUR\n" + side + "_LOADED:CODE=" + saveLost);
        define("OBJECT=CLI\nCLI:TYPE=NETCLIENT\n", players.get());
        run("LIST^ADD(\"kept\");SRV^START();");
        ScriptCode(players.get()).run("CLI^CONNECT(\"localhost\");");
        EXPECT_TRUE(until([this] { return ask("SRV^GETPLAYERSNO()") == "1"; }));
    }
    ~ReceivedCode() override
    {
        players->unload();
        players.reset();
        CWindow::setCDPath(savedCDPath_);
    }

    bool until(const std::function<bool()>& condition)
    {
        return eventually(condition, [this] { frame(); });
    }

    // Sends the code as a peer does, and waits until the server has run it.
    void sendFromPeer(const std::string& code)
    {
        const int before = done();
        CMC_Behaviour carrier(players.get(), CXString("CARRIER"), CXString((code + "DONE^INC();").c_str()));
        static_cast<CMC_NetClient*>(players->getObject("CLI"))->sendBehaviour(CXString(), &carrier);
        ASSERT_TRUE(until([&] { return done() == before + 1; })) << code;
    }
    int done() { return static_cast<CMC_Integer*>(scene->getObject("DONE"))->getValue(); }
    int got() { return static_cast<CMC_Array*>(scene->getObject("GOT"))->getSize(); }

    // The file that code aiming out of the folder would write.
    std::string lost() const { return outside.file("lost.dat"); }
    bool written(const std::string& file) const { return fs::exists(file); }
    void forget(const std::string& file) const { fs::remove(file); }

    // A folder as the data name it: "\" between its names.
    static std::string dataName(const fs::path& path) { return platform::toWindowsName(path.string()); }

    TempFolder outside;
    std::unique_ptr<CMC_ObjectsContainer> players;

private:
    CXString savedCDPath_ = CWindow::getCDPath();
};

// Names for one file, and whether they lead into the application's folder.
struct Target {
    const char* what;
    std::string name;
    bool inside;
};

} // namespace

// Code from a peer writes and copies only inside the application's folder, however the name
// leads out of it; the same statements of the application's own code write wherever they name,
// also after the peer's code ran.
TEST_F(ReceivedCode, WritesOnlyInsideTheFolderWhileTheApplicationWritesAnywhere)
{
    const std::string kept = folder.file("kept.dat");
    const std::vector<Target> targets = {
        {"a name in the folder", "kept.dat", true},
        {"a name that climbs back", "sub\\..\\kept.dat", true},
        {"the folder by drive letter", "C:" + dataName(folder.path()) + "\\kept.dat", true},
        {"an absolute path", lost(), false},
        {"a name with ..", "..\\" + outside.path().filename().string() + "\\lost.dat", false},
        {"a drive letter", "C:" + dataName(outside.path()) + "\\lost.dat", false},
        {"a link out of the folder", "door\\lost.dat", false},
    };
    const std::vector<std::pair<const char*, std::string>> statements = {
        {"SAVE", "LIST^SAVE(\"%\");"},
        {"COPYFILE", "TEXT^COPYFILE(\"source.txt\", \"%\");"},
    };
    for (const auto& [method, statement] : statements) {
        for (const Target& target : targets) {
            std::string code = statement;
            code.replace(code.find('%'), 1, target.name);
            const std::string file = target.inside ? kept : lost();
            SCOPED_TRACE(std::string(method) + " to " + target.what);

            sendFromPeer(code);
            EXPECT_EQ(written(file), target.inside);
            EXPECT_FALSE(written(lost()));
            forget(file);

            run(code);
            EXPECT_TRUE(written(file));
            forget(file);
        }
    }
}

// Peer code reads and lists nothing outside the folder; the application's code does.
TEST_F(ReceivedCode, ReadsNothingOutsideTheFolder)
{
    run("LIST^SAVE(\"" + lost() + "\");");
    const std::vector<std::string> reads = {
        "GOT^LOAD(\"" + lost() + "\");",
        "GOT^DIR(\"" + dataName(outside.path()) + "\\\", \"*.dat\");",
    };
    for (const std::string& code : reads) {
        SCOPED_TRACE(code);
        sendFromPeer(code);
        EXPECT_EQ(got(), 0);
        run(code);
        EXPECT_EQ(got(), 1);
        run("GOT^REMOVEALL();");
    }
}

// What peer code leaves behind to run later (a timed run, the end behaviour of one, a binding
// with its arguments, a behaviour it loads, the copy of a binding that a clone made by the
// application takes)
// stays confined when the application sets it off; the same left behind by the application's
// code writes outside. "%" stands for the object each side binds on.
TEST_F(ReceivedCode, CodeThePeerLeavesBehindStaysConfined)
{
    struct LeftBehind {
        const char* what;
        std::string setUp;
        std::string setOff;
    };
    const std::string bind = "%^ADDBEHAVIOUR(\"ONSIGNAL$GO\", \"SAVER\", \"" + lost() + "\");";
    const std::vector<LeftBehind> cases = {
        {"a timed run", "@RUNONTIMER(10, 1, {LIST^SAVE(\"" + lost() + "\");});", ""},
        {"the end of a timed run", "@RUNONTIMER(10, 1, {@BREAK();}, SAVELOST);", ""},
        {"a binding", bind, "%^SEND(\"GO\");"},
        {"a behaviour it loads", "CNVLOADER^LOAD(\"%.cnv\");", "%_LOADED^RUN();"},
        {"a clone's copy of a binding", bind, "%^CLONE(1);%^REMOVEALLBEHAVIOURS();%_1^SEND(\"GO\");"},
    };
    const auto on = [](std::string code, const char* object) {
        for (size_t at = code.find('%'); at != std::string::npos; at = code.find('%'))
            code.replace(at, 1, object);
        return code;
    };
    const auto setOff = [this](const std::string& code) {
        for (int i = 0; i < 3; ++i)
            frame();
        run(code);
    };
    for (const LeftBehind& left : cases) {
        SCOPED_TRACE(left.what);
        sendFromPeer(on(left.setUp, "PEERS"));
        setOff(on(left.setOff, "PEERS"));
        EXPECT_FALSE(written(lost()));

        run(on(left.setUp, "OWN"));
        setOff(on(left.setOff, "OWN"));
        EXPECT_TRUE(written(lost()));
        forget(lost());
    }
}

// A refused statement says why on the debug output.
TEST_F(ReceivedCode, ARefusalIsADebugLine)
{
    platform::setDebugOutputEnabled(true);
    testing::internal::CaptureStderr();
    sendFromPeer("LIST^SAVE(\"" + lost() + "\");");
    const std::string output = testing::internal::GetCapturedStderr();
    platform::setDebugOutputEnabled(false);
    EXPECT_NE(output.find("Network: code from a peer may not use " + lost()), std::string::npos) << output;
}
