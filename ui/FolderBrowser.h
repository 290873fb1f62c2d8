#pragma once

#include <QString>

namespace QtCommon
{
namespace FolderBrowser
{
enum class Check
{
    FileOrFolder,     // files too; a removable or optical drive only with a medium in it
    FolderAnyDrive,   // folders on any drive
    FolderFixedDrive  // folders, but not on removable or optical drives
};

// Whether the selection may be confirmed.
bool Acceptable(Check check, const QString& path);

// Asks the user for a folder (or file) in a modal dialog over the active window;
// empty when cancelled.
QString Browse(Check check);
}
}
