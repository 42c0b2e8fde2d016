#include "script_graphics/ScriptGraphicsWindow.h"

bool ScriptGraphicsWindow::paused_ = false;
