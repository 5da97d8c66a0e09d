// The wind table: arrow, set-up shift and status text.
#include "exercise/wind_table.h"

namespace exercise {

WindChoice WindForDraw(std::uint32_t draw) {
    switch (draw) {
        case 0:
        case 1:
        case 2:
            return {WindArrow::Wind, -144};
        case 3:
        case 4:
            return {WindArrow::Wind_diag, -72};
        case 5:
        case 6:
            return {WindArrow::Wind_diag_l, 72};
        case 7:
            return {WindArrow::Wind_l, 9};
        default:
            return {};
    }
}

QString WindStatusText(WindArrow arrow) {
    switch (arrow) {
        case WindArrow::Wind:
        case WindArrow::Wind_l:
            return QStringLiteral("Ветер 4 м/с перпендикулярно плоскости стрельбы");
        case WindArrow::Wind_diag:
        case WindArrow::Wind_diag_l:
            return QStringLiteral("Ветер 4 м/с под острым углом к плоскости стрельбы");
        case WindArrow::None:
            break;
    }
    return {};
}

}  // namespace exercise
