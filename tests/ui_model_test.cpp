// The window's arithmetic and texts that need no toolkit: dialog units, the IDs of the
// option dialogs, and the progress bar under the start button.
#include <gtest/gtest.h>

#include "ui/model/dialog_units.h"
#include "ui/model/option_values.h"
#include "ui/model/progress_bar_text.h"

namespace hanabira {
namespace {

TEST(DialogUnits, ScaleWithTheFont) {
  const DialogUnits units(6, 16);  // a quarter of 6 pixels across, an eighth of 16 down
  EXPECT_EQ(units.toPixels(17, 18, 19, 8), (PixelRect{26, 36, 29, 16}));  // 25.5 and 28.5 round up
  EXPECT_EQ(units.toPixels(316, 183), (PixelSize{474, 366}));
  // The average over the 52 letters, rounded to the nearest pixel.
  EXPECT_EQ(DialogUnits::ofFont(52 * 6 + 25, 14).toPixelsX(4), 6);
  EXPECT_EQ(DialogUnits::ofFont(52 * 6 + 26, 14).toPixelsX(4), 7);
}

TEST(OptionValues, IdsKeepFiveCharactersAndTheLow16Bits) {
  EXPECT_EQ(readIdField("65535"), 65535);
  EXPECT_EQ(readIdField("65536"), 0);
  EXPECT_EQ(readIdField("99999"), 34463);
  EXPECT_EQ(readIdField("123456"), 12345);
  EXPECT_EQ(readIdField("-1"), 65535);
  EXPECT_EQ(readIdField(" 7x"), 7);
}

TEST(ProgressBar, ShowsTheShareAndTheTimeLeft) {
  EXPECT_EQ(durationText(7.4), "0:07");
  EXPECT_EQ(durationText(754), "12:34");
  EXPECT_EQ(durationText(10925), "3:02:05");
  const SearchProgress quarter{{11, 9, 27}, 3, 250, 1000};
  EXPECT_EQ(runningProgressBar(quarter, 10.0).text, "25%  残り 0:30");
  EXPECT_EQ(runningProgressBar(quarter, 10.0).value, progressBarSteps / 4);
  EXPECT_EQ(runningProgressBar({{}, 0, 0, 1000}, 0.5).text, "0%");  // no pace yet
  EXPECT_EQ(runningProgressBar({{}, 0, 1000, 1000}, 40.0).text, "100%");
  // The end says how the search ended.
  EXPECT_EQ(endedProgressBar(quarter, SearchEnd::Aborted).text, "25%で中断");
  EXPECT_EQ(endedProgressBar(quarter, SearchEnd::Aborted).value, progressBarSteps / 4);
  EXPECT_EQ(endedProgressBar(quarter, SearchEnd::Failed).text, "25%で中止");
  EXPECT_EQ(endedProgressBar(quarter, SearchEnd::Finished).text, "検索完了");
}

}  // namespace
}  // namespace hanabira
