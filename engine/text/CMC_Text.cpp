#include "text/CMC_Text.h"

#include "foundation/CXArchive.h"
#include "graphics/CRefreshScreen.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "script/CMProperty.h"
#include "text/CFontCollection.h"
#include "text/CMC_Font.h"
#include "text/CMultilineText6.h"
#include "text/TextWindow.h"

CMC_Text::CMC_Text(CMC_ObjectsContainer* owner)
    : CMC_Object("temp", kType)
{
    setScene(owner);
}

CMC_Text::CMC_Text(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_Object(owner, element, kType)
{
    Definition definition;
    definition.toCanvas = element->getPropertyBoolValue("TOCANVAS");
    definition.visible = element->getPropertyBoolValue("VISIBLE");
    definition.text = element->getPropertyValue("TEXT");
    vJustify_ = element->getPropertyValue("VJUSTIFY");
    hJustify_ = element->getPropertyValue("HJUSTIFY");
    rect_ = element->getPropertyValue("RECT");
    priority_ = element->getPropertyIntValue("PRIORITY");
    font_ = element->getPropertyValue("FONT");
    build(definition);
    initializeBehaviours(owner, element);
}

CMC_Text::~CMC_Text()
{
    if (text_ != nullptr)
        text_->Invalidate();
}

_justify CMC_Text::resolveJustify(const CXString& word)
{
    static constexpr struct {
        const char* word;
        _justify value;
    } kWords[] = {{"LEFT", JUSTIFY_LEFT},
                  {"RIGHT", JUSTIFY_RIGHT},
                  {"CENTER", JUSTIFY_CENTER},
                  {"TOP", JUSTIFY_TOP},
                  {"BOTTOM", JUSTIFY_BOTTOM}};
    for (const auto& entry : kWords)
        if (word == entry.word)
            return entry.value;
    return JUSTIFY_CENTER;
}

CSimpleFont6* CMC_Text::fontNamed(CMC_ObjectsContainer* scope, const CXString& name)
{
    CMC_Object* named = scope != nullptr && name.IsString() ? scope->getObject(name.c_str()) : nullptr;
    auto* font = named != nullptr && named->getType() == CMC_Font::kType ? dynamic_cast<CMC_Font*>(named) : nullptr;
    return font != nullptr ? font->getFont() : nullptr;
}

CRefreshScreen* CMC_Text::screen() const
{
    TextWindow* window = text_ != nullptr ? TextWindow::of(text_->getWindow()) : nullptr;
    return window != nullptr ? window->GetRefreshScreenInterface() : nullptr;
}

void CMC_Text::build(const Definition& definition)
{
    CMC_ObjectsContainer* owner = getScene();
    CGraphicsObject* area = owner != nullptr ? owner->getGraphicsObject(rect_) : nullptr;
    text_ = std::make_unique<CMultilineText6>(owner != nullptr ? TextWindow::of(owner->getWindow()) : nullptr, nullptr);
    text_->setJustify(area != nullptr ? area->GetBoundingBox() : CMProperty(CXString("RECT"), rect_).getRectValue(),
                      resolveJustify(hJustify_), resolveJustify(vJustify_));
    text_->setFont(fontNamed(owner, font_));
    text_->setText(definition.text);
    if (definition.toCanvas && screen() != nullptr)
        screen()->put(text_.get(), priority_);
    text_->Visible(definition.visible);
}

const CMC_SignalList* CMC_Text::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONCOLLISION", "ONCOLLISIONFINISHED"};
    return &signals;
}

CGraphicsObject* CMC_Text::getShownGraphics(const CXString&)
{
    return text_.get();
}

void CMC_Text::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        CRefreshScreen* canvas = text_ != nullptr ? text_->GetCanvas() : nullptr;
        const bool onScreen = canvas != nullptr && canvas->GetPriority(text_.get()) != -1;
        *archive << vJustify_ << hJustify_ << rect_ << priority_ << font_ << onScreen
                 << (text_ != nullptr && text_->isVisible()) << (text_ != nullptr ? text_->getText() : CXString());
        return;
    }
    Definition definition{};
    *archive >> &vJustify_ >> &hJustify_ >> &rect_ >> &priority_ >> &font_ >> &definition.toCanvas
        >> &definition.visible >> &definition.text;
    if (!archive->failed())
        build(definition);
}
