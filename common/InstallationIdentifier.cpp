#include "common/InstallationIdentifier.h"

#include "common/Log.h"
#include "common/OptionFiles.h"
#include "platform/TextConversion.h"

#include <crypto++/aes.h>
#include <crypto++/filters.h>
#include <crypto++/hex.h>
#include <crypto++/modes.h>

#include <exception>

namespace KorvaneCommon
{
namespace InstallationIdentifier
{
namespace
{
constexpr std::size_t kBlockSize = 16;

// The key and initialisation vector are shared with the writer of the file and kept
// nowhere else; they only keep the identifier from lying around as plain text.
std::string Key()
{
    std::string key(kBlockSize, '\0');
    key[0] = '\x76';
    key[1] = '\x09';
    key[2] = '\xd2';
    key[3] = '\x70';
    key[4] = '\xd8';
    key[5] = '\x5e';
    key[6] = '\xad';
    key[7] = '\xad';
    key[8] = '\x18';
    key[9] = '\xe7';
    key[10] = '\x59';
    key[11] = '\x1e';
    key[12] = '\x98';
    key[13] = '\x8f';
    key[14] = '\x5b';
    key[15] = '\x69';
    return key;
}

std::string InitializationVector()
{
    std::string iv(kBlockSize, '\0');
    iv[0] = '\x55';
    iv[1] = '\x93';
    iv[2] = '\x34';
    iv[3] = '\xb5';
    iv[4] = '\x6e';
    iv[5] = '\x29';
    iv[6] = '\x2b';
    iv[7] = '\x0b';
    iv[8] = '\xa7';
    iv[9] = '\x19';
    iv[10] = '\x79';
    iv[11] = '\x9e';
    iv[12] = '\x68';
    iv[13] = '\x39';
    iv[14] = '\x1c';
    iv[15] = '\x8a';
    return iv;
}

// White space as the "C" locale knows it.
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view FirstWord(std::string_view content)
{
    std::size_t begin = 0;
    while (begin < content.size() && IsSpace(content[begin]))
        ++begin;
    std::size_t end = begin;
    while (end < content.size() && !IsSpace(content[end]))
        ++end;
    return content.substr(begin, end - begin);
}

std::string Decrypt(std::string_view hexText)
{
    const std::string key = Key();
    const std::string iv = InitializationVector();
    CryptoPP::CBC_Mode<CryptoPP::AES>::Decryption decryption;
    decryption.SetKeyWithIV(reinterpret_cast<const CryptoPP::byte*>(key.data()), key.size(),
                            reinterpret_cast<const CryptoPP::byte*>(iv.data()), iv.size());

    // The decoder skips whatever is not a hexadecimal digit.
    std::string plain;
    CryptoPP::StringSource source(
        reinterpret_cast<const CryptoPP::byte*>(hexText.data()), hexText.size(), true,
        new CryptoPP::HexDecoder(new CryptoPP::StreamTransformationFilter(
            decryption, new CryptoPP::StringSink(plain),
            CryptoPP::BlockPaddingSchemeDef::PKCS_PADDING)));
    return plain;
}
}

std::wstring Decode(std::string_view content)
{
    try
    {
        // Only what decrypted as a whole counts: the blocks before a length or padding
        // failure are garbage as an identifier.
        return Platform::Utf8ToWide(Decrypt(FirstWord(content)));
    }
    catch (const std::exception&)
    {
        return {};
    }
}

std::wstring Read()
{
    try
    {
        std::string content;
        if (OptionFiles::ReadContent(OptionFiles::InstallationFile(), OptionFiles::kSmallFileLimit, content) !=
            OptionFiles::ReadResult::Read)
            return {};
        return Decode(content);
    }
    catch (const std::exception& e)
    {
        LOG_ERROR(L"" << e.what());
        return {};
    }
}
}
}
