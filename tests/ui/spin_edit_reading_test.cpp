/** @file spin_edit_reading_test.cpp Reading a spin edit's number from the texts it may hold. */
#include "platform/test_platform.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

TEST(SpinEditReading, PlainAndPaddedNumbersReadAsTheyAreAndOtherTextsAsTheLowerBound)
{
    platform::TestPlatform p;
    ui::Form form{"T", p.platform};
    auto *cell = form.make<ui::SpinEdit>(nullptr, "StavVlakA");
    const std::pair<const char *, int> cases[] = {
        {"0", 0},      {"35", 35},  {"-720", -720}, {"007", 7},       {" 12 ", 12}, {"+5", 5},
        {"-", 0},      {"", 0},     {"1a", 0},      {"12345678901", 0}, {"-123456789", -123456789},
    };
    for (const auto &[text, expected] : cases) {
        cell->setText(QString::fromLatin1(text));
        EXPECT_EQ(cell->value(), expected) << text;
    }
    cell->setBounds(-10, 10);
    cell->setText("x");
    EXPECT_EQ(cell->value(), -10);
}
