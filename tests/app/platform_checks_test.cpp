// Tests of the start-up display check on an X11 or Wayland desktop.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

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
            << (row.platform ? row.platform : "(unset)")
            << " DISPLAY=" << (row.display ? row.display : "(unset)")
            << " WAYLAND_DISPLAY=" << (row.waylandDisplay ? row.waylandDisplay : "(unset)");
    }
}

}  // namespace
