#include "script_graphics/CMC_Filter.h"

#include "foundation/CXArchive.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "script_graphics/CFadeFilters.h"
#include "script_graphics/CMC_SignalForms.h"
#include "script_graphics/CPathFilter.h"
#include "script_graphics/CWaterFilter.h"
#include "script_graphics/CWavingFilter.h"
#include "script_graphics/ScriptGraphicsWindow.h"

CMC_Filter::CMC_Filter(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Object(container, element, kType)
    , action_(element->getPropertyValue("ACTION"))
{
    createFilter();
    initializeBehaviours(container, element);
}

CMC_Filter::CMC_Filter(CMC_ObjectsContainer* container)
    : CMC_Object(CXString("temp"), kType)
{
    setScene(container);
}

CMC_Filter::~CMC_Filter() = default;

const CMC_SignalList* CMC_Filter::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONSTARTED", "ONFINISHED", "ONTICK"};
    return &signals;
}

void CMC_Filter::serialize(CXArchive* archive)
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

void CMC_Filter::createFilter()
{
    kind_.reset();
    CMC_ObjectsContainer* scene = getScene();
    ScriptGraphicsWindow* window = scene != nullptr ? ScriptGraphicsWindow::of(scene->getWindow()) : nullptr;
    if (action_ == "FADEIN")
        kind_ = std::make_unique<CFadeInFilter>(window);
    else if (action_ == "FADEOUT")
        kind_ = std::make_unique<CFadeOutFilter>(window);
    else if (action_ == "FADEINOUT")
        kind_ = std::make_unique<CFadeInOutFilter>(window);
    else if (action_ == "PATH")
        kind_ = std::make_unique<CPathFilter>(window, scene);
    else if (action_ == "WATER")
        kind_ = std::make_unique<CWaterFilter>(window);
    else if (action_ == "WAVING")
        kind_ = std::make_unique<CWavingFilter>(window);
    if (kind_ != nullptr)
        kind_->addListener(this);
}

void CMC_Filter::onFilterStarted(CFilterLink* link, CFilter*)
{
    raise(SIGNAL_ONSTARTED, link);
}

void CMC_Filter::onFilterFinished(CFilterLink* link, CFilter*)
{
    raise(SIGNAL_ONFINISHED, link);
}

void CMC_Filter::onFilterTick(CFilterLink* link, CFilter*)
{
    raise(SIGNAL_ONTICK, link);
}

// A link made of a part of an animation ("ANIMO!frame") has no object to name: only the plain
// signal is raised for it.
void CMC_Filter::raise(int signal, CFilterLink* link)
{
    if (!isSignalBound(signal))
        return;
    const CXString& name = getBehavioursList()->at(signal);
    if (link->getScript() != nullptr)
        CMC_SignalForms::raiseFirst(*this, {name + "^" + link->getScript()->getName(), name});
    else
        onSignal(name);
}
