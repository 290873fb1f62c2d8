#include "platform/CloseShortcut.h"

#include <QByteArray>
#include <QX11Info>

#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace Platform
{
bool IsCloseShortcut(const QByteArray& eventType, void* message)
{
    if (eventType != "xcb_generic_event_t" || message == nullptr)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS)
        return false;
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    if ((key->state & XCB_MOD_MASK_1) == 0)
        return false;
    static xcb_key_symbols_t* symbols =
        QX11Info::isPlatformX11() ? xcb_key_symbols_alloc(QX11Info::connection()) : nullptr;
    return symbols != nullptr && xcb_key_symbols_get_keysym(symbols, key->detail, 0) == XK_F4;
}
}
