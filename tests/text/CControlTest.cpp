#include "text/CControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Logs the events it is told under its name; it may leave the control when told of an action.
struct Observer : CControlNotifier {
    Observer(const char* name, std::vector<std::string>* log)
        : name(name)
        , log(log)
    {
    }
    void onControlClicked(CControl*, CXPoint) override { log->push_back(name + " clicked"); }
    void onControlAction(CControl* control, CXPoint) override
    {
        log->push_back(name + " action");
        if (leaves)
            control->removeNotifier(this);
    }

    std::string name;
    std::vector<std::string>* log;
    bool leaves = false;
};

} // namespace

// Observers are told in the order they came, once per registration, over the list as it was
// when the event came.
TEST(Control, ObserversAreToldInOrderOverTheListAsItWas)
{
    std::vector<std::string> log;
    CControl control(nullptr);
    Observer first("first", &log);
    Observer second("second", &log);
    first.leaves = true;
    control.addNotifier(&first);
    control.addNotifier(nullptr);
    control.addNotifier(&second);
    control.addNotifier(&second);
    EXPECT_EQ(control.onClick(CXPoint(1, 2)), 0);
    control.onAction(CXPoint(1, 2));
    control.onAction(CXPoint(1, 2));
    control.removeNotifier(&second);
    control.onClick(CXPoint(1, 2));
    EXPECT_EQ(log, (std::vector<std::string>{"first clicked", "second clicked", "second clicked", "first action",
                                             "second action", "second action", "second action", "second action",
                                             "second clicked"}));
}
