#include "cli/progress_line.h"

#include <gtest/gtest.h>

namespace hanabira {
namespace {

TEST(SummaryText, RatesAndCountsReadTheSameWayAtEveryScale) {
  EXPECT_EQ(formatRate(166, "seeds"), "166 seeds/s");
  EXPECT_EQ(formatRate(3'400, "seeds"), "3 kseeds/s");
  EXPECT_EQ(formatRate(2'634'000, "seeds"), "2.63 Mseeds/s");
  EXPECT_EQ(formatRate(12.5e9, "seeds"), "12.50 Gseeds/s");
  EXPECT_EQ(formatCount(1, "boot moment", "boot moments"), "1 boot moment");
  EXPECT_EQ(formatCount(0, "match", "matches"), "0 matches");
  EXPECT_EQ(formatDuration(3725), "1:02:05");
}

}  // namespace
}  // namespace hanabira
