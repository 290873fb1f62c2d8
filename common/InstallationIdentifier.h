#pragma once

#include <string>
#include <string_view>

// The installation's identity, left encrypted in the Statistics folder by the program
// that installed the suite (format in docs/installation-identifier.md).
namespace KorvaneCommon
{
namespace InstallationIdentifier
{
// The identifier from the "installation" file; empty when the file cannot be opened, is
// no regular file, is larger than a few KiB (logged) or its content does not decrypt.
// Never throws.
std::wstring Read();

// The identifier from the content of such a file: the first white-space-delimited word
// as hexadecimal text (other characters skipped), AES-128-CBC with PKCS #7 padding.
// Empty when it does not decrypt; a partial result is never returned. Never throws.
std::wstring Decode(std::string_view content);
}
}
