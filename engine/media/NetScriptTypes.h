#pragma once

// Attaches NETCLIENT and NETSERVER to the definition factory and the compiled-record factory,
// and their runners to the runner registry; the runners are made at the registry's next
// initialize.
void attachNetScriptTypes();
