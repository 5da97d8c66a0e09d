// Tests of the raster picture.
#include <gtest/gtest.h>

#include "toolkit/bitmap.h"
