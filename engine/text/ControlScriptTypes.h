#pragma once

// Attaches BUTTON, EDITBOX and DIALOG to the definition factory, their runners to the runner
// registry and the readers of their records to the compiled-scene reader; BUTTON also to the
// CREATE statement and to the objects that scenes create at run time. The runners are made at
// the registry's next initialize.
void attachControlScriptTypes();
