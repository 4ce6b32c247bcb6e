/** @file captions_test.cpp Captions as the player reads them: each text fits its label and names the device under it. */
#include "harness/harness.h"
#include "view/qt_app.h"

#include "devices/form_a6.h"
#include "view/painter.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

/** @return the width the view paints a label's caption with, in pixels. */
int textWidth(const ui::Label &l)
{
    view::installFontSubstitutions();
    return QFontMetrics(view::toQFont(l.font())).horizontalAdvance(l.caption());
}

/** @return a control's place on its form. */
QRect placeOf(const ui::Control &c)
{
    return QRect(c.formPos(), c.bounds().size());
}

} // namespace

TEST(Captions, TheAboutPageLinesFitTheirLabelsAtEveryScreenSize)
{
    ASSERT_NE(qtApp(), nullptr);
    for (QSize screen : {QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080)}) {
        Harness h(QStringLiteral(KAMENNA_SOURCE_DATA_DIR), screen);
        h.openMenu();
        h.hoverClick("A0.G0");
        ASSERT_TRUE(h.visible("A0.U2"));
        for (int k = 3; k <= 8; ++k) {
            const auto &line = h.as<ui::Label>(QStringLiteral("A0.U%1").arg(k));
            EXPECT_LE(textWidth(line), line.width())
                << screen.width() << "x" << screen.height() << " " << line.caption().toStdString();
        }
    }
}

TEST(Captions, TheDesksLineBLampsStandUnderTheirCaptions)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    h.click("A0.H9");
    for (const char *lamp : {"EVM", "VTM", "VOM", "USM", "PSM"}) {
        const ui::Control &l = h.control(QStringLiteral("A6.") + lamp);
        const auto &caption = h.as<ui::Label>(QStringLiteral("A6.Popis") + lamp);
        EXPECT_EQ(caption.caption(), QString::fromLatin1(lamp, 2));
        const QRect text = placeOf(caption);
        const int middle = text.center().x(), half = textWidth(caption) / 2;
        const int lampMiddle = placeOf(l).center().x();
        EXPECT_LE(std::abs(lampMiddle - middle), std::max(1, half - 2)) << lamp << " under its caption";
        EXPECT_GE(placeOf(l).top(), text.bottom()) << lamp;
        EXPECT_LE(placeOf(l).top() - text.bottom(), 6) << lamp;
    }
    int textEnd = 0;
    for (const char *button : {"TSM", "ZSM", "ODHLM", "VZM"}) {
        const auto &caption = h.as<ui::Label>(QStringLiteral("A6.Popis") + button);
        const int start = placeOf(caption).center().x() - textWidth(caption) / 2;
        EXPECT_GT(start, textEnd + 2) << button << "'s caption clear of the one before";
        textEnd = start + textWidth(caption);
    }
    for (const char *button : {"TSM", "ZSM", "ODHLM", "VZM"}) {
        const ui::Control &b = h.control(QStringLiteral("A6.") + button);
        const QRect text = placeOf(h.control(QStringLiteral("A6.Popis") + button));
        EXPECT_LE(std::abs(placeOf(b).center().x() - text.center().x()), 1) << button;
        EXPECT_GE(text.top(), placeOf(b).bottom()) << button << " over its caption";
    }
}

TEST(Captions, EveryDeskCaptionFitsAndTheBoardsButtonsStandWhereTheyBelong)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    h.click("A0.H9");
    int captions = 0;
    for (const auto &c : h.app().A6().controls()) {
        auto *l = dynamic_cast<const ui::Label *>(c.get());
        if (!l || !l->name().startsWith(QLatin1String("Popis")))
            continue;
        ++captions;
        EXPECT_LE(textWidth(*l), l->width()) << l->name().toStdString();
    }
    EXPECT_GE(captions, 15);
    /* Tops of the desk board's buttons at rest, on the board 272 px down the desk. */
    const std::pair<const char *, int> tops[] = {{"TSM", 403},      {"ZSM", 403},     {"ODHLM", 403},
                                                 {"VZM", 403},      {"VZIKLada", 606}, {"PorIsSt", 606},
                                                 {"Zatemneni", 630}, {"VZ", 630},      {"NRB", 368},
                                                 {"NRM", 368},      {"NRCH", 368}};
    for (const auto &[name, top] : tops)
        EXPECT_EQ(h.control(QStringLiteral("A6.") + name).top(), top) << name;
}

TEST(Captions, BoxOnesTitleShowsWholeAtTheStartPlaceOnEveryScreen)
{
    ASSERT_NE(qtApp(), nullptr);
    for (QSize screen : {QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080)}) {
        Harness h(QStringLiteral(KAMENNA_SOURCE_DATA_DIR), screen);
        h.click("A0.H9");
        h.keyDown("A6", ui::key::F6);
        ASSERT_TRUE(h.visible("A7"));
        h.maximise("A7");
        const auto &title = h.as<ui::Label>("A7.Popis");
        EXPECT_EQ(title.caption(), "KAMENNÁ - Stavědlo 1");
        view::installFontSubstitutions();
        const QFontMetrics metrics(view::toQFont(title.font()));
        const QRect text(placeOf(title).center().x() - textWidth(title) / 2, title.formPos().y(), textWidth(title),
                         metrics.height());
        EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(text)) << screen.width() << "x" << screen.height();
        EXPECT_LE(text.bottom(), placeOf(title).bottom()) << "the label holds its text";
        EXPECT_FALSE(text.intersects(placeOf(h.control("A7.H00")))) << "clear of the clock";
    }
}
