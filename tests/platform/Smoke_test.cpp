#include <gtest/gtest.h>

#include "platform/Dialogs.h"

TEST(ModalResultTest, NoneIsTheDefault) {
    platform::FileDialogResult result;
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(result.filterIndex, 1);
}
