#include "common/InstallationIdentifier.h"
#include "support/LogCapture.h"
#include "support/SuiteHome.h"
#include "support/TextFile.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

using namespace KorvaneCommon;

namespace
{
// Made with the documented key and initialisation vector by a tool of its own:
//   printf '%s' TEXT | openssl enc -aes-128-cbc -K 7609d270... -iv 559334b5... | xxd -p
const std::string kGuid = "f19d2bb86e4a92e9a09f6f21e77bd2f9d4f0899eb9efbf340281a3220ab25295"
                          "f7b3205946ed2e45137de23ff78c9645"; // 3F2504E0-4F89-11D3-9A0C-0305E82C3301
const std::string kSixteen = "f92b8aff320c4142d2553136f03b784ee106c4cb7862e70848bfa4aa72035409"; // 0123456789abcdef
const std::string kUtf8 = "78b8ea394f36492816a35cac8c6254fc"; // "Ger\xC3\xA4t-7"

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
}

TEST(InstallationIdentifier, DecodesTheFirstWord)
{
    struct Case
    {
        const char* name;
        std::string content;
        const wchar_t* identifier;
    } cases[] = {
        {"lower case", kGuid, L"3F2504E0-4F89-11D3-9A0C-0305E82C3301"},
        {"upper case", Upper(kGuid), L"3F2504E0-4F89-11D3-9A0C-0305E82C3301"},
        {"a whole padding block", kSixteen, L"0123456789abcdef"},
        {"UTF-8 plaintext", kUtf8, L"Ger\u00e4t-7"},
        {"leading white space and a line end", " \t\r\n" + kSixteen + "\r\n", L"0123456789abcdef"},
        {"only the first word", kSixteen + "\n" + kGuid + " more text", L"0123456789abcdef"},
        {"garbage between the digits is skipped",
         "f9-2b:8a" + std::string(1, '\0') + "ff320c4142d2553136f03b784ee1zz06c4cb7862e70848bfa4aa72035409\xFF",
         L"0123456789abcdef"},
        {"empty", "", L""},
        {"white space only", " \n\t ", L""},
        {"no hexadecimal digits", "identifier", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InstallationIdentifier::Decode(c.content), c.identifier) << c.name;
}

TEST(InstallationIdentifier, NeverReturnsPartOfAFailedDecryption)
{
    struct Case
    {
        const char* name;
        std::string content;
    } cases[] = {
        {"length not a multiple of the block", kGuid + "abcd"},
        {"one digit short", kGuid.substr(0, kGuid.size() - 1)},
        {"the last block missing", kGuid.substr(0, 64)},
        {"padding byte out of range", kSixteen.substr(0, 30) + "4f" + kSixteen.substr(32)},
        {"padding bytes that disagree", kSixteen.substr(0, 28) + "794e" + kSixteen.substr(32)},
        {"less than a block", kSixteen.substr(0, 16)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InstallationIdentifier::Decode(c.content), L"") << c.name;
}

TEST(InstallationIdentifier, ReadsTheStatisticsFileQuietly)
{
    Testing::SuiteHome home;
    Testing::LogCapture log;
    const auto file = home.Data() / "korvane" / "korvane antivirus" / "Statistics" / "installation";

    EXPECT_EQ(InstallationIdentifier::Read(), L"") << "no file";
    Testing::WriteFile(file, kGuid + "\n");
    EXPECT_EQ(InstallationIdentifier::Read(), L"3F2504E0-4F89-11D3-9A0C-0305E82C3301");
    Testing::WriteFile(file, kGuid.substr(2));
    EXPECT_EQ(InstallationIdentifier::Read(), L"");
    Testing::WriteFile(file, kGuid + std::string(4096 - kGuid.size(), '\n'));
    EXPECT_EQ(InstallationIdentifier::Read(), L"3F2504E0-4F89-11D3-9A0C-0305E82C3301");
    EXPECT_EQ(log.Text(), "");

    // Anything larger than a few KiB is not such a file: refused, and logged.
    Testing::WriteFile(file, kGuid + std::string(4097 - kGuid.size(), '\n'));
    EXPECT_EQ(InstallationIdentifier::Read(), L"");
    EXPECT_NE(log.Text().find("]: file too large. path=\"" + file.string() + "\". size limit=4096\n"),
              std::string::npos)
        << log.Text();
}
