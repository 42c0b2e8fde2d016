#include "graphics/CMultimediaSequenceCreator.h"

#include "foundation/CFileNameResolver.h"
#include "foundation/CStringTokenizer.h"
#include "foundation/CTextFileReader.h"
#include "graphics/CMElementCreator.h"
#include "graphics/CSequencedPlayable.h"
#include "graphics/CTreeSequenceElements.h"
#include "graphics/GraphicsWindow.h"
#include "media/CPlayable.h"
#include "script/CMElement.h"

#include <algorithm>
#include <vector>

namespace {

// A flag value: "TRUE" or "FALSE", anything else none.
bool readFlag(const CXString& value, bool* flag)
{
    if (value == "TRUE")
        *flag = true;
    else if (value == "FALSE")
        *flag = false;
    else
        return false;
    return true;
}

// One key of a declared entry, its values still in the line's words.
void readKey(CTreeSequenceElements& table, const CXString& entry, CStringTokenizer& words, const CXString& root,
             CPlayableObserver* observer)
{
    const CXString key = words.nextToken();
    const CXString value = words.nextToken();
    bool flag = false;
    if (key == "TYPE") {
        table.setType(entry, value);
        _tse_entry* record = table.find(entry);
        table.create(record, observer);
        if (record->playable != nullptr)
            record->playable->setName(entry);
    } else if (key == "FILENAME") {
        table.setFileName(entry, value);
    } else if (key == "EVENT") {
        table.setEvent(entry, value);
    } else if (key == "SHOW") {
        table.show(entry);
    } else if (key == "HIDE") {
        table.hide(entry);
    } else if (key == "MODE") {
        table.setMode(entry, value);
    } else if (key == "SEQEVENT") {
        table.addSequenceEvent(entry, value, words.nextToken());
    } else if (key == "ANIMOFN") {
        table.setAnimoFN(entry, value);
    } else if (key == "WAVFN") {
        table.setWAVFN(entry, value);
    } else if (key == "STARTING" && readFlag(value, &flag)) {
        table.setStarting(entry, flag);
    } else if (key == "ENDING" && readFlag(value, &flag)) {
        table.setEnding(entry, flag);
    } else if (key == "PREFIX") {
        table.setPrefix(entry, value);
    } else if (key == "ADD" && !(entry == root)) {
        // The root is the caller's: under a parent it would have two owners.
        table.add(entry, value.IsString() ? value : CXString("ROOT"));
    } else if (key == "WAIT" && readFlag(value, &flag)) {
        table.setWaitMode(entry, flag);
    }
}

void readLine(CTreeSequenceElements& table, const CXString& line, const CXString& root, CPlayableObserver* observer)
{
    if (!line.IsString() || line.c_str()[0] == '#')
        return;
    CStringTokenizer words(line, " =\n:");
    const CXString first = words.nextToken();
    if (first == "NAME") {
        const CXString name = words.nextToken();
        if (name.IsString() && !table.contains(name))
            table.add(name);
    }
    if (table.contains(first))
        readKey(table, first, words, root, observer);
}

// create, skipping the elements that the walk is inside already.
CPlayable* createBelow(GraphicsWindow* window, CMElements* elements, const CXString& name, std::vector<CXString>& path)
{
    CMElement* element = elements != nullptr ? elements->get(name) : nullptr;
    if (element == nullptr || std::find(path.begin(), path.end(), name) != path.end())
        return nullptr;
    CPlayable* playable = CMElementCreator::createPlayable(window, element);
    if (playable == nullptr)
        return nullptr;
    // Only a sequence takes children; those of anything else would belong to no one.
    if (auto* sequence = dynamic_cast<CSequencedPlayable*>(playable)) {
        path.push_back(name);
        CMElements* children = element->getChildren();
        for (int i = 0; children != nullptr && i < children->getCount(); ++i)
            if (CPlayable* child = createBelow(window, elements, children->getAt(i)->getName(), path)) {
                child->addParent();
                sequence->addChild(child);
            }
        path.pop_back();
    }
    playable->setName(name);
    return playable;
}

} // namespace

CPlayable* CMultimediaSequenceCreator::load(GraphicsWindow* window, const CXString& fileName, CResourcesManager* resources,
                                            CPlayableObserver* observer)
{
    CTextFileReader text(window, fileName);
    if (text.LastError() != 0)
        return nullptr;
    return load(window, text, fileName, resources, observer);
}

CPlayable* CMultimediaSequenceCreator::load(GraphicsWindow* window, CTextFileReader& text, const CXString& fileName,
                                            CResourcesManager* resources, CPlayableObserver* observer)
{
    CTreeSequenceElements table(window, resources);
    const CXString rootName = CFileNameResolver(fileName).getPureFileName();
    while (!text.eof())
        readLine(table, text.getLine(), rootName, observer);
    _tse_entry* rootEntry = table.find(rootName);
    CPlayable* root = rootEntry != nullptr ? rootEntry->playable : nullptr;
    if (root != nullptr)
        root->setFilename(fileName);
    table.dropUnlinked(root);
    return root;
}

CPlayable* CMultimediaSequenceCreator::create(GraphicsWindow* window, CMElements* elements, const CXString& name)
{
    std::vector<CXString> path;
    return createBelow(window, elements, name, path);
}

CXString CMultimediaSequenceCreator::getParameter(int n)
{
    char selector[2] = {};
    if (n < 0)
        return CXString();
    if (n < 9)
        selector[0] = static_cast<char>('1' + n);
    else if (n < 34)
        selector[0] = static_cast<char>('A' + n - 9);
    else
        selector[0] = static_cast<char>(n % 256 + 63);
    return CXString(selector);
}
