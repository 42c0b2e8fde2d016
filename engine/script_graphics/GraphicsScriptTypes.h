#pragma once

// Attaches the graphics script types to the definition factory (and ANIMO and IMAGE to the
// CREATE statement), their runners to the runner registry and the readers of their records
// to the compiled-scene reader (GROUP's is the script core's): ANIMO, IMAGE, GROUP, MOVIE,
// FILTER, STATICFILTER, PATH, SCROLL, SEQUENCE, CANVAS, CANVASOBSERVER, PATTERN and
// VIRTUALGRAPHICSOBJECT. Scenes get the animations and the sequences that play and
// CREATEOBJECT's "VGO". The runners are made at the registry's next initialize.
void attachGraphicsScriptTypes();
