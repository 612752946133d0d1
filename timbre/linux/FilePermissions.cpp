#include "timbre/FilePermissions.h"

#include <sys/stat.h>

bool FilePermissions::takeOver (const juce::File& original, const juce::File& replacement)
{
    struct stat old {};

    if (::stat (original.getFullPathName().toRawUTF8(), &old) != 0)
        return true;

    return ::chmod (replacement.getFullPathName().toRawUTF8(), old.st_mode & 07777) == 0;
}
