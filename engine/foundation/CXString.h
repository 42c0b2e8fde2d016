#pragma once

#include <cstddef>

class CXArray;
class CXPoint;
class CXRect;

// The engine's text: an exclusively owned, NUL-terminated run of Windows-1250 bytes
// with an explicit length and capacity. Case mapping covers the Polish letters.
class CXString {
public:
    CXString();
    CXString(const char* text);
    CXString(const CXString& other);
    explicit CXString(int characterCode);
    virtual ~CXString();

    CXString& operator=(const CXString& other);
    CXString& operator=(const char* text);
    CXString& operator=(char c);
    CXString& operator=(int value);
    CXString& operator=(double value);
    CXString& operator+=(const CXString& other);
    CXString& operator+=(const char* text);
    CXString& operator+=(char c);
    CXString& operator+=(int value);

    int GetLength() const { return length_; }
    int GetCapacity() const { return capacity_; }
    const char* c_str() const { return text_; }
    // The storage itself, for callers that fill it; they keep within the capacity.
    char* GetBuffer() { return text_; }

    int GetAt(int i) const;
    char lastChar() const;
    bool IsString() const { return length_ > 0; }

    CXString Left(int n) const;
    CXString Mid(int from, int to) const;
    CXString Right(int n) const;
    void left(int n, CXString* out) const;
    void mid(int from, int to, CXString* out) const;
    void right(int n, CXString* out) const;
    void left(int n);
    void mid(int from, int to);
    void right(int n);
    void FillWith(unsigned char c, int n);

    CXString& Upper();
    CXString& Lower();
    bool IsUpper() const;
    bool IsLower() const;
    bool IsUpper(int i) const;

    CXString& LTrim(unsigned char c);
    CXString& RTrim(unsigned char c);
    CXString& AllTrim(unsigned char c);
    CXString& Replace(char a, char b);

    int Find(char c, int from) const;
    int FindLast(char c) const;
    int FindSubString(const CXString& sub, int from) const;
    virtual int indexOf(const CXString& sub, int from) const;
    virtual int findOneOf(const CXString& set, int from) const;
    virtual int getCount(unsigned char c) const;
    bool startsWith(const CXString& prefix) const;
    bool endsWith(const CXString& suffix) const;
    bool startsWith(const char* prefix) const;
    bool endsWith(const char* suffix) const;
    // Windows wildcard match ('*' any run, '?' one character), ignoring case;
    // "*", "*.*" and the empty pattern fit every name.
    bool FilterFits(const CXString& filter) const;

    bool equals(const CXString& other) const;
    bool equalsIgnoreCase(const CXString& other) const;

    CXString replace(const CXString& what, const CXString& with) const;
    void replaceOnce(const CXString& what, const CXString& with, int from);
    void removeTag(const CXString& tag);

    bool isNumber() const;
    int toNumber() const;
    static int toNumber(const CXString& s);
    double toDouble() const;
    static double toDouble(const CXString& s);
    bool toBool() const;
    static bool toBool(const CXString& s);
    CXPoint toPoint() const;
    CXRect toRect() const;
    CXArray* toVector() const;
    CXArray* toVector(const CXString& separators) const;
    static void releaseToVector(CXArray* array);
    static CXString toString(bool b);
    static CXString toString(int v);
    static CXString toString(double d);

    // sprintf into the text, cut at 255 characters.
    void Format(const char* fmt, int a);
    void Format(const char* fmt, int a, int b);
    void Format(const char* fmt, const CXString& s);
    void Format(const char* fmt, const CXString& s, int a);
    void Format(const char* fmt, const CXString& s, int a, const CXString& t);
    void Format(const char* fmt, const CXString& s, int a, int b);

private:
    void assign(const char* text, int length);
    void reserve(int length);
    void doubleCapacity();
    void append(const char* text, int length);
    void formatted(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    bool startsWith(const char* prefix, size_t length) const;
    bool endsWith(const char* suffix, size_t length) const;

    int length_;
    int capacity_;
    char* text_;
};

CXString operator+(const CXString& a, const char* b);
CXString operator+(const char* a, const CXString& b);
CXString operator+(const CXString& a, const CXString& b);
bool operator==(const CXString& a, const CXString& b);
bool operator==(const CXString& a, const char* b);
bool operator==(const char* a, const CXString& b);
bool operator!=(const CXString& a, const CXString& b);
bool operator!=(const CXString& a, const char* b);
bool operator!=(const char* a, const CXString& b);
