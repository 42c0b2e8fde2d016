#pragma once

#include <string>
#include <vector>

class CMC_Scene;

// The scenes menu of the program's window, which has no menu bar here: a title line with the
// application's name, then one line per scene of each episode in order, the scene's name and
// its command id, its position in its episode (so ids repeat across episodes). Names are cut
// to 255 characters, as a menu item held them.
std::vector<std::string> scenesMenuLines(CMC_Scene* application);
