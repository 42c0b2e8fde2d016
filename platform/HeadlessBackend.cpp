#include "platform/HeadlessBackend.h"

namespace platform {

HeadlessBackend::HeadlessBackend(Time time)
    : manualTime_(time == Time::Manual)
    , events_(cursors_, manualTime_ ? &clock_ : nullptr)
{
    if (manualTime_)
        setClock(&clock_);
}

HeadlessBackend::~HeadlessBackend()
{
    if (manualTime_)
        setClock(nullptr);
}

} // namespace platform
