#include "ui/MoveEventFilter.h"

#include <QMouseEvent>
#include <QWidget>

namespace QtCommon
{
MoveEventFilter::MoveEventFilter(QWidget* window) : QObject(window), window(window)
{
}

MoveEventFilter::~MoveEventFilter() = default;

bool MoveEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type())
    {
    case QEvent::MouseButtonPress:
    {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
        {
            dragging = true;
            lastPosition = mouse->globalPos();
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            dragging = false;
        break;
    case QEvent::MouseMove:
        if (dragging)
        {
            const QPoint position = static_cast<QMouseEvent*>(event)->globalPos();
            window->move(window->pos() + (position - lastPosition));
            lastPosition = position;
        }
        break;
    default:
        break;
    }
    // Never swallow: the caption's own widgets still see every event.
    return QObject::eventFilter(watched, event);
}
}
