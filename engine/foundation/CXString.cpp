#include "foundation/CXString.h"

#include "foundation/CStringTokenizer.h"
#include "foundation/CXArray.h"
#include "foundation/CXPoint.h"
#include "foundation/CXRect.h"
#include "platform/CLocale.h"
#include "platform/Wildcard.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kSlack = 32;
constexpr int kFormatLimit = 255;

// Windows-1250 letters that change with case besides A-Z: small, then capital.
constexpr unsigned char kPolishSmall[] = {0xB9, 0xE6, 0xEA, 0xB3, 0xF3, 0xF1, 0x9C, 0xBF, 0x9F};
constexpr unsigned char kPolishCapital[] = {0xA5, 0xC6, 0xCA, 0xA3, 0xD3, 0xD1, 0x8C, 0xAF, 0x8F};

// The case of every byte, made once from the pairs above and A-Z.
struct CaseTables {
    unsigned char upper[256];
    unsigned char lower[256];
};

const CaseTables& caseTables()
{
    static const CaseTables tables = [] {
        CaseTables t{};
        for (int c = 0; c < 256; ++c)
            t.upper[c] = t.lower[c] = static_cast<unsigned char>(c);
        for (int c = 'a'; c <= 'z'; ++c) {
            t.upper[c] = static_cast<unsigned char>(c - 'a' + 'A');
            t.lower[c - 'a' + 'A'] = static_cast<unsigned char>(c);
        }
        for (size_t i = 0; i < sizeof kPolishSmall; ++i) {
            t.upper[kPolishSmall[i]] = kPolishCapital[i];
            t.lower[kPolishCapital[i]] = kPolishSmall[i];
        }
        return t;
    }();
    return tables;
}

unsigned char toUpper1250(unsigned char c)
{
    return caseTables().upper[c];
}

unsigned char toLower1250(unsigned char c)
{
    return caseTables().lower[c];
}

// A capital is a letter that has a small form, and the other way round.
bool isUpper1250(unsigned char c)
{
    return toLower1250(c) != c;
}

bool isLower1250(unsigned char c)
{
    return toUpper1250(c) != c;
}

int capacityFor(int length)
{
    return length < kSlack ? kSlack : length + kSlack;
}

std::string formatNumber(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string formatNumber(const char* format, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, format);
    int written = platform::formatC(buffer, sizeof buffer, format, args);
    va_end(args);
    return std::string(buffer, static_cast<size_t>(std::clamp(written, 0, static_cast<int>(sizeof buffer) - 1)));
}

std::string nonFinite(double d)
{
    if (std::isnan(d))
        return "nan";
    return d < 0 ? "-inf" : "inf";
}

int decimalExponent(const std::string& scientific)
{
    return std::atoi(scientific.c_str() + scientific.find('e') + 1);
}

// The _gcvt form with 9 significant digits: fixed notation for 0.1 <= |d| < 1e9,
// exponent notation otherwise; fraction zeros dropped, the point always kept,
// a signed three-digit exponent. The notation follows the value before rounding,
// so 999999999.7 stays fixed ("1000000000.").
std::string longDoubleForm(double d)
{
    if (!std::isfinite(d))
        return nonFinite(d);
    if (d == 0.0)
        return "0.";
    const int magnitude = decimalExponent(formatNumber("%.16e", d));
    std::string mantissa;
    std::string suffix;
    if (magnitude >= -1 && magnitude <= 8) {
        mantissa = formatNumber("%.*f", 8 - magnitude, d);
    } else {
        std::string scientific = formatNumber("%.8e", d);
        int exponent = decimalExponent(scientific);
        mantissa = scientific.substr(0, scientific.find('e'));
        suffix = formatNumber("e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    }
    if (mantissa.find('.') == std::string::npos)
        mantissa += '.';
    while (mantissa.back() == '0')
        mantissa.pop_back();
    return mantissa + suffix;
}

// The form in which scripts see doubles: five decimals, as the _fcvt-based
// conversion of the original builds it (tiny values keep their leading zeros).
std::string shortDoubleForm(double d)
{
    if (!std::isfinite(d))
        return nonFinite(d);
    if (d == 0.0)
        return "0.00000";
    double magnitude = std::fabs(d);
    std::string fixed = formatNumber("%.5f", magnitude);
    size_t point = fixed.find('.');
    std::string whole = fixed.substr(0, point);
    std::string fraction = fixed.substr(point + 1);

    std::string digits;
    int pointPosition;
    if (whole != "0") {
        digits = whole + fraction;
        pointPosition = static_cast<int>(whole.size());
    } else {
        size_t firstSignificant = fraction.find_first_not_of('0');
        if (firstSignificant == std::string::npos) {
            pointPosition = -static_cast<int>(fraction.size());
        } else {
            pointPosition = -static_cast<int>(firstSignificant);
            digits = fraction.substr(firstSignificant);
        }
    }
    if (digits.empty())
        digits.push_back('0');

    std::string text = pointPosition < 1 ? digits : digits.substr(0, pointPosition) + "." + digits.substr(pointPosition);
    if (magnitude < 1.0) {
        for (double x = magnitude; x * 10.0001 < 1.0; x *= 10.0)
            text.insert(text.begin(), '0');
        if (text.find('.') == std::string::npos)
            text.insert(0, "0.");
    }
    if (d < 0)
        text.insert(text.begin(), '-');
    return text;
}

} // namespace

CXString::CXString() : length_(0), capacity_(kSlack), text_(new char[kSlack + 1])
{
    text_[0] = '\0';
}

CXString::CXString(const char* text) : CXString()
{
    if (text != nullptr)
        assign(text, static_cast<int>(std::strlen(text)));
}

CXString::CXString(const CXString& other)
    : length_(other.length_),
      capacity_(other.length_ == 0 ? kSlack : other.capacity_),
      text_(new char[capacity_ + 1])
{
    std::memcpy(text_, other.text_, static_cast<size_t>(length_) + 1);
}

CXString::CXString(int characterCode) : CXString()
{
    text_[0] = static_cast<char>(characterCode);
    text_[1] = '\0';
    length_ = 1;
}

CXString::~CXString()
{
    delete[] text_;
}

void CXString::reserve(int length)
{
    if (length < capacity_)
        return;
    int capacity = length + kSlack;
    char* text = new char[capacity + 1];
    std::memcpy(text, text_, static_cast<size_t>(length_) + 1);
    delete[] text_;
    text_ = text;
    capacity_ = capacity;
}

void CXString::doubleCapacity()
{
    int capacity = capacity_ * 2;
    char* text = new char[capacity + 1];
    std::memcpy(text, text_, static_cast<size_t>(length_) + 1);
    delete[] text_;
    text_ = text;
    capacity_ = capacity;
}

// The appended bytes may lie in this string's own storage, so they are copied
// before that storage is given up.
void CXString::append(const char* text, int length)
{
    if (length_ + length >= capacity_) {
        int capacity = length_ + length + kSlack;
        char* storage = new char[capacity + 1];
        std::memcpy(storage, text_, static_cast<size_t>(length_));
        std::memcpy(storage + length_, text, static_cast<size_t>(length));
        delete[] text_;
        text_ = storage;
        capacity_ = capacity;
    } else {
        std::memmove(text_ + length_, text, static_cast<size_t>(length));
    }
    length_ += length;
    text_[length_] = '\0';
}

void CXString::assign(const char* text, int length)
{
    if (length >= capacity_) {
        int capacity = capacityFor(length);
        char* storage = new char[capacity + 1];
        std::memcpy(storage, text, static_cast<size_t>(length));
        delete[] text_;
        text_ = storage;
        capacity_ = capacity;
    } else {
        std::memmove(text_, text, static_cast<size_t>(length));
    }
    length_ = length;
    text_[length_] = '\0';
}

CXString& CXString::operator=(const CXString& other)
{
    if (this == &other)
        return *this;
    if (other.capacity_ > capacity_) {
        int capacity = other.length_ + kSlack;
        char* storage = new char[capacity + 1];
        delete[] text_;
        text_ = storage;
        capacity_ = capacity;
    }
    std::memcpy(text_, other.text_, static_cast<size_t>(other.length_) + 1);
    length_ = other.length_;
    return *this;
}

CXString& CXString::operator=(const char* text)
{
    if (text != nullptr)
        assign(text, static_cast<int>(std::strlen(text)));
    return *this;
}

CXString& CXString::operator=(char c)
{
    text_[0] = c;
    text_[1] = '\0';
    length_ = 1;
    return *this;
}

CXString& CXString::operator=(int value)
{
    return *this = toString(value);
}

CXString& CXString::operator=(double value)
{
    std::string text = longDoubleForm(value);
    assign(text.c_str(), static_cast<int>(text.size()));
    return *this;
}

CXString& CXString::operator+=(const CXString& other)
{
    append(other.text_, other.length_);
    return *this;
}

CXString& CXString::operator+=(const char* text)
{
    if (text != nullptr)
        append(text, static_cast<int>(std::strlen(text)));
    return *this;
}

CXString& CXString::operator+=(char c)
{
    if (length_ >= capacity_ - 2)
        doubleCapacity();
    text_[length_++] = c;
    text_[length_] = '\0';
    return *this;
}

CXString& CXString::operator+=(int value)
{
    std::string digits = formatNumber("%d", value);
    if (length_ >= capacity_ - 20)
        doubleCapacity();
    append(digits.c_str(), static_cast<int>(digits.size()));
    return *this;
}

int CXString::GetAt(int i) const
{
    if (i == -1)
        i = length_ - 1;
    if (i < 0 || i >= length_)
        return 0;
    return static_cast<unsigned char>(text_[i]);
}

char CXString::lastChar() const
{
    return static_cast<char>(GetAt(-1));
}

void CXString::mid(int from, int to, CXString* out) const
{
    from = std::clamp(from, 0, length_);
    to = std::clamp(to, 0, length_);
    int length = std::max(to - from, 0);
    if (out != this && out->capacity_ <= length) {
        delete[] out->text_;
        out->capacity_ = length + kSlack;
        out->text_ = new char[out->capacity_ + 1];
    }
    std::memmove(out->text_, text_ + from, static_cast<size_t>(length));
    out->length_ = length;
    out->text_[length] = '\0';
}

void CXString::left(int n, CXString* out) const
{
    mid(0, n, out);
}

void CXString::right(int n, CXString* out) const
{
    mid(n, length_, out);
}

void CXString::left(int n)
{
    left(n, this);
}

void CXString::mid(int from, int to)
{
    mid(from, to, this);
}

void CXString::right(int n)
{
    right(n, this);
}

CXString CXString::Mid(int from, int to) const
{
    CXString result;
    if (capacity_ > result.capacity_) {
        delete[] result.text_;
        result.capacity_ = capacity_;
        result.text_ = new char[capacity_ + 1];
        result.text_[0] = '\0';
    }
    mid(from, to, &result);
    return result;
}

CXString CXString::Left(int n) const
{
    return Mid(0, n);
}

CXString CXString::Right(int n) const
{
    return Mid(n, length_);
}

void CXString::FillWith(unsigned char c, int n)
{
    n = std::max(n, 0);
    length_ = 0;
    text_[0] = '\0';
    reserve(n);
    std::memset(text_, c, static_cast<size_t>(n));
    length_ = n;
    text_[n] = '\0';
}

CXString& CXString::Upper()
{
    for (int i = 0; i < length_; ++i)
        text_[i] = static_cast<char>(toUpper1250(static_cast<unsigned char>(text_[i])));
    return *this;
}

CXString& CXString::Lower()
{
    for (int i = 0; i < length_; ++i)
        text_[i] = static_cast<char>(toLower1250(static_cast<unsigned char>(text_[i])));
    return *this;
}

bool CXString::IsUpper() const
{
    for (int i = 0; i < length_; ++i)
        if (!isUpper1250(static_cast<unsigned char>(text_[i])))
            return false;
    return true;
}

bool CXString::IsLower() const
{
    for (int i = 0; i < length_; ++i)
        if (!isLower1250(static_cast<unsigned char>(text_[i])))
            return false;
    return true;
}

bool CXString::IsUpper(int i) const
{
    return i >= 0 && i < length_ && isUpper1250(static_cast<unsigned char>(text_[i]));
}

CXString& CXString::LTrim(unsigned char c)
{
    int start = 0;
    while (start < length_ && static_cast<unsigned char>(text_[start]) == c)
        ++start;
    mid(start, length_);
    return *this;
}

CXString& CXString::RTrim(unsigned char c)
{
    while (length_ > 0 && static_cast<unsigned char>(text_[length_ - 1]) == c)
        --length_;
    text_[length_] = '\0';
    return *this;
}

CXString& CXString::AllTrim(unsigned char c)
{
    return LTrim(c).RTrim(c);
}

CXString& CXString::Replace(char a, char b)
{
    std::replace(text_, text_ + length_, a, b);
    return *this;
}

int CXString::Find(char c, int from) const
{
    for (int i = std::max(from, 0); i < length_; ++i)
        if (text_[i] == c)
            return i;
    return -1;
}

int CXString::FindLast(char c) const
{
    for (int i = length_ - 1; i >= 0; --i)
        if (text_[i] == c)
            return i;
    return -1;
}

int CXString::FindSubString(const CXString& sub, int from) const
{
    return indexOf(sub, from);
}

int CXString::indexOf(const CXString& sub, int from) const
{
    if (sub.length_ == 0)
        return length_;
    for (int i = std::max(from, 0); i <= length_ - sub.length_; ++i)
        if (std::memcmp(text_ + i, sub.text_, static_cast<size_t>(sub.length_)) == 0)
            return i;
    return -1;
}

int CXString::findOneOf(const CXString& set, int from) const
{
    for (int i = std::max(from, 0); i < length_; ++i)
        if (std::memchr(set.text_, text_[i], static_cast<size_t>(set.length_)) != nullptr)
            return i;
    return -1;
}

int CXString::getCount(unsigned char c) const
{
    return static_cast<int>(std::count(text_, text_ + length_, static_cast<char>(c)));
}

bool CXString::startsWith(const char* prefix) const
{
    return startsWith(prefix, std::strlen(prefix));
}

bool CXString::endsWith(const char* suffix) const
{
    return endsWith(suffix, std::strlen(suffix));
}

bool CXString::startsWith(const CXString& prefix) const
{
    return startsWith(prefix.text_, static_cast<size_t>(prefix.length_));
}

bool CXString::endsWith(const CXString& suffix) const
{
    return endsWith(suffix.text_, static_cast<size_t>(suffix.length_));
}

bool CXString::startsWith(const char* prefix, size_t length) const
{
    return length <= static_cast<size_t>(length_) && std::memcmp(text_, prefix, length) == 0;
}

bool CXString::endsWith(const char* suffix, size_t length) const
{
    return length <= static_cast<size_t>(length_) && std::memcmp(text_ + length_ - length, suffix, length) == 0;
}

bool CXString::FilterFits(const CXString& filter) const
{
    if (filter.length_ == 0)
        return true;
    CXString pattern(filter);
    CXString name(*this);
    pattern.Upper();
    name.Upper();
    return platform::wildcardMatch(pattern.text_, name.text_);
}

bool CXString::equals(const CXString& other) const
{
    return length_ == other.length_ && std::memcmp(text_, other.text_, static_cast<size_t>(length_)) == 0;
}

bool CXString::equalsIgnoreCase(const CXString& other) const
{
    if (length_ != other.length_)
        return false;
    for (int i = 0; i < length_; ++i)
        if (toUpper1250(static_cast<unsigned char>(text_[i])) != toUpper1250(static_cast<unsigned char>(other.text_[i])))
            return false;
    return true;
}

CXString CXString::replace(const CXString& what, const CXString& with) const
{
    if (what.length_ == 0)
        return *this;
    // Built a character at a time so that the doubling appends keep long texts linear.
    CXString result;
    int i = 0;
    while (i < length_) {
        if (i <= length_ - what.length_ && std::memcmp(text_ + i, what.text_, static_cast<size_t>(what.length_)) == 0) {
            for (int j = 0; j < with.length_; ++j)
                result += with.text_[j];
            i += what.length_;
        } else {
            result += text_[i++];
        }
    }
    return result;
}

void CXString::replaceOnce(const CXString& what, const CXString& with, int from)
{
    int found = indexOf(what, from);
    if (found == -1)
        return;
    CXString result = Left(found);
    result += with;
    result += Mid(found + what.length_, length_);
    *this = result;
}

void CXString::removeTag(const CXString& tag)
{
    CXString result;
    int i = 0;
    while (i < length_) {
        bool opensTag = text_[i] == '<' && length_ - (i + 1) >= tag.length_ &&
                        std::memcmp(text_ + i + 1, tag.text_, static_cast<size_t>(tag.length_)) == 0;
        if (opensTag) {
            int close = Find('>', i + 1);
            if (close == -1) {
                // An unclosed tag runs to the end of the text, and the text is not scanned again.
                break;
            }
            i = close + 1;
            continue;
        }
        result += text_[i++];
    }
    *this = result;
}

bool CXString::isNumber() const
{
    return toNumber() != 0;
}

int CXString::toNumber() const
{
    return platform::parseIntC(text_);
}

int CXString::toNumber(const CXString& s)
{
    return s.toNumber();
}

double CXString::toDouble() const
{
    return platform::parseDoubleC(text_);
}

double CXString::toDouble(const CXString& s)
{
    return s.toDouble();
}

bool CXString::toBool() const
{
    return equalsIgnoreCase(CXString("TRUE"));
}

bool CXString::toBool(const CXString& s)
{
    return s.equalsIgnoreCase(CXString("true"));
}

CXPoint CXString::toPoint() const
{
    CStringTokenizer tokens(*this, CXString(".|, "));
    int x = tokens.nextToken().toNumber();
    int y = tokens.nextToken().toNumber();
    return CXPoint(x, y);
}

CXRect CXString::toRect() const
{
    CStringTokenizer tokens(*this, CXString(".|, "));
    int left = tokens.nextToken().toNumber();
    int top = tokens.nextToken().toNumber();
    int right = tokens.nextToken().toNumber();
    int bottom = tokens.nextToken().toNumber();
    return CXRect(left, top, right, bottom);
}

CXArray* CXString::toVector() const
{
    return toVector(CXString(", \n\r"));
}

CXArray* CXString::toVector(const CXString& separators) const
{
    auto* array = new CXArray(101, 0.75f);
    CStringTokenizer tokens(*this, separators);
    while (tokens.hasMoreTokens())
        array->add(new CXString(tokens.nextToken()));
    return array;
}

void CXString::releaseToVector(CXArray* array)
{
    if (array == nullptr)
        return;
    for (int i = 0; i < array->getCount(); ++i)
        delete static_cast<CXString*>(array->at(i));
    delete array;
}

CXString CXString::toString(bool b)
{
    return CXString(b ? "TRUE" : "FALSE");
}

CXString CXString::toString(int v)
{
    return CXString(formatNumber("%d", v).c_str());
}

CXString CXString::toString(double d)
{
    return CXString(shortDoubleForm(d).c_str());
}

void CXString::formatted(const char* fmt, ...)
{
    char buffer[kFormatLimit + 1];
    va_list args;
    va_start(args, fmt);
    int written = platform::formatC(buffer, sizeof buffer, fmt, args);
    va_end(args);
    assign(buffer, std::clamp(written, 0, kFormatLimit));
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"

void CXString::Format(const char* fmt, int a)
{
    formatted(fmt, a);
}

void CXString::Format(const char* fmt, int a, int b)
{
    formatted(fmt, a, b);
}

void CXString::Format(const char* fmt, const CXString& s)
{
    formatted(fmt, s.c_str());
}

void CXString::Format(const char* fmt, const CXString& s, int a)
{
    formatted(fmt, s.c_str(), a);
}

void CXString::Format(const char* fmt, const CXString& s, int a, const CXString& t)
{
    formatted(fmt, s.c_str(), a, t.c_str());
}

void CXString::Format(const char* fmt, const CXString& s, int a, int b)
{
    formatted(fmt, s.c_str(), a, b);
}

#pragma GCC diagnostic pop

CXString operator+(const CXString& a, const char* b)
{
    CXString result(a);
    result += b;
    return result;
}

CXString operator+(const char* a, const CXString& b)
{
    CXString result(a);
    result += b;
    return result;
}

CXString operator+(const CXString& a, const CXString& b)
{
    CXString result(a);
    result += b;
    return result;
}

bool operator==(const CXString& a, const CXString& b)
{
    return a.equals(b);
}

// A null text counts as the empty text.
bool operator==(const CXString& a, const char* b)
{
    const size_t length = b != nullptr ? std::strlen(b) : 0;
    return static_cast<size_t>(a.GetLength()) == length && std::memcmp(a.c_str(), b != nullptr ? b : "", length) == 0;
}

bool operator==(const char* a, const CXString& b)
{
    return b == a;
}

bool operator!=(const CXString& a, const CXString& b)
{
    return !(a == b);
}

bool operator!=(const CXString& a, const char* b)
{
    return !(a == b);
}

bool operator!=(const char* a, const CXString& b)
{
    return !(a == b);
}
