// What every window test shares: a quiet, deterministic application.
#pragma once

// Timers tick only when a test fires them, and nothing waits on the real clock.
void PrepareWindowTests();
