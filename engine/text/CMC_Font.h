#pragma once

#include "script/CMC_Object.h"

#include <memory>
#include <vector>

class CFontCollection;
class CSimpleFont6;
class TextWindow;

// The FONT script object: the bitmap fonts of its definition, one per property
// DEF_family_style_size whose value names the FNT file, gathered in one collection whose base
// is the first of them. A TEXT that names the FONT takes the collection as its font.
//
// Its record in compiled scenes holds, after the object's own, the count of fonts and each
// font's family, style and size; their file names ride in the object's record as the note
// "{FILENAMES}", separated by "|". A record without the note, written before the names were
// kept, gives fonts without letters.
class CMC_Font : public CMC_Object {
public:
    static constexpr int kType = 2002;

    // Unnamed and without fonts, as a compiled scene's record fills it.
    explicit CMC_Font(CMC_ObjectsContainer* owner);
    // The fonts of the definition's DEF_ properties in their order, split at "_" (a missing
    // part reads as empty, or 0 for the size); then the signals.
    CMC_Font(CMC_ObjectsContainer* owner, CMElement* element);
    ~CMC_Font() override;

    const CMC_SignalList* getBehavioursList() override;
    void serialize(CXArchive* archive) override;

    // None until the definition or the record made it.
    CFontCollection* getFont() const { return collection_.get(); }
    const std::vector<std::unique_ptr<CSimpleFont6>>& getFontsList() const { return fonts_; }
    // The default colour of the collection and of every font: what a text takes when it is
    // given one of them.
    void setDefColor(int colour);

protected:
    std::vector<RecordNote> getRecordNotes() override;

private:
    void makeCollection();
    // The font of the FNT file; one without letters for an empty name.
    void addFont(const CXString& file, const CXString& family, const CXString& style, int size);

    TextWindow* window_;
    // Declared before the collection, which thus goes first.
    std::vector<std::unique_ptr<CSimpleFont6>> fonts_;
    // The fonts' file names, in their order.
    std::vector<CXString> files_;
    std::unique_ptr<CFontCollection> collection_;
};
