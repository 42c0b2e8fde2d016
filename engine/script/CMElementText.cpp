#include "script/CMElementText.h"

#include "script/CMElement.h"

namespace {

const CXString kObject("OBJECT");
constexpr char kEnd = '\n';
constexpr char kIs = '=';

CXString line(const CXString& name, const CXString& value)
{
    return name + CXString(static_cast<int>(kIs)) + value + CXString(static_cast<int>(kEnd));
}

} // namespace

CXString CMElementText::write(const CMElement& element)
{
    CXString text = line(kObject, element.getName());
    CMProperties* properties = element.getProperties();
    for (int i = 0; i < properties->getCount(); ++i)
        text += line(properties->getAt(i)->getName(), properties->getAt(i)->getValue());
    return text;
}

CMElements* CMElementText::read(const CXString& text)
{
    auto* elements = new CMElements(true);
    CMElement* element = nullptr;
    int start = 0;
    while (start < text.GetLength()) {
        int end = text.Find(kEnd, start);
        if (end == -1)
            end = text.GetLength();
        const CXString entry = text.Mid(start, end);
        start = end + 1;
        const int is = entry.Find(kIs, 0);
        if (is == -1)
            continue;
        const CXString name = entry.Left(is);
        const CXString value = entry.Right(is + 1);
        if (name == kObject) {
            element = new CMElement(value);
            elements->add(element);
        } else if (element != nullptr) {
            element->addProperty(name, value);
        }
    }
    return elements;
}
