#pragma once

#include <QAbstractNativeEventFilter>

namespace QtCommon
{
// Swallows Alt+F4 before any window of the program sees it.
class CloseEventFilter : public QAbstractNativeEventFilter
{
public:
    CloseEventFilter();
    ~CloseEventFilter() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, long* result) override;
};
}
