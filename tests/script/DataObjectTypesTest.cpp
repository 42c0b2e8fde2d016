#include "foundation/CTextFileReader.h"
#include "script/CMC_Array.h"
#include "script/CMElementsLoader.h"

#include "DataObjects.h"

#include <cstring>

namespace {

class DataObjectTypes : public DataObjects {
protected:
    // Builds the definitions of the text into the scene; the names of those left over.
    std::vector<std::string> resolveText(const char* text)
    {
        elements_.reset(CMElementsLoader::load(nullptr, new CTextFileReader(nullptr, text, static_cast<int>(std::strlen(text)))));
        std::unique_ptr<CMElements> left(scene->resolveObjects(elements_.get()));
        std::vector<std::string> names;
        for (int i = 0; i < left->getCount(); ++i)
            names.emplace_back(left->getAt(i)->getName().c_str());
        return names;
    }

private:
    std::unique_ptr<CMElements> elements_;
};

} // namespace

TEST_F(DataObjectTypes, DefinitionsBuildEveryTypeAndItsRunnerServesIt)
{
    const std::vector<std::string> left = resolveText("OBJECT=SCORES\nSCORES:TYPE=ARRAY\nSCORES:SENDONCHANGE=TRUE\n"
                                                      "OBJECT=BOARD\nBOARD:TYPE=MULTIARRAY\nBOARD:DIMENSIONS=2\n"
                                                      "OBJECT=PT\nPT:TYPE=STRUCT\nPT:FIELDS=X<INTEGER>,Y<INTEGER>\n"
                                                      "OBJECT=DIR\nDIR:TYPE=VECTOR\nDIR:SIZE=2\nDIR:VALUE=3,4\n"
                                                      "OBJECT=IN\nIN:TYPE=FIFO\n"
                                                      "OBJECT=BACK\nBACK:TYPE=LIFO\n"
                                                      "OBJECT=OUT\nOUT:TYPE=STRING\n");
    EXPECT_EQ(left, std::vector<std::string>{});
    const std::pair<const char*, int> built[] = {
        {"SCORES", CMC_Object::TYPE_ARRAY}, {"BOARD", CMC_Object::TYPE_MULTIARRAY}, {"PT", CMC_Object::TYPE_STRUCTURE},
        {"DIR", CMC_Object::TYPE_VECTOR},   {"IN", CMC_Object::TYPE_FIFO},          {"BACK", CMC_Object::TYPE_LIFO},
    };
    for (const auto& [name, type] : built) {
        CMC_Object* object = scene->getObject(name);
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(object->getType(), type) << name;
        EXPECT_NE(CMC_RunnerFactory::getRunner(type), nullptr) << name;
    }
    EXPECT_TRUE(static_cast<CMC_Array*>(scene->getObject("SCORES"))->getSendOnChange());
    EXPECT_NE(CMC_RunnerFactory::getRunner(CMC_Object::TYPE_RANDOM), nullptr);

    run("PT^SET(3,4);BOARD^SET(PT|X,PT|Y,DIR^LEN());IN^PUSH(BOARD^GET(3,4));BACK^PUSH(IN^POP());"
        "SCORES^ADD(BACK^POP());OUT^SET(SCORES^GET(0));");
    EXPECT_EQ(text("OUT"), "5.00000");
}
