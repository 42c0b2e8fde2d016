#pragma once

#include "foundation/CFileResolver.h"

class CWindow;

// Base of everything that plays: animations, images, sounds, sequences and video.
class CPlayable : public CFileResolver {
public:
    explicit CPlayable(CWindow* window);

    virtual bool isVisible() { return visible_; }
    virtual void setVisibility(bool visible) { visible_ = visible; }
    virtual void show() { setVisibility(true); }
    virtual void hide() { setVisibility(false); }

protected:
    CWindow* window_;

private:
    bool visible_ = true;
};
