#pragma once

// An X server of its own for one scenario, as a headless host, a render farm or a test rig runs
// one: a new Xvfb without a window manager, so that no other client has made any atom on it yet.
// Its display number is given, one that no other test reaches: not a low one, where programs
// without DISPLAY would find it (the framework goes to :0 then). It records every error that it
// sends to any of its clients (through the RECORD extension), whatever their error handlers make
// of them, and which process each client was (through the X-Resource extension): the tools that
// drive a program make errors of their own, such as xdotool's search, which walks the window tree
// while windows come and go. Stopped on destruction.
#include <map>
#include <string>
#include <sys/types.h>
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

    // Takes in what the server has recorded so far, and looks at which processes its clients
    // are: to be called often while its clients run.
    void poll();

    struct Error
    {
        std::string text;   // "BadAtom (invalid Atom parameter), request 18.0, resource 0x0"
        pid_t process = 0;  // the client's, 0 where it came and went unseen between two polls
        std::string program; // the process's name, as /proc gives it
    };

    // Ends the recording and gives every error recorded; call it once the clients are done.
    std::vector<Error> errors();

private:
    friend struct BareXServerRecording; // takes in what the server records

    struct Client
    {
        pid_t process;
        std::string program;
    };

    void lookAtClients();

    int pid = -1; // the Xvfb process
    std::string name;
    ::_XDisplay* control = nullptr; // the recording is set up and ended through this connection
    ::_XDisplay* data = nullptr;    // and comes in through this one
    unsigned long context = 0;
    bool recording = false;
    bool ended = false;
    std::vector<Error> recorded;
    std::map<unsigned long, Client> clients; // by resource base, as last seen
};
