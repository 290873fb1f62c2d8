#pragma once

// File names of the libraries the program loads, as this platform names them.
namespace Platform
{
constexpr const wchar_t* kKernelLibraryName = L"KorvaneUpdaterKernel.so";
constexpr const wchar_t* kWindowLibraryName = L"KorvaneUpdaterWindow.so";
constexpr const wchar_t* kCrashHandlerLibraryName = L"KorvaneCrashHandler.so";
}
