#pragma once

namespace KorvaneCommon
{
namespace QtProfile
{
// No HTTP cache, persistent cookies allowed, on the default web profile. Runs after
// the application object exists and before any web view.
void Configure();
}
}
