/** @file workplace_keys_test.cpp The keys that take the player from a workplace view to the timetable or the menu. */
#include "harness/harness.h"

#include <gtest/gtest.h>

TEST(WorkplaceKeys, F4OpensTheTimetableAndClosingItBringsTheViewBack)
{
    Harness h;
    h.click("A0.H9");
    for (const char *view : {"A5", "A6", "A7", "A8"}) {
        h.control(view).show();
        h.keyDown(view, ui::key::F4);
        EXPECT_TRUE(h.visible("A2")) << view;
        EXPECT_FALSE(h.enabled(view)) << view;
        h.closeForm("A2");
        EXPECT_FALSE(h.visible("A2")) << view;
        EXPECT_TRUE(h.enabled(view)) << view;
        EXPECT_TRUE(h.visible(view)) << view;
    }
}

TEST(WorkplaceKeys, EscReturnsToTheMenuAndPauseSilencesTheKeys)
{
    Harness h;
    h.click("A0.H9");
    h.type("A1.Rychlost", "P");
    h.keyDown("A6", ui::key::Escape);
    h.keyDown("A6", ui::key::F4);
    EXPECT_TRUE(h.visible("A6"));
    EXPECT_FALSE(h.visible("A2"));
    h.type("A1.Rychlost", "1");
    h.keyDown("A6", ui::key::Escape);
    EXPECT_FALSE(h.visible("A6"));
    EXPECT_TRUE(h.visible("A0"));
    h.click("A0.H9"); // "Pokračovat"
    EXPECT_TRUE(h.visible("A6"));
}

TEST(WorkplaceKeys, TheKeysReachTheViewsOfTheNextGame)
{
    Harness h;
    h.click("A0.H9");
    h.click("A0.H5");
    h.click("A0.H9");
    h.keyDown("A6", ui::key::F4);
    EXPECT_TRUE(h.visible("A2"));
    EXPECT_FALSE(h.enabled("A6"));
}
