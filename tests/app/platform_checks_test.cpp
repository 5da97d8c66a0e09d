// Tests of the start-up display check and platform choice on an X11 or Wayland desktop.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>
#include <string>

#include "app/platform_checks.h"

namespace {

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        Set(value);
    }
    ~ScopedVariable() { Set(had_ ? old_.constData() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    void Set(const char* value) {
        if (value == nullptr) {
            qunsetenv(name_);
        } else {
            qputenv(name_, value);
        }
    }
    const char* name_;
    bool had_;
    QByteArray old_;
};

struct DisplayCase {
    const char* platform;
    const char* display;
    const char* waylandDisplay;
    bool missing;
};

std::string Describe(const char* platform, const char* display, const char* waylandDisplay) {
    return std::string(platform ? platform : "(unset)") +
           " DISPLAY=" + (display ? display : "(unset)") +
           " WAYLAND_DISPLAY=" + (waylandDisplay ? waylandDisplay : "(unset)");
}

TEST(DisplayCheck, ADisplayIsMissingOnlyWhereTheChosenPlatformNeedsOneAndNoneIsNamed) {
    const DisplayCase cases[] = {
        {nullptr, nullptr, nullptr, true},      {nullptr, ":0", nullptr, false},
        {nullptr, nullptr, "wayland-0", false}, {"", "", "", true},
        {"xcb", nullptr, nullptr, true},        {"xcb", ":90", nullptr, false},
        {"wayland", nullptr, nullptr, true},    {"wayland-egl", nullptr, "wayland-1", false},
        {"offscreen", nullptr, nullptr, false}, {"minimal", nullptr, nullptr, false},
    };
    for (const DisplayCase& row : cases) {
        const ScopedVariable platform("QT_QPA_PLATFORM", row.platform);
        const ScopedVariable display("DISPLAY", row.display);
        const ScopedVariable wayland("WAYLAND_DISPLAY", row.waylandDisplay);
        EXPECT_EQ(app::DisplayMissing(), row.missing)
            << Describe(row.platform, row.display, row.waylandDisplay);
    }
}

struct PlatformCase {
    const char* platform;
    const char* display;
    const char* waylandDisplay;
    const char* chosen;
};

// A Wayland session with Xwayland names both displays; the windows keep their places only
// through X11, and a person's own choice stands whatever the session offers.
TEST(PlatformChoice, XElevenWhereverTheSessionOffersItWaylandWhereItIsAloneAndAChoiceMadeStands) {
    const PlatformCase cases[] = {
        {nullptr, ":0", "wayland-0", "xcb;wayland"},
        {nullptr, ":1", nullptr, "xcb"},
        {"", "", "wayland-0", "wayland"},
        {nullptr, nullptr, nullptr, ""},
        {"wayland", ":0", "wayland-0", ""},
        {"xcb", ":0", "wayland-0", ""},
        {"offscreen", nullptr, nullptr, ""},
    };
    for (const PlatformCase& row : cases) {
        const ScopedVariable platform("QT_QPA_PLATFORM", row.platform);
        const ScopedVariable display("DISPLAY", row.display);
        const ScopedVariable wayland("WAYLAND_DISPLAY", row.waylandDisplay);
        EXPECT_EQ(app::PlatformToUse(), QByteArray(row.chosen))
            << Describe(row.platform, row.display, row.waylandDisplay);
    }
}

}  // namespace
