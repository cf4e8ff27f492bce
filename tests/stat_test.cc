#include "stat.h"

#include <gtest/gtest.h>

TEST(Smoke, Builds) { EXPECT_EQ('E', RANK_LETTERS[0]); }
