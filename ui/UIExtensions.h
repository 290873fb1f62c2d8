#pragma once

#include <QObject>
#include <QString>

namespace QtCommon
{
// Native file and folder dialogs for the page, published as "ui_extensions".
class UIExtensions : public QObject
{
    Q_OBJECT

public slots:
    QString ShowSaveFileDialog(QString file_name);
    QString ShowChooseFolderDialog(bool include_files, bool allow_cd_drive);
    QString ShowChooseFileDialog();
};
}
