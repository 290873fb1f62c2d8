#pragma once

// File names of the libraries the program loads, as this platform names them.
namespace Platform
{
#ifdef _WIN32
constexpr const wchar_t* kKernelLibraryName = L"KorvaneUpdaterKernel.dll";
constexpr const wchar_t* kWindowLibraryName = L"KorvaneUpdaterWindow.dll";
constexpr const wchar_t* kCrashHandlerLibraryName = L"KorvaneCrashHandler.dll";
#else
constexpr const wchar_t* kKernelLibraryName = L"KorvaneUpdaterKernel.so";
constexpr const wchar_t* kWindowLibraryName = L"KorvaneUpdaterWindow.so";
constexpr const wchar_t* kCrashHandlerLibraryName = L"KorvaneCrashHandler.so";
#endif
}
