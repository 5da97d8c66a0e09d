// The audible refusal of the controls, replaceable so that tests can count refusals.
#pragma once

#include <functional>

namespace toolkit {

// Sounds the system beep, or runs the replacement while one is set.
void Beep();

// Replaces what Beep does; an empty function brings back the system beep.
void SetBeepHandler(std::function<void()> handler);

}  // namespace toolkit
