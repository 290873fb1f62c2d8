// Feeds arbitrary bytes to the decoder of the "installation" file, as the content of
// the file. It may not crash or let an exception out.
#include "common/InstallationIdentifier.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KorvaneCommon::InstallationIdentifier::Decode(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
