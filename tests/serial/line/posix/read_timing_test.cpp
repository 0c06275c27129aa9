// When a read completes under the comm time-outs (times in microseconds).
#include <gtest/gtest.h>

#include "serial/line/posix/read_timing.h"

using serial::ReadTimeouts;
using serial::ReadTiming;

constexpr uint64_t ms = 1000;

TEST(ReadTiming, IntervalRunsFromTheLastByteOnceBytesArrived) {
  ReadTiming t(ReadTimeouts{20, 0, 0}, 256, 1000 * ms);
  // Without bytes and without totals the read waits for ever.
  EXPECT_FALSE(t.Deadline());
  EXPECT_FALSE(t.Complete(999999 * ms));
  t.BytesArrived(10, 1005 * ms + 700);
  EXPECT_EQ(*t.Deadline(), 1025 * ms + 700);
  EXPECT_FALSE(t.Complete(1025 * ms + 699));  // not a microsecond early
  t.BytesArrived(30, 1020 * ms);
  EXPECT_FALSE(t.Complete(1039 * ms));
  EXPECT_TRUE(t.Complete(1040 * ms));
}

TEST(ReadTiming, AFullBufferCompletesAtOnce) {
  ReadTiming t(ReadTimeouts{20, 0, 0}, 256, 0);
  t.BytesArrived(256, 5);
  EXPECT_TRUE(t.Complete(5));
}

TEST(ReadTiming, TotalTimeoutCanCompleteEmpty) {
  ReadTiming t(ReadTimeouts{0, 2, 100}, 256, 1000 * ms);
  EXPECT_EQ(*t.Deadline(), (1000 + 2 * 256 + 100) * ms);
  EXPECT_FALSE(t.Complete(1611 * ms));
  EXPECT_TRUE(t.Complete(1612 * ms));
  // The interval, when shorter, wins once bytes are there.
  ReadTiming u(ReadTimeouts{5, 0, 100}, 256, 0);
  u.BytesArrived(1, 10 * ms);
  EXPECT_EQ(*u.Deadline(), 15 * ms);
}

TEST(ReadTiming, MaxDwordIntervalForms) {
  // Return at once with what is there.
  ReadTiming now(ReadTimeouts{0xFFFFFFFF, 0, 0}, 256, 50);
  EXPECT_TRUE(now.Complete(50));
  // Return at the first bytes, or after the constant.
  ReadTiming first(ReadTimeouts{0xFFFFFFFF, 0xFFFFFFFF, 300}, 256, 0);
  EXPECT_FALSE(first.Complete(299 * ms));
  EXPECT_TRUE(first.Complete(300 * ms));
  ReadTiming first2(ReadTimeouts{0xFFFFFFFF, 0xFFFFFFFF, 300}, 256, 0);
  first2.BytesArrived(1, 3);
  EXPECT_TRUE(first2.Complete(3));
}
