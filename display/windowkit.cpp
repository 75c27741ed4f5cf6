#include "windowkit.h"

#include <QApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QFont>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>
#include <thread>

namespace WindowKit {

QFont DesignFont()
{
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    // Every property the design's own, so none comes from the desktop's font.
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

namespace {

// Qt's light Fusion palette, the colours the windows show on a desktop that
// sets none of its own.
QPalette DesignPalette()
{
    const QColor panel(239, 239, 239);
    const QColor mid = panel.darker(130);
    const QColor shadow = panel.darker(150).darker(135);
    QPalette palette(Qt::black, panel, panel.lighter(150), panel.darker(150), mid, Qt::black, Qt::white);
    palette.setColor(QPalette::Midlight, mid.lighter(110));
    palette.setColor(QPalette::Shadow, shadow);
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::Dark})
        palette.setColor(QPalette::Disabled, role, QColor(190, 190, 190));
    palette.setColor(QPalette::Disabled, QPalette::Base, panel);
    palette.setColor(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    // Every role fixed, those left at Qt's defaults too (selected text, links).
    palette.setResolveMask(~QPalette::ResolveMask(0));
    return palette;
}

} // namespace

void UseDesignFont(QApplication& app)
{
    // Liberation Sans has Arial's metrics, so texts keep their sizes.
    QFont::insertSubstitution("Arial", "Liberation Sans");
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    app.setFont(DesignFont());
}

void UseDesignLook(QWidget& window)
{
    window.setPalette(DesignPalette());
    window.setFont(DesignFont());
}

Qt::WindowFlags DialogFlags(Qt::WindowType type)
{
    return type | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
           | Qt::WindowCloseButtonHint;
}

void ShowInFront(QWidget& window, const QWidget* openOver)
{
    if (openOver && !window.testAttribute(Qt::WA_WState_Created))
        CenterOver(window, *openOver);
    window.show();
    window.raise();
    window.activateWindow();
}

namespace {

// What the platform knows of the border: once the window is shown, or, on
// some platforms, as soon as it exists.
QMargins KnownFrame(const QWidget& window)
{
    return window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
}

xcb_atom_t AtomIfKnown(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, true, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

template <typename Value>
std::optional<std::vector<Value>> Property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                           xcb_atom_t type)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, false, window, name, type, 0, 1024), nullptr);
    std::optional<std::vector<Value>> values;
    if (reply && reply->format == 32) {
        const auto* data = static_cast<const Value*>(xcb_get_property_value(reply));
        values.emplace(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

std::optional<QMargins> FrameExtents(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t extents)
{
    const auto values = Property<uint32_t>(connection, window, extents, XCB_ATOM_CARDINAL);
    if (!values || values->size() != 4)
        return std::nullopt;
    const std::vector<uint32_t>& v = *values; // left, right, top, bottom
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}

// An X window manager draws the border only once the window is mapped, but
// tells beforehand what it will be when asked: so the first showing can be
// placed, and its picture fitted, as every later one.
QMargins FrameAnnounced(const QWidget& window)
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 && QGuiApplication::platformName() == "xcb" ? x11->connection() : nullptr;
    if (!connection)
        return {};
    const xcb_atom_t request = AtomIfKnown(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = AtomIfKnown(connection, "_NET_FRAME_EXTENTS");
    const xcb_atom_t supported = AtomIfKnown(connection, "_NET_SUPPORTED");
    if (request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE || supported == XCB_ATOM_NONE)
        return {};
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto features = Property<xcb_atom_t>(connection, root, supported, XCB_ATOM_ATOM);
    if (!features || std::find(features->begin(), features->end(), request) == features->end())
        return {};
    // Asked afresh each time: the answer depends on whether the window may be resized.
    const auto id = xcb_window_t(window.winId());
    xcb_delete_property(connection, id, extents);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, false, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    // The window manager answers within a millisecond or so; one that does
    // not is not waited for long.
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (const auto frame = FrameExtents(connection, id, extents))
            return *frame;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return {};
}

} // namespace

QMargins FrameOf(const QWidget& window, const QWidget* like)
{
    window.winId();
    if (const QMargins own = KnownFrame(window); !own.isNull())
        return own;
    if (like && !KnownFrame(*like).isNull())
        return KnownFrame(*like);
    return FrameAnnounced(window);
}

namespace {

// Moves the window, border included, to the centre of `target`, keeping its
// top-left corner in `area`. Placed by its inside: where Qt does not know the
// border yet, a move would put the inside at the border's corner.
void CenterIn(QWidget& window, QRect target, QRect area, QMargins frame)
{
    const QSize outer = window.size().grownBy(frame);
    auto place = [](int start, int length, int outerLength, int areaStart, int areaLength) {
        const int centred = start + (length - outerLength) / 2;
        return std::max(areaStart, std::min(centred, areaStart + areaLength - outerLength));
    };
    const QPoint corner(place(target.left(), target.width(), outer.width(), area.left(), area.width()),
                        place(target.top(), target.height(), outer.height(), area.top(), area.height()));
    window.setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), window.size()));
}

} // namespace

void CenterOver(QWidget& window, const QWidget& over)
{
    const QRect area = over.screen()->availableGeometry();
    CenterIn(window, over.isVisible() ? over.frameGeometry() : area, area, FrameOf(window, &over));
}

void CenterOnScreen(QWidget& window, const QWidget* like)
{
    const QRect area = (like ? like : &window)->screen()->availableGeometry();
    CenterIn(window, area, area, FrameOf(window, like));
}

void SetColor(QWidget* widget, QPalette::ColorRole role, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QRect geometry, EnterClicks enter)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(enter == EnterClicks::FocusedButton);
    return button;
}

} // namespace WindowKit
