#pragma once

#include <QUrl>

namespace KorvaneUpdater
{
namespace EmbeddedPage
{
// The one page the window ever shows.
const QUrl& StartAddress();

// Whether an address belongs to the embedded page: a resource address under
// /html/angular/, judged on the parsed and normalised address, never on its text.
bool Contains(const QUrl& address);
}
}
