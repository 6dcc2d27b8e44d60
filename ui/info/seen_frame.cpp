#include "ui/info/seen_frame.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#ifdef _WIN32
#include <dwmapi.h>
#include <windows.h>
#endif

namespace ui::info {

QMargins SeenFrameMargins(const QWidget& window) {
    const QRect client = window.geometry();
    const QRect frame = window.frameGeometry();
    const QMargins reckoned(client.left() - frame.left(), client.top() - frame.top(),
                            frame.right() - client.right(), frame.bottom() - client.bottom());
#ifdef _WIN32
    const QWindow* native = window.windowHandle();
    if (native == nullptr || QGuiApplication::platformName() != QLatin1String("windows"))
        return reckoned;
    const auto handle = reinterpret_cast<HWND>(native->winId());
    // The visible frame: the compositor's bounds where there is one (without the invisible
    // borders), else the window's own rectangle.
    RECT seen{};
    if (FAILED(DwmGetWindowAttribute(handle, DWMWA_EXTENDED_FRAME_BOUNDS, &seen, sizeof seen)) &&
        !GetWindowRect(handle, &seen))
        return reckoned;
    RECT area{};
    POINT origin{0, 0};
    if (!GetClientRect(handle, &area) || !ClientToScreen(handle, &origin))
        return reckoned;
    // Sizes only, so a scaled screen needs no more than its factor.
    const qreal ratio = window.devicePixelRatioF();
    const auto pixels = [ratio](long native) { return qRound(native / ratio); };
    return QMargins(pixels(origin.x - seen.left), pixels(origin.y - seen.top),
                    pixels(seen.right - origin.x - area.right),
                    pixels(seen.bottom - origin.y - area.bottom));
#else
    return reckoned;
#endif
}

}  // namespace ui::info
