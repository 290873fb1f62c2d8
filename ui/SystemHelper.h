#pragma once

#include <QObject>
#include <QString>

namespace QtCommon
{
// System operations for the page, published as "system_helpers".
class SystemHelper : public QObject
{
    Q_OBJECT

public slots:
    void Execute(QString path);
    void Reboot();
    QString GetDesktopPath();
};
}
