#pragma once

// Attaches ANIMO, IMAGE and GROUP to the definition factory (and ANIMO and IMAGE to the
// CREATE statement), their runners to the runner registry, the readers of ANIMO and IMAGE
// records to the compiled-scene reader (GROUP's is the script core's) and ANIMO's animation
// to what scenes play; the runners are made at the registry's next initialize.
void attachGraphicsScriptTypes();
