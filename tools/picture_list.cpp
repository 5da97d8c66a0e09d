// The file name of every picture and the drawing that makes it.
#include "glyph_style.h"
#include "pictures.h"

namespace artwork {

std::vector<NamedPicture> DrawAllPictures() {
    std::vector<NamedPicture> pictures;
    pictures.push_back({"Image1.png", DrawLandscape()});
    const struct {
        const char* name;
        int width;
        int height;
    } tanks[] = {{"b25.png", 38, 25},
                 {"b30.png", 46, 30},
                 {"b35.png", 54, 35},
                 {"b40.png", 62, 40},
                 {"b45.png", 69, 45},
                 {"b50.png", 77, 50},
                 {"b65.png", 96, 65},
                 {"b75.png", 110, 75},
                 {"b80.png", 118, 80},
                 {"man.png", 18, 12},
                 {"glyph_exercise_start.png", 17, 12}};
    for (const auto& tank : tanks) {
        pictures.push_back({tank.name, DrawTankSprite(tank.width, tank.height)});
    }
    pictures.push_back({"man4.png", DrawSoldierPlaceholder()});
    pictures.push_back({"setka.png", DrawReticle()});
    pictures.push_back({"splash.png", DrawSplash()});
    pictures.push_back({"Dim.png", DrawSmoke()});
    pictures.push_back({"Box.png", DrawHighlightFrame()});
    pictures.push_back({"Wind.png", DrawWindArrows(WindArrow::Right)});
    pictures.push_back({"Wind_diag.png", DrawWindArrows(WindArrow::UpRight)});
    pictures.push_back({"Wind_l.png", DrawWindArrows(WindArrow::Left)});
    pictures.push_back({"Wind_diag_l.png", DrawWindArrows(WindArrow::DownLeft)});
    pictures.push_back({"dialog_question.png", DrawQuestionMark()});
    pictures.push_back({"dialog_bulb_lit.png", DrawBulbGlyph(true)});
    pictures.push_back({"dialog_bulb_unlit.png", DrawBulbGlyph(false)});
    pictures.push_back({"glyph_exercise_exit.png", DrawExitDoorGlyph()});
    pictures.push_back({"glyph_exercise_confirm.png", DrawPadlockGlyph()});
    pictures.push_back({"glyph_dialog_cancel.png", DrawCancelGlyph()});
    pictures.push_back({"glyph_dialog_repeat.png", DrawTickGlyph()});
    pictures.push_back({"glyph_mode_start.png", DrawWalkingManGlyph()});
    pictures.push_back({"glyph_mode_exit.png", DrawLeavingFigureGlyph()});
    // The window icon, and the sizes a desktop's icon theme asks for.
    pictures.push_back({"icon.png", DrawIcon(32)});
    for (const int size : {16, 48, 64, 128, 256}) {
        pictures.push_back({QStringLiteral("icon_%1.png").arg(size), DrawIcon(size)});
    }
    return pictures;
}

}  // namespace artwork
