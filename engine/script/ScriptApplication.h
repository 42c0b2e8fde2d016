#pragma once

class CConfig;
class CMC_ObjectsContainer;

// The running application as the script's objects reach it: its INI and its root object.
// The application lives in the folder above every folder that calls it; each folder on the
// way up adds what it needs, and the application implements them all.
class ScriptApplication {
public:
    virtual CConfig* GetConfigInterface() const = 0;
    virtual CMC_ObjectsContainer* getMCApplicationIfc() const = 0;

protected:
    ScriptApplication() = default;
    ScriptApplication(const ScriptApplication&) = delete;
    ScriptApplication& operator=(const ScriptApplication&) = delete;
    virtual ~ScriptApplication() = default;
};
