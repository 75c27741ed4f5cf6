#include "picturepath.h"

#include <gtest/gtest.h>

TEST(PicturePath, EmptyPictureHasAnEmptyPreview)
{
    EXPECT_EQ(PreviewSize(QSize(0, 0), QSize(160, 120)), QSize(0, 0));
    EXPECT_EQ(PreviewSize(QSize(300, 0), QSize(160, 120)), QSize(0, 0));
    EXPECT_EQ(PreviewSize(QSize(300, 200), QSize(160, 120)), QSize(160, 106));
}
