/** @file written_orders_test.cpp The orders panel: general orders that release signals and dispatch trains, and the cautious-running order's sheet. */
#include "traffic/traffic_fixture.h"

namespace {

const QString S3Order = "Návěstidlo S3 se neobsluhuje, po rozkazu k odjezdu smíte odjet.";

class WrittenOrders : public TrafficTest {
protected:
    /** Writes an order on the general sheet and confirms it with "ok". */
    void order(const QString &number, const QString &text)
    {
        h.click("A5.PC01");
        h.type("A5.RV04", number);
        h.type("A5.RV05", text);
        h.click("A5.RV17");
    }
    void occupy(int track, const QString &number) { h.as<ui::ComboBox>("A1.Kolej" + QString::number(track)).setText(number); }
};

TEST_F(WrittenOrders, SheetsOpenAndCloseFromTheOrdersPanel)
{
    const QColor navy(0, 0, 128), blue(0, 0, 255);
    EXPECT_FALSE(h.visible("A5.PanelC"));
    h.click("A5.TlL3"); // 'ostatní' shows the orders panel with its buttons
    EXPECT_TRUE(h.visible("A5.PanelC"));
    EXPECT_EQ(h.as<ui::Label>("A5.PC01").parent(), h.app().A5().find("PanelC"));
    EXPECT_EQ(h.text("A5.PC01"), "všeobecný rozkaz");
    h.click("A5.PC01");
    EXPECT_TRUE(h.visible("A5.RozkazV"));
    EXPECT_EQ(h.color("A5.PC01"), blue);
    h.type("A5.RV07", "Kamenná");
    h.click("A5.RV19"); // "X" keeps the text
    EXPECT_FALSE(h.visible("A5.RozkazV"));
    EXPECT_EQ(h.color("A5.PC01"), navy);
    EXPECT_EQ(h.text("A5.RV07"), "Kamenná");

    h.click("A5.PC01");
    h.click("A5.PC02");
    EXPECT_TRUE(h.visible("A5.RozkazV"));
    EXPECT_TRUE(h.visible("A5.RozkazOp"));
    EXPECT_EQ(h.as<ui::GroupBox>("A5.RozkazOp").bounds(), h.as<ui::GroupBox>("A5.RozkazV").bounds());
    /* The cautious-running order lies over the general order: it was made after it. */
    const auto &all = h.app().A5().controls();
    const auto at = [&](const QString &n) {
        return std::find_if(all.begin(), all.end(), [&](const auto &c) { return c->name() == n; }) - all.begin();
    };
    EXPECT_LT(at("RozkazV"), at("RozkazOp"));
    h.type("A5.RO03", "5401");
    for (const QString button : {"A5.RO81", "A5.RO83"}) {
        h.click("A5.PC02");
        h.click(button);
        EXPECT_FALSE(h.visible("A5.RozkazOp"));
        EXPECT_EQ(h.color("A5.PC02"), navy);
        EXPECT_EQ(h.text("A5.RO03"), "5401");
    }
    h.click("A5.PC03");
    h.click("A5.PC04");
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(WrittenOrders, ASignalOrderWritesTheRegisterOfTheTrainsTrackOnly)
{
    occupy(3, "5401");
    order("5402", S3Order); // the train stands on no track
    EXPECT_EQ(h.text("A5.Rozkaz3L"), "");
    EXPECT_FALSE(h.visible("A5.RozkazV"));
    EXPECT_EQ(h.text("A5.RV04"), "");
    EXPECT_EQ(h.as<ui::Memo>("A5.RV05").lines().join(""), "");

    h.click("A5.PC01");
    for (const char *f : {"A5.RV07", "A5.RV08", "A5.RV09", "A5.RV11", "A5.RV13", "A5.RV15"})
        h.type(f, "x");
    order("5401", S3Order);
    EXPECT_EQ(h.text("A5.Rozkaz3L"), "S3");
    for (const char *f : {"A5.RV04", "A5.RV07", "A5.RV08", "A5.RV09", "A5.RV11", "A5.RV13", "A5.RV15"})
        EXPECT_EQ(h.text(f), "") << f;

    /* One L1a order for one number on tracks 1 and 2 writes both; a later order replaces the earlier. */
    occupy(1, "7001");
    occupy(2, "7001");
    order("7001", "Návěstidla Lc1 a L1a se neobsluhují, po rozkazu k odjezdu smíte odjet.");
    EXPECT_EQ(h.text("A5.Rozkaz1P"), "Lc1, L1a");
    EXPECT_EQ(h.text("A5.Rozkaz2P"), "");
    order("7001", "Návěstidlo L1a se neobsluhuje, po rozkazu k odjezdu smíte odjet.");
    EXPECT_EQ(h.text("A5.Rozkaz1P"), "L1a");
    EXPECT_EQ(h.text("A5.Rozkaz2P"), "L1a");
    order("7001", "Návěstidlo Lc2 se neobsluhuje, po rozkazu k odjezdu smíte odjet.");
    EXPECT_EQ(h.text("A5.Rozkaz2P"), "Lc2");
    EXPECT_EQ(h.text("A5.Rozkaz1P"), "L1a");
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(WrittenOrders, OnlyTheExactPhraseIsRecognised)
{
    occupy(5, "5401");
    const QString exact = "Návěstidlo S5 se neobsluhuje, po rozkazu k odjezdu smíte odjet.";
    for (const QString &wrong : {exact + " ", exact.chopped(1), QString("Návěstidlo S5 se\nneobsluhuje, po rozkazu k odjezdu smíte odjet."),
                                 QString("návěstidlo S5 se neobsluhuje, po rozkazu k odjezdu smíte odjet."),
                                 QString("Návěstidlo S4 se neobsluhuje, po rozkazu k odjezdu smíte odjet.")}) {
        order("5401", wrong);
        EXPECT_EQ(h.text("A5.Rozkaz5L"), "") << qPrintable(wrong);
        EXPECT_EQ(h.text("A5.RV04"), "");
    }
    /* A line break inside a word, all blanks typed, joins to the phrase. */
    order("5401", "Návěstidlo S5 se neobslu\nhuje, po rozkazu k odjezdu smíte odjet.");
    EXPECT_EQ(h.text("A5.Rozkaz5L"), "S5");
    /* The same phrase typed in decomposed letters is the same text. */
    occupy(7, "5401");
    order("5401", QString("Návěstidlo S7 se neobsluhuje, po rozkazu k odjezdu smíte odjet.")
                      .normalized(QString::NormalizationForm_D));
    EXPECT_EQ(h.text("A5.Rozkaz7L"), "S7");
}

TEST_F(WrittenOrders, ADepartureOrderDispatchesTheTrainAsAClickWould)
{
    put(4, {.number = "5432", .track = "3", .to = "Vrbská"});
    occupy(3, "5432");
    a1().KolejC->setValue(3);
    h.type("A1.C25", "40 a volno");
    /* Not yet due: the order is read, the departure does nothing. */
    row(4).departure->setColor(progress::Yellow);
    order("5432", "Vlak 5432 ze třetí koleje do Vrbské odjezd.");
    EXPECT_FALSE(h.timerEnabled("A1.TimerVlakCDo"));
    row(4).departure->setColor(progress::Aqua);
    /* Line B's direction for a train bound for line C is no order. */
    order("5432", "Vlak 5432 ze třetí koleje do Struh odjezd.");
    order("5432", "Vlak 5432 z páté koleje do Vrbské odjezd.");
    EXPECT_FALSE(h.timerEnabled("A1.TimerVlakCDo"));
    order("5432", "Vlak 5432 ze třetí koleje\ndo Vrbské odjezd.");
    EXPECT_FALSE(h.timerEnabled("A1.TimerVlakCDo"));
    order("5432", "Vlak 5432 ze třetí koleje do Vrbské odjezd.");
    EXPECT_TRUE(h.timerEnabled("A1.TimerVlakCDo"));
    EXPECT_EQ(h.value("A1.StavVlakC"), -1);
    EXPECT_EQ(row(4).departure->color(), progress::Lime);
    EXPECT_EQ(h.text("A5.RV04"), "");
}

TEST_F(WrittenOrders, ASignalOrderThenADepartureOrderSendsATrainPastAStopSignal)
{
    put(2, {.number = "6210", .track = "5", .to = "Horní Lom"});
    row(2).departure->setColor(progress::Aqua);
    occupy(5, "6210");
    a1().KolejA->setValue(5);
    h.type("A1.C43", "Stůj");
    order("6210", "Návěstidlo S5 se neobsluhuje, po rozkazu k odjezdu smíte odjet.");
    order("6210", "Vlak 6210 z páté koleje do Horního Lomu odjezd.");
    EXPECT_TRUE(h.timerEnabled("A1.TimerVlakADo"));
    EXPECT_EQ(h.text("A1.C43"), "Stůj");
}

TEST_F(WrittenOrders, PartAStrikesTheWholePartThenUnusedRowsFromTheBottom)
{
    const auto struck = [&] {
        QStringList shown;
        for (int k = 40; k <= 47; ++k)
            if (h.visible(QString("A5.RO%1").arg(k)))
                shown << QString::number(k);
        return shown.join(",");
    };
    const auto hiddenRows = [&] {
        QString rows;
        for (int r = 1; r <= 8; ++r) {
            const int f = 8 + 4 * (r - 1);
            const bool hidden = !h.visible(QString("A5.RO%1").arg(f, 2, 10, QChar('0')));
            EXPECT_EQ(hidden, !h.visible(QString("A5.RO%1").arg(f + 2, 2, 10, QChar('0'))));
            rows += hidden ? QString::number(r) : QString();
        }
        return rows;
    };
    const struct {
        const char *pictures;
        const char *rows;
        const char *caption;
    } states[] = {{"47", "12345678", "/"}, {"46", "8", "/"},      {"45", "78", "/"},  {"44", "678", "/"},
                  {"43", "5678", "/"},     {"42", "45678", "/"},  {"41", "345678", "/"}, {"40", "2345678", "<"},
                  {"", "", "X"},           {"47", "12345678", "/"}};
    EXPECT_EQ(h.text("A5.RO48"), "X");
    for (const auto &s : states) {
        h.click("A5.RO48");
        EXPECT_EQ(struck(), s.pictures);
        EXPECT_EQ(hiddenRows(), s.rows) << s.pictures;
        EXPECT_EQ(h.text("A5.RO48"), s.caption);
    }
}

TEST_F(WrittenOrders, PartBAndTheOtherInstructionsStrikeInTurn)
{
    const auto shown = [&](std::initializer_list<const char *> names) {
        QString s;
        for (const char *n : names)
            s += h.visible(QString("A5.") + n) ? "1" : "0";
        return s;
    };
    /* RO61 RO59 RO60 | RO52 RO53 RO56 RO58 */
    const struct {
        const char *strikes;
        const char *fields;
        const char *caption;
    } states[] = {{"100", "0000", "/"}, {"010", "1101", "/"}, {"001", "1110", "/"}, {"011", "1100", "<"},
                  {"000", "1111", "X"}};
    for (const auto &s : states) {
        h.click("A5.RO62");
        EXPECT_EQ(shown({"RO61", "RO59", "RO60"}), s.strikes);
        EXPECT_EQ(shown({"RO52", "RO53", "RO56", "RO58"}), s.fields) << s.strikes;
        EXPECT_EQ(h.text("A5.RO62"), s.caption);
    }
    h.click("A5.RO67");
    EXPECT_EQ(shown({"RO65", "RO66"}), "01");
    EXPECT_EQ(h.text("A5.RO67"), "<");
    h.click("A5.RO67");
    EXPECT_EQ(shown({"RO65", "RO66"}), "10");
    EXPECT_EQ(h.text("A5.RO67"), "X");
}

TEST_F(WrittenOrders, AbcGreysEveryFieldWhileHeld)
{
    const QColor silver(192, 192, 192), paper(255, 238, 164);
    h.click("A5.RO48"); // part A struck: its fields are hidden, and greyed all the same
    h.press("A5.RO82", 5, 5);
    for (const char *f : {"A5.RO03", "A5.RO08", "A5.RO38", "A5.RO65", "A5.RO75"})
        EXPECT_EQ(h.color(f), silver) << f;
    EXPECT_FALSE(h.visible("A5.RO08"));
    EXPECT_EQ(h.color("A5.RO82"), QColor(223, 255, 255));
    EXPECT_NE(h.color("A5.RV04"), silver); // the other sheet's fields stay
    h.release(5, 5);
    EXPECT_EQ(h.color("A5.RO38"), paper);
    EXPECT_EQ(h.color("A5.RO82"), QColor(223, 223, 255));

    h.press("A5.RV18", 5, 5);
    for (const char *f : {"A5.RV04", "A5.RV05", "A5.RV15"})
        EXPECT_EQ(h.color(f), silver) << f;
    h.release(5, 5);
    EXPECT_EQ(h.color("A5.RV05"), QColor(255, 255, 235));
}

} // namespace
