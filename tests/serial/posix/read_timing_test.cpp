// When a read completes under the comm time-outs.
#include <gtest/gtest.h>

#include "serial/posix/read_timing.h"

using serial::ReadTimeouts;
using serial::ReadTiming;

TEST(ReadTiming, IntervalRunsFromTheLastByteOnceBytesArrived) {
  ReadTiming t(ReadTimeouts{20, 0, 0}, 256, 1000);
  // Without bytes and without totals the read waits for ever.
  EXPECT_FALSE(t.Deadline());
  EXPECT_FALSE(t.Complete(999999));
  t.BytesArrived(10, 1005);
  EXPECT_EQ(*t.Deadline(), 1025u);
  EXPECT_FALSE(t.Complete(1024));
  t.BytesArrived(30, 1020);
  EXPECT_FALSE(t.Complete(1039));
  EXPECT_TRUE(t.Complete(1040));
}

TEST(ReadTiming, AFullBufferCompletesAtOnce) {
  ReadTiming t(ReadTimeouts{20, 0, 0}, 256, 0);
  t.BytesArrived(256, 5);
  EXPECT_TRUE(t.Complete(5));
}

TEST(ReadTiming, TotalTimeoutCanCompleteEmpty) {
  ReadTiming t(ReadTimeouts{0, 2, 100}, 256, 1000);
  EXPECT_EQ(*t.Deadline(), 1000u + 2 * 256 + 100);
  EXPECT_FALSE(t.Complete(1611));
  EXPECT_TRUE(t.Complete(1612));
  // The interval, when shorter, wins once bytes are there.
  ReadTiming u(ReadTimeouts{5, 0, 100}, 256, 0);
  u.BytesArrived(1, 10);
  EXPECT_EQ(*u.Deadline(), 15u);
}

TEST(ReadTiming, MaxDwordIntervalForms) {
  // Return at once with what is there.
  ReadTiming now(ReadTimeouts{0xFFFFFFFF, 0, 0}, 256, 50);
  EXPECT_TRUE(now.Complete(50));
  // Return at the first bytes, or after the constant.
  ReadTiming first(ReadTimeouts{0xFFFFFFFF, 0xFFFFFFFF, 300}, 256, 0);
  EXPECT_FALSE(first.Complete(299));
  EXPECT_TRUE(first.Complete(300));
  ReadTiming first2(ReadTimeouts{0xFFFFFFFF, 0xFFFFFFFF, 300}, 256, 0);
  first2.BytesArrived(1, 3);
  EXPECT_TRUE(first2.Complete(3));
}
