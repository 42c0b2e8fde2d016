#pragma once

// Attaches MOUSE, KEYBOARD and JOYSTICK to the definition factory and the compiled-record
// factory, and their runners to the runner registry; the runners are made at the registry's
// next initialize.
void attachInputScriptTypes();
