// bare-x-run COMMAND [ARGUMENT...]: runs the command with DISPLAY naming an X server of its own
// without a window manager (BareXServer, 1280 by 900 as the test display), for tests that drive
// a program there with their usual tools. Its exit status is the command's; where that is 0 and
// the server sent any client an error, it lists them and ends with 1.
#include "tests/support/BareXServer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

int main (int argc, char* argv[])
{
    if (argc < 2)
    {
        std::fprintf (stderr, "usage: %s COMMAND [ARGUMENT...]\n", argv[0]);
        return 2;
    }

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

    if (posix_spawnp (&pid, argv[1], nullptr, nullptr, argv + 1, environ) != 0)
    {
        std::perror (argv[1]);
        return 2;
    }

    int status = 0;

    while (waitpid (pid, &status, WNOHANG) == 0)
    {
        server.poll();
        std::this_thread::sleep_for (std::chrono::milliseconds (20));
    }

    const auto errors = server.errors();
    std::printf ("%zu X errors on the bare server %s\n", errors.size(), server.display().c_str());

    for (const auto& error : errors)
        std::printf ("  %s\n", error.c_str());

    if (! WIFEXITED (status) || WEXITSTATUS (status) != 0)
        return WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status);

    return errors.empty() ? 0 : 1;
}
