/** @file text_metrics_test.cpp The real text measure follows the font it is given. */
#include "platform/text_metrics.h"
#include "ui/control.h"
#include "view/qt_app.h"

#include <gtest/gtest.h>

TEST(TextMetrics, QtsMeasureFollowsTheFontsFaceSizeAndWeight)
{
    ASSERT_NE(qtApp(), nullptr);
    const platform::QtTextMetrics metrics;
    const ui::Font plain{"Verdana", 13, false, false, Qt::black};
    ui::Font bold = plain;
    bold.bold = true;
    ui::Font larger = plain;
    larger.pixelSize = 26;
    const QString text = QStringLiteral("Vlak 1911 se blíží");
    const int width = metrics.textWidth(text, plain);
    EXPECT_GT(width, 0);
    EXPECT_GT(metrics.textWidth(text, bold), width);
    EXPECT_GT(metrics.textWidth(text, larger), width * 3 / 2);
    /* A proportional face: narrow letters take less room than wide ones. */
    EXPECT_LT(metrics.textWidth("iiii", plain), metrics.textWidth("WWWW", plain));
    EXPECT_EQ(metrics.textWidth(QString(), plain), 0);
}
