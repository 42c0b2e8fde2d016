#pragma once

#include "media/CNetListener.h"
#include "script/CMC_NetNotifier.h"
#include "script/CMC_Object.h"

#include <functional>
#include <vector>

class CMC_Behaviour;
class CMC_Variable;
class CNetVariableMessage;
class MediaWindow;
class CXArray;
class CXSocket;

// What NETCLIENT and NETSERVER share: the sending methods and what a received frame does in
// the running scene. A command raises "ONCOMMAND^" + command with the command's arguments
// (never the plain "ONCOMMAND"); a value is taken by the scene's value of that name through
// its onNetChange; behaviour code runs once there, at once; a text becomes the latest text
// and raises "ONTEXT".
//
// The peers queue what their threads receive; the window's frame drains the queues after the
// input signals (drainQueues), so every signal here is raised on the main thread.
class CMC_NetPeer : public CMC_Object, public CNetListener, public CMC_NetNotifier {
public:
    static constexpr int TYPE = 2010;
    // Where NETCLIENT connects and NETSERVER listens.
    static constexpr int PORT = 4661;

    ~CMC_NetPeer() override;

    // Each sends one frame to the recipient: the player of that name (a server), every
    // player (a server, empty name) or the server (a client, the name unused). Nothing goes
    // out while unlinked, to an unknown player, or for an object that is no BOOL, DOUBLE,
    // INTEGER or STRING.
    // `arguments` holds CXString pointers and may be null.
    virtual void sendCmd(const CXString& to, const CXString& command, CXArray* arguments);
    virtual void sendVar(const CXString& to, CMC_Variable* value);
    virtual void sendText(const CXString& to, const CXString& text);
    virtual void sendBehaviour(const CXString& to, CMC_Behaviour* behaviour);
    CXString getLatestText() const { return latestText_; }

    void onMessage(CNetMessage* message) override;
    // A NETNOTIFY value's real change goes to every player, or to the server.
    bool notifyVariable(CMC_Variable* value) override;

    // The frame's network work for the NET objects of the window: the frames their peers
    // queued reach them, and sharing servers send the next chunk of every file.
    static void drainQueues(MediaWindow* window);
    // The window has NET objects, whose peers work frame by frame.
    static bool hasPeers(MediaWindow* window);

protected:
    // Named by type and bound to nothing (compiled scenes read the name and bindings later).
    CMC_NetPeer(CMC_ObjectsContainer* container, const char* name, int type);
    // Named after the element; the type's constructor binds it once its peer listens.
    CMC_NetPeer(CMC_ObjectsContainer* container, CMElement* element, int type);

    // Makes a frame on a connection.
    using FrameMaker = std::function<CNetMessage*(CXSocket*)>;
    // Sends a frame made on each recipient's connection (see sendCmd).
    virtual void sendFrames(const CXString& to, const FrameMaker& make) = 0;
    // Drains the peer's queue, and whatever else the type does once a frame.
    virtual void onFrame() = 0;
    // A started server, a connected client.
    virtual bool isLinked() = 0;

    MediaWindow* getWindow() const { return window_; }
    // Where received frames act: the running scene of the window's application, else the
    // object's own container while no scene runs.
    CMC_ObjectsContainer* currentScene();

private:
    void takeVariable(CMC_ObjectsContainer* scene, const CNetVariableMessage* frame);
    void runReceivedCode(CMC_ObjectsContainer* scene, const CXString& code);

    static std::vector<CMC_NetPeer*>& registry();

    MediaWindow* window_;
    CXString latestText_;
};
