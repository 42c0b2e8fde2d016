// A scene node's objects on disk: its text definition "<name>.cnv", or its compiled file
// "<name>.bin" in the node's data folder: DLLS, BACKGROUND and MUSIC, the number of records,
// then each object as its type id and its own record.
#include "app/CMC_Scene.h"

#include "app/CWindow.h"
#include "foundation/CFile.h"
#include "foundation/CPath.h"
#include "foundation/CXArchive.h"
#include "platform/DebugOutput.h"
#include "script/CMC_DataFile.h"
#include "script/CMC_RecordFactory.h"
#include "script/CMElement.h"
#include "script/CMElementsLoader.h"
#include "text/CUnit6.h"

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
    CMC_Object::serialize(archive);
    if (!archive->isStoring()) {
        *archive >> &path_;
        // The node is entered in its own table under the name it has now.
        if (holds(this)) {
            removeObject(this);
            addObject(this);
        }
        return;
    }
    *archive << path_;
    if (!storeCompiled())
        archive->setFailed();
}

bool CMC_Scene::loadCnv()
{
    if (!binary_) {
        loadDefinition();
        return false;
    }
    return loadCompiled();
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
    // The node itself and its parents, which it also holds, are bound by their own files.
    initializeBehaviours(this, nullptr);
    std::vector<CMC_Object*> held;
    for (int i = 0; i < getObjectsNo(); ++i)
        if (!isSceneNode(getObject(i)))
            held.push_back(getObject(i));
    for (CMC_Object* object : held)
        object->initializeBehaviours(this, nullptr);
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
                                  CMC_Object::typeToString(object->getType()) + " cannot be read back\n";
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
    const bool written = CMC_DataFile::write(nullptr, fileName, [this, &whole](CXArchive& archive) {
        whole = writeCompiled(&archive);
    });
    if (!written)
        std::fputs(("Compiled file " + fileName + " not written\n").c_str(), stderr);
    return written && whole;
}
