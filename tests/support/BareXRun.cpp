// bare-x-run PROGRAM COMMAND [ARGUMENT...]: runs the command with DISPLAY naming an X server of its
// own without a window manager (BareXServer, 1280 by 900 as the test display), for tests that
// drive the program named PROGRAM there with their usual tools. Its exit status is the command's;
// where that is 0 and the server sent a client of a process named PROGRAM an error, it ends with
// 1. It lists every error, the tools' too (xdotool's search, for one, asks about windows that have
// just gone), which don't count.
#include "tests/support/BareXServer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

int main (int argc, char* argv[])
{
    if (argc < 3)
    {
        std::fprintf (stderr, "usage: %s PROGRAM COMMAND [ARGUMENT...]\n", argv[0]);
        return 2;
    }

    const std::string program = argv[1];

    // After the two of the plug-in's test on bare servers.
    constexpr int displayNumber = ZARN_BARE_X_DISPLAY + 2;
    BareXServer server (displayNumber, 1280, 900);

    if (! server.ok())
    {
        std::fprintf (stderr, "no Xvfb with the RECORD extension on :%d\n", displayNumber);
        return 2;
    }

    setenv ("DISPLAY", server.display().c_str(), 1);
    pid_t pid = -1;

    if (posix_spawnp (&pid, argv[2], nullptr, nullptr, argv + 2, environ) != 0)
    {
        std::perror (argv[2]);
        return 2;
    }

    int status = 0;

    while (waitpid (pid, &status, WNOHANG) == 0)
    {
        server.poll();
        std::this_thread::sleep_for (std::chrono::milliseconds (20));
    }

    int programs = 0;

    for (const auto& error : server.errors())
    {
        // Where the recording did not end, nothing can be told.
        const bool counts = error.program == program || error.text.front() == '(';
        programs += counts ? 1 : 0;
        std::printf ("  %s: %s (%s)\n", counts ? "error" : "not the program's", error.text.c_str(),
                     error.process == 0 ? "an unseen client" : error.program.c_str());
    }

    std::printf ("%d X errors sent to %s on the bare server %s\n", programs, program.c_str(), server.display().c_str());

    if (! WIFEXITED (status) || WEXITSTATUS (status) != 0)
        return WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status);

    return programs == 0 ? 0 : 1;
}
