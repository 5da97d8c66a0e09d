// The frame offer on X11, the one system where Qt's window flags do not say it all: for a
// title bar without buttons Qt leaves the decorations to the window manager, which then adds
// the buttons it likes.
#include "toolkit/native_frame.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#if defined(SIGHT_HAS_XCB)
#include <xcb/xcb.h>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QX11Info>
#endif

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#endif

namespace toolkit {

#if defined(SIGHT_HAS_XCB)
namespace {
// The Motif window manager hints: which fields count, then functions and decorations.
constexpr std::uint32_t kFunctionsField = 1u << 0;
constexpr std::uint32_t kDecorationsField = 1u << 1;
constexpr std::uint32_t kMoveFunction = 1u << 2;
constexpr std::uint32_t kMinimizeFunction = 1u << 3;
constexpr std::uint32_t kCloseFunction = 1u << 5;
constexpr std::uint32_t kBorderDecoration = 1u << 1;
constexpr std::uint32_t kTitleDecoration = 1u << 3;
constexpr std::uint32_t kMenuDecoration = 1u << 4;
constexpr std::uint32_t kMinimizeDecoration = 1u << 5;

xcb_atom_t MotifHintsAtom(xcb_connection_t* connection) {
    static const xcb_atom_t atom = [connection] {
        constexpr char kName[] = "_MOTIF_WM_HINTS";
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection,
                                  xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr),
            &std::free);
        return reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }();
    return atom;
}

// The X connection Qt opened; none on another platform, or on Qt's offscreen one, which may
// answer as X11 without a connection.
xcb_connection_t* QtConnection() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
#else
    return QX11Info::isPlatformX11() ? QX11Info::connection() : nullptr;
#endif
}
}  // namespace

void OfferFrame(QWidget* window, const FrameOffer& offer) {
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr || !window->testAttribute(Qt::WA_WState_Created)) {
        return;
    }
    const xcb_atom_t atom = MotifHintsAtom(connection);
    if (atom == XCB_ATOM_NONE) {
        return;
    }
    std::uint32_t functions = kMoveFunction;
    std::uint32_t decorations = kBorderDecoration | kTitleDecoration;
    if (offer.systemMenu) {
        decorations |= kMenuDecoration;
    }
    if (offer.minimize) {
        functions |= kMinimizeFunction;
        decorations |= kMinimizeDecoration;
    }
    if (offer.close) {
        functions |= kCloseFunction;
    }
    const std::array<std::uint32_t, 5> hints{kFunctionsField | kDecorationsField, functions,
                                             decorations, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), atom,
                        atom, 32, std::uint32_t(hints.size()), hints.data());
    xcb_flush(connection);
}

bool XDisplayStatesDensity() {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        return true;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    bool states = true;
    if (xcb_connection_has_error(connection) == 0) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(
                connection,
                xcb_get_property(connection, 0, screen->root, XCB_ATOM_RESOURCE_MANAGER,
                                 XCB_ATOM_STRING, 0, 1u << 16),
                nullptr),
            &std::free);
        const auto* resources = reply != nullptr
                                    ? static_cast<const char*>(xcb_get_property_value(reply.get()))
                                    : nullptr;
        const std::string_view text =
            resources != nullptr
                ? std::string_view(resources,
                                   std::size_t(xcb_get_property_value_length(reply.get())))
                : std::string_view();
        states = text.find("Xft.dpi:") != std::string_view::npos;
    }
    xcb_disconnect(connection);
    return states;
}
#else
void OfferFrame(QWidget*, const FrameOffer&) {}
bool XDisplayStatesDensity() {
    return true;
}
#endif

void TieToOwner(QWidget* dialog, QWidget* owner) {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return;
    }
    // The native windows are made here if they are not yet; the dialog's Wayland surface
    // names its parent when it is shown.
    dialog->winId();
    QWindow* ownerWindow = nullptr;
    if (owner != nullptr && owner->isVisible()) {
        ownerWindow = owner->windowHandle();
    }
    dialog->windowHandle()->setTransientParent(ownerWindow);
}

}  // namespace toolkit
