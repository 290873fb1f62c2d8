#include "app/ProgramArguments.h"

#include <cstring>

namespace KorvaneUpdater
{
bool HasSilentSwitch(int argc, char** argv)
{
    for (int i = 0; i < argc; ++i)
    {
        if (argv[i] != nullptr && std::strcmp(argv[i], kSilentSwitch) == 0)
            return true;
    }
    return false;
}

std::string CommandLineText(int argc, char** argv)
{
    std::string text;
    for (int i = 1; i < argc; ++i)
    {
        if (argv[i] != nullptr)
            text += argv[i];
        text += ' ';
    }
    return text;
}
}
