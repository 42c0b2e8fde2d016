#include "script/CMC_CodeText.h"

#include "foundation/CXArray.h"

#include <cstring>

std::vector<CXString> CMC_CodeText::statements(const CXString& code)
{
    std::vector<CXString> result;
    std::string statement;
    int depth = 0;
    for (const char* c = code.c_str(); *c != '\0'; ++c) {
        if (*c == ' ')
            continue;
        if (*c == ';' && depth == 0) {
            if (!statement.empty())
                result.emplace_back(statement.c_str());
            statement.clear();
            continue;
        }
        if (*c == '(')
            ++depth;
        else if (*c == ')')
            --depth;
        statement += *c;
    }
    return result;
}

std::vector<CXString> CMC_CodeText::arguments(const CXString& text)
{
    std::vector<CXString> result;
    const char* begin = text.c_str();
    const char* start = begin;
    int depth = 0;
    for (const char* c = begin;; ++c) {
        const bool cut = *c == '\0' || (*c == ',' && depth == 0);
        if (cut) {
            if (c > start)
                result.emplace_back(text.Mid(static_cast<int>(start - begin), static_cast<int>(c - begin)));
            if (*c == '\0')
                return result;
            start = c + 1;
        } else if (*c == '(') {
            ++depth;
        } else if (*c == ')') {
            --depth;
        }
    }
}

void CMC_CodeText::fillParams(const char* text, CXArray* params, std::string* out)
{
    out->clear();
    const int count = params != nullptr ? params->getCount() : 0;
    for (const char* c = text; *c != '\0'; ++c) {
        const int index = c[0] == '$' ? c[1] - '1' : -1;
        if (index >= 0 && index < count) {
            out->append(params->stringAt(index)->c_str());
            ++c;
        } else {
            out->push_back(*c);
        }
    }
}

bool CMC_CodeText::isCode(const char* piece)
{
    return piece[0] == '@' || std::strchr(piece, '$') != nullptr || std::strchr(piece, '^') != nullptr;
}

bool CMC_CodeText::isBlock(const char* piece)
{
    const char first = piece[0] == '"' ? piece[1] : piece[0];
    return first == '{' && isCode(piece);
}

CXString CMC_CodeText::blockCode(const CXString& piece)
{
    const int quoted = piece.GetAt(0) == '"' ? 1 : 0;
    return piece.Mid(quoted + 1, piece.GetLength() - quoted - 1);
}
