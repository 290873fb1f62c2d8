#include "support/TempFolder.h"
#include "support/TextFile.h"
#include "ui/FolderBrowser.h"

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
