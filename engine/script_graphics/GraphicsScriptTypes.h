#pragma once

// Attaches ANIMO, IMAGE, GROUP, MOVIE, FILTER, STATICFILTER, PATH and SCROLL to the definition
// factory (and ANIMO and IMAGE to the CREATE statement), their runners to the runner registry,
// their record readers to the compiled-scene reader (GROUP's is the script core's) and ANIMO's
// animation to what scenes play; the runners are made at the registry's next initialize.
void attachGraphicsScriptTypes();
