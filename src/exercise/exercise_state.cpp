// The one exercise record of the run, holding its start values from program start.
#include "exercise/exercise_state.h"

TExerciseState ExerciseState;
