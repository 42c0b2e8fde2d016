#include "script_graphics/CMC_Scroll_Runner.h"

#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/CMC_Scroll.h"

void CMC_Scroll_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    static constexpr MethodName methods[] = {
        {"ADD", MTH_ADD},           {"REMOVE", MTH_REMOVE},           {"SCROLLUP", MTH_SCROLLUP},
        {"SCROLLDOWN", MTH_SCROLLDOWN}, {"SCROLLLEFT", MTH_SCROLLLEFT}, {"SCROLLRIGHT", MTH_SCROLLRIGHT},
        {"SETVIEWPORT", MTH_SETVIEWPORT}, {"MOVEVIEWPORT", MTH_MOVEVIEWPORT}};
    registerMethods(methods);
}

CMC_Object* CMC_Scroll_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* scroll = dynamic_cast<CMC_Scroll*>(object);
    if (scroll == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    const auto number = [&](int i) { return integerParameter(args, i); };
    switch (id) {
    case MTH_ADD:
        if (scope != nullptr && argumentCount(args) > 0)
            scroll->add(scope->getGraphicsObject(parameterText(args, 0)));
        return nullptr;
    case MTH_REMOVE:
        if (argumentCount(args) > 0)
            scroll->remove(parameterText(args, 0));
        return nullptr;
    case MTH_SCROLLUP:
        scroll->scrollUp(number(0));
        return nullptr;
    case MTH_SCROLLDOWN:
        scroll->scrollDown(number(0));
        return nullptr;
    case MTH_SCROLLLEFT:
        scroll->scrollLeft(number(0));
        return nullptr;
    case MTH_SCROLLRIGHT:
        scroll->scrollRight(number(0));
        return nullptr;
    case MTH_SETVIEWPORT:
        scroll->setViewport(CXRect(number(0), number(1), number(2), number(3)));
        return nullptr;
    case MTH_MOVEVIEWPORT:
        scroll->moveViewport(number(0), number(1));
        return nullptr;
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}
