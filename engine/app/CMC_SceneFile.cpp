// A scene node's objects on disk: its text definition "<name>.cnv", or its compiled file
// "<name>.bin" in the node's data folder: DLLS, BACKGROUND and MUSIC, the number of records,
// then each object as its type id and its own record.
#include "app/CMC_Scene.h"

#include "app/CCompiledFiles.h"
#include "app/CWindow.h"
#include "foundation/CFile.h"
#include "foundation/CFile_Stream.h"
#include "foundation/CFolder.h"
#include "foundation/CPath.h"
#include "foundation/CVersion.h"
#include "foundation/CXArchive.h"
#include "foundation/CXVector.h"
#include "platform/DebugOutput.h"
#include "script/CMC_DataFile.h"
#include "script/CMC_ObjectFactory.h"
#include "script/CMC_RecordFactory.h"
#include "script/CMElement.h"
#include "script/CMElementText.h"
#include "script/CMElementsLoader.h"
#include "text/CUnit6.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

void report(const CXString& line)
{
    platform::debugOutput((line + "\n").c_str());
}

bool isSceneNode(const CMC_Object* object)
{
    return dynamic_cast<const CMC_Scene*>(object) != nullptr;
}

bool atTheEnd(CXArchive* archive)
{
    CFile* file = archive->GetFileHandle();
    return archive->failed() || file == nullptr || file->Tell() >= file->Length();
}

} // namespace

void CMC_Scene::serialize(CXArchive* archive)
{
    if (!archive->isStoring()) {
        // The record's bytes are kept: each load of the node's objects binds them again.
        CFile* file = archive->GetFileHandle();
        const int start = file != nullptr ? file->Tell() : 0;
        CMC_Object::serialize(archive);
        if (file != nullptr && !archive->failed()) {
            const int end = file->Tell();
            ownRecord_.assign(static_cast<size_t>(end - start), '\0');
            file->Seek(start, SEEK_SET);
            file->Read(ownRecord_.data(), end - start);
            file->Seek(end, SEEK_SET);
        }
        *archive >> &path_;
        takeDescription();
        // The node is entered in its own table under the name it has now.
        if (holds(this)) {
            removeObject(this);
            addObject(this);
        }
        return;
    }
    CMC_Object::serialize(archive);
    *archive << path_;
    if (!storeCompiled())
        archive->setFailed();
}

// A scene's unload drops its bindings, and an episode entered again reads its definition
// again: the bindings are those of one reading, never lost and never doubled.
void CMC_Scene::storeSubScenes(CXArchive* archive, int type, const std::function<void(CMC_Scene*)>& stored)
{
    std::vector<CMC_Scene*> nodes;
    for (int i = 0; i < subScenes_->getCount(); ++i) {
        auto* node = static_cast<CMC_Scene*>(subScenes_->at(i));
        if (node->getType() == type) {
            nodes.push_back(node);
            continue;
        }
        const CXString line = "Node " + node->getName() + " of " + getName() + " not stored: a " +
                              CMC_Object::typeToString(node->getType()) + " cannot be read back here\n";
        std::fputs(line.c_str(), stderr);
        archive->setFailed();
    }
    const auto start = std::find(nodes.begin(), nodes.end(), start_);
    *archive << static_cast<int32_t>(nodes.size())
             << static_cast<int32_t>(start != nodes.end() ? start - nodes.begin() : -1);
    for (CMC_Scene* node : nodes) {
        node->loadForStoring();
        node->serialize(archive);
        stored(node);
    }
}

void CMC_Scene::readSubScenes(CXArchive* archive, const std::function<CMC_Scene*()>& make,
                              const std::function<void(CMC_Scene*)>& adopted)
{
    int32_t count = 0;
    int32_t startIndex = -1;
    *archive >> &count >> &startIndex;
    CFile* file = archive->GetFileHandle();
    const int64_t left = file != nullptr ? int64_t{file->Length()} - file->Tell() : 0;
    // Every record holds at least its name's length.
    if (count < 0 || count > left / 4)
        archive->setFailed();
    for (int32_t i = 0; i < count && !archive->failed(); ++i) {
        std::unique_ptr<CMC_Scene> node(make());
        node->serialize(archive);
        if (archive->failed() || !adopt(node.get())) {
            node->dropStatistics();
            break;
        }
        adopted(node.release());
    }
    start_ = startIndex >= 0 && startIndex < subScenes_->getCount() ? static_cast<CMC_Scene*>(subScenes_->at(startIndex))
                                                                     : nullptr;
}

namespace {

const CXString kRebindsNote("{REBINDS}");
const CXString kDaemonNote("{DEAMON}");
const CXString kTrue("TRUE");

} // namespace

bool CMC_Scene::loadCnv()
{
    flushBehList();
    if (!binary_) {
        rebinds_ = CXString();
        loadDefinition();
        return false;
    }
    restoreRecordedBindings();
    return loadCompiled();
}

void CMC_Scene::onRebound(CMElement* element)
{
    rebinds_ += CMElementText::write(*element);
}

std::vector<std::pair<CXString, CXString*>> CMC_Scene::describingTexts()
{
    return {{CXString("{DESCRIPTION}"), &description_}, {CXString("{CREATIONTIME}"), &creationTime_},
            {CXString("{LASTMODIFYTIME}"), &lastModifyTime_}, {CXString("{AUTHOR}"), &author_},
            {CXString("{COAUTHORS}"), &coauthors_}, {CXString("{VERSION}"), &versionText_}};
}

std::vector<CMC_Object::RecordNote> CMC_Scene::getRecordNotes()
{
    std::vector<RecordNote> notes;
    for (const auto& [note, text] : describingTexts())
        if (text->IsString())
            notes.push_back({note, *text, CXString()});
    if (daemon_)
        notes.push_back({kDaemonNote, kTrue, CXString()});
    if (rebinds_.IsString())
        notes.push_back({kRebindsNote, CXString(), rebinds_});
    return notes;
}

void CMC_Scene::takeDescription()
{
    for (const auto& [note, text] : describingTexts())
        *text = takeRecordNote(note, *text);
    if (versionText_.IsString())
        version_ = std::make_unique<CVersion>(versionText_);
    daemon_ = takeRecordNote(kDaemonNote, CXString()) == kTrue;
}

// As the definition's last pass does, so that the bindings join those of the objects in the
// same order; only elements of the types that rebind are taken, whatever a damaged file holds.
// The in-line code that the pass made into behaviours of the node was stored with them; it is
// made anew, in place of the stored one, which nothing uses yet.
void CMC_Scene::rebindAsDefined(const CXString& rebinds)
{
    std::unique_ptr<CMElements> elements(CMElementText::read(rebinds));
    CMElements rebinding(false);
    for (int e = 0; e < elements->getCount(); ++e) {
        CMElement* element = elements->getAt(e);
        const CMC_ObjectFactory::Word* word = CMC_ObjectFactory::find(element->getPropertyValue("TYPE"));
        if (word == nullptr || word->rebindName == nullptr)
            continue;
        rebinding.add(element);
        CMProperties* properties = element->getProperties();
        for (int p = 0; p < properties->getCount(); ++p) {
            CMC_Object* made = getOwnObject(
                CMC_Object::inlineBehaviourName(CXString(word->rebindName), properties->getAt(p)->getName()));
            if (made != nullptr && made->getType() == TYPE_BEHAVIOUR) {
                removeObject(made);
                delete made;
            }
        }
    }
    delete resolveObjects(&rebinding);
}

void CMC_Scene::restoreRecordedBindings()
{
    if (ownRecord_.empty())
        return;
    CFile_Stream file(ownRecord_.data(), static_cast<int>(ownRecord_.size()));
    CXArchive archive(&file, false);
    CMC_Object::serialize(&archive);
    takeDescription();
}

void CMC_Scene::loadForStoring()
{
    const CXString dataFolder = CWindow::getCDPath() + CFolder::DATA_FOLDER;
    CFile::chDir(dataFolder);
    if (path_.IsString())
        CFile::chDir(path_);
    unit_ = getDefUnit();
    if (modules_.empty() && dlls_.IsString())
        resolveDLLs(dlls_);
    loadCnv();
    CFile::chDir(dataFolder);
}

void CMC_Scene::loadDefinition()
{
    const CXString fileName = getName() + ".cnv";
    if (!CFile::fileExists(fileName))
        return;
    std::unique_ptr<CMElements> elements(CMElementsLoader::load(getWindow(), fileName));
    if (elements == nullptr)
        return;
    CMElements* passed = unit_ != nullptr ? unit_->resolveObjects(this, elements.get()) : elements.get();
    delete resolveObjects(passed);
    compileBehaviours();
    initializeBehaviours(this, elements->get(getName()));
}

bool CMC_Scene::loadCompiled()
{
    CFile::chDir(getDataFolder());
    const bool read = CMC_DataFile::read(getWindow(), getName() + ".bin", [this](CXArchive& archive) {
        readCompiled(&archive);
        return true;
    });
    if (!read)
        report("Scene " + getName() + ": no compiled file " + getName() + ".bin");
    return read;
}

void CMC_Scene::readCompiled(CXArchive* archive)
{
    for (CXString* field : {&dlls_, &background_, &music_}) {
        CXString text;
        *archive >> &text;
        if (archive->failed())
            break;
        *field = text;
    }
    // Plug-in types of a compiled scene are read with the libraries its file names.
    if (modules_.empty() && dlls_.IsString() && !archive->failed())
        resolveDLLs(dlls_);
    int32_t count = 0;
    *archive >> &count;
    if (archive->failed() || count < 0)
        report("Scene " + getName() + ": compiled file damaged before its records");
    for (int32_t i = 0; i < count && !archive->failed(); ++i) {
        if (atTheEnd(archive)) {
            report("Scene " + getName() + ": compiled file ends after " + CXString::toString(i) + " of " +
                   CXString::toString(count) + " records");
            break;
        }
        int32_t typeId = 0;
        *archive >> &typeId;
        CMC_Object* object = archive->failed() ? nullptr : CMC_RecordFactory::create(typeId, this);
        if (object == nullptr && !archive->failed())
            object = serializeEx(archive, typeId);
        if (object == nullptr) {
            report("Scene " + getName() + ": record " + CXString::toString(i) + " of type " +
                   CXString::toString(typeId) + " has no reader; the rest of the file is not read");
            break;
        }
        object->setScene(this);
        object->serialize(archive);
        if (archive->failed()) {
            report("Scene " + getName() + ": record " + CXString::toString(i) + " is damaged");
            delete object;
            break;
        }
        addObject(object);
    }
    if (CXString none, rebinds; takeRecordNote(kRebindsNote, &none, &rebinds))
        rebindAsDefined(rebinds);
    resolveConditions();
    compileBehaviours();
    // The node itself and its parents, which it also holds, are bound by their own files.
    initializeBehaviours(this, nullptr);
    for (CMC_Object* object : ownObjects())
        object->initializeBehaviours(this, nullptr);
}

std::vector<CMC_Object*> CMC_Scene::ownObjects()
{
    std::vector<CMC_Object*> held;
    for (int i = 0; i < getObjectsNo(); ++i)
        if (!isSceneNode(getObject(i)))
            held.push_back(getObject(i));
    return held;
}

// "ONINIT" handlers raised while the node starts may call any behaviour of its files, also
// one that comes after them in the order of initialisation.
void CMC_Scene::compileBehaviours()
{
    for (CMC_Object* object : ownObjects())
        if (object->getType() == TYPE_BEHAVIOUR)
            object->init();
}

bool CMC_Scene::writeCompiled(CXArchive* archive)
{
    std::vector<CMC_Object*> stored;
    bool whole = true;
    for (int i = 0; i < getObjectsNo(); ++i) {
        CMC_Object* object = getObject(i);
        if (!CMC_RecordFactory::isStored(object->getType()))
            continue;
        if (!CMC_RecordFactory::isReadable(object->getType())) {
            const CXString line = "Object " + object->getName() + " of " + getName() + " not stored: type " +
                                  CMC_Object::typeName(object->getType()) + " cannot be read back\n";
            std::fputs(line.c_str(), stderr);
            whole = false;
            continue;
        }
        stored.push_back(object);
    }
    *archive << dlls_ << background_ << music_ << static_cast<int32_t>(stored.size());
    for (CMC_Object* object : stored) {
        *archive << static_cast<int32_t>(object->getType());
        object->serialize(archive);
    }
    return whole;
}

bool CMC_Scene::storeCompiled()
{
    const CXString fileName = CPath::getFullPath(getDataFolder(), getName() + ".bin");
    bool whole = true;
    std::string cause;
    const bool written = CCompiledFiles::write(fileName, [this, &whole](CXArchive& archive) {
        whole = writeCompiled(&archive);
    }, cause);
    if (!written)
        std::fputs(("Node " + getName() + " not stored: " + cause.c_str() + "\n").c_str(), stderr);
    return written && whole;
}
