#include "game/ui/ui.h"

#include <gtest/gtest.h>

namespace trv {
namespace {

TEST(CleanText, DropsMarkupAndControlBytes) {
  EXPECT_EQ("Evbright redil[2J", CleanText("Ev`bright red`il\x1b[2J\x07"));
  EXPECT_EQ("", CleanText(nullptr));
  EXPECT_EQ("Sir \xb0Knight", CleanText("Sir \xb0Knight\x7f"));
}

}  // namespace
}  // namespace trv
