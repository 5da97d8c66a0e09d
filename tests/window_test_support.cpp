// Shared set-up of the window tests.
#include "window_test_support.h"

void PrepareWindowTests() {}
