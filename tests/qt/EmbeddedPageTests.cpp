#include "ui/EmbeddedPage.h"

#include <gtest/gtest.h>

using KorvaneUpdater::EmbeddedPage::Contains;

TEST(EmbeddedPage, OnlyTheEmbeddedPagesOwnAddressesBelongToIt)
{
    struct Case
    {
        const char* address;
        bool inside;
    } cases[] = {
        {"qrc:/html/angular/index.html", true},
        {"qrc:///html/angular/index.html", true},
        {"qrc:/html/angular/index.html#!/detectWelcome", true},
        {"qrc:/html/angular/templates/header.template.html", true},
        {"qrc:/html/angular/", true},
        {"qrc:/html/angularx/index.html", false},
        {"qrc:/html/angular/../design/Main.html", false},
        {"qrc:/html/angular/%2e%2e/design/Main.html", false},
        {"qrc:/html/examples/index.html", false},
        {"qrc://evil/html/angular/index.html", false},
        {"qrc:html/angular/index.html", false},
        {"file:///html/angular/index.html", false},
        {"https://example.com/html/angular/index.html", false},
        {"https://example.com/?qrc:/html/angular/", false},
        {"javascript:alert(1)", false},
        {"data:text/html,qrc:/html/angular/", false},
        {"about:blank", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Contains(QUrl(QString::fromLatin1(c.address))), c.inside) << c.address;
}
