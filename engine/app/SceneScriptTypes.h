#pragma once

// Attaches the SCENE runner to the runner registry; it is made at the registry's next
// initialize.
void attachSceneScriptTypes();
