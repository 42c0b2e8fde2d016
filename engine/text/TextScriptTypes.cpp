#include "text/TextScriptTypes.h"

#include "script/CMC_ObjectFactory.h"
#include "script/CMC_RecordFactory.h"
#include "script/CMC_RunnerFactory.h"
#include "text/CMC_Font.h"
#include "text/CMC_Font_Runner.h"
#include "text/CMC_Text.h"
#include "text/CMC_Text_Runner.h"

void attachTextScriptTypes()
{
    CMC_ObjectFactory::attach("FONT", CMC_ObjectFactory::construct<CMC_Font>);
    CMC_ObjectFactory::attach("TEXT", CMC_ObjectFactory::construct<CMC_Text>);
    CMC_RunnerFactory::attach(CMC_Font::kType, CMC_RunnerFactory::make<CMC_Font_Runner>);
    CMC_RunnerFactory::attach(CMC_Text::kType, CMC_RunnerFactory::make<CMC_Text_Runner>);
    CMC_RecordFactory::attach(CMC_Font::kType, CMC_RecordFactory::construct<CMC_Font>);
    CMC_RecordFactory::attach(CMC_Text::kType, CMC_RecordFactory::construct<CMC_Text>);
}
