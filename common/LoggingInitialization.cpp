#include "common/LoggingInitialization.h"

#include "common/LogInstance.h"
#include "common/SuiteFolders.h"
#include "platform/Environment.h"

#include <exception>
#include <memory>

namespace Log
{
Level::Enum LevelFromName(const std::wstring& name)
{
    static const struct
    {
        const wchar_t* name;
        Level::Enum level;
    } kLevels[] = {
        {L"Trace", Level::Trace}, {L"Debug", Level::Debug}, {L"Info", Level::Info},
        {L"Warning", Level::Warning}, {L"Error", Level::Error}, {L"Fatal", Level::Fatal},
    };
    for (const auto& entry : kLevels)
    {
        if (name == entry.name)
            return entry.level;
    }
    return Level::Error;
}

std::uint64_t SizeLimitFor(Level::Enum level)
{
    return level == Level::Debug ? 0x6400000 : 0x1400000;
}
}

void InitializeLogging()
{
    try
    {
        const boost::filesystem::path folder = KorvaneCommon::SuiteFolders::Logs();
        std::wstring name;
        Platform::GetEnvironmentVariable(L"KORVANE_LOG_LEVEL", name);
        const Log::Level::Enum level = Log::LevelFromName(name);
        auto logger = std::make_shared<Log::Logger>(folder, level, Log::SizeLimitFor(level), Log::kMaxLogFiles);
        Log::Instance::Set(std::move(logger));
    }
    catch (const std::exception&)
    {
    }
}
