#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace QtCommon
{
// Lets the user drag a frameless window by the widget it is installed on.
class MoveEventFilter : public QObject
{
public:
    explicit MoveEventFilter(QWidget* window);
    ~MoveEventFilter() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window;
    bool dragging = false;
    QPoint lastPosition;
};
}
