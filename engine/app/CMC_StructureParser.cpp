#include "app/CMC_StructureParser.h"

#include "app/CApplication.h"
#include "app/CMC_Application.h"
#include "app/CMC_Episode.h"
#include "app/CWindow.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElementsLoader.h"

#include <memory>

CMC_StructureParser::CMC_StructureParser(CWindow* window, const CXString& fileName)
    : window_(window)
{
    CMC_VariableFactory::initialize();
    CMC_RunnerFactory::initialize();
    load(fileName);
}

CMC_StructureParser::~CMC_StructureParser()
{
    for (CMC_Scene* node : unowned_)
        delete node;
    CMC_VariableFactory::done();
    CMC_RunnerFactory::done();
}

CMC_Object* CMC_StructureParser::get(const CXString& name) const
{
    for (CMC_Scene* node : nodes_)
        if (node->getName() == name)
            return node;
    return nullptr;
}

CMC_Application* CMC_StructureParser::load(const CXString& fileName)
{
    std::unique_ptr<CMElements> elements(CMElementsLoader::load(window_, fileName));
    if (elements == nullptr)
        return application_;
    const size_t first = nodes_.size();
    auto eachOfType = [&elements](const char* type, auto&& build) {
        for (int i = 0; i < elements->getCount(); ++i)
            if (CMElement* element = elements->getAt(i); element->getPropertyValue("TYPE") == type)
                build(element);
    };
    eachOfType("SCENE", [this](CMElement* element) {
        nodes_.push_back(new CMC_Scene(window_, nullptr, element, CMC_Object::TYPE_SCENE));
    });
    eachOfType("EPISODE", [this](CMElement* element) { nodes_.push_back(new CMC_Episode(window_, this, element)); });
    CApplication* shell = window_ != nullptr ? window_->GetApplicationInterface() : nullptr;
    CCommandLine6* commandLine = shell != nullptr ? shell->getCommandLine() : nullptr;
    eachOfType("APPLICATION", [this, commandLine](CMElement* element) {
        application_ = new CMC_Application(window_, this, element, commandLine);
        nodes_.push_back(application_);
    });
    // A node that no other took as a child has no parent; only the application has an owner
    // outside the tree.
    for (size_t i = first; i < nodes_.size(); ++i)
        if (nodes_[i] != application_ && nodes_[i]->getParent() == nullptr)
            unowned_.push_back(nodes_[i]);
    return application_;
}
