#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXPoint.h"
#include "text/CControlNotifier.h"

#include <memory>
#include <vector>

class CButton;
class CGraphicsObject;
class CMC_ObjectsContainer;
class CRefreshScreen;

// A movable panel: a background picture whose top 30 pixels are a title bar that drags it,
// with graphics and buttons that belong to it. Members stand above the scene's objects (the
// background at priority 100000, each member at its own priority + 100001), are shown, hidden
// and moved together, and follow the background step by step while its title bar is dragged.
// The dialog owns its title bar, but neither its background nor its members.
class CXDialog : public CXObject, public CControlNotifier {
public:
    static constexpr int kTitleHeight = 30;
    static constexpr int kBackgroundPriority = 100000;
    static constexpr int kMemberPriority = 100001;

    // The container's window gives the screen.
    explicit CXDialog(CMC_ObjectsContainer* container);
    ~CXDialog() override;
    CXDialog(const CXDialog&) = delete;
    CXDialog& operator=(const CXDialog&) = delete;

    // The background, lifted to its priority, with a new title bar over its top (in place of
    // the one before).
    virtual void setBackground(CGraphicsObject* background);
    // A member is lifted above the background once; adding it again changes nothing.
    virtual void add(CButton* button);
    virtual void add(CGraphicsObject* graphic);
    // Members shown and enabled; the background stays as it is.
    virtual void show();
    // Members and the background hidden, the buttons disabled.
    virtual void hide();
    // Every member moves; the background moves only by its drag.
    virtual void move(int dx, int dy);

    CGraphicsObject* getBackground() const { return background_; }
    CButton* getTitleButton() const { return title_.get(); }
    const std::vector<CGraphicsObject*>& getGraphics() const { return graphics_; }
    const std::vector<CButton*>& getButtons() const { return buttons_; }

    void onStartDragging(CControl* control, CXPoint p) override;
    void onDragging(CControl* control, CXPoint p) override;
    // The title bar's hit area follows the background.
    void onEndDragging(CControl* control, CXPoint p) override;

private:
    CRefreshScreen* screen() const;
    // Takes the picture off the screen and puts it back at its priority + 100001.
    void lift(CGraphicsObject* picture);

    CMC_ObjectsContainer* container_;
    std::unique_ptr<CButton> title_;
    CGraphicsObject* background_ = nullptr;
    CXPoint lastPoint_;
    std::vector<CGraphicsObject*> graphics_;
    std::vector<CButton*> buttons_;
};
