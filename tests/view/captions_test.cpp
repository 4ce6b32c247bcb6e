/** @file captions_test.cpp Captions as the player reads them: each text fits its label and names the device under it. */
#include "harness/harness.h"
#include "view/qt_app.h"

#include "devices/desk_layout.h"
#include "devices/form_a6.h"
#include "support/screen_sizes.h"
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

/**
 * Where each view opens at a screen size: the game started, so the views
 * stand laid out at the screen's size and scrolled to their first place.
 */
class ArtInSight : public testing::TestWithParam<QSize> {
protected:
    ArtInSight() : h(QStringLiteral(KAMENNA_SOURCE_DATA_DIR), GetParam())
    {
        view::installFontSubstitutions();
        h.click("A0.H9");
    }

    /** @return the part of a view's content the player sees, in the content's coordinates: inside the edge strips. */
    QRect seen(const QString &view) const
    {
        const ui::Control &d5 = h.control(view + ".D5");
        return QRect(-d5.left(), -d5.top(), GetParam().width(), GetParam().height()).adjusted(2, 2, -2, -2);
    }
    /** @return a control's place in its view's content. */
    QRect inContent(const QString &name) const { return h.control(name).bounds(); }
    /** @return where a caption's text is painted, in its view's content. */
    QRect textOf(const QString &name) const
    {
        const auto &l = h.as<ui::Label>(name);
        return view::labelTextRect(l).translated(l.bounds().topLeft());
    }
    /** @return the place of the clock box, in a view's content. */
    QRect clockOf(const QString &view) const
    {
        return QRect(h.control(view + ".H00").formPos() - h.control(view + ".D5").formPos(),
                     h.control(view + ".H00").bounds().size());
    }

    QApplication *qt = qtApp();
    Harness h;
};

TEST_P(ArtInSight, BoxOnesTitleShowsWhole)
{
    h.keyDown("A6", ui::key::F6);
    ASSERT_TRUE(h.visible("A7"));
    h.maximise("A7");
    EXPECT_EQ(h.text("A7.Popis"), "KAMENNÁ - Stavědlo 1");
    const QRect text = textOf("A7.Popis");
    EXPECT_TRUE(seen("A7").contains(text));
    EXPECT_TRUE(inContent("A7.Popis").contains(text)) << "the label holds its text";
    EXPECT_FALSE(text.intersects(clockOf("A7"))) << "clear of the clock";
}

TEST_P(ArtInSight, BoxTwosTitleAndTheTopOfItsDiagramShow)
{
    h.keyDown("A6", ui::key::F7);
    ASSERT_TRUE(h.visible("A8"));
    h.maximise("A8");
    EXPECT_EQ(h.text("A8.Popis"), "KAMENNÁ - Stavědlo 2");
    const QRect text = textOf("A8.Popis");
    EXPECT_TRUE(seen("A8").contains(text));
    EXPECT_TRUE(inContent("A8.Popis").contains(text)) << "the label holds its text";
    EXPECT_FALSE(text.intersects(clockOf("A8"))) << "clear of the clock";
    EXPECT_TRUE(inContent("A8.Blok").contains(text)) << "on the block instrument";
    /* The diagram's top edge and the first track's throat under it. */
    const QRect diagram = inContent("A8.H0");
    EXPECT_TRUE(seen("A8").contains(QRect(diagram.topLeft(), QSize(300, 150))));
}

/*
 * The columns stand where the block instrument's fixed place puts them, so
 * at 1024 and 1280 px they lie right of the first view; their captions stand
 * low enough to show whenever the view reaches a column.
 */
TEST_P(ArtInSight, TheDesksLineCaptionsStandOverTheirColumnsInTheRowsSeen)
{
    h.maximise("A6");
    const QRect seen = this->seen("A6");
    int whole = 0;
    for (const desklayout::ColumnCaption &c : desklayout::ColumnCaptions) {
        const QString name = QStringLiteral("A6.") + c.name;
        EXPECT_EQ(h.text(name), QString::fromUtf8(c.text));
        const QRect text = textOf(name);
        const QRect &column = desklayout::Columns[c.column];
        EXPECT_TRUE(column.contains(text)) << c.name;
        EXPECT_GE(text.top(), seen.top()) << c.name;
        EXPECT_LE(text.bottom(), seen.bottom()) << c.name;
        if (seen.contains(QPoint(column.center().x(), text.top()))) {
            EXPECT_TRUE(seen.contains(text)) << c.name;
            ++whole;
        }
    }
    if (GetParam().width() >= 1920) {
        EXPECT_EQ(whole, 2) << "lines A and B in sight";
    }
}

TEST_P(ArtInSight, TheButtonBoardShowsWholeWithItsCaptionsInside)
{
    h.maximise("A6");
    const QRect board = desklayout::DeskaRecesses[1].translated(desklayout::DeskaAt);
    EXPECT_TRUE(seen("A6").contains(board));
    QStringList inside;
    for (const auto &c : h.app().A6().controls()) {
        auto *l = dynamic_cast<const ui::Label *>(c.get());
        if (!l || !l->name().startsWith(QLatin1String("Popis")) || !board.intersects(l->bounds()))
            continue;
        inside << l->name();
        EXPECT_TRUE(board.contains(textOf("A6." + l->name()))) << l->name().toStdString();
    }
    EXPECT_TRUE(inside.contains("PopisPorIsSt"));
    EXPECT_TRUE(inside.contains("PopisVZ"));
}

INSTANTIATE_TEST_SUITE_P(Screens, ArtInSight,
                         testing::Values(QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080)), screenSizeName);
