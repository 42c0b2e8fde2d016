#include "script/CMElementsLoader.h"

#include "script/ScriptWindow.h"

#include "foundation/CCommandLine6.h"
#include "foundation/CStringTokenizer.h"
#include "foundation/CTextCoder.h"

#include <memory>

namespace {

constexpr int kCodedCycle = 6;

CXString trimmed(CXString text)
{
    return text.AllTrim(' ');
}

// DEF:NAME(K=V|K=V): the name runs from the fifth character to the first '(', the
// parameters from there to the last ')'. A line without them defines nothing; a parameter
// without '=' is a key with an empty value, and a blank one is skipped.
void defineElement(const CXString& line, CMElements* elements)
{
    int open = line.Find('(', 0);
    int close = line.FindLast(')');
    if (open < 0 || close < open)
        return;
    auto* element = new CMElement(line.Mid(4, open));
    CStringTokenizer parameters(line.Mid(open + 1, close), "|");
    while (parameters.hasMoreTokens()) {
        CXString parameter = parameters.nextToken();
        int equals = parameter.Find('=', 0);
        CXString key = trimmed(equals < 0 ? parameter : parameter.Left(equals));
        if (equals >= 0 || key.IsString())
            element->addProperty(key, equals < 0 ? CXString() : trimmed(parameter.Right(equals + 1)));
    }
    elements->add(element);
}

// Carries out the statement of `line` that begins with `first` and goes on with the line's
// tokens; false when the rest of the line is dropped.
bool runStatement(const CXString& line, const CXString& first, CStringTokenizer& tokens, CMElements* elements)
{
    if (first == "DEF") {
        defineElement(line, elements);
        return false;
    }
    if (first == "OBJECT" || first == "IMPORT") {
        if (!tokens.hasMoreTokens())
            return false;
        CXString name = tokens.nextToken();
        // A name defined already ends an OBJECT line; an IMPORT line goes on.
        if (elements->contains(name))
            return first == "IMPORT";
        auto* element = new CMElement(name);
        if (first == "IMPORT")
            element->addProperty("TYPE", "SEQUENCE");
        elements->add(element);
        return true;
    }
    CMElement* element = elements->get(first);
    if (element == nullptr || !tokens.hasMoreTokens())
        return false;
    CXString second = tokens.nextToken();
    if (second == "ADD" || second == "APPLY") {
        if (!tokens.hasMoreTokens())
            return true;
        CMElement* other = elements->get(tokens.nextToken());
        if (other == nullptr)
            return false;
        if (second == "ADD")
            other->addChild(element);
        else
            element->addChild(other);
        return true;
    }
    if (!tokens.hasMoreTokens()) {
        element->addProperty(second);
        return false;
    }
    CXString value = tokens.nextToken();
    while (tokens.hasMoreTokens()) {
        value += ' ';
        value += tokens.nextToken();
    }
    element->addProperty(second, value);
    return false;
}

} // namespace

CMElements* CMElementsLoader::load(ScriptWindow* window, const CXString& fileName, const CCommandLine6* options)
{
    CTextCoder coder(window, fileName, false);
    if (options != nullptr && options->isToCode())
        CTextCoder::code(window, fileName, fileName + ".coded", kCodedCycle);
    if (options != nullptr && options->isToDecode())
        CTextCoder::decode(window, fileName, fileName + ".decoded");
    return coder.LastError() == 0 ? load(&coder) : nullptr;
}

CMElements* CMElementsLoader::load(ScriptWindow* window, const CXString& fileName)
{
    return load(window, fileName, window != nullptr ? window->getCommandLineIfc() : nullptr);
}

CMElements* CMElementsLoader::load(ScriptWindow* window, CTextFileReader* reader)
{
    CTextCoder coder(window, reader, false);
    return coder.LastError() == 0 ? load(&coder) : nullptr;
}

CXString CMElementsLoader::getLine(CTextCoder* coder)
{
    CXString line;
    for (;;) {
        CXString physical = coder->getLine().replace("\t", "");
        // The line end that getLine appends goes, except on an empty or one-character
        // line, where it stays inside the logical line and separates tokens there.
        line += physical.GetLength() > 2 ? physical.Left(physical.GetLength() - 1) : physical;
        line.AllTrim(' ');
        if (coder->_eof() || physical.Find('/', 0) < 0)
            break;
    }
    return line.replace("/", "");
}

CMElements* CMElementsLoader::load(CTextCoder* coder)
{
    auto* elements = new CMElements(true);
    while (!coder->_eof()) {
        CXString line = getLine(coder);
        if (line.GetAt(0) == '!')
            break;
        if (line.GetAt(0) == '#')
            continue;
        CStringTokenizer tokens(line, ":=\n");
        if (!tokens.hasMoreTokens())
            continue;
        CXString first = tokens.nextToken();
        while (runStatement(line, first, tokens, elements) && tokens.hasMoreTokens())
            first = tokens.nextToken();
    }
    return elements;
}

bool CMElementsLoader::save(const CXString&, CMElements*)
{
    return false;
}

CMProperties* CMElementsLoader::loadPropertiesFile(CTextFileReader* reader)
{
    auto* properties = new CMProperties();
    while (!reader->eof()) {
        CStringTokenizer tokens(reader->getLine(), "=\n");
        CXString key = tokens.nextToken();
        CXString value = tokens.nextToken();
        properties->add(new CMProperty(key, value));
    }
    return properties;
}
