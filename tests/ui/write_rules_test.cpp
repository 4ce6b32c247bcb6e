/** @file write_rules_test.cpp The write rules of the control model: exact compare, nesting, clamping, timers. */
#include "platform/platform.h"
#include "platform/test_platform.h"
#include "platform/virtual_timer_engine.h"
#include "ui/controls.h"
#include "ui/sim_error.h"

#include <gtest/gtest.h>

namespace {

/** A bare form on the test platform. */
struct Bench : platform::TestPlatform {
    ui::Form form{"T", platform};
};

} // namespace

TEST(WriteRules, EqualTextRunsNoHandlerAndChangedTextRunsItBeforeReturning)
{
    Bench b;
    auto *aspect = b.form.make<ui::Edit>(nullptr, "C03");
    int redraws = 0;
    QString seenInHandler;
    aspect->onChange = [&] {
        ++redraws;
        seenInHandler = aspect->text();
    };
    aspect->setText("Stůj");
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(seenInHandler, "Stůj");
    aspect->setText("Stůj");
    EXPECT_EQ(redraws, 1);
    aspect->setText("Volno");
    aspect->setText("Stůj");
    EXPECT_EQ(redraws, 3);
    /* Case matters: the compare is exact. */
    aspect->setText("stůj");
    EXPECT_EQ(redraws, 4);
}

TEST(WriteRules, HandlersNestDepthFirstInsideTheWrite)
{
    Bench b;
    auto *a = b.form.make<ui::Edit>(nullptr, "A");
    auto *c = b.form.make<ui::Edit>(nullptr, "B");
    QStringList order;
    a->onChange = [&] {
        order << "a-start";
        c->setText("x");
        order << "a-end";
    };
    c->onChange = [&] { order << "b"; };
    a->setText("1");
    EXPECT_EQ(order, (QStringList{"a-start", "b", "a-end"}));
}

TEST(WriteRules, NumberCellsClampToBoundsAndReadBadTextAsLowerBound)
{
    Bench b;
    auto *field = b.form.make<ui::SpinEdit>(nullptr, "HrBOd");
    field->setBounds(1, 5);
    field->setValue(1);
    int runs = 0;
    field->onChange = [&] { ++runs; };
    field->setValue(7);
    EXPECT_EQ(field->text(), "5");
    EXPECT_EQ(runs, 1);
    field->setValue(9); // already 5 after clamping: no handler
    EXPECT_EQ(runs, 1);
    field->setValue(0);
    EXPECT_EQ(field->text(), "1");
    field->setText("abc");
    EXPECT_EQ(field->value(), 1);
    field->setText("");
    EXPECT_EQ(field->value(), 1);

    auto *free = b.form.make<ui::SpinEdit>(nullptr, "StavVlakA");
    free->setValue(-3);
    EXPECT_EQ(free->text(), "-3");
    free->setText("abc");
    EXPECT_EQ(free->value(), 0);

    auto *points = b.form.make<ui::SpinEdit>(nullptr, "Vymena10");
    points->setBounds(-10, 10);
    points->setValue(11);
    EXPECT_EQ(points->value(), 10);
    points->setValue(0);
    EXPECT_EQ(points->text(), "0");
}

TEST(WriteRules, ANumberCellKeepsItsNumberFromTheLastWriteOfItsText)
{
    Bench b;
    auto *field = b.form.make<ui::SpinEdit>(nullptr, "OdjezdA");
    int runs = 0;
    field->onChange = [&] { ++runs; };
    /* Texts that are numbers but not as setValue writes them: the same value written
       again is a new text, so it is stored and its handler runs. */
    const struct {
        const char *text;
        int value;
    } padded[] = {{"007", 7}, {"-0", 0}, {" 12", 12}, {"+5", 5}, {"-08", -8}};
    for (const auto &row : padded) {
        field->setText(row.text);
        EXPECT_EQ(field->value(), row.value) << row.text;
        const int before = runs;
        field->setValue(row.value);
        EXPECT_EQ(field->text(), QString::number(row.value)) << row.text;
        EXPECT_EQ(runs, before + 1) << row.text;
    }
    /* The plain text of the value: nothing is written. */
    field->setValue(-8);
    field->setValue(-8);
    EXPECT_EQ(runs, 10);
    /* A text that is no number reads as the lower bound in force when it is read. */
    field->setText("x");
    field->setBounds(2, 9);
    EXPECT_EQ(field->value(), 2);
    field->setBounds(4, 9);
    EXPECT_EQ(field->value(), 4);
    field->setValue(4);
    EXPECT_EQ(field->text(), "4");
    EXPECT_EQ(field->value(), 4);
    /* Ten digits are read by Qt's rules: too big for an int, so the lower bound. */
    field->setText("12345678901");
    EXPECT_EQ(field->value(), 4);
    field->setText("-123456789");
    EXPECT_EQ(field->value(), -123456789);
}

TEST(WriteRules, ACellHasAPackedColourOnlyWhenItIsExactlyThatColour)
{
    Bench b;
    auto *cell = b.form.make<ui::Edit>(nullptr, "Odj1");
    const ui::PackedColor orange(255, 128, 0);
    EXPECT_FALSE(cell->colorIs(orange));
    EXPECT_TRUE(cell->colorIs(ui::PackedColor(255, 255, 255))); // an edit starts white
    int redraws = 0;
    struct Counter : ui::FormObserver {
        int &n;
        explicit Counter(int &count) : n(count) {}
        void controlChanged(ui::Control *) override { ++n; }
        void controlLayoutChanged(ui::Control *) override {}
        void formStateChanged() override {}
    } counter(redraws);
    b.form.setObserver(&counter);
    cell->setColor(orange);
    cell->setColor(QColor(255, 128, 0)); // the same colour either way: no redraw
    EXPECT_EQ(redraws, 1);
    EXPECT_TRUE(cell->colorIs(orange));
    EXPECT_EQ(cell->color(), QColor(255, 128, 0));
    /* Colours that only round to orange are not orange. */
    cell->setColor(QColor::fromRgba64(0xffff, 0x8000, 0));
    EXPECT_FALSE(cell->colorIs(orange));
    cell->setColor(QColor(255, 128, 0, 254));
    EXPECT_FALSE(cell->colorIs(orange));
    cell->setColor(QColor::fromHsv(30, 255, 255));
    EXPECT_FALSE(cell->colorIs(ui::PackedColor(255, 128, 0)));
    cell->setColor(QColor(255, 128, 0).toHsv());
    EXPECT_FALSE(cell->colorIs(orange)); // another colour model: QColor tells it apart too
    EXPECT_NE(cell->color(), QColor(255, 128, 0));
    cell->setColor(orange);
    EXPECT_TRUE(cell->colorIs(orange));
    EXPECT_EQ(redraws, 6);
    b.form.setObserver(nullptr);
}

TEST(WriteRules, CodeWritesToComboBoxesAndListSelectionsRunNoHandler)
{
    Bench b;
    auto *trat = b.form.make<ui::ComboBox>(nullptr, "TratA");
    int comboRuns = 0;
    trat->onChange = [&] { ++comboRuns; };
    trat->setText("1911");
    EXPECT_EQ(trat->text(), "1911");
    EXPECT_EQ(comboRuns, 0);
    trat->userSetText("Volná");
    EXPECT_EQ(comboRuns, 1);

    auto *list = b.form.make<ui::ListBox>(nullptr, "C04");
    list->setItems({"Stůj", "Volno"});
    int clicks = 0;
    list->onClick = [&] { ++clicks; };
    list->setItemIndex(1);
    EXPECT_EQ(list->itemIndex(), 1);
    EXPECT_EQ(clicks, 0);
    list->userClick(0);
    EXPECT_EQ(list->selectedText(), "Stůj");
    EXPECT_EQ(clicks, 1);
}

TEST(WriteRules, MemoLinesOutOfRangeFail)
{
    Bench b;
    auto *m = b.form.make<ui::Memo>(nullptr, "Hodina");
    m->setLines({"12", "12"});
    EXPECT_EQ(m->line(1), "12");
    EXPECT_THROW(m->line(2), ui::SimError);
    EXPECT_THROW(m->setLine(5, "1"), ui::SimError);
    m->setLine(0, "13");
    EXPECT_EQ(m->lines(), (QStringList{"13", "12"}));
}

TEST(WriteRules, ScrollBarClampsAndRunsChangeOnlyOnAChange)
{
    Bench b;
    auto *bar = b.form.make<ui::ScrollBar>(nullptr, "B4");
    int runs = 0;
    bar->onChange = [&] { ++runs; };
    bar->setPosition(-10);
    EXPECT_EQ(bar->position(), 0);
    EXPECT_EQ(runs, 0);
    bar->setPosition(110);
    EXPECT_EQ(bar->position(), 100);
    EXPECT_EQ(runs, 1);
}

TEST(TimerRules, SameIntervalDoesNotRestartButANewOneStartsAWholePeriod)
{
    Bench b;
    auto *t = b.form.make<ui::Timer>(nullptr, "Hodiny");
    int fired = 0;
    t->setInterval(1000);
    t->setOnTimer([&] { ++fired; });
    b.timers.advance(600);
    t->setInterval(1000); // unchanged: keeps its phase
    b.timers.advance(400);
    EXPECT_EQ(fired, 1);
    b.timers.advance(600);
    t->setInterval(500); // restarts: next firing 500 ms from now
    b.timers.advance(499);
    EXPECT_EQ(fired, 1);
    b.timers.advance(1);
    EXPECT_EQ(fired, 2);
    t->setEnabledFlag(false);
    b.timers.advance(5000);
    EXPECT_EQ(fired, 2);
    t->setEnabledFlag(true);
    b.timers.advance(500);
    EXPECT_EQ(fired, 3);
}

TEST(TimerRules, AsleepItKeepsItsFlagAndIntervalUntilWokenOrStartedAfresh)
{
    Bench b;
    auto *t = b.form.make<ui::Timer>(nullptr, "Hodiny");
    int fired = 0;
    t->setInterval(100);
    t->setOnTimer([&] { ++fired; });
    b.timers.advance(60);
    t->wake(); // not asleep: keeps its phase
    b.timers.advance(40);
    EXPECT_EQ(fired, 1);
    t->sleep();
    b.timers.advance(1000);
    EXPECT_EQ(fired, 1);
    EXPECT_TRUE(t->enabledFlag());
    EXPECT_EQ(t->interval(), 100);
    t->wake(); // a whole period from now
    b.timers.advance(99);
    EXPECT_EQ(fired, 1);
    b.timers.advance(1);
    EXPECT_EQ(fired, 2);
    t->sleep();
    t->setInterval(50);
    b.timers.advance(50);
    EXPECT_EQ(fired, 3);
}

TEST(TimerRules, DueTimersFireInTimeOrder)
{
    Bench b;
    QStringList order;
    auto *slow = b.form.make<ui::Timer>(nullptr, "Slow");
    auto *fast = b.form.make<ui::Timer>(nullptr, "Fast");
    slow->setInterval(300);
    fast->setInterval(200);
    slow->setOnTimer([&] { order << "slow"; });
    fast->setOnTimer([&] { order << "fast"; });
    b.timers.advance(600);
    /* At 600 ms both are due; the one booked first fires first. */
    EXPECT_EQ(order, (QStringList{"fast", "slow", "fast", "slow", "fast"}));
}

TEST(TimerRules, ErrorBoxesOfARepeatingFailureDoNotStackButOtherTimersRun)
{
    Bench b;
    auto *failing = b.form.make<ui::Timer>(nullptr, "Hodiny");
    auto *other = b.form.make<ui::Timer>(nullptr, "Blikac");
    failing->setInterval(10);
    other->setInterval(10);
    int otherFired = 0;
    other->setOnTimer([&] { ++otherFired; });
    failing->setOnTimer([&] {
        ui::guarded(b.form, "Error A1H", [] { throw ui::SimError("'' is not a valid integer value"); });
    });
    /* While the first box is open, the player lets 100 ms pass. */
    bool nested = false;
    b.messages.whileOpen = [&](const QString &) {
        if (nested)
            return;
        nested = true;
        b.timers.advance(100);
        nested = false;
    };
    b.timers.advance(10);
    EXPECT_EQ(b.messages.shown.count("Error A1H"), 1);
    EXPECT_GE(otherFired, 10);
}

TEST(EventRules, AFailureEscapingAnEventIsShownAndTheProgramGoesOn)
{
    Bench b;
    auto *button = b.form.make<ui::Button>(nullptr, "H9");
    button->onClick = [&] { ui::guarded(b.form, "Error 00H9-A.", [] { throw ui::SimError("Soubor chybí"); }); };
    ui::runEvent(b.form, [&] { button->onClick(); });
    EXPECT_EQ(b.messages.shown, (QStringList{"Error 00H9-A.", "Soubor chybí"}));
}

TEST(PlayerRules, SoundPlayersThatAreNotOpenStaySilentAndMissingFilesFailToOpen)
{
    Bench b;
    auto *p = b.form.make<ui::MediaPlayer>(nullptr, "SndTelefon");
    p->play();
    p->stop();
    p->rewind();
    EXPECT_TRUE(b.audio.calls().isEmpty());
    p->setFileName("/nonexistent/Data/Snd/Telefon.wav");
    EXPECT_THROW(p->open(), ui::SimError);
    EXPECT_FALSE(p->isOpen());
}
