// The exercise window's drawing handlers: the moving sight, the target marker, the single
// frame and the fixed view after a shot.
#include "exercise/exercise_state.h"
#include "exercise/marker_tick.h"
#include "sight/sight_drawing.h"
#include "sight/sight_geometry.h"
#include "toolkit/pointer.h"
#include "ui/Image_Unit1.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"

namespace {
const QString kFixingHint = "Для фиксации прицела нажмите левую кнопку мыши .";

sight::WindArrow WindOf(const toolkit::ImageControl* indicator) {
    return indicator == nullptr ? sight::WindArrow::None : assets::WindArrowFromTag(indicator->Tag);
}

// Puts the area the previous frame drew back from the clean landscape.
raster::Rect RestorePreviousFrame(raster::Bitmap& view, const raster::Bitmap& clean) {
    view.setCopyMode(raster::CopyMode::SrcCopy);
    const raster::Rect& previous = ExerciseState.DirtyRect;
    return view.copyRect(previous, clean, previous);
}
}  // namespace

void TForm2::SeeImageMouseMove(Qt::KeyboardModifiers, int x, int y) {
    TExerciseState& state = ExerciseState;
    state.MagnifyDen = 1;
    state.MagnifyNum = 3;
    const sight::Point aim = sight::AimPoint(x, y, WindOf(state.WindIndicator));
    state.ImpactX = aim.x;
    state.ImpactY = aim.y;
    state.CursorX = x;
    state.CursorY = y;
    if (state.Suspended == 1) {
        return;
    }
    const sight::Point centre = sight::LensCentre(x, y);
    StatusBar1->SetSimpleText(kFixingHint);
    if (state.ExerciseRunning == 1) {
        toolkit::HidePointer();
    }
    state.LensRadius = sight::kLensStartRadius;
    state.NextDirtyRect = sight::SightFrameArea(centre.x, centre.y);

    const sight::FramePictures pictures{HelpImage->Picture(), man->Picture(), man4->Picture(),
                                        setka->Picture()};
    const sight::FramePlace place{centre.x,          centre.y,          2 * state.CursorX,
                                  2 * state.CursorY, 2 * state.TargetX, 2 * state.TargetY,
                                  state.MagnifyNum,  state.MagnifyDen};
    // Reused from move to move, so that a frame allocates nothing.
    static sight::FrameChanges changes;
    sight::DrawSightFrame(SeeImage->Picture(), pictures, place, state.DirtyRect, state.LensRadius,
                          changes);
    state.DirtyRect = state.NextDirtyRect;
    // The parts in one repaint, each kept apart from the others where they do not meet: the
    // tiny target far from the lens, or the old lens far from the new one, united would
    // repaint all between.
    static raster::ChangedRows tinyTarget;
    tinyTarget.clear();
    tinyTarget.include(changes.tinyTarget);
    SeeImage->Invalidate({&tinyTarget, &changes.restored, &changes.drawn});
}

void TForm2::Timer2Timer() {
    TExerciseState& state = ExerciseState;
    if (state.Suspended == 1) {
        return;
    }
    StatusBar1->SetSimpleText(kFixingHint);
    if (state.ExerciseRunning == 1) {
        toolkit::HidePointer();
    }
    state.LensRadius = sight::kLensStartRadius;

    raster::Bitmap& view = SeeImage->Picture();
    const raster::Bitmap& clean = HelpImage->Picture();
    raster::Rect changed = RestorePreviousFrame(view, clean);
    // The sight stays where the shot fixed it, not clamped as the moving sight is.
    const int cx = 2 * state.CursorX;
    const int cy = 2 * state.CursorY;
    changed = changed.united(
        sight::DrawLens(view, clean, cx, cy, state.MagnifyNum, state.MagnifyDen, state.LensRadius));
    changed = changed.united(sight::DrawMagnifiedTarget(
        view, man4->Picture(), cx, cy, cx, cy, 2 * state.TargetX, 2 * state.TargetY,
        state.MagnifyNum, state.MagnifyDen, state.LensRadius));
    if (state.RepeatTarget == 0) {
        // After a hit, smoke stands on the point of impact.
        const raster::Bitmap& smoke = Form1->Dim->Picture();
        const int halfWidth = smoke.width() / 2;
        view.setCopyMode(raster::CopyMode::SrcAnd);
        changed =
            changed.united(view.copyRect({state.ImpactX - halfWidth, state.ImpactY - smoke.height(),
                                          state.ImpactX + halfWidth, state.ImpactY},
                                         smoke, {0, 0, smoke.width(), smoke.height()}));
    }
    changed = changed.united(sight::DrawReticle(view, setka->Picture(), cx, cy));
    state.DirtyRect = state.NextDirtyRect;
    SeeImage->Invalidate(changed);
    SetActiveControl(SpinEdit1);
    Timer2->SetEnabled(false);
}

void TForm2::Tmr1Timer() {
    TExerciseState& state = ExerciseState;
    state.MarkerThreshold = 1;
    const exercise::MarkerTick tick =
        exercise::DecideMarkerTick(Tmr1->Tag, state.MarkerThreshold, state.ExerciseRunning == 1);
    if (tick.view == exercise::ViewChange::Disable) {
        SeeImage->setEnabled(false);
    } else if (tick.view == exercise::ViewChange::Enable) {
        SeeImage->setEnabled(true);
    }
    if (tick.drawMarker) {
        raster::Bitmap& view = SeeImage->Picture();
        const int targetX = 2 * state.TargetX;
        const int targetY = 2 * state.TargetY;
        view.setCopyMode(raster::CopyMode::SrcInvert);
        raster::Rect changed = sight::DrawTinyTarget(view, man->Picture(), targetX, targetY);
        const raster::Bitmap& frame = Box->Picture();
        changed = changed.united(
            view.draw(targetX - frame.width() / 2, targetY - frame.height() / 2, frame));
        SeeImage->Invalidate(changed);
        Tmr1->SetEnabled(true);
    }
    Tmr1->Tag = tick.nextTag;
}

void TForm2::Tmr2Timer() {
    if (ExerciseState.ExerciseRunning == 0) {
        return;
    }
    raster::Bitmap& view = SeeImage->Picture();
    const raster::Bitmap& frame = Box->Picture();
    view.setCopyMode(raster::CopyMode::SrcInvert);
    SeeImage->Invalidate(view.draw(2 * ExerciseState.TargetX - frame.width() / 2,
                                   2 * ExerciseState.TargetY - frame.height() / 2, frame));
    Tmr2->SetEnabled(false);
}
