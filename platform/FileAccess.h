#pragma once

#include <string>

namespace Platform
{
// Lets every user read and write the file (the Everyone entry of a Windows access list;
// here mode 0666). Returns false when the access could not be changed.
bool GrantEveryoneReadWrite(const std::wstring& path);
}
