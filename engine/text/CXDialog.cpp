#include "text/CXDialog.h"

#include "graphics/CGraphicsObject.h"
#include "graphics/CRefreshScreen.h"
#include "script/CMC_ObjectsContainer.h"
#include "text/CButton.h"
#include "text/CUnit6.h"
#include "text/TextWindow.h"
#include "text/UnitScene.h"

#include <algorithm>

namespace {

CXRect titleOver(CXRect box)
{
    return CXRect(box.left, box.top, box.right, box.top + CXDialog::kTitleHeight);
}

template <typename Member>
bool holds(const std::vector<Member*>& members, Member* member)
{
    return std::find(members.begin(), members.end(), member) != members.end();
}

} // namespace

CXDialog::CXDialog(CMC_ObjectsContainer* container)
    : container_(container)
{
}

CXDialog::~CXDialog() = default;

CRefreshScreen* CXDialog::screen() const
{
    TextWindow* window = container_ != nullptr ? TextWindow::of(container_->getWindow()) : nullptr;
    return window != nullptr ? window->GetRefreshScreenInterface() : nullptr;
}

void CXDialog::setBackground(CGraphicsObject* background)
{
    if (background == nullptr)
        return;
    const CXRect box = background->GetBoundingBox();
    background_ = background;
    lastPoint_ = CXPoint(box.left, box.top);
    title_.reset();
    title_ = std::make_unique<CButton>(container_ != nullptr ? TextWindow::of(container_->getWindow()) : nullptr, titleOver(box),
                                       214290, nullptr);
    title_->addNotifier(this);
    title_->setUnit(CUnit6::getDefault());
    title_->SetDeleteFlags(false, false);
    title_->EnableDragging(true);
    title_->EnableCursor(false);
    title_->Set(background, nullptr, true);
    if (CRefreshScreen* canvas = screen()) {
        *canvas >> background;
        canvas->put(background, kBackgroundPriority);
    }
}

void CXDialog::lift(CGraphicsObject* picture)
{
    CRefreshScreen* canvas = screen();
    if (picture == nullptr || canvas == nullptr)
        return;
    const int priority = canvas->GetPriority(picture);
    *canvas >> picture;
    canvas->put(picture, priority + kMemberPriority);
}

void CXDialog::add(CGraphicsObject* graphic)
{
    if (graphic == nullptr || holds(graphics_, graphic))
        return;
    lift(graphic);
    graphics_.push_back(graphic);
}

void CXDialog::add(CButton* button)
{
    if (button == nullptr || holds(buttons_, button))
        return;
    lift(button->GetStandard());
    lift(button->GetOnMove());
    lift(button->GetOnClick());
    buttons_.push_back(button);
}

void CXDialog::show()
{
    for (CGraphicsObject* graphic : graphics_)
        graphic->Visible(true);
    for (CButton* button : buttons_)
        button->Enable(true);
}

void CXDialog::hide()
{
    for (CGraphicsObject* graphic : graphics_)
        graphic->Visible(false);
    for (CButton* button : buttons_)
        button->Enable(false);
    if (background_ != nullptr)
        background_->Visible(false);
}

void CXDialog::move(int dx, int dy)
{
    for (CGraphicsObject* graphic : graphics_)
        graphic->Move(dx, dy);
    for (CButton* button : buttons_)
        button->Move(dx, dy);
}

void CXDialog::onStartDragging(CControl*, CXPoint p)
{
    lastPoint_ = p;
}

void CXDialog::onDragging(CControl*, CXPoint p)
{
    move(p.x - lastPoint_.x, p.y - lastPoint_.y);
    lastPoint_ = p;
}

void CXDialog::onEndDragging(CControl*, CXPoint)
{
    if (title_ != nullptr && background_ != nullptr)
        title_->SetActiveRect(titleOver(background_->GetBoundingBox()));
}
