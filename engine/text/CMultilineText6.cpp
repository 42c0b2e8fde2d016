#include "text/CMultilineText6.h"

#include "foundation/CTextFileReader.h"
#include "text/CEditBox6.h"
#include "text/CFontCollection.h"
#include "text/CUnit6.h"
#include "text/TextWindow.h"

#include <algorithm>

namespace {

// A box wider than this reserves no more room: a width from a text cannot make a line of
// underscores without end.
constexpr int kMaxEditBoxWidth = 32767;

int wrapped(int64_t value)
{
    return static_cast<int>(static_cast<uint32_t>(value));
}

// Calls visit(from, to) for each word of the text, from its first blank before it (or its
// start) to its end; blanks after the last word are passed over.
template <typename Visit>
void forEachWord(const CXString& text, Visit visit)
{
    const char* s = text.c_str();
    const int length = text.GetLength();
    for (int from = 0; from < length;) {
        int word = from;
        while (word < length && s[word] == ' ')
            ++word;
        if (word == length)
            return;
        int end = word;
        while (end < length && s[end] != ' ')
            ++end;
        visit(from, word, end);
        from = end;
    }
}

CXString slice(const CXString& text, int from, int to)
{
    CXString part;
    text.mid(from, to, &part);
    return part;
}

// The width that the text adds after the letter before it.
int64_t widthAfter(CSimpleFont6* font, char previous, const CXString& text)
{
    int64_t width = 0;
    for (const char* c = text.c_str(); *c != 0; previous = *c++)
        width += font->getLetterWidth(previous, *c) + 2;
    return width;
}

} // namespace

CMultilineText6::CMultilineText6(TextWindow* window, CUnit6* unit)
    : CText6(window, unit)
{
}

CMultilineText6::~CMultilineText6()
{
    flush();
}

void CMultilineText6::flush()
{
    lines_.clear();
    const std::vector<CEditBox6*> boxes = std::move(editBoxes_);
    editBoxes_.clear();
    for (CEditBox6* box : boxes) {
        box->removeNotifier(this);
        if (getUnit() != nullptr)
            getUnit()->removeEditBox(box);
        delete box;
    }
    Flush();
}

void CMultilineText6::addEditBox(CXRect rect, const CTextFormatCode& code)
{
    if (getUnit() == nullptr)
        return;
    CEditBox6* box = getUnit()->addEditBox(font_, rect, 0, code.getText());
    box->addNotifier(this);
    editBoxes_.push_back(box);
}

void CMultilineText6::onEditBoxGone(CEditBox6* box)
{
    editBoxes_.erase(std::remove(editBoxes_.begin(), editBoxes_.end(), box), editBoxes_.end());
}

void CMultilineText6::setText(const CXString& text)
{
    CSimpleFont6* font = usableFont();
    if (font != nullptr)
        Invalidate();
    text_ = convTab(text);
    parseText();
    if (font == nullptr) {
        flush();
        return;
    }
    if (collection() != nullptr)
        splitMultiText();
    else
        splitText();
    setOwnSize(getLength(), getHeight());
    setJustify(rect_, hJustify_, vJustify_);
    Invalidate();
}

int CMultilineText6::getLength()
{
    int widest = 0;
    for (const auto& line : lines_)
        if (line != nullptr)
            widest = std::max(widest, line->Width());
    return widest;
}

int CMultilineText6::getHeight()
{
    int64_t height = 0;
    for (const auto& line : lines_)
        if (line != nullptr)
            height += line->Height();
    if (lines_.size() > 1)
        height -= 2 * static_cast<int64_t>(lines_.size() - 1);
    return wrapped(height);
}

void CMultilineText6::Move(int dx, int dy)
{
    Invalidate();
    rect_ += CXPoint(dx, dy);
    setJustify(rect_, hJustify_, vJustify_);
    Invalidate();
}

int CMultilineText6::Load(const CXString& fileName)
{
    CTextFileReader reader(getWindow(), fileName);
    if (reader.LastError() != 0) {
        setErrorCode(reader.LastError());
        return LastError();
    }
    CXString text;
    while (!reader.eof()) {
        text += reader.getLine();
        text += '\n';
    }
    setErrorCode(0);
    setText(text);
    return 0;
}

// Single font: whole words, no codes.
void CMultilineText6::splitText()
{
    flush();
    const int64_t limit = rect_.Width();
    Entries entries;
    CXString candidate;
    CXString current;
    int64_t candidateWidth = 0;
    forEachWord(text_, [&](int, int from, int to) {
        const CXString word = slice(text_, from, to);
        const int64_t wordWidth = widthAfter(font_, 0, word);
        if (candidate.IsString()) {
            candidateWidth += widthAfter(font_, candidate.lastChar(), " " + word);
            candidate += ' ';
        } else {
            candidateWidth = wordWidth;
        }
        candidate += word;
        if (candidateWidth > limit) {
            entries.emplace_back(current);
            candidate = word;
            current = word;
            candidateWidth = wordWidth;
        } else {
            current = candidate;
        }
    });
    if (candidate.IsString())
        entries.emplace_back(current);
    makeLines(entries);
}

void CMultilineText6::splitMultiText()
{
    flush();
    const int64_t limit = rect_.Width();
    const CXPoint at = CGraphicsObject::getPosition();
    CSimpleFont6* running = collection()->getBaseFont();
    Entries entries;
    CXString openTag;
    CXString markup;
    int64_t width = 0;
    int count = 0;
    bool hasContent = false;
    const auto endLine = [&] {
        entries.emplace_back(markup);
        markup = openTag;
        ++count;
        hasContent = false;
    };
    for (const CTextFormatCode& code : getCodes()) {
        switch (code.getMode()) {
        case CTextFormatCode::MODE_COLOR:
            markup += "<COLOR" + CXString::toString(code.getColor()) + ">";
            break;
        case CTextFormatCode::MODE_FONT:
            openTag = openTag.IsString() ? CXString() : code.getText();
            markup += code.getText();
            running = code.getFont();
            break;
        case CTextFormatCode::MODE_TEXT:
            forEachWord(code.getText(), [&](int from, int, int to) {
                CXString word = slice(code.getText(), from, to);
                const int64_t wordWidth = widthAfter(running, 0, word);
                width += wordWidth;
                if (width > limit) {
                    endLine();
                    width = wordWidth;
                    if (word.GetAt(0) == ' ')
                        word = slice(word, 1, word.GetLength());
                }
                markup += word;
                hasContent = true;
            });
            break;
        case CTextFormatCode::MODE_LINEBREAK:
            endLine();
            entries.emplace_back(std::nullopt);
            width = 0;
            break;
        case CTextFormatCode::MODE_EDITBOX: {
            const int boxWidth = std::min(code.getWidth(), kMaxEditBoxWidth);
            const int lineHeight = running->Height();
            const int blank = running->getLetterWidth(static_cast<char>(255), ' ');
            if (width + boxWidth > limit) {
                endLine();
                width = 0;
            }
            const int letters = blank + 2 > 0 ? boxWidth / (blank + 2) : 0;
            markup += ' ';
            for (int i = 2; i < letters; ++i)
                markup += '_';
            hasContent = true;
            const int left = wrapped(at.x + width + blank);
            const int top = wrapped(at.y + int64_t{count} * (lineHeight - 4));
            addEditBox(CXRect(left, top, wrapped(int64_t{left} + boxWidth), wrapped(int64_t{top} + lineHeight)), code);
            width += boxWidth + 3 * int64_t{blank};
            break;
        }
        default:
            break;
        }
    }
    if (hasContent)
        entries.emplace_back(markup);
    makeLines(entries);
}

void CMultilineText6::makeLines(const Entries& entries)
{
    for (const std::optional<CXString>& entry : entries) {
        if (!entry) {
            lines_.emplace_back();
            continue;
        }
        auto line = std::make_unique<CText6>(TextWindow::of(getWindow()), nullptr);
        line->setFont(font_);
        line->setText(*entry);
        line->setColor(colour_);
        lines_.push_back(std::move(line));
    }
}

void CMultilineText6::Redraw()
{
    const CXPoint at = CGraphicsObject::getPosition();
    const CXRect clip = GetClippingRect();
    int y = at.y;
    for (const auto& line : lines_) {
        if (line == nullptr)
            continue;
        line->SetOpacity(GetOpacity());
        line->SetDestiny(GetDestiny());
        line->SetClippingRect(CXRect());
        line->SetPosition(at.x, y);
        if (clip.IsEmpty()) {
            line->Redraw();
        } else {
            const CXRect inside = (line->GetBoundingBox() - at).Common(clip);
            const int d = y - at.y;
            if (inside.Width() > 0 && inside.Height() > 0) {
                line->SetClippingRect(CXRect(inside.left, inside.top - d, inside.right, inside.bottom - d));
                line->Redraw();
            }
        }
        y += line->Height() - 4;
    }
}
