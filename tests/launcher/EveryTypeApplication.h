#pragma once

#include "graphics/AnnRecords.h"
#include "graphics/CAnimo6.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/ImgFixtures.h"
#include "media/SoundTestKit.h"
#include "text/FntFixtures.h"

#include "TempFolder.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

// An application that uses every script type whose objects a compiled scene keeps, each with
// properties other than its defaults, in a folder of its own: an application FONT drawn by
// TEXT and EDITBOX, a KEYBOARD of the application that the episode's and a scene's KEYBOARD
// bind more keys of,
// a BUTTON whose looks are IMAGEs without PRELOAD (one with PRELOAD=FALSE), an ANIMO at its own
// FPS, a disabled TIMER, an EXPRESSION and the rest. The scene writes what it sees into LOG,
// kept in the INI. Its scripted run (`kScript`, `kFrames` frames, shots `kShots`) points at the
// button and presses it, types on both keyboards' keys and moves on to the second scene.
class EveryTypeApplication {
public:
    static constexpr const char* kScript = "script.txt";
    static constexpr const char* kFrames = "160";
    static constexpr const char* kShots = "5,18,21,24,45,90,150";

    EveryTypeApplication()
    {
        write("Kestrum.ini", "[MAIN]\nTITLE=Every type\n");
        write(kScript, "10 move 110 110\n"
                       "20 press LEFT\n"
                       "23 release LEFT\n"
                       "30 key down A\n31 key up A\n"
                       "40 key down B\n41 key up B\n"
                       "50 move 300 300\n51 press RIGHT\n52 release RIGHT\n"
                       "100 key down N\n101 key up N\n");
        writeDefinitions();
        writePictures();
        writeSounds();
        write("Dane/letters.fnt", FntMaker({{'a', {"##..", "#.#.", "##.."}},
                                            {'b', {"#...", "###.", "###."}},
                                            {'1', {".#..", ".#..", ".#.."}},
                                            {'4', {"#.#.", "###.", "..#."}},
                                            {'5', {"###.", ".##.", "##.."}}})
                                      .bytes());
    }

    const std::filesystem::path& path() const { return folder_.path(); }
    std::string read(const std::string& name) const { return folder_.read(name); }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::filesystem::create_directories((folder_.path() / name).parent_path());
        folder_.write(name, bytes);
    }

private:
    void writeDefinitions() const
    {
        write("Dane/application.def", "OBJECT=EVERY\nEVERY:TYPE=APPLICATION\nEVERY:EPISODES=PLAY\n"
                                      "OBJECT=PLAY\nPLAY:TYPE=EPISODE\nPLAY:PATH=Play\nPLAY:SCENES=FIRST,SECOND\n"
                                      "OBJECT=FIRST\nFIRST:TYPE=SCENE\nFIRST:PATH=Play\\First\nFIRST:BACKGROUND=back.img\n"
                                      "OBJECT=SECOND\nSECOND:TYPE=SCENE\nSECOND:PATH=Play\\Second\n"
                                      "SECOND:BACKGROUND=back.img\n");
        write("Dane/Every.cnv", "OBJECT=EVERY\n"
                                "OBJECT=LETTERS\nLETTERS:TYPE=FONT\nLETTERS:DEF_F_STANDARD_3=letters.fnt\n"
                                "OBJECT=LOG\nLOG:TYPE=STRING\nLOG:TOINI=TRUE\n"
                                "OBJECT=KEYBOARD\nKEYBOARD:TYPE=KEYBOARD\n"
                                "KEYBOARD:ONKEYDOWN^A={LOG^ADD(\"A\");}\n");
        write("Dane/Play/Play.cnv", "OBJECT=PLAY\nOBJECT=MOUSE\nMOUSE:TYPE=MOUSE\n"
                                    "OBJECT=KEYBOARD\nKEYBOARD:TYPE=KEYBOARD\nKEYBOARD:ONKEYDOWN^N={PLAY^NEXT();}\n");
        write("Dane/Play/First/First.cnv", kFirstScene);
        write("Dane/Play/Second/Second.cnv", "OBJECT=SECOND\nSECOND:ONINIT={LOG^ADD(\"2\");}\n"
                                             "OBJECT=SHOWN\nSHOWN:TYPE=TEXT\nSHOWN:FONT=LETTERS\nSHOWN:TEXT=b1a\n"
                                             "SHOWN:RECT=10,10,100,40\nSHOWN:TOCANVAS=TRUE\nSHOWN:VISIBLE=TRUE\n");
        write("Dane/Play/First/show.seq", "NAME show\nshow TYPE SEQUENCE\nNAME step\nstep FILENAME steps.ann\n"
                                          "step EVENT GO\nstep TYPE SIMPLE\nstep ADD show\n");
    }

    static constexpr const char* kFirstScene =
        "OBJECT=FIRST\n"
        "FIRST:ONINIT={LOG^ADD(SUM);LOG^ADD(N);LOG^ADD(D);LOG^ADD(B);LOG^ADD(S);LOG^ADD(V^GET(1));"
        "ARR^ADD(1);Q^PUSH(4);LOG^ADD(Q^GETSIZE());RUNNER^PLAY(\"RUN\");TONE^PLAY();SEQ^PLAY(\"show\");"
        "SAY^RUNC();}\n"
        // Values, conditions and a behaviour that runs only while its condition holds.
        "OBJECT=SAY\nSAY:TYPE=BEHAVIOUR\nSAY:CODE={LOG^ADD(\"s\");}\nSAY:CONDITION=BOTH\n"
        "OBJECT=N\nN:TYPE=INTEGER\nN:VALUE=7\nN:DEFAULT=3\nN:TOINI=TRUE\n"
        "OBJECT=D\nD:TYPE=DOUBLE\nD:VALUE=2.5\nD:DEFAULT=1.5\n"
        "OBJECT=B\nB:TYPE=BOOL\nB:VALUE=TRUE\n"
        "OBJECT=S\nS:TYPE=STRING\nS:VALUE=hello\nS:ONCHANGED={LOG^ADD(\"S\");}\n"
        "OBJECT=MORE\nMORE:TYPE=CONDITION\nMORE:OPERAND1=N\nMORE:OPERATOR=GREATER\nMORE:OPERAND2=5\n"
        "OBJECT=BOTH\nBOTH:TYPE=COMPLEXCONDITION\nBOTH:CONDITION1=MORE\nBOTH:CONDITION2=MORE\nBOTH:OPERATOR=AND\n"
        "OBJECT=SUM\nSUM:TYPE=EXPRESSION\nSUM:OPERAND1=N\nSUM:OPERATOR=MUL\nSUM:OPERAND2=20\n"
        "OBJECT=ARR\nARR:TYPE=ARRAY\nARR:SENDONCHANGE=TRUE\nARR:ONCHANGED={LOG^ADD(\"c\");}\n"
        "OBJECT=V\nV:TYPE=VECTOR\nV:SIZE=3\nV:VALUE=1.5,2.5,3.5\n"
        "OBJECT=Q\nQ:TYPE=FIFO\n"
        "OBJECT=L\nL:TYPE=LIFO\n"
        "OBJECT=G\nG:TYPE=GROUP\n"
        // The button's looks: none preloaded, the pressed one told not to preload.
        "OBJECT=LOOK\nLOOK:TYPE=IMAGE\nLOOK:FILENAME=look.img\nLOOK:TOCANVAS=TRUE\nLOOK:VISIBLE=TRUE\nLOOK:PRIORITY=20\n"
        "OBJECT=LIT\nLIT:TYPE=IMAGE\nLIT:FILENAME=lit.img\nLIT:TOCANVAS=TRUE\nLIT:VISIBLE=FALSE\nLIT:PRIORITY=20\n"
        "OBJECT=PRESSED\nPRESSED:TYPE=IMAGE\nPRESSED:FILENAME=pressed.img\nPRESSED:TOCANVAS=TRUE\n"
        "PRESSED:VISIBLE=FALSE\nPRESSED:PRIORITY=20\nPRESSED:PRELOAD=FALSE\n"
        "OBJECT=CLICK\nCLICK:TYPE=SOUND\nCLICK:FILENAME=click.wav\nCLICK:PRELOAD=TRUE\n"
        "OBJECT=TONE\nTONE:TYPE=SOUND\nTONE:FILENAME=tone.wav\nTONE:FLUSHAFTERPLAYED=TRUE\n"
        "OBJECT=PUSH\nPUSH:TYPE=BUTTON\nPUSH:GFXSTANDARD=LOOK\nPUSH:GFXONMOVE=LIT\nPUSH:GFXONCLICK=PRESSED\n"
        "PUSH:SNDONCLICK=CLICK\nPUSH:ENABLE=TRUE\nPUSH:PRIORITY=20\nPUSH:ONACTION={LOG^ADD(\"p\");}\n"
        // An animation at a rate of its own, whose hit box is its first frame's.
        "OBJECT=RUNNER\nRUNNER:TYPE=ANIMO\nRUNNER:FILENAME=runner.ann\nRUNNER:TOCANVAS=TRUE\nRUNNER:VISIBLE=TRUE\n"
        "RUNNER:PRIORITY=15\nRUNNER:FPS=25\nRUNNER:ONFIRSTFRAME=TRUE\nRUNNER:ASBUTTON=TRUE\n"
        "RUNNER:MONITORCOLLISION=TRUE\nRUNNER:ONFINISHED={LOG^ADD(\"f\");}\n"
        "OBJECT=SEQ\nSEQ:TYPE=SEQUENCE\nSEQ:FILENAME=show.seq\nSEQ:ONFINISHED={LOG^ADD(\"q\");}\n"
        // Timers: one disabled, one limited, one without an interval, which never ticks.
        "OBJECT=OFF\nOFF:TYPE=TIMER\nOFF:ELAPSE=100\nOFF:ENABLED=FALSE\nOFF:ONTICK={LOG^ADD(\"o\");}\n"
        "OBJECT=TWICE\nTWICE:TYPE=TIMER\nTWICE:ELAPSE=300\nTWICE:TICKS=2\nTWICE:ONTICK={LOG^ADD(\"t\");}\n"
        "OBJECT=NEVER\nNEVER:TYPE=TIMER\nNEVER:ONTICK={LOG^ADD(\"n\");}\n"
        "OBJECT=WORDS\nWORDS:TYPE=TEXT\nWORDS:FONT=LETTERS\nWORDS:TEXT=ab14|ba\nWORDS:RECT=200,20,400,80\n"
        "WORDS:HJUSTIFY=RIGHT\nWORDS:VJUSTIFY=BOTTOM\nWORDS:TOCANVAS=TRUE\nWORDS:VISIBLE=TRUE\nWORDS:PRIORITY=30\n"
        "OBJECT=BOX\nBOX:TYPE=EDITBOX\nBOX:RECT=200,100,400,130\nBOX:FONT=LETTERS\nBOX:TEXT=ba\nBOX:PRIORITY=25\n"
        "BOX:ONCHANGED={LOG^ADD(\"e\");}\n"
        // The scene's keyboard binds a key more of the application's; its mouse, of the episode's.
        "OBJECT=KEYBOARD\nKEYBOARD:TYPE=KEYBOARD\nKEYBOARD:ONKEYDOWN^B={LOG^ADD(\"B\");}\n"
        "OBJECT=MOUSE\nMOUSE:TYPE=MOUSE\nMOUSE:ONCLICK^RIGHT={LOG^ADD(\"r\");}\n"
        "OBJECT=OBSERVER\nOBSERVER:TYPE=CANVAS_OBSERVER\n"
        "OBJECT=FADE\nFADE:TYPE=FILTER\nFADE:ACTION=FADEIN\n"
        "OBJECT=GREY\nGREY:TYPE=STATICFILTER\nGREY:ACTION=GRAYSCALE\n"
        "OBJECT=WAY\nWAY:TYPE=PATH\nWAY:NODES=LOOK,LIT\n"
        "OBJECT=VIEW\nVIEW:TYPE=SCROLL\nVIEW:VIEWPORT=0,0,400,300\n"
        "OBJECT=PAD\nPAD:TYPE=CANVAS\nPAD:WIDTH=40\nPAD:HEIGHT=30\nPAD:PRIORITY=3\nPAD:ALPHA=TRUE\n"
        "OBJECT=TILES\nTILES:TYPE=PATTERN\nTILES:WIDTH=3\nTILES:HEIGHT=2\nTILES:GRIDX=20\nTILES:GRIDY=10\n"
        "TILES:LAYERS=2\nTILES:PRIORITY=2\nTILES:TOCANVAS=TRUE\nTILES:VISIBLE=TRUE\n"
        "OBJECT=ASK\nASK:TYPE=DIALOG\n"
        "OBJECT=CLIENT\nCLIENT:TYPE=NETCLIENT\n"
        "OBJECT=SERVER\nSERVER:TYPE=NETSERVER\n"
        "OBJECT=STICK\nSTICK:TYPE=JOYSTICK\n";

    // Solid 16-bit (5-6-5) pictures as IMG files, placed on the screen.
    void picture(const std::string& name, int x, int y, int width, int height, uint16_t colour) const
    {
        const std::vector<uint16_t> words(static_cast<size_t>(width) * height, colour);
        write(name, pikFile(width, height, 16, 0, asBytes(words), std::string(words.size(), '\xFF'), x, y));
    }

    void writePictures() const
    {
        picture("Dane/Play/First/back.img", 0, 0, 800, 600, 0x2945);
        picture("Dane/Play/Second/back.img", 0, 0, 800, 600, 0x4A69);
        picture("Dane/Play/First/look.img", 100, 100, 60, 30, 0x001F);
        picture("Dane/Play/First/lit.img", 100, 100, 60, 30, 0x07E0);
        picture("Dane/Play/First/pressed.img", 100, 100, 60, 30, 0xF800);
        animation(folder_.file("Dane/Play/First/runner.ann"), "RUN", 6, 500);
        animation(folder_.file("Dane/Play/First/steps.ann"), "GO", 3, 300);
    }

    // One event of that many pictures, bars of growing width at (x, 400), 5 a second in the file.
    static void animation(const std::string& file, const char* event, int pictures, int x)
    {
        CAnimo6 animo(nullptr);
        _annEventInfo3 info;
        info.setName(event);
        info.fps = 5;
        info.opacity = 255;
        for (int i = 0; i < pictures; ++i) {
            const int width = 10 + 10 * i;
            CGraphicsObject frame(nullptr, CXSize(width, 20), 16);
            const std::vector<uint16_t> words(static_cast<size_t>(width) * 20, static_cast<uint16_t>(0xFFE0 - 0x0841 * i));
            std::memcpy(frame.GetDataPtr(), words.data(), words.size() * 2);
            frame.SetPosition(x, 400);
            info.frames.push_back(static_cast<uint16_t>(animo.GetNOF()));
            animo.AddFrame(&frame);
        }
        animo.AddEvent(&info);
        animo.Save(CXString(file.c_str()), COMPRESSION_RLE);
    }

    // Tones of their own pitches at 22,050 Hz.
    void sound(const std::string& name, double hz, double seconds) const
    {
        std::vector<int16_t> samples(static_cast<size_t>(seconds * 22050));
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<int16_t>(8000 * std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / 22050));
        write(name, wav::riff(wav::fmt(1, 1, 22050, 16) + wav::chunk("data", wav::samples16(samples))));
    }

    void writeSounds() const
    {
        sound("Wavs/click.wav", 3000, 0.1);
        sound("Wavs/tone.wav", 500, 0.5);
    }

    TempFolder folder_;
};
