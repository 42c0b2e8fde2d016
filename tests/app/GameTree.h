#pragma once

#include "app/ApplicationWorld.h"

#include <cstdint>

// Background colours of the scenes (5-6-5).
constexpr uint16_t kRedA = 0xF800;
constexpr uint16_t kGreenB = 0x07E0;
constexpr uint16_t kBlueD = 0x001F;

// The application APP: episode E1 with scenes A, B and C, episode E2 with scene D. The folders
// on disk are cased otherwise than the PATHs name them. Every handler adds its name to the
// application's ARRAY LOG. A timer in A asks E1 for its next scene after 100 ms, one in B
// switches the application to E2, one in D restarts the application and logs after it.
// The application's behaviour SAY logs WHERE, which the application and A both have.
inline void writeGameTree(ApplicationWorld& world)
{
    world.write("Dane/application.def",
                "OBJECT=A\nA:TYPE=SCENE\nA:PATH=Epizod1\\ScenaA\nA:BACKGROUND=A.IMG\n"
                "OBJECT=B\nB:TYPE=SCENE\nB:PATH=Epizod1\\ScenaB\nB:BACKGROUND=b.img\n"
                "OBJECT=C\nC:TYPE=SCENE\nC:PATH=Epizod1\\ScenaC\n"
                "OBJECT=D\nD:TYPE=SCENE\nD:PATH=Epizod2\\ScenaD\nD:BACKGROUND=d.img\n"
                "OBJECT=E1\nE1:TYPE=EPISODE\nE1:SCENES=A, B, C\nE1:PATH=Epizod1\n"
                "OBJECT=E2\nE2:TYPE=EPISODE\nE2:SCENES=D\nE2:PATH=Epizod2\n"
                "OBJECT=APP\nAPP:TYPE=APPLICATION\nAPP:EPISODES=E1,E2\n");
    world.write("Dane/APP.cnv", "OBJECT=LOG\nLOG:TYPE=ARRAY\n"
                                "OBJECT=WHERE\nWHERE:TYPE=STRING\nWHERE:VALUE=app\n"
                                "OBJECT=SAY\nSAY:TYPE=BEHAVIOUR\nSAY:CODE={LOG^ADD(WHERE);}\n"
                                "OBJECT=ECHO\nECHO:TYPE=BEHAVIOUR\nECHO:CODE={LOG^ADD($1);LOG^ADD($2);}\n"
                                "OBJECT=APP\nAPP:ONINIT={LOG^ADD(\"APP.init\");}\n"
                                "APP:ONDONE={LOG^ADD(\"APP.done\");}\n");
    world.write("Dane/EPIZOD1/e1.cnv", "OBJECT=E1\nE1:ONINIT={LOG^ADD(\"E1.init\");}\n"
                                       "E1:ONDONE={LOG^ADD(\"E1.done\");}\n");
    world.write("Dane/epizod2/E2.cnv", "OBJECT=E2\nE2:ONINIT={LOG^ADD(\"E2.init\");}\n");
    world.write("Dane/EPIZOD1/scenaa/A.cnv", "OBJECT=A\nA:ONINIT={LOG^ADD(\"A.init\");}\n"
                                             "OBJECT=WHERE\nWHERE:TYPE=STRING\nWHERE:VALUE=A\n"
                                             "OBJECT=TICKER\nTICKER:TYPE=TIMER\nTICKER:ELAPSE=100\nTICKER:TICKS=1\n"
                                             "TICKER:ONTICK={LOG^ADD(\"A.tick\");E1^NEXT();}\n");
    world.picture("Dane/EPIZOD1/scenaa/a.img", kRedA);
    world.write("Dane/EPIZOD1/SCENAB/B.cnv", "OBJECT=B\nB:ONINIT={LOG^ADD(\"B.init\");}\n"
                                             "OBJECT=TICKER\nTICKER:TYPE=TIMER\nTICKER:ELAPSE=100\n"
                                             "TICKER:ONTICK={LOG^ADD(\"B.tick\");APP^GOTO(\"E2\");}\n");
    world.picture("Dane/EPIZOD1/SCENAB/B.IMG", kGreenB);
    world.write("Dane/EPIZOD1/ScenaC/C.cnv", "OBJECT=C\nC:ONINIT={LOG^ADD(\"C.init\");}\n");
    world.write("Dane/epizod2/scenad/D.cnv", "OBJECT=D\nD:ONINIT={LOG^ADD(\"D.init\");}\n"
                                             "OBJECT=TICKER\nTICKER:TYPE=TIMER\nTICKER:ELAPSE=100\n"
                                             "TICKER:ONTICK={LOG^ADD(\"D.tick\");APP^RESTART();LOG^ADD(\"D.after\");}\n");
    world.picture("Dane/epizod2/scenad/d.img", kBlueD);
}
