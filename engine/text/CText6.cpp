#include "text/CText6.h"

#include "text/CFontCollection.h"
#include "text/TextWindow.h"

#include <cstdint>

namespace {

// A coordinate worked out in 64 bits, wrapped into the int range as the screen's numbers wrap.
int wrapped(int64_t value)
{
    return static_cast<int>(static_cast<uint32_t>(value));
}

const char* styleOf(const CXString& tag)
{
    struct Style {
        const char* tag;
        const char* style;
    };
    static constexpr Style kStyles[] = {
        {"I", "ITALIC"}, {"B", "BOLD"}, {"LS", "LSTRIKE"}, {"US", "USTRIKE"}, {"U", "UNDERLINE"},
    };
    for (const Style& entry : kStyles)
        if (tag.equalsIgnoreCase(entry.tag))
            return entry.style;
    return nullptr;
}

// Characters from..to of the text; the copy holds only them.
CXString slice(const CXString& text, int from, int to)
{
    CXString part;
    text.mid(from, to, &part);
    return part;
}

// The text without the tags that begin "<COLOR", each through the next '>'; an unclosed one
// stays.
CXString withoutColourTags(const CXString& text)
{
    CXString result;
    int from = 0;
    for (int at = text.FindSubString("<COLOR", 0); at >= 0; at = text.FindSubString("<COLOR", from)) {
        const int end = text.Find('>', at);
        if (end < 0)
            break;
        result += slice(text, from, at);
        from = end + 1;
    }
    result += slice(text, from, text.GetLength());
    return result;
}

} // namespace

CText6::CText6(TextWindow* window, CUnit6* unit)
    : CGraphicsObject(window)
    , unit_(unit)
{
}

CText6::~CText6() = default;

CSimpleFont6* CText6::usableFont() const
{
    if (font_ == nullptr || !font_->isMultifont())
        return font_;
    return static_cast<CFontCollection*>(font_)->getBaseFont() != nullptr ? font_ : nullptr;
}

CFontCollection* CText6::collection() const
{
    CSimpleFont6* font = usableFont();
    return font != nullptr && font->isMultifont() ? static_cast<CFontCollection*>(font) : nullptr;
}

void CText6::takeFontColour(CSimpleFont6* font)
{
    colour_ = font->getDefColor();
}

// The text is set again: its codes, width and colour tags come from the new font, never from
// the font it had.
void CText6::setFont(CSimpleFont6* font)
{
    const bool hasText = text_.IsString();
    if (hasText)
        Invalidate();
    font_ = font;
    if (font != nullptr)
        takeFontColour(font);
    if (hasText)
        setText(text_);
}

// Colour tags would show as letters in a single font: such a text takes its colour when it
// is drawn.
void CText6::setText(const CXString& text)
{
    CSimpleFont6* font = usableFont();
    if (font != nullptr)
        Invalidate();
    text_ = collection() != nullptr ? getColoruredText(convTab(text), colour_) : convTab(text);
    parseText();
    if (font == nullptr)
        return;
    setOwnSize(getLength(), font->Height());
    setJustify(rect_, hJustify_, vJustify_);
    Invalidate();
}

void CText6::setColor(int colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    setText(text_);
}

CXString CText6::getColoruredText(const CXString& text, int colour)
{
    const CXString plain = text.startsWith("<COLOR") ? withoutColourTags(text) : text;
    if (colour == 0)
        return plain;
    return "<COLOR" + CXString::toString(colour) + ">" + plain + "<COLOR>";
}

CXString CText6::convTab(const CXString& text)
{
    return text.Find('\t', 0) < 0 ? text : text.replace("\t", "        ");
}

bool CText6::checkCode(const CXString& tag)
{
    return styleOf(tag) != nullptr;
}

void CText6::setJustify(CXRect rect, _justify horizontal, _justify vertical)
{
    rect_ = rect;
    hJustify_ = horizontal;
    vJustify_ = vertical;
    CXPoint at = CGraphicsObject::getPosition();
    const int64_t w = Width();
    const int64_t h = Height();
    if (horizontal == JUSTIFY_LEFT)
        at.x = rect.left;
    else if (horizontal == JUSTIFY_RIGHT)
        at.x = wrapped(rect.right - w);
    else if (horizontal == JUSTIFY_CENTER)
        at.x = wrapped(rect.left + (int64_t{rect.right} - rect.left - w) / 2);
    if (vertical == JUSTIFY_CENTER)
        at.y = wrapped(rect.top + (int64_t{rect.bottom} - rect.top - h) / 2);
    else if (vertical == JUSTIFY_TOP)
        at.y = rect.top;
    else if (vertical == JUSTIFY_BOTTOM)
        at.y = wrapped(rect.bottom - h);
    placeAt(at);
}

void CText6::Move(int dx, int dy)
{
    if (rect_.Width() == 0 || rect_.Height() == 0) {
        CGraphicsObject::Move(dx, dy);
        return;
    }
    Invalidate();
    rect_ += CXPoint(dx, dy);
    setJustify(rect_, hJustify_, vJustify_);
    Invalidate();
}

int CText6::getLength(CSimpleFont6* font, const CXString& text)
{
    int width = 0;
    char previous = 0;
    for (const char* c = text.c_str(); *c != 0; previous = *c++)
        width += font->getLetterWidth(previous, *c) + 2;
    return width;
}

int CText6::getLength()
{
    CFontCollection* fonts = collection();
    if (fonts == nullptr) {
        CSimpleFont6* font = usableFont();
        return font != nullptr ? getLength(font, text_) : 0;
    }
    CSimpleFont6* running = fonts->getBaseFont();
    int width = 0;
    for (const CTextFormatCode& code : codes_) {
        if (code.getMode() == CTextFormatCode::MODE_FONT)
            running = code.getFont();
        else if (code.getMode() == CTextFormatCode::MODE_TEXT)
            width += getLength(running, code.getText());
    }
    return width;
}

void CText6::parseText()
{
    codes_.clear();
    CFontCollection* fonts = collection();
    if (fonts == nullptr)
        return;
    CSimpleFont6* running = fonts->getBaseFont();
    CXString pending;
    const char* text = text_.c_str();
    const int length = text_.GetLength();
    for (int i = 0; i < length; ++i) {
        const char c = text[i];
        if (c == '\t') {
            pending += c;
            addCode(CTextFormatCode::MODE_TAB, CXString(), running);
        } else if (c == '\r' || c == '|') {
            addCode(CTextFormatCode::MODE_TEXT, pending, running);
            pending = "";
            addCode(CTextFormatCode::MODE_LINEBREAK, CXString(), running);
        } else if (c == '<') {
            int j = i + 1;
            while (j < length && text[j] != '>' && text[j] != '<')
                ++j;
            if (j == length) {
                addCode(CTextFormatCode::MODE_TEXT, pending + slice(text_, i, length), running);
                return;
            }
            if (text[j] == '<') {
                addCode(CTextFormatCode::MODE_TEXT, pending + slice(text_, i, j), running);
                pending = "";
                i = j;
                continue;
            }
            const CXString tag = slice(text_, i + 1, j);
            int kind = 0;
            if (checkCode(tag))
                kind = CTextFormatCode::MODE_FONT;
            else if (tag.startsWith("E,"))
                kind = CTextFormatCode::MODE_EDITBOX;
            else if (tag.startsWith("COLOR"))
                kind = CTextFormatCode::MODE_COLOR;
            if (kind == 0) {
                pending += c;
                continue;
            }
            addCode(CTextFormatCode::MODE_TEXT, pending, running);
            pending = "";
            const CXString codeText = kind == CTextFormatCode::MODE_COLOR ? slice(tag, 5, tag.GetLength()) : tag;
            running = addCode(kind, codeText, running);
            i = j;
        } else if (c != '\n') {
            pending += c;
        }
    }
    addCode(CTextFormatCode::MODE_TEXT, pending, running);
}

CSimpleFont6* CText6::addCode(int kind, const CXString& text, CSimpleFont6* font)
{
    if (kind == CTextFormatCode::MODE_TEXT) {
        if (text.IsString())
            codes_.emplace_back(text);
        return font;
    }
    if (kind != CTextFormatCode::MODE_FONT) {
        codes_.emplace_back(screenDepth(), kind, text);
        return font;
    }
    const char* style = styleOf(text);
    const char* target = font->getStyle().equalsIgnoreCase(style) ? "STANDARD" : style;
    CSimpleFont6* found = collection()->get(font->getFamily(), target, font->getSize());
    if (found == nullptr)
        return font;
    codes_.emplace_back(found, "<" + text + ">");
    return found;
}

void CText6::Redraw()
{
    CSimpleFont6* font = usableFont();
    if (font == nullptr)
        return;
    font->SetOpacity(GetOpacity());
    int pen = CGraphicsObject::getPosition().x;
    if (CFontCollection* fonts = collection()) {
        CSimpleFont6* running = fonts->getBaseFont();
        for (const CTextFormatCode& code : codes_) {
            if (code.getMode() == CTextFormatCode::MODE_TEXT)
                pen = drawRun(running, code.getText(), pen);
            else if (code.getMode() == CTextFormatCode::MODE_FONT)
                running = code.getFont();
            else if (code.getMode() == CTextFormatCode::MODE_COLOR)
                running->setColor(code.getColor());
        }
    } else {
        if (colour_ != 0)
            font->setColor(colour_);
        drawRun(font, text_, pen);
    }
    font->SetOpacity(255);
}

// A letter that the clipping rectangle cuts gets the part of its cell inside as its own clip;
// one outside is passed over.
int CText6::drawRun(CSimpleFont6* font, const CXString& run, int pen)
{
    font->SetDestiny(GetDestiny());
    const CXPoint at = CGraphicsObject::getPosition();
    const CXRect clip = GetClippingRect();
    char previous = 0;
    for (const char* c = run.c_str(); *c != 0; previous = *c++) {
        if (clip.IsEmpty()) {
            pen += font->drawLetter(pen, at.y, previous, *c);
            continue;
        }
        const CXRect cell(pen - at.x, 0, pen - at.x + font->getRealLetterWidth(*c), Height());
        const CXRect inside = cell.Common(clip);
        if (inside.Width() <= 0 || inside.Height() <= 0) {
            pen += font->getLetterWidth(previous, *c) + 2;
            continue;
        }
        if (inside != cell)
            font->SetClippingRect(*c,
                                  CXRect(inside.left - cell.left, inside.top, inside.right - cell.left, inside.bottom));
        pen += font->drawLetter(pen, at.y, previous, *c);
        font->CGraphicsObject::SetClippingRect(CXRect());
    }
    return pen;
}
