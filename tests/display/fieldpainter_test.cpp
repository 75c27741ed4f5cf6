#include "fieldpainter.h"
#include "makecolor.h"

#include "../game/fakes.h"

#include <gtest/gtest.h>

TEST(MakeColor, PacksRedLowAndWrapsEachComponent)
{
    EXPECT_EQ(MakeColor(266, 0, 0), MakeColor(10, 0, 0));
    EXPECT_EQ(MakeColor(200, 32, 32), 200u + 32u * 256u + 32u * 65536u);
    EXPECT_EQ(MakeColor(0, 0, 256 + 7), 7u * 65536u);
    EXPECT_EQ(ToRgb(MakeColor(1, 2, 3)), qRgb(1, 2, 3));
}
