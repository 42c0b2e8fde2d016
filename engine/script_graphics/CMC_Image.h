#pragma once

#include "script_graphics/CMC_GraphicsButton.h"
#include "script_graphics/CMC_PictureObject.h"

class CImage;

// The IMAGE script object: one still picture on the screen that scripts move, show, hide, use
// as a button and watch collide. A clone shows a copy that shares the picture's planes.
class CMC_Image : public CMC_PictureObject {
public:
    static constexpr int kType = 2008;

    // Unnamed, without a picture, owned by the container: what a compiled scene's record
    // (serialize) or the CREATE statement (LOAD) fills.
    explicit CMC_Image(CMC_ObjectsContainer* owner);
    // The copy of an object, named "clone", showing the picture; a clone owns it.
    CMC_Image(CMC_ObjectsContainer* owner, CImage* picture);
    // From a definition: FILENAME, TOCANVAS, VISIBLE, FLUSHAFTERPLAYED, PRELOAD (a missing or
    // empty one loads at once), MONITORCOLLISION, MONITORCOLLISIONALPHA, PRIORITY, ASBUTTON,
    // then the signals. The starting position is where the picture stands.
    CMC_Image(CMC_ObjectsContainer* owner, CMElement* element);

    // A copy of the picture sharing its planes, on the screen at the picture's priority; the
    // shared picture counts one more use of the object.
    CXObject* clone() override;
    // Releases the picture, then raises "ONDONE".
    bool done(bool final) override;
    const CMC_SignalList* getBehavioursList() override;
    // Always true; the first mouse signal bound makes the object a mouse listener.
    bool verifyBehaviour(const CXString& name) override;

    bool onMouseMove(CXPoint p) override;
    bool onClick(int button, CXPoint p) override;
    bool onRelease(int button, CXPoint p) override;
    using CMouseListener::onClick;
    using CMouseListener::onRelease;

    CImage* getImage() const;
    CXPoint GetStartingPosition() const { return start_; }
    void SetStartingPosition(int x, int y) { start_ = CXPoint(x, y); }
    // Button mode goes on, whatever the first argument; the second sets the active cursor.
    void setAsButton(bool asButton, bool activeCursor);
    CMC_GraphicsButton& button() { return button_; }
    // Shows or hides the picture, as a raster and as a playable; a picture shown for the
    // first time loads its file.
    void showPicture(bool visible) override;

protected:
    // Where the picture starts, for returning to it.
    void onRecordRead() override;
    CPlayable* makePicture(const CXString& file, bool preload) override;
    CPlayable* sharedPicture(CResourcesManager* manager, const CXString& file) override;
    bool isButtonMode() override { return button_.isButton(); }
    void setButtonMode(bool on) override { button_.setButton(on); }

private:
    CXPoint start_;
    CMC_GraphicsButton button_;
};
