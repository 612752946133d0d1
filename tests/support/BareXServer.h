#pragma once

// An X server of its own for one scenario, as a headless host, a render farm or a test rig runs
// one: a new Xvfb without a window manager, so that no other client has made any atom on it yet.
// Its display number is given, one that no other test reaches: not a low one, where programs
// without DISPLAY would find it (the framework goes to :0 then). It records every error that it
// sends to any of its clients (through the RECORD extension), whatever their error handlers make
// of them. Stopped on destruction.
#include <string>
#include <vector>

struct _XDisplay;

class BareXServer
{
public:
    BareXServer (int displayNumber, int screenWidth, int screenHeight);
    ~BareXServer();
    BareXServer (const BareXServer&) = delete;
    BareXServer& operator= (const BareXServer&) = delete;

    // False where the server did not come up (one may run on that display already) or records
    // nothing.
    bool ok() const { return recording; }
    // Its display name, as DISPLAY takes it (":N").
    const std::string& display() const { return name; }

    // Takes in what the server has recorded so far: to be called often while its clients run.
    void poll();
    // Ends the recording and gives every error recorded, one line each ("BadAtom (invalid Atom
    // parameter), request 18.0, resource 0x0"); call it once the clients are done.
    std::vector<std::string> errors();

private:
    friend struct BareXServerRecording; // takes in what the server records


    int pid = -1; // the Xvfb process
    std::string name;
    ::_XDisplay* control = nullptr; // the recording is set up and ended through this connection
    ::_XDisplay* data = nullptr;    // and comes in through this one
    unsigned long context = 0;
    bool recording = false;
    bool ended = false;
    std::vector<std::string> recorded;
};
