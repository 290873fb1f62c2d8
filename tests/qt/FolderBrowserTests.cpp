#include "support/TempFolder.h"
#include "support/TextFile.h"
#include "platform/DriveType.h"
#include "ui/FolderBrowser.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <gtest/gtest.h>

using namespace QtCommon::FolderBrowser;

TEST(FolderBrowser, ChecksFilesFoldersAndEmptySelections)
{
    Testing::TempFolder folder;
    const QString directory = QString::fromStdString(folder.Path().string());
    const QString file = QString::fromStdString((folder.Path() / "notes.txt").string());
    Testing::WriteFile(folder.Path() / "notes.txt", "x");
    const QString missing = QString::fromStdString((folder.Path() / "new folder").string());

    struct Case
    {
        Check check;
        QString path;
        bool acceptable;
    } cases[] = {
        {Check::FolderFixedDrive, directory, true},  {Check::FolderFixedDrive, file, false},
        {Check::FolderFixedDrive, missing, true},    {Check::FolderFixedDrive, QString(), false},
        {Check::FolderAnyDrive, directory, true},    {Check::FolderAnyDrive, file, false},
        {Check::FolderAnyDrive, QString(), false},   {Check::FileOrFolder, file, true},
        {Check::FileOrFolder, directory, true},      {Check::FileOrFolder, QString(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Acceptable(c.check, c.path), c.acceptable) << static_cast<int>(c.check) << " " << c.path.toStdString();
}

// The dialog as the user meets it: a folder selected and confirmed comes back, in either
// kind of browser.
TEST(FolderBrowser, ConfirmingAFolderReturnsIt)
{
    Testing::TempFolder folder;
    const QString directory = QString::fromStdString(folder.Path().string());
    for (Check check : {Check::FileOrFolder, Check::FolderAnyDrive})
    {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->selectFile(directory);
            static_cast<QDialog*>(dialog)->accept(); // the OK button's action
            // A dialog that opened the folder instead is still there: close it.
            QTimer::singleShot(0, dialog, [dialog] { dialog->reject(); });
        });
        EXPECT_EQ(Browse(check).toStdString(), directory.toStdString()) << static_cast<int>(check);
    }
}

TEST(DriveType, OnlyADrivesRootHasAType)
{
    Testing::TempFolder folder;
    EXPECT_EQ(Platform::GetDriveType(L"/"), Platform::kDriveFixed);
    EXPECT_EQ(Platform::GetDriveType(L"/dev/shm"), Platform::kDriveRamDisk);
    EXPECT_EQ(Platform::GetDriveType(folder.Path().wstring()), Platform::kDriveNoRootDir);
    EXPECT_EQ(Platform::GetDriveType(L"/dev/shm/no such folder"), Platform::kDriveNoRootDir);
}
