#include "ui/UIExtensions.h"

#include "ui/FolderBrowser.h"

#include <QFileDialog>

namespace QtCommon
{
QString UIExtensions::ShowSaveFileDialog(QString file_name)
{
    return QFileDialog::getSaveFileName(nullptr, tr("Save File"), file_name, QStringLiteral("Xml"));
}

QString UIExtensions::ShowChooseFolderDialog(bool include_files, bool allow_cd_drive)
{
    if (include_files)
        return FolderBrowser::Browse(FolderBrowser::Check::FileOrFolder);
    return FolderBrowser::Browse(allow_cd_drive ? FolderBrowser::Check::FolderAnyDrive
                                                : FolderBrowser::Check::FolderFixedDrive);
}

QString UIExtensions::ShowChooseFileDialog()
{
    return FolderBrowser::Browse(FolderBrowser::Check::FileOrFolder);
}
}
