#pragma once

// Attaches every script type's definition constructor, compiled-record constructor, runner
// and what scenes ask of it to the tables that serve them. The program, the tests and the
// tools call it once before the runners are made (CMC_RunnerFactory::initialize); calling it
// again attaches the same parts again.
void registerScriptTypes();
