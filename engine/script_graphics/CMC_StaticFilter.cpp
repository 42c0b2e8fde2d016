#include "script_graphics/CMC_StaticFilter.h"

#include "foundation/CXArchive.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "script_graphics/CBlurFilter.h"
#include "script_graphics/CColourFilters.h"
#include "script_graphics/CDisplacementFilters.h"
#include "script_graphics/CGeometryFilters.h"
#include "script_graphics/ScriptGraphicsWindow.h"

namespace {

template <typename Kind>
std::unique_ptr<CStaticFilter> make(ScriptGraphicsWindow* owner)
{
    return std::make_unique<Kind>(owner);
}

struct KindName {
    const char* action;
    std::unique_ptr<CStaticFilter> (*make)(ScriptGraphicsWindow* owner);
};

constexpr KindName kinds[] = {
    {"COLORCHANNEL", make<CColorChannelFilter>}, {"GRAYSCALE", make<CGrayScaleFilter>},
    {"BLUR", make<CBlurFilter>},                 {"ROTATE", make<CRotateFilter>},
    {"SCALE", make<CScaleFilter>},               {"NEGATIVE", make<CNegativeFilter>},
    {"RANDOMJITTER", make<CRandomJitterFilter>}, {"WAVES", make<CWavesFilter>},
};

} // namespace

CMC_StaticFilter::CMC_StaticFilter(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Object(container, element, kType)
    , action_(element->getPropertyValue("ACTION"))
{
    createFilter();
    initializeBehaviours(container, element);
}

CMC_StaticFilter::CMC_StaticFilter(CMC_ObjectsContainer* container)
    : CMC_Object(CXString("temp"), kType)
{
    setScene(container);
}

CMC_StaticFilter::~CMC_StaticFilter() = default;

bool CMC_StaticFilter::done(bool final)
{
    if (kind_ != nullptr)
        kind_->unlinkAll();
    return CMC_Object::done(final);
}

const CMC_SignalList* CMC_StaticFilter::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
    return &signals;
}

void CMC_StaticFilter::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        *archive << action_;
        return;
    }
    *archive >> &action_;
    if (!archive->failed())
        createFilter();
}

void CMC_StaticFilter::createFilter()
{
    kind_.reset();
    ScriptGraphicsWindow* owner = getScene() != nullptr ? ScriptGraphicsWindow::of(getScene()->getWindow()) : nullptr;
    for (const KindName& kind : kinds)
        if (action_ == kind.action)
            kind_ = kind.make(owner);
}
