#include "simulator/kernel/TsOffer.h"

namespace KernelSimulator
{
TsOffer::TsOffer(std::shared_ptr<Journal> journal, std::int32_t partner)
    : RefCounted(std::move(journal)), partner_(partner)
{
}

bool TsOffer::Get(const char* name, const std::atomic<bool>& field)
{
    journal_->Call(name);
    return field.load();
}

void TsOffer::Set(const char* name, std::atomic<bool>& field, bool value)
{
    journal_->Call(name, value);
    field.store(value);
}

bool TsOffer::GetSkip()
{
    return Get("GetSkip", skip_);
}

void TsOffer::SetSkip(bool skip)
{
    Set("SetSkip", skip_, skip);
}

bool TsOffer::GetChangeHomepage()
{
    return Get("GetChangeHomepage", changeHomepage_);
}

void TsOffer::SetChangeHomepage(bool change)
{
    Set("SetChangeHomepage", changeHomepage_, change);
}

bool TsOffer::GetChangeSearch()
{
    return Get("GetChangeSearch", changeSearch_);
}

void TsOffer::SetChangeSearch(bool change)
{
    Set("SetChangeSearch", changeSearch_, change);
}

std::int32_t TsOffer::GetHomepageAndSearch()
{
    journal_->Call("GetHomepageAndSearch");
    return partner_;
}
}
