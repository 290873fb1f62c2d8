#include "ui/FolderBrowser.h"

#include "platform/DriveType.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QStorageInfo>

namespace QtCommon
{
namespace FolderBrowser
{
namespace
{
bool IsRemovableOrOptical(Platform::DriveType type)
{
    return type == Platform::kDriveRemovable || type == Platform::kDriveCdRom;
}

// A folder dialog that keeps its confirm button and its accept() to the check.
class CheckedDialog : public QFileDialog
{
public:
    CheckedDialog(QWidget* parent, Check check) : QFileDialog(parent), check_(check)
    {
        setOption(QFileDialog::DontUseNativeDialog);
        if (check == Check::FileOrFolder)
        {
            setFileMode(QFileDialog::ExistingFile);
        }
        else
        {
            setFileMode(QFileDialog::Directory);
            setOption(QFileDialog::ShowDirsOnly);
        }
        connect(this, &QFileDialog::currentChanged, this, &CheckedDialog::UpdateConfirm);
        connect(this, &QFileDialog::directoryEntered, this, &CheckedDialog::UpdateConfirm);
    }

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        if (chosen.size() != 1 || !Acceptable(check_, chosen.front()))
            return;
        // Where files may be chosen, a folder may be too: confirming one returns it
        // instead of opening it (a double click still opens it).
        if (check_ == Check::FileOrFolder && QFileInfo(chosen.front()).isDir())
            QDialog::accept();
        else
            QFileDialog::accept();
    }

private:
    void UpdateConfirm(const QString& path)
    {
        if (auto* buttons = findChild<QDialogButtonBox*>())
        {
            for (QAbstractButton* button : buttons->buttons())
            {
                if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
                    button->setEnabled(Acceptable(check_, path));
            }
        }
    }

    Check check_;
};
}

bool Acceptable(Check check, const QString& path)
{
    if (path.isEmpty())
        return false;
    const std::wstring native = path.toStdWString();
    const QFileInfo info(path);
    switch (check)
    {
    case Check::FileOrFolder:
    {
        const QString root = QStorageInfo(path).rootPath();
        if (!root.isEmpty() && IsRemovableOrOptical(Platform::GetDriveType(root.toStdWString())))
            return Platform::IsDriveReady(root.toStdWString()) && QFileInfo::exists(root);
        return true;
    }
    case Check::FolderAnyDrive:
        return !(info.exists() && info.isFile());
    case Check::FolderFixedDrive:
        return !(info.exists() && info.isFile()) && !IsRemovableOrOptical(Platform::GetDriveType(native));
    }
    return false;
}

QString Browse(Check check)
{
    CheckedDialog dialog(QApplication::activeWindow(), check);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList chosen = dialog.selectedFiles();
    return chosen.size() == 1 ? QDir::toNativeSeparators(chosen.front()) : QString();
}
}
}
