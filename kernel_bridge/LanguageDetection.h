#pragma once

// The start-up step of the saved language that needs the kernel: it lives with the
// kernel host, so that the saved language itself (common/LocalizationOptions) does not
// depend on the kernel.
namespace KorvaneCommon
{
// At start: unless a language is saved, asks the kernel for the system's language and
// saves the matching id. A kernel that cannot be loaded is logged, and nothing is saved.
void UpdateLanguage();
}
