#include "text/CMC_Font.h"

#include "foundation/CStringTokenizer.h"
#include "foundation/CXArchive.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "text/CFontCollection.h"

namespace {

CWindow* windowOf(CMC_ObjectsContainer* owner)
{
    return owner != nullptr ? owner->getWindow() : nullptr;
}

} // namespace

CMC_Font::CMC_Font(CMC_ObjectsContainer* owner)
    : CMC_Object(CXString(), kType)
    , window_(windowOf(owner))
{
    setScene(owner);
}

CMC_Font::CMC_Font(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_Object(owner, element, kType)
    , window_(windowOf(owner))
{
    makeCollection();
    CMProperties* properties = element->getProperties();
    for (int i = 0; i < properties->getCount(); ++i) {
        const CMProperty* property = properties->getAt(i);
        if (!property->getName().startsWith("DEF_"))
            continue;
        CStringTokenizer parts(property->getName(), "_");
        parts.nextToken();
        const CXString family = parts.nextToken();
        const CXString style = parts.nextToken();
        const int size = parts.nextToken().toNumber();
        addFont(std::make_unique<CSimpleFont6>(window_, property->getValue()), family, style, size);
    }
    initializeBehaviours(owner, element);
}

CMC_Font::~CMC_Font() = default;

void CMC_Font::makeCollection()
{
    fonts_.clear();
    collection_ = std::make_unique<CFontCollection>(window_);
}

void CMC_Font::addFont(std::unique_ptr<CSimpleFont6> font, const CXString& family, const CXString& style, int size)
{
    font->setFamily(family);
    font->setStyle(style);
    font->setSize(size);
    collection_->addFont(font.get());
    fonts_.push_back(std::move(font));
}

const CMC_SignalList* CMC_Font::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
    return &signals;
}

void CMC_Font::setDefColor(int colour)
{
    if (collection_ != nullptr)
        collection_->setDefColor(colour);
    for (const auto& font : fonts_)
        font->setDefColor(colour);
}

void CMC_Font::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        *archive << static_cast<int32_t>(fonts_.size());
        for (const auto& font : fonts_)
            *archive << font->getFamily() << font->getStyle() << static_cast<int32_t>(font->getSize());
        return;
    }
    int32_t count = 0;
    *archive >> &count;
    makeCollection();
    for (int32_t i = 0; i < count && !archive->failed(); ++i) {
        CXString family;
        CXString style;
        int32_t size = 0;
        *archive >> &family >> &style >> &size;
        if (!archive->failed())
            addFont(std::make_unique<CSimpleFont6>(window_), family, style, size);
    }
}
