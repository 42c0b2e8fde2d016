#include "foundation/CTextCoder.h"

#include "foundation/CFile.h"

#include <string>

// The character coding. Every byte b of a plain line, the n-th byte coded in the file
// (n counts from 0 over all lines), becomes v = (b + getOffset(n)) mod 256, written as two
// letters of kDigits: the high four bits of v, then the low four. getOffset(n) is
// (37 n + 11 cycle + 97) mod 256, cycle being the number in the header. Decoding reverses
// it; a lone last letter is ignored and a letter outside kDigits reads as 0, so any text
// decodes to something. The letters hold no blank, no line break and no '<', so a coded
// line never contains the marker "<E>", never loses a character to trimming, and is twice
// as long as its plain line.
namespace {

constexpr char kDigits[] = "KWQXZJVYRHPMGBFL";
constexpr char kMarker[] = "<E>";
constexpr int kMarkerLength = 3;

int digitValue(char c)
{
    for (int i = 0; i < 16; ++i)
        if (kDigits[i] == c)
            return i;
    return 0;
}

} // namespace

CTextCoder::CTextCoder(FoundationWindow* window, const CXString& fileName, bool noPlainCopy)
    : fileName_(fileName)
    , reader_(std::make_unique<CTextFileReader>(window, fileName))
{
    initialise(window, noPlainCopy);
}

CTextCoder::CTextCoder(FoundationWindow* window, CTextFileReader* reader, bool noPlainCopy)
    : reader_(reader)
{
    initialise(window, noPlainCopy);
}

CTextCoder::~CTextCoder() = default;

void CTextCoder::initialise(FoundationWindow* window, bool noPlainCopy)
{
    setErrorCode(reader_->LastError());
    if (LastError() != 0)
        return;
    CXString first = reader_->getLine();
    bool autoDecode = first.startsWith("{<D:");
    if (!autoDecode && !first.startsWith("{<C:")) {
        reader_->reset();
        return;
    }
    coded_ = true;
    int colon = first.Find(':', 0);
    int close = first.Find('>', 0);
    cycle_ = close > colon ? first.Mid(colon + 1, close).toNumber() : 0;
    if (cycle_ < 1) {
        // Nothing could be split into lines: the file is unreadable, not a division by zero.
        setErrorCode(ERROR_BAD_HEADER);
        endReached_ = true;
        return;
    }
    if (autoDecode && !noPlainCopy && fileName_.IsString())
        decode(window, fileName_, fileName_ + ".decoded");
}

int CTextCoder::getOffset(int n) const
{
    return static_cast<int>((static_cast<uint32_t>(n) * 37u + static_cast<uint32_t>(cycle_) * 11u + 97u) & 0xFFu);
}

CXString CTextCoder::encode(const CXString& plain)
{
    std::string coded;
    coded.reserve(static_cast<size_t>(plain.GetLength()) * 2);
    for (int i = 0; i < plain.GetLength(); ++i) {
        int v = (static_cast<unsigned char>(plain.c_str()[i]) + getOffset(characterCounter_++)) & 0xFF;
        coded += kDigits[v >> 4];
        coded += kDigits[v & 15];
    }
    return CXString(coded.c_str());
}

CXString CTextCoder::decodeText(const char* coded, int length)
{
    std::string plain;
    for (int i = 0; i + 1 < length; i += 2) {
        int v = digitValue(coded[i]) * 16 + digitValue(coded[i + 1]);
        plain += static_cast<char>((v - getOffset(characterCounter_++)) & 0xFF);
    }
    return CXString(plain.c_str());
}

bool CTextCoder::_eof()
{
    return coded_ ? endReached_ : reader_->eof();
}

CXString CTextCoder::getLine()
{
    if (!coded_)
        return reader_->getLine() + "\n";
    bool physicalLineRead = false;
    if (!endReached_ && lineCounter_ % cycle_ == 0) {
        currentLine_ = reader_->getLine();
        markerPosition_ = 0;
        physicalLineRead = true;
    }
    CXString line;
    if (!endReached_) {
        int marker = currentLine_.FindSubString(kMarker, markerPosition_);
        if (marker < 0) {
            endReached_ = true;
            if (physicalLineRead)
                line = currentLine_;
        } else {
            line = decodeText(currentLine_.c_str() + markerPosition_, marker - markerPosition_);
            markerPosition_ = marker + kMarkerLength;
            ++lineCounter_;
        }
    }
    return line + "\n";
}

CXString CTextCoder::codeLine()
{
    if (coded_ || cycle_ < 1)
        return CXString("\n");
    CXString physical;
    for (int i = 0; i < cycle_ && !reader_->eof(); ++i) {
        CXString plain = reader_->getLine().replace("\t", "");
        // Leading blanks stay: at the start of a continuation line they belong to the value.
        CXString kept = plain;
        kept.RTrim(' ');
        // A definition reader drops the line end of a line of two characters or more only,
        // so a lone character keeps one of its blanks: a lone "/" would otherwise carry its
        // line end into the joined line, as the plain form does not.
        if (kept.GetLength() == 1 && plain.GetLength() > 1)
            kept = plain.Left(2);
        physical += encode(kept);
        physical += kMarker;
        ++lineCounter_;
    }
    return physical + "\n";
}

void CTextCoder::code(FoundationWindow* window, const CXString& source, const CXString& target, int cycle)
{
    CTextCoder coder(window, source, false);
    if (coder.LastError() != 0 || coder.isCoded() || cycle < 1)
        return;
    CFile out(window, target, CFile::MODE_UPDATE | CFile::MODE_TEXT);
    if (out.LastError() != 0)
        return;
    coder.setCycle(cycle);
    CXString header;
    header.Format("{<C:%d>}\n", cycle);
    out.putLine(header);
    while (!coder._eof())
        out.putLine(coder.codeLine());
    out.Close();
}

void CTextCoder::decode(FoundationWindow* window, const CXString& source, const CXString& target)
{
    CTextCoder coder(window, source, true);
    if (coder.LastError() != 0 || !coder.isCoded())
        return;
    CFile out(window, target, CFile::MODE_UPDATE | CFile::MODE_TEXT);
    if (out.LastError() != 0)
        return;
    while (!coder._eof())
        out.putLine(coder.getLine());
    out.Close();
}
