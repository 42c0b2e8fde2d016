#include "text/CMC_Font_Runner.h"

#include "graphics/CRefreshScreen.h"
#include "text/CFontCollection.h"
#include "text/CMC_Font.h"
#include "text/CTextFormatCode.h"
#include "text/TextWindow.h"

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"SETCOLOR", CMC_Font_Runner::MTH_SETCOLOR},
    {"SETSTYLE", CMC_Font_Runner::MTH_SETSTYLE},
    {"SETFAMILY", CMC_Font_Runner::MTH_SETFAMILY},
    {"SETSIZE", CMC_Font_Runner::MTH_SETSIZE},
};

int screenDepth(TextWindow* window)
{
    const CRefreshScreen* screen = window != nullptr ? window->GetRefreshScreenInterface() : nullptr;
    return screen != nullptr ? screen->GetBpp() : 16;
}

} // namespace

void CMC_Font_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_Font_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* font = object != nullptr && object->getType() == CMC_Font::kType ? dynamic_cast<CMC_Font*>(object) : nullptr;
    if (font == nullptr || id < MTH_SETCOLOR || id > MTH_SETSIZE)
        return CMC_Runner::run(id, object, scope, args);
    CFontCollection* fonts = font->getFont();
    if (fonts == nullptr || argumentCount(args) < (id == MTH_SETCOLOR ? 3 : 1))
        return nullptr;
    switch (id) {
    case MTH_SETCOLOR:
        font->setDefColor(CTextFormatCode::packColor(screenDepth(TextWindow::of(callerWindow(scope, object))),
                                                     integerParameter(args, 0), integerParameter(args, 1),
                                                     integerParameter(args, 2)));
        break;
    case MTH_SETSTYLE: fonts->setFamily(parameterText(args, 0)); break;
    case MTH_SETFAMILY: fonts->setStyle(parameterText(args, 0)); break;
    default: fonts->setSize(integerParameter(args, 0)); break;
    }
    return nullptr;
}
