// Definition text of any shape, plain or coded, through the definition reader and every
// typed reading of what it produced.
#include "foundation/CTextFileReader.h"
#include "script/CMElementsLoader.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    int length = static_cast<int>(size);
    std::unique_ptr<CMElements> elements(CMElementsLoader::load(nullptr, new CTextFileReader(nullptr, text, length)));
    if (elements) {
        for (int i = 0; i < elements->getCount(); ++i) {
            CMElement* element = elements->getAt(i);
            CMProperties* properties = element->getProperties();
            for (int p = 0; p < properties->getCount(); ++p) {
                CXString name = properties->getAt(p)->getName();
                element->getPropertyIntValue(name);
                element->getPropertyDoubleValue(name);
                element->getPropertyRectValue(name);
                element->getPropertySizeValue(name);
                CXString::releaseToVector(element->getPropertyListValue(name));
            }
        }
    }
    CTextFileReader reader(nullptr, text, length);
    std::unique_ptr<CMProperties> properties(CMElementsLoader::loadPropertiesFile(&reader));
    return 0;
}
