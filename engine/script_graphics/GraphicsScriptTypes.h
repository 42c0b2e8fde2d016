#pragma once

// Attaches ANIMO, IMAGE and GROUP to the definition factory (and ANIMO and IMAGE to the
// CREATE statement) and their runners to the runner registry; the runners are made at the
// registry's next initialize.
void attachGraphicsScriptTypes();
