#include "script/CMElement.h"

#include "foundation/CXArray.h"

#include <gtest/gtest.h>

namespace {

// Counts its destructions, to show who destroys what.
class Tracked : public CMElement {
public:
    explicit Tracked(int& destroyed)
        : CMElement("tracked")
        , destroyed_(destroyed)
    {
    }
    ~Tracked() override { ++destroyed_; }

private:
    int& destroyed_;
};

} // namespace

TEST(CMElement, TypedReadings)
{
    CMElement element("A");
    const char* const properties[][2] = {{"T1", "true"}, {"T2", "tRuE"}, {"F1", "1"},          {"F2", "yes"},
                                         {"N1", "-7"},   {"N2", " 42x"}, {"N3", "abc"},        {"D", "2.5"},
                                         {"SIZE", "5 , 6"}, {"RECT", "1 2 3 4"}, {"SHORT", "9"}, {"EMPTY", ""}};
    for (const auto& [name, value] : properties)
        element.addProperty(name, value);

    EXPECT_TRUE(element.getPropertyBoolValue("T1"));
    EXPECT_TRUE(element.getPropertyBoolValue("T2"));
    EXPECT_FALSE(element.getPropertyBoolValue("F1"));
    EXPECT_FALSE(element.getPropertyBoolValue("F2"));
    EXPECT_FALSE(element.getPropertyBoolValue("MISSING"));
    EXPECT_EQ(element.getPropertyIntValue("N1"), -7);
    EXPECT_EQ(element.getPropertyIntValue("N2"), 42);
    EXPECT_EQ(element.getPropertyIntValue("N3"), 0);
    EXPECT_EQ(element.getPropertyIntValue("MISSING"), 0);
    EXPECT_DOUBLE_EQ(element.getPropertyDoubleValue("D"), 2.5);

    CXSize size = element.getPropertySizeValue("SIZE");
    EXPECT_EQ(size.width, 5);
    EXPECT_EQ(size.height, 6);
    CXPoint point = element.getPropertyPointValue("SIZE");
    EXPECT_EQ(point.x, 5);
    EXPECT_EQ(point.y, 6);
    CXRect rect = element.getPropertyRectValue("RECT");
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.top, 2);
    EXPECT_EQ(rect.right, 3);
    EXPECT_EQ(rect.bottom, 4);
    // Too few items: the missing numbers are 0, never read from beyond the list.
    EXPECT_EQ(element.getPropertySizeValue("SHORT").height, 0);
    EXPECT_EQ(element.getPropertyRectValue("SHORT").bottom, 0);

    CXArray* empty = element.getPropertyListValue("EMPTY");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->getCount(), 0);
    CXString::releaseToVector(empty);
    EXPECT_EQ(element.getPropertyListValue("MISSING"), nullptr);
    CXArray* list = element.getPropertyListValue("SIZE");
    EXPECT_EQ(list->getCount(), 2);
    CXString::releaseToVector(list);
}

TEST(CMElement, FirstPropertyOfANameWins)
{
    CMElement element("A");
    element.addProperty("FILENAME", "a");
    element.addProperty("FILENAME", "b");
    EXPECT_EQ(element.getPropertyValue("FILENAME"), "a");
    element.removeProperty("FILENAME");
    EXPECT_EQ(element.getPropertyValue("FILENAME"), "b");

    element.addProperty("X", "1");
    element.addProperty("X");
    EXPECT_EQ(element.getPropertyValue("X"), "1");
    element.setProperty("Y", "2");
    EXPECT_FALSE(element.isPropertyAvailable("Y"));
    element.setProperty("X", "3");
    EXPECT_EQ(element.getPropertyValue("X"), "3");

    CMElement lower("L");
    lower.addProperty("filename", "c");
    EXPECT_TRUE(lower.isPropertyAvailable("filename"));
    EXPECT_FALSE(lower.hasProperty("filename")) << "looks for FILENAME only";
    EXPECT_TRUE(element.hasProperty("filename"));

    element.removeAll();
    EXPECT_EQ(element.getProperties()->getCount(), 0);
}

TEST(CMElement, PropertyEqualityIsByExactName)
{
    CMProperty a("NAME", "1");
    CMProperty b("NAME", "2");
    CMProperty c("name", "1");
    EXPECT_TRUE(a.equals(&b));
    EXPECT_FALSE(a.equals(&c));
    EXPECT_EQ(CMProperty().getName(), "");
}

TEST(CMElements, OwnershipDecidesWhatIsDestroyed)
{
    int destroyed = 0;
    auto* kept = new Tracked(destroyed);
    {
        CMElements shared(false);
        shared.add(kept);
        shared.remove(kept); // a list that only shares its elements takes it out, no more
        EXPECT_EQ(destroyed, 0);
        EXPECT_EQ(shared.getCount(), 0);
        shared.add(kept);
    }
    EXPECT_EQ(destroyed, 0);
    delete kept;
    {
        CMElements owner(true);
        owner.add(new Tracked(destroyed));
        owner.add(new Tracked(destroyed));
        owner.remove(owner.getAt(0));
        EXPECT_EQ(destroyed, 2);
        Tracked stranger(destroyed);
        owner.remove(&stranger); // not in the list: not destroyed
        EXPECT_EQ(destroyed, 2);
        EXPECT_EQ(owner.getCount(), 1);
    }
    EXPECT_EQ(destroyed, 4); // the owner's last element, then the stranger
}

TEST(CMElements, LookupByExactName)
{
    CMElements elements(true);
    elements.add(new CMElement("A"));
    elements.add(new CMElement("B"));
    elements.add(new CMElement("A"));
    EXPECT_EQ(elements.get("A"), elements.getAt(0));
    EXPECT_EQ(elements.get("a"), nullptr);
    EXPECT_TRUE(elements.contains("B"));

    CMElement parent("P");
    parent.addChild(elements.getAt(1));
    parent.addChild(elements.getAt(1));
    EXPECT_EQ(parent.getChildren()->getCount(), 2);
    EXPECT_FALSE(parent.getChildren()->ownsElements());
}

TEST(CMProperties, RemoveDestroysOnlyWhatItTakesOut)
{
    CMProperties properties;
    properties.add(new CMProperty("A", "1"));
    CMProperty outside("B", "2");
    properties.remove(&outside);
    properties.remove(nullptr);
    EXPECT_EQ(outside.getValue(), "2");
    EXPECT_EQ(properties.getCount(), 1);
    properties.remove(properties.get("A"));
    EXPECT_EQ(properties.getCount(), 0);
}
