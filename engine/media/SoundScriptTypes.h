#pragma once

// Attaches SOUND to the definition factory, the CREATE statement and the compiled-record
// factory, and its runner to the runner registry; the runner is made at the registry's next
// initialize.
void attachSoundScriptTypes();
