#pragma once

class CNetMessage;
class CNetworkPeer;

// Turns a received frame into its typed message and tells the listeners.
class CNetMessageProcessor {
public:
    // Parses raw by its type and hands the typed message to every listener of the peer in
    // order; a ping request is answered through raw's socket first. The disconnect notice and
    // unknown types reach the listeners as raw itself. A frame whose payload does not fit its
    // type reaches nobody. raw stays with the caller.
    static void process(CNetMessage* raw, CNetworkPeer* peer);

    // The typed message of a frame, null for the disconnect notice and unknown types. The
    // caller owns it; it may be ill-formed.
    static CNetMessage* parse(const CNetMessage* raw);
};
