#pragma once

#include <QWebEngineUrlRequestInterceptor>

namespace KorvaneUpdater
{
// Lets the page load its own resources and nothing else: no request of the page
// leaves the program.
class EmbeddedRequestInterceptor : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    static EmbeddedRequestInterceptor* Instance();
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

private:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
};
}
