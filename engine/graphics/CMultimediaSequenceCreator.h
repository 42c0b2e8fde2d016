#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

class CMElements;
class CPlayable;
class CPlayableObserver;
class CResourcesManager;
class CTextFileReader;
class GraphicsWindow;

// Builds a sequence, a tree of playables that plays as one, from a sequence definition file or
// from definition elements.
//
// A sequence file is text, read line by line. A line beginning with "#" is a comment; any
// other is cut into words at blanks, "=" and ":". "NAME x" declares the entry x; a line that
// begins with a declared entry's name sets one key of it:
//   TYPE (SIMPLE, SEQUENCE or SPEAKING) makes the entry's playable at once, so FILENAME and
//   EVENT count only before it; SHOW, HIDE, MODE (SEQUENCE, RANDOM, PARAMETER), SEQEVENT
//   (event, path), WAIT (TRUE, FALSE), ADD (parent, "ROOT" when none is named) act on the
//   playable, and ANIMOFN, WAVFN, STARTING, ENDING and PREFIX on a speaking animation's.
// Keys and values compare exactly; anything else is ignored line by line. The root is the entry
// named like the file without folder and extension; it is never added under another entry.
class CMultimediaSequenceCreator : public CXObject {
public:
    // The root playable, which the caller owns, unless it is a sound that the resources manager
    // lists; none when the file does not open or declares no entry of its name. The observer
    // becomes every made playable's generic observer. Playables that end up outside the tree
    // are deleted.
    static CPlayable* load(GraphicsWindow* window, const CXString& fileName, CResourcesManager* resources,
                           CPlayableObserver* observer);
    // The same from a file's text; the file name names the root.
    static CPlayable* load(GraphicsWindow* window, CTextFileReader& text, const CXString& fileName,
                           CResourcesManager* resources, CPlayableObserver* observer);
    // The playable of the named element and, under a sequence, those of its children in order;
    // none when there is no such element or it makes nothing. An element met again below
    // itself is skipped.
    static CPlayable* create(GraphicsWindow* window, CMElements* elements, const CXString& name);
    // The character that selects child n of a sequence played by parameter: "1" to "9" for 0
    // to 8, "A" to "Y" for 9 to 33, then the character (n mod 256) + 63; "" below 0.
    static CXString getParameter(int n);
};
