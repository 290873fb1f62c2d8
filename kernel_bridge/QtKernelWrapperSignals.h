#pragma once

#include <QObject>
#include <QString>

namespace KorvaneUpdater
{
// The kernel's seventeen events as Qt signals, with the parameter names the page sees.
class QtKernelWrapperSignals : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    void NotEnoughDiskSpaceSignal();
    void AnotherInstallationInProgressSignal();
    void ScenarioDetectedSignal(int scenario);
    void InterruptedSignal();
    void StartedSignal();
    void StoppingServiceSignal();
    void ServiceStoppedSignal();
    void ProgressComponentChangedSignal(int component);
    void ProgressPositionChangedSignal(double progress);
    void FloatingProgressSignal(bool floating);
    void ProgressDescriptionChangedSignal(QString description);
    void ErrorSignal(QString description);
    void CompleteSignal();
    void EnablingWindowsDefenderSignal(bool enable);
    void EnablingWindowsFirewallSignal(bool enable);
    void NoAppropriatePermissionsSignal();
    void ComponentsProgressPositionChangedSignal(double progress);
};
}
