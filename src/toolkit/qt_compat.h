// What differs between Qt 6 and Qt 5.15 where this program meets it, in one place: every other
// file calls these and never asks which Qt it is built with.
#pragma once

#include <QCoreApplication>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointF>
#include <QSizeF>
#include <QtGlobal>

#include "toolkit/native_frame.h"

namespace toolkit {

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
inline constexpr int kQtMajorVersion = 6;
#else
inline constexpr int kQtMajorVersion = 5;
#endif

// Called before the application object exists. Qt 6 scales the windows for the screen's
// density by itself, by the exact factor the desktop sets (1.25, 1.5, 2); Qt 5 does so only
// when asked, and rounds the factor to a whole number unless told to pass it through, which
// would show the windows at 1x on a 1.25 screen and at 2x on a 1.5 one. On an X display whose
// desktop states no density, Qt 6 takes 96 dots per inch and Qt 5 the monitor's measure, which
// would scale the windows by odd factors such as 1.04; it is told 96 too. So is Qt 5 on the
// offscreen platform, whose made-up screen measures 100 dots per inch (Qt 6's states 96).
inline void EnableHighDensityScaling() {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    const bool offscreen = qgetenv("QT_QPA_PLATFORM").startsWith("offscreen");
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI") && (offscreen || !XDisplayStatesDensity())) {
        qputenv("QT_FONT_DPI", "96");
    }
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
}

// Where a mouse event happened, in the receiving widget's coordinates and on the screen.
inline QPointF EventPosition(const QMouseEvent& event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event.position();
#else
    return event.localPos();
#endif
}

// For a QMouseEvent or a QEnterEvent: Qt 6 gives both one base, Qt 5 one name.
template <typename PointerEvent>
QPointF EventGlobalPosition(const PointerEvent& event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event.globalPosition();
#else
    return event.screenPos();
#endif
}

// A pixmap's size in logical pixels, whatever its device pixel ratio.
inline QSizeF DeviceIndependentSize(const QPixmap& pixmap) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return pixmap.deviceIndependentSize();
#else
    return QSizeF(pixmap.size()) / pixmap.devicePixelRatio();
#endif
}

}  // namespace toolkit
