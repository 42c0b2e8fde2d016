#include "script/CMC_Behaviour.h"

#include "ScriptWorld.h"

#include <gtest/gtest.h>

TEST(Behaviour, CodeLosesItsBlanksAndOuterBraces)
{
    const std::pair<const char*, const char*> codes[] = {
        {"  { A^B(); }  ", "A^B();"}, {"{{A^B();}}", "{A^B();}"}, {"A^B();}", "A^B();"},
        {"{ A^B();", "A^B();"},       {"   ", ""},                 {"", ""},
        {"{}", ""},                   {"\tA^B();\t", "\tA^B();\t"},
    };
    for (const auto& [written, kept] : codes)
        EXPECT_EQ(CMC_Behaviour(nullptr, CXString("B"), CXString(written)).getCode(), kept) << written;

    CMC_Behaviour doubled(nullptr, CXString("B"), CXString("{{A^B();}}"));
    doubled.init();
    EXPECT_EQ(doubled.getCode(), "A^B();");
}

TEST(Behaviour, DefinitionsGiveCodeAndConditionAndNothingRunsYet)
{
    auto element = makeElement("OPEN", {{"TYPE", "BEHAVIOUR"}, {"CODE", "{ DOOR^SHOW(); }"}, {"CONDITION", "READY"}});
    CMC_Behaviour behaviour(nullptr, element.get());
    EXPECT_EQ(behaviour.getName(), "OPEN");
    EXPECT_EQ(behaviour.getType(), 13);
    EXPECT_EQ(behaviour.getCode(), "DOOR^SHOW();");
    EXPECT_EQ(behaviour.getCodition(), "READY");
    EXPECT_TRUE(behaviour.isEnabled());
    EXPECT_EQ(behaviour.getBreakpoint(), -1);
    EXPECT_FALSE(behaviour.run(&behaviour, nullptr, true));
    behaviour.resolveCondition();
    EXPECT_EQ(behaviour.getConditionInterface(), nullptr);
}
