#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "media/CKeyboard.h"
#include "media/CKeyboardTranslator.h"

#include <gtest/gtest.h>

namespace {

char translated(const CKeyboardTranslator* translator, char c, bool alt, bool shift = false)
{
    return translator->translate(c, alt, shift);
}

} // namespace

TEST(CKeyboard, TheMappingFollowsTheLanguage)
{
    const CXString savedRoot = CWindow::rootPath;
    const CXString savedExe = CWindow::exePath;
    CLanguageOSVer language;
    language.setLanguageFolder("0415");
    CWindow window(&language, "");
    CKeyboard* keyboard = window.getKeyboardInterface();
    language.setWindowIfc(&window);

    EXPECT_EQ(translated(keyboard->getTranslator(), 'x', true), '\x9F');
    language.setLanguageFolder("0405"); // Czech
    EXPECT_EQ(translated(keyboard->getTranslator(), 'z', false), 'y');
    language.setLanguageFolder("041B"); // Slovak: the default mapping again
    EXPECT_EQ(translated(keyboard->getTranslator(), 'z', false), 'z');
    language.setLanguageFolder("040E"); // Hungarian
    EXPECT_EQ(translated(keyboard->getTranslator(), 'Y', false), 'Z');
    CWindow::rootPath = savedRoot;
    CWindow::exePath = savedExe;

    CKeyboard alone(nullptr);
    EXPECT_EQ(translated(alone.getTranslator(), 'a', true), '\xB9');
}

TEST(CKeyboard, ThePolishLayoutGivesAccentedLettersWithAlt)
{
    const CPolishKeyboardTranslator polish;
    EXPECT_EQ(translated(&polish, 'x', true), '\x9F');
    EXPECT_EQ(translated(&polish, 'Z', true, true), '\xAF');
    EXPECT_EQ(translated(&polish, 'S', true), '\x8C');
    EXPECT_EQ(translated(&polish, 'q', true), 'q');
    EXPECT_EQ(translated(&polish, 'a', false), 'a');
    EXPECT_EQ(translated(&polish, '1', true), '1');
    EXPECT_TRUE(polish.accepts('1'));
    EXPECT_TRUE(polish.accepts(' '));
}

TEST(CKeyboard, QwertzLayoutsSwapYAndZAndDeliverOnlyLetters)
{
    const CQwertzKeyboardTranslator qwertz;
    EXPECT_EQ(translated(&qwertz, 'z', false), 'y');
    EXPECT_EQ(translated(&qwertz, 'y', true), 'z');
    EXPECT_EQ(translated(&qwertz, 'Z', false), 'Y');
    EXPECT_EQ(translated(&qwertz, 'a', true), 'a');
    EXPECT_TRUE(qwertz.accepts('q'));
    EXPECT_TRUE(qwertz.accepts('Q'));
    EXPECT_FALSE(qwertz.accepts('1'));
    EXPECT_FALSE(qwertz.accepts(' '));
}
