#include "text/CMC_Font.h"

#include "foundation/CStringTokenizer.h"
#include "foundation/CXArchive.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "text/CFontCollection.h"
#include "text/TextWindow.h"

namespace {

TextWindow* windowOf(CMC_ObjectsContainer* owner)
{
    return owner != nullptr ? TextWindow::of(owner->getWindow()) : nullptr;
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
        addFont(property->getValue(), family, style, size);
    }
    initializeBehaviours(owner, element);
}

CMC_Font::~CMC_Font() = default;

void CMC_Font::makeCollection()
{
    fonts_.clear();
    files_.clear();
    collection_ = std::make_unique<CFontCollection>(window_);
}

void CMC_Font::addFont(const CXString& file, const CXString& family, const CXString& style, int size)
{
    auto font = file.IsString() ? std::make_unique<CSimpleFont6>(window_, file) : std::make_unique<CSimpleFont6>(window_);
    files_.push_back(file);
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

namespace {

const CXString kFilesNote("{FILENAMES}");
// Windows file names never hold it.
constexpr char kFileSeparator = '|';

// The names in their order, empty ones too.
std::vector<CXString> splitFiles(const CXString& files)
{
    std::vector<CXString> names;
    int start = 0;
    for (int end = files.Find(kFileSeparator, 0); end != -1; end = files.Find(kFileSeparator, start)) {
        names.push_back(files.Mid(start, end));
        start = end + 1;
    }
    names.push_back(files.Right(start));
    return names;
}

} // namespace

std::vector<CMC_Object::RecordNote> CMC_Font::getRecordNotes()
{
    if (files_.empty())
        return {};
    CXString files = files_.front();
    for (size_t i = 1; i < files_.size(); ++i)
        files += CXString(static_cast<int>(kFileSeparator)) + files_[i];
    return {{kFilesNote, files, CXString()}};
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
    CXString noted;
    const std::vector<CXString> files = takeRecordNote(kFilesNote, &noted) ? splitFiles(noted) : std::vector<CXString>();
    int32_t count = 0;
    *archive >> &count;
    makeCollection();
    for (int32_t i = 0; i < count && !archive->failed(); ++i) {
        CXString family;
        CXString style;
        int32_t size = 0;
        *archive >> &family >> &style >> &size;
        if (!archive->failed())
            addFont(static_cast<size_t>(i) < files.size() ? files[static_cast<size_t>(i)] : CXString(), family, style, size);
    }
}
