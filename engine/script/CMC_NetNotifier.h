#pragma once

class CMC_ObjectsContainer;
class CMC_Variable;

// A network object of a scene (NETSERVER or NETCLIENT) as a NETNOTIFY value sees it: the way
// a real change of the value reaches the other players.
class CMC_NetNotifier {
public:
    static constexpr int TYPE_NETSERVER = 2011;
    static constexpr int TYPE_NETCLIENT = 2012;

    // Sends the value to the other side while linked (a started server, a connected client);
    // false, and nothing sent, otherwise.
    virtual bool notifyVariable(CMC_Variable* value) = 0;

    // Through the started NETSERVER seen from the value's container, else its connected
    // NETCLIENT; nothing without either. Each is the object of that name, else the first of
    // that type in the container or above it.
    static void announce(CMC_Variable* value);

protected:
    ~CMC_NetNotifier() = default;

private:
    static CMC_NetNotifier* find(CMC_ObjectsContainer* container, const char* name, int type);
};
