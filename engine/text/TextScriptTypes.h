#pragma once

// Attaches FONT and TEXT to the definition factory, their runners to the runner registry and
// the readers of their records to the compiled-scene reader; scenes learn that a FONT's record
// leaves its letters behind. The runners are made at the registry's next initialize.
void attachTextScriptTypes();
