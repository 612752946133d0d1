// How long a host waits for zarN's instances when it loads a session: 16 instances opened one
// after another through the built library's entry (the entry, effOpen, the sample rate, the block
// size and resume), kept open, then all closed. It is done once with the pictures and
// "presets.xml" beside the library and once from a folder without them, each in a process of its
// own on a copy of the library in a folder of its own, so that neither run inherits what the
// other's library set up. Each kind runs several times, alternating, and the medians are printed.
//
//     zarn_session_bench [runs]
#include "tests/plugin/TestHost.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
constexpr int instancesPerSession = 16;

using Clock = std::chrono::steady_clock;

double millisecondsSince (Clock::time_point start)
{
    return std::chrono::duration<double, std::milli> (Clock::now() - start).count();
}

double median (std::vector<double> values)
{
    std::sort (values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

struct Session
{
    double openTotal = 0.0;        // all 16 opened, ms
    double first = 0.0;            // the first instance, ms
    double medianOfTheRest = 0.0;  // instances 2 to 16, ms each
    double closeTotal = 0.0;       // all 16 closed, ms
};

// Opens and closes one session with the library at `path`; runs in a child process of its own.
Session openSession (const std::string& path)
{
    const testhost::Library library (path);

    if (! library.isLoaded())
    {
        std::fprintf (stderr, "cannot load %s\n", path.c_str());
        std::exit (1);
    }

    Session session;
    std::vector<std::unique_ptr<testhost::Instance>> instances;
    std::vector<double> each;
    const auto sessionStart = Clock::now();

    for (int i = 0; i < instancesPerSession; ++i)
    {
        const auto start = Clock::now();
        auto instance = std::make_unique<testhost::Instance> (library);

        if (instance->effect() == nullptr)
        {
            std::fprintf (stderr, "the entry gave no instance\n");
            std::exit (1);
        }

        instance->dispatch (effOpen);
        instance->start (44100.0f, 256);
        each.push_back (millisecondsSince (start));
        instances.push_back (std::move (instance));
    }

    session.openTotal = millisecondsSince (sessionStart);
    session.first = each.front();
    session.medianOfTheRest = median ({ each.begin() + 1, each.end() });

    const auto closeStart = Clock::now();

    for (auto& instance : instances)
    {
        instance->dispatch (effMainsChanged, 0, 0);
        instance->close();
    }

    session.closeTotal = millisecondsSince (closeStart);
    instances.clear();
    return session;
}

// Runs openSession in a fresh child process and reads back what it measured.
Session inChildProcess (const std::string& path)
{
    int channel[2];

    if (pipe (channel) != 0)
        std::exit (1);

    const pid_t child = fork();

    if (child == 0)
    {
        close (channel[0]);
        const Session session = openSession (path);
        const bool written = write (channel[1], &session, sizeof (session)) == (ssize_t) sizeof (session);
        _exit (written ? 0 : 1);
    }

    close (channel[1]);
    Session session;
    const bool read = ::read (channel[0], &session, sizeof (session)) == (ssize_t) sizeof (session);
    close (channel[0]);
    int status = 0;
    waitpid (child, &status, 0);

    if (! read || ! WIFEXITED (status) || WEXITSTATUS (status) != 0)
    {
        std::fprintf (stderr, "a session's process failed\n");
        std::exit (1);
    }

    return session;
}

// A folder with a copy of the library, and with the data files beside it when `withData`.
std::string libraryCopy (const fs::path& root, const char* name, bool withData)
{
    const fs::path built (ZARN_PLUGIN_PATH);
    const auto folder = root / name;
    fs::create_directories (folder);
    fs::copy_file (built, folder / built.filename());

    if (withData)
    {
        fs::copy (built.parent_path() / "GUI Resource", folder / "GUI Resource", fs::copy_options::recursive);
        fs::copy_file (built.parent_path() / "presets.xml", folder / "presets.xml");
    }

    return (folder / built.filename()).string();
}

// The medians of the runs of one kind.
Session medians (const std::vector<Session>& runs)
{
    const auto of = [&runs] (double Session::*field) {
        std::vector<double> values;

        for (const auto& s : runs)
            values.push_back (s.*field);

        return median (values);
    };

    return { of (&Session::openTotal), of (&Session::first), of (&Session::medianOfTheRest), of (&Session::closeTotal) };
}

void report (const char* name, const Session& s)
{
    std::printf ("%-26s %9.1f %9.1f %12.2f %9.1f\n", name, s.openTotal, s.first, s.medianOfTheRest, s.closeTotal);
}
} // namespace

int main (int argc, char** argv)
{
    const int runs = argc > 1 ? std::max (1, std::atoi (argv[1])) : 7;

    char pattern[] = "/tmp/zarn-session-bench-XXXXXX";

    if (mkdtemp (pattern) == nullptr)
        return 1;

    const fs::path root (pattern);
    const auto withData = libraryCopy (root, "with", true);
    const auto withoutData = libraryCopy (root, "without", false);

    std::vector<Session> with, without;

    for (int run = 0; run < runs; ++run)
    {
        with.push_back (inChildProcess (withData));
        without.push_back (inChildProcess (withoutData));
    }

    const auto a = medians (with), b = medians (without);
    std::printf ("%d instances opened one after another, then closed; medians of %d runs, in ms\n", instancesPerSession, runs);
    std::printf ("%-26s %9s %9s %12s %9s\n", "", "opening", "first", "each after", "closing");
    report ("pictures and presets.xml", a);
    report ("no data files", b);
    std::printf ("opening with the data files / without: %.2f\n", a.openTotal / b.openTotal);

    fs::remove_all (root);
    return 0;
}
