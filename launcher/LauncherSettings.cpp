#include "launcher/LauncherSettings.h"

#include "foundation/CConfig.h"
#include "foundation/CPath.h"

LauncherSettings LauncherSettings::read()
{
    const CPath here(nullptr);
    CConfig ini(here.GetFullPath(CXString("Kestrum.ini")));
    const CXString section("MAIN");
    LauncherSettings settings;
    settings.title = ini.GetString(section, CXString("TITLE"));
    settings.icon = ini.GetString(section, CXString("ICON"));
    settings.applicationIni = ini.GetString(section, CXString("INI"));
    settings.subFolder = ini.GetString(section, CXString("SUBDIR"));
    if (!settings.applicationIni.IsString())
        settings.applicationIni = "Kestrum.ini";
    if (!settings.title.IsString())
        settings.title = "OstivMedia";
    return settings;
}
