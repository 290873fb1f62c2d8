// Feeds arbitrary bytes to both readers of the partner and tracking files, as the
// content of the file. Neither may crash or let an exception out.
#include "common/PartnerParametersReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    KorvaneWebInstallerKernel::PartnerParametersReader::GetFromContent(content, L"partner");
    KorvaneWebInstallerKernel::PartnerParametersReader::GetInternalFromContent(content);
    return 0;
}
