#include "timbre/SmallFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<juce::MemoryBlock> SmallFile::read (const juce::File& file, size_t maxBytes)
{
    if (file == juce::File())
        return {};

    // Opening does not wait for a writer (a pipe) or a carrier (a terminal); only then is the
    // kind of file looked at, on what was opened.
    const int fd = ::open (file.getFullPathName().toRawUTF8(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);

    if (fd < 0)
        return {};

    std::optional<juce::MemoryBlock> result;
    struct stat info {};

    if (::fstat (fd, &info) == 0 && S_ISREG (info.st_mode) && (juce::uint64) info.st_size <= maxBytes)
    {
        // The file may change while it is read: never more than the limit, and whatever it
        // holds at the end.
        juce::MemoryBlock content ((size_t) info.st_size + 1);
        size_t filled = 0;
        bool failed = false;

        for (;;)
        {
            const auto n = ::read (fd, static_cast<char*> (content.getData()) + filled, content.getSize() - filled);

            if (n < 0)
            {
                if (errno == EINTR)
                    continue;

                failed = true;
                break;
            }

            if (n == 0)
                break;

            filled += (size_t) n;

            if (filled == content.getSize())
            {
                if (filled > maxBytes)
                {
                    failed = true;
                    break;
                }

                content.setSize (juce::jmin (maxBytes + 1, filled * 2));
            }
        }

        if (! failed)
        {
            content.setSize (filled);
            result = std::move (content);
        }
    }

    ::close (fd);
    return result;
}
