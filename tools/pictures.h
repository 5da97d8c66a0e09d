// Every picture the trainer shows, each drawn from nothing but code in this folder.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace artwork {

struct NamedPicture {
    QString fileName;
    QImage image;
};

// All pictures with the file names the program loads them by.
std::vector<NamedPicture> DrawAllPictures();

QImage DrawLandscape();
QImage DrawReticle();

// The target tank on exact white, with no pixel blending into the white.
QImage DrawTankSprite(int width, int height);
QImage DrawSoldierPlaceholder();
QImage DrawIcon(int size);

QImage DrawSplash();
QImage DrawSmoke();
QImage DrawHighlightFrame();
enum class WindArrow { Right, UpRight, Left, DownLeft };
QImage DrawWindArrows(WindArrow direction);

QImage DrawQuestionMark();
QImage DrawBulbGlyph(bool lit);
QImage DrawExitDoorGlyph();
QImage DrawPadlockGlyph();
QImage DrawCancelGlyph();
QImage DrawTickGlyph();
QImage DrawWalkingManGlyph();
QImage DrawLeavingFigureGlyph();

}  // namespace artwork
