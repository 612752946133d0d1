#include "tests/support/BareXServer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>
#include <X11/extensions/record.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace
{
// The server's name once it takes connections (it then writes its display number to the
// descriptor that -displayfd names); empty where it did not start.
std::string startXvfb (int displayNumber, int screenWidth, int screenHeight, int& pid)
{
    int pipeEnds[2];

    if (pipe (pipeEnds) != 0)
        return {};

    const std::string display = ":" + std::to_string (displayNumber);
    const std::string fd = std::to_string (pipeEnds[1]);
    const std::string screen = std::to_string (screenWidth) + "x" + std::to_string (screenHeight) + "x24";
    const char* arguments[] = { "Xvfb", display.c_str(), "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
                                "-nolisten", "tcp", nullptr };

    // Its output goes nowhere: the server complains about fonts and keymaps it lacks.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_addopen (&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen (&actions, 2, "/dev/null", O_WRONLY, 0);
    const bool started = posix_spawnp (&pid, "Xvfb", &actions, nullptr, const_cast<char**> (arguments), environ) == 0;
    posix_spawn_file_actions_destroy (&actions);
    close (pipeEnds[1]);

    std::string number;
    pollfd readable { pipeEnds[0], POLLIN, 0 };

    // The server's own start takes well under a second; this is only the limit for one that hangs.
    while (started && poll (&readable, 1, 30000) == 1)
    {
        char c = 0;

        if (read (pipeEnds[0], &c, 1) != 1 || c == '\n')
            break;

        number += c;
    }

    close (pipeEnds[0]);

    if (! started)
        pid = -1;

    return number == std::to_string (displayNumber) ? display : std::string();
}
} // namespace

struct BareXServerRecording
{
    static void intercepted (XPointer closure, XRecordInterceptData* data)
    {
        auto& server = *reinterpret_cast<BareXServer*> (closure);

        if (data->category == XRecordEndOfData)
            server.ended = true;

        // An error as the server sends it: 0, its code, the sequence number, the resource, the
        // request's minor and major codes.
        if (data->category == XRecordFromServer && data->data_len * 4 >= 11 && data->data[0] == 0)
        {
            const unsigned char* e = data->data; // the clients' byte order: this machine's
            const unsigned minor = e[8] | e[9] << 8;
            const unsigned long resource = e[4] | e[5] << 8 | e[6] << 16 | static_cast<unsigned long> (e[7]) << 24;
            char text[128] = {};
            XGetErrorText (server.control, e[1], text, sizeof (text));
            char line[256];
            std::snprintf (line, sizeof (line), "%s, request %u.%u, resource 0x%lx", text, e[10], minor, resource);
            // Its client as the poll that takes this in saw it, just before.
            const auto client = server.clients.find (data->id_base);
            server.recorded.push_back (client != server.clients.end() ? BareXServer::Error { line, client->second.process, client->second.program }
                                                                      : BareXServer::Error { line, 0, {} });
        }

        XRecordFreeData (data);
    }
};

BareXServer::BareXServer (int displayNumber, int screenWidth, int screenHeight)
    : name (startXvfb (displayNumber, screenWidth, screenHeight, pid))
{
    if (name.empty())
        return;

    control = XOpenDisplay (name.c_str());
    data = XOpenDisplay (name.c_str());
    int major = 0, minor = 0;

    if (control == nullptr || data == nullptr || XRecordQueryVersion (control, &major, &minor) == 0)
        return;

    XRecordRange* range = XRecordAllocRange();

    if (range == nullptr)
        return;

    range->errors.first = 1; // BadRequest, the first error code
    range->errors.last = 255;
    XRecordClientSpec everyClient = XRecordAllClients;
    context = XRecordCreateContext (control, 0, &everyClient, 1, &range, 1);
    XFree (range);

    if (context == 0)
        return;

    XSync (control, False);
    recording = XRecordEnableContextAsync (data, context, &BareXServerRecording::intercepted, reinterpret_cast<XPointer> (this)) != 0;
    // The server records from here on: the clients that connect next are all seen.
    XSync (control, False);
    poll();
}

BareXServer::~BareXServer()
{
    if (recording && ! ended)
        errors();

    if (context != 0)
        XRecordFreeContext (control, context);

    if (data != nullptr)
        XCloseDisplay (data);

    if (control != nullptr)
        XCloseDisplay (control);

    if (pid > 0)
    {
        kill (pid, SIGTERM);
        waitpid (pid, nullptr, 0);
    }
}

void BareXServer::poll()
{
    if (! recording)
        return;

    lookAtClients();
    XPending (data); // reads what has arrived
    XRecordProcessReplies (data);
}

void BareXServer::lookAtClients()
{
    XResClientIdSpec all { None, XRES_CLIENT_ID_PID_MASK };
    long count = 0;
    XResClientIdValue* ids = nullptr;

    if (XResQueryClientIds (control, 1, &all, &count, &ids) != Success)
        return;

    for (long i = 0; i < count; ++i)
    {
        const pid_t process = XResGetClientPid (&ids[i]);
        const auto base = ids[i].spec.client;

        if (process <= 0)
            continue;

        if (const auto known = clients.find (base); known != clients.end() && known->second.process == process)
            continue;

        std::string program;
        std::ifstream comm ("/proc/" + std::to_string (process) + "/comm");
        std::getline (comm, program);
        clients[base] = { process, program };
    }

    XResClientIdsDestroy (count, ids);
}

std::vector<BareXServer::Error> BareXServer::errors()
{
    if (recording && ! ended)
    {
        // Everything that the server sent before it takes this comes in before the end.
        XRecordDisableContext (control, context);
        XSync (control, False);
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds (30);

        while (! ended && std::chrono::steady_clock::now() < limit)
        {
            poll();
            std::this_thread::sleep_for (std::chrono::milliseconds (10));
        }

        if (! ended)
            recorded.push_back ({ "(the recording did not end)", 0, {} });
    }

    return recorded;
}
