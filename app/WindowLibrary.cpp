#include "app/WindowLibrary.h"

#include "app/NormalMode.h"

extern "C" __attribute__((visibility("default"))) int KorvaneRunWindow(int* argc, char** argv)
{
    return KorvaneUpdater::RunNormalMode(*argc, argv);
}
