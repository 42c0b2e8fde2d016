#pragma once

#include "script/CMElement.h"

class CCommandLine6;
class CTextCoder;
class CTextFileReader;
class ScriptWindow;

// Reads definition files (".cnv", "application.def", script class files) into elements:
// one per OBJECT, IMPORT or DEF line, with its properties in file order and its children.
//
//   OBJECT=NAME            a new element (ignored when NAME exists)
//   IMPORT=NAME            a new element with TYPE = "SEQUENCE" (ignored when NAME exists)
//   DEF:NAME(K=V|K=V)      a new element with the given properties
//   NAME:ADD=OTHER         NAME becomes a child of OTHER
//   NAME:APPLY=OTHER       OTHER becomes a child of NAME
//   NAME:PROPERTY=VALUE    appends a property; VALUE is the rest of the line, its ':' and
//                          '=' runs read as one blank
//   NAME:PROPERTY          adds the property with an empty value unless NAME has it
//
// A line ending in '/' continues on the next one, and every '/' is then removed; tabs are
// removed everywhere; blanks are trimmed from each gathered line; '#' starts a comment and
// '!' ends the definitions. Names are case-sensitive, and a line naming an element that is
// not defined yet is skipped. Plain and coded files, CR LF and LF, read alike.
class CMElementsLoader : public CXObject {
public:
    // Null when the file cannot be read. With the options "code" or "decode", the coded
    // copy (name + ".coded") or the plain copy (name + ".decoded") is written first.
    static CMElements* load(ScriptWindow* window, const CXString& fileName, const CCommandLine6* options);
    // The same with the options of the window's command line (none without a window).
    static CMElements* load(ScriptWindow* window, const CXString& fileName);
    // Text already in memory; the reader is taken over. Null when it cannot be read.
    static CMElements* load(ScriptWindow* window, CTextFileReader* reader);
    // The parser proper; never null. The caller owns the list and, through it, the elements.
    static CMElements* load(CTextCoder* coder);
    // The next logical line: continuation lines joined, tabs and slashes removed.
    static CXString getLine(CTextCoder* coder);
    // Definitions are never written back; always false.
    static bool save(const CXString& fileName, CMElements* elements);

    // KEY=VALUE lines, one property each (a line without '=' is a key with an empty value);
    // never null, owned by the caller.
    static CMProperties* loadPropertiesFile(CTextFileReader* reader);
};
