#pragma once

#include "script/CMProperty.h"

#include <memory>

class CMElements;

// The parsed definition of one object: its name, its properties in file order and the
// elements attached to it as children. It knows nothing of types: the code that builds
// an object asks for the properties it needs. Names compare exactly; where a name occurs
// twice, the first property wins every lookup.
class CMElement : public CXObject {
public:
    explicit CMElement(const CXString& name);
    ~CMElement() override;
    CMElement(const CMElement&) = delete;
    CMElement& operator=(const CMElement&) = delete;

    CXString getName() const { return name_; }
    void setName(const CXString& name) { name_ = name; }
    CMProperties* getProperties() const { return properties_.get(); }
    // The children are shared records: the element never destroys them.
    CMElements* getChildren() const { return children_.get(); }
    void addChild(CMElement* child);

    // Adds the name with an empty value, unless a property of that name exists.
    void addProperty(const CXString& name);
    // Always appends, even when the name exists (the older one keeps winning lookups).
    void addProperty(const CXString& name, const CXString& value);
    // Sets the first property of that name; adds nothing when there is none.
    void setProperty(const CXString& name, const CXString& value);
    void removeProperty(const CXString& name);
    void removeAll();

    bool isPropertyAvailable(const CXString& name) const;
    // Looks for the upper-cased name, so it finds only properties written in upper case.
    bool hasProperty(const CXString& name) const;

    CXString getPropertyValue(const CXString& name) const;
    int getPropertyIntValue(const CXString& name) const;
    bool getPropertyBoolValue(const CXString& name) const;
    double getPropertyDoubleValue(const CXString& name) const;
    // A new list the caller releases; nullptr when the property is missing.
    CXArray* getPropertyListValue(const CXString& name) const;
    CXSize getPropertySizeValue(const CXString& name) const;
    CXPoint getPropertyPointValue(const CXString& name) const;
    CXRect getPropertyRectValue(const CXString& name) const;

private:
    CXString name_;
    std::unique_ptr<CMProperties> properties_;
    std::unique_ptr<CMElements> children_;
};

// A list of elements in insertion order; when made owning, it destroys its elements with itself.
class CMElements : public CMNamedList<CMElement> {
public:
    explicit CMElements(bool ownsElements)
        : CMNamedList(ownsElements)
    {
    }

    bool ownsElements() const { return owns_; }
};
