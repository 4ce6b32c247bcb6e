/** @file telephone_view_test.cpp The desk's telephone on screen: a ringing line and the answers to an offer. */
#include "harness/harness.h"
#include "telephone/telephone_fixture.h"
#include "view/qt_app.h"

#include "devices/form_a6.h"
#include "frame/form_a0.h"
#include "view/form_window.h"
#include "view/front.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

/** @return the colour of a control's own pixel at (x, y) of its client area, as the window shows it. */
QColor pixelOf(const QImage &shot, const ui::Control &c, int x, int y)
{
    const QPoint at = c.formPos() + QPoint(x, y);
    return shot.pixelColor(at);
}

/** @return the darkest grey level in the middle of a button, where its caption lies. */
int darkestCaption(QWidget *button)
{
    const QImage img = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int darkest = 255;
    const QRect middle = img.rect().adjusted(10, 6, -10, -6);
    for (int y = middle.top(); y <= middle.bottom(); ++y)
        for (int x = middle.left(); x <= middle.right(); ++x)
            darkest = std::min(darkest, qGray(img.pixel(x, y)));
    return darkest;
}

/** @return whether every row of the list lies wholly inside its viewport or wholly outside it. */
bool showsWholeRows(const QListWidget &list)
{
    const QRect inside = list.viewport()->rect();
    for (int r = 0; r < list.count(); ++r) {
        const QRect row = list.visualItemRect(list.item(r));
        if (row.intersects(inside) && !inside.contains(row))
            return false;
    }
    return true;
}

/** The desk with a call connected on line B, drawn by the Qt front with the telephone in sight. */
class TelephoneWindow : public tel::Desk {
protected:
    TelephoneWindow()
    {
        outgoing(3, "123", 'B', "9");
        connect("B");
        h.app().A0().hide();
        TA6 &a6 = h.app().A6();
        a6.show();
        a6.frame.D5->setTop(-a6.G0->top() + 70);
        window = front.window(a6);
        QCoreApplication::processEvents();
    }

    /** @return the widget that shows a control of the desk. */
    template <class W> W *widget(const ui::Control *c) const { return qobject_cast<W *>(window->widgetOf(*c)); }
    /** Clicks row r of the kind list where it lies on screen. */
    void clickKind(QListWidget *kinds, int r)
    {
        kinds->scrollToItem(kinds->item(r));
        QTest::mouseClick(kinds->viewport(), Qt::LeftButton, {}, kinds->visualItemRect(kinds->item(r)).center());
    }

    bool hasApp = qtApp() != nullptr;
    view::Front front{h.app()};
    view::FormWindow *window = nullptr;
};

} // namespace

TEST(TelephoneView, ARingingLineAndTheAnswersToAnOfferAreShown)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9");
    ASSERT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    h.type("A2.V0", "1234");
    h.type("A2.V1", "Horní Lom");
    h.type("A2.W2a", "3");
    h.click("A6.E1");
    h.type("A1.ZpravaA", "Nabídka vlaku 1234");
    h.control("A1.ZpravaA").setColor(QColor(255, 0, 0));
    h.type("A1.ZpravaC", "Nabídka vlaku 4321");
    h.control("A1.ZpravaC").setColor(QColor(255, 0, 0));
    h.click("A6.F0");
    ASSERT_TRUE(h.visible("A6.I4"));
    /* Scrolled down to the telephone, as the frame's keys would, so it fits a small screen. */
    h.control("A6.D5").setTop(-h.control("A6.G0").top() + 70);
    QCoreApplication::processEvents();

    auto &desk = dynamic_cast<ui::Form &>(h.control("A6"));
    view::FormWindow *w = front.window(desk);
    ASSERT_NE(w, nullptr);
    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect phone = QRect(h.control("A6.G0").formPos(), QSize(360, 450)).intersected(shot.rect());
    shot.copy(phone).save(QCoreApplication::applicationDirPath() + "/view_a6_telephone.png");

    const ui::Control &set = h.control("A6.E0");
    ASSERT_TRUE(shot.rect().contains(QRect(set.formPos(), set.bounds().size())))
        << "the set is on the screen " << shot.width() << "x" << shot.height() << " at " << set.formPos().x() << "," << set.formPos().y();
    EXPECT_EQ(pixelOf(shot, h.control("A6.I4"), 2, 2), QColor(0, 255, 0));
    EXPECT_EQ(pixelOf(shot, h.control("A6.I5"), 2, 2), QColor(255, 0, 0));
    /* The set's bakelite body, not the desk behind it. */
    EXPECT_LT(pixelOf(shot, set, 200, 190).lightness(), 60);
    EXPECT_EQ(h.control("A6.F0").top(), set.top() + 80) << "the answered line's key is down";
    EXPECT_EQ(h.control("A6.F1").top(), set.top() + 78) << "the ringing line's key is up";
}

/*
 * The guide's two predicted departures in a row: after "Sdělit" a click on
 * the kind already selected chooses it again, so "Sdělit" is enabled and the
 * neighbour answers once more. A disabled "Sdělit" shows grey text.
 */
TEST_F(TelephoneWindow, AClickOnTheSelectedKindSaysItAgain)
{
    ASSERT_TRUE(hasApp);
    ASSERT_NE(window, nullptr);
    TA6 &a6 = h.app().A6();
    auto *kinds = widget<QListWidget>(a6.G2);
    auto *say = widget<QPushButton>(a6.G5);
    QWidget *panel = window->widgetOf(*a6.G0);
    ASSERT_TRUE(kinds && say && panel);
    ASSERT_TRUE(kinds->isEnabled());
    EXPECT_TRUE(showsWholeRows(*kinds)) << "the kind list shows no half row";
    EXPECT_FALSE(say->isEnabled());
    EXPECT_GT(darkestCaption(say), 100) << "a disabled button's caption is grey";

    const int predicted = a6.G2->items().indexOf("Předvídaný odjezd");
    clickKind(kinds, predicted);
    QTest::mouseClick(panel, Qt::LeftButton, {}, a6.TrainLabels[2]->bounds().center()); // row 3: train 123
    ASSERT_TRUE(say->isEnabled());
    EXPECT_LT(darkestCaption(say), 60) << "an enabled button's caption is black";
    QTest::mouseClick(say, Qt::LeftButton);
    EXPECT_EQ(h.lines("A6.G1"),
              (QStringList{"Vlak 123 odjede z Kamenné v 12:09.", "", "Vlak 123 odjede z Kamenné v 12:09. Rozumí Struhy."}));
    EXPECT_FALSE(say->isEnabled());

    clickKind(kinds, predicted);
    EXPECT_EQ(h.selectedRow("A6.G2"), predicted);
    ASSERT_TRUE(say->isEnabled()) << "choosing the same kind again enables Sdělit";
    QTest::mouseClick(say, Qt::LeftButton);
    EXPECT_EQ(h.line("A6.G1", 2), "Nikoliv, čekejte. Jiný vlak na trati. Červený.");

    /* A change of row by the keyboard chooses a kind too; its long sentence is cut, not wrapped. */
    QTest::keyClick(kinds, Qt::Key_End);
    EXPECT_EQ(h.as<ui::ListBox>("A6.G2").selectedText(), "Odvolání telefoniky");
    EXPECT_TRUE(say->isEnabled());
    QCoreApplication::processEvents();
    auto *memo = widget<QPlainTextEdit>(a6.G1);
    ASSERT_NE(memo, nullptr);
    ASSERT_EQ(h.lines("A6.G1").size(), 1);
    EXPECT_GT(memo->fontMetrics().horizontalAdvance(h.line("A6.G1", 0)), memo->viewport()->width());
    EXPECT_EQ(memo->document()->firstBlock().layout()->lineCount(), 1);
    EXPECT_GT(memo->horizontalScrollBar()->maximum(), 0);
}
