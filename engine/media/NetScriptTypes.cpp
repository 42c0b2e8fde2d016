#include "media/NetScriptTypes.h"

#include "media/CMC_NetClient.h"
#include "media/CMC_NetClient_Runner.h"
#include "media/CMC_NetServer.h"
#include "media/CMC_NetServer_Runner.h"
#include "script/CMC_ObjectFactory.h"
#include "script/CMC_RecordFactory.h"
#include "script/CMC_RunnerFactory.h"

void attachNetScriptTypes()
{
    CMC_ObjectFactory::attach("NETCLIENT", CMC_ObjectFactory::construct<CMC_NetClient>);
    CMC_ObjectFactory::attach("NETSERVER", CMC_ObjectFactory::construct<CMC_NetServer>);
    CMC_RecordFactory::attach(CMC_NetClient::TYPE, CMC_RecordFactory::construct<CMC_NetClient>);
    CMC_RecordFactory::attach(CMC_NetServer::TYPE, CMC_RecordFactory::construct<CMC_NetServer>);
    CMC_RunnerFactory::attach(CMC_NetClient::TYPE, CMC_RunnerFactory::make<CMC_NetClient_Runner>);
    CMC_RunnerFactory::attach(CMC_NetServer::TYPE, CMC_RunnerFactory::make<CMC_NetServer_Runner>);
}
