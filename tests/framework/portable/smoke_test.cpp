#include <gtest/gtest.h>
#include "framework/stdctrls.h"
TEST(Smoke, Builds) { fw::TEdit e(nullptr); EXPECT_EQ(e.Text(), ""); }
