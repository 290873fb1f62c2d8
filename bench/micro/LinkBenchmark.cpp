// Building one link with every option file present (saved language, partner file,
// tracking file, installation identifier, first-run marker), for a link id that takes
// the tracking parameters too. The baseline only reads the same files the same number
// of times (and takes the marker's time), without parsing or building anything.

#include "common/Log.h"
#include "common/UpdaterUrls.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"

#include <benchmark/benchmark.h>
#include <boost/filesystem/operations.hpp>

#include <cstdlib>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace
{
namespace fs = boost::filesystem;

constexpr int kLinkId = 70;

// The suite's folders in a temporary home, with every file a link reads, and the
// program's logger at its default level.
class Suite
{
public:
    Suite()
    {
        ::setenv("XDG_DATA_HOME", data_.Path().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", config_.Path().c_str(), 1);
        const fs::path suite = data_.Path() / "korvane" / "korvane antivirus";
        lang = suite / "Options" / "lang";
        partner = suite / "Options" / "Partner.xml";
        tracking = suite / "Options" / "tr.xml";
        installation = suite / "Statistics" / "installation";
        firstRun = config_.Path() / "korvane" / "korvane antivirus" / "Options" / "FirstRun";
        Testing::WriteFile(lang, "1");
        Testing::WriteFile(partner, R"(<partner><value name="partner" data="acme"/><value name="channel" data="web"/></partner>)");
        Testing::WriteFile(tracking, R"(<root><value name="cmp" data="spring"/><value name="key1" data="a1"/>)"
                        R"(<value name="mkey10" data="z"/><value name="other" data="x"/></root>)");
        Testing::WriteFile(installation, "abe441b5a6706d39729ac3dc3441bb94");
        Testing::WriteFile(firstRun, "");
        Log::Instance::Set(std::make_shared<Log::Logger>(logs_.Path(), Log::Level::Error, 20971520, 50));
    }
    ~Suite() { Log::Instance::Set(nullptr); }

    fs::path lang, partner, tracking, installation, firstRun;

private:
    Testing::TempFolder data_;
    Testing::TempFolder config_;
    Testing::TempFolder logs_;
};

void BuildLink(benchmark::State& state)
{
    Suite suite;
    if (KorvaneCommon::UpdaterUrls::GetUlr(kLinkId).find(L"&cmp=spring") == std::wstring::npos)
        state.SkipWithError("the option files were not read");
    for (auto _ : state)
        benchmark::DoNotOptimize(KorvaneCommon::UpdaterUrls::GetUlr(kLinkId));
}
BENCHMARK(BuildLink);

void ReadLinkFiles(benchmark::State& state)
{
    Suite suite;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(Testing::ReadFile(suite.lang));
        benchmark::DoNotOptimize(Testing::ReadFile(suite.lang));
        benchmark::DoNotOptimize(Testing::ReadFile(suite.partner));
        benchmark::DoNotOptimize(Testing::ReadFile(suite.installation));
        struct stat status{};
        benchmark::DoNotOptimize(::stat(suite.firstRun.c_str(), &status));
        benchmark::DoNotOptimize(Testing::ReadFile(suite.tracking));
    }
}
BENCHMARK(ReadLinkFiles);
}

BENCHMARK_MAIN();
