// The pointer display count over Qt's application-wide override cursor.
#include "toolkit/pointer.h"

#include <QCursor>
#include <QGuiApplication>
#include <algorithm>
#include <climits>

namespace toolkit {

namespace {
int displayCount = 0;
// Every frame of the moving sight lowers the count by two; over a long day it must not
// overflow, and nobody can tell a count this low from a lower one.
constexpr int kLowestCount = INT_MIN / 2;

void ApplyVisibility(bool wasVisible) {
    const bool visible = displayCount >= 0;
    if (visible == wasVisible || QGuiApplication::instance() == nullptr) {
        return;
    }
    if (visible) {
        QGuiApplication::restoreOverrideCursor();
    } else {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    }
}
}  // namespace

int ShowCursor(bool show) {
    const bool wasVisible = displayCount >= 0;
    if (show) {
        ++displayCount;
    } else if (displayCount > kLowestCount) {
        --displayCount;
    }
    ApplyVisibility(wasVisible);
    return displayCount;
}

int PointerDisplayCount() {
    return displayCount;
}

// Both walk the count two at a time, as calling ShowCursor in pairs would; computing the
// number of pairs keeps them instant however far the count has gone.
void HidePointer() {
    const bool wasVisible = displayCount >= 0;
    const int pairs = displayCount < 0 ? 1 : displayCount / 2 + 1;
    displayCount =
        displayCount - 2 * pairs < kLowestCount ? kLowestCount : displayCount - 2 * pairs;
    ApplyVisibility(wasVisible);
}

void ShowPointer() {
    const bool wasVisible = displayCount >= 0;
    const long long pairs = std::max(1LL, (2LL - displayCount) / 2);
    displayCount = static_cast<int>(displayCount + 2 * pairs);
    ApplyVisibility(wasVisible);
}

}  // namespace toolkit
