/** @file desk_switches_test.cpp The desk's switches and the line-B block buttons. */
#include "desk_fixture.h"

#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a6.h"
#include "trackview/form_a5.h"

namespace {

/** @return the track view's lamp shape of this name, made for the test when the view has none yet. */
ui::Shape &trackLamp(Harness &h, const char *name)
{
    ui::Form &a5 = h.app().A5();
    if (auto *s = dynamic_cast<ui::Shape *>(a5.find(QLatin1String(name))))
        return *s;
    return *a5.make<ui::Shape>(nullptr, QLatin1String(name));
}

} // namespace

using DeskSwitches = Desk;

TEST_F(DeskSwitches, DayNightAndTheDimmingButtonShadeTheTrackViewLamps)
{
    ui::Shape &green = trackLamp(h, "F1");
    ui::Shape &red = trackLamp(h, "MD");
    ui::Shape &yellow = trackLamp(h, "GE");
    const int dnLeft = left("A6.DN");
    h.click("A6.DN");
    EXPECT_TRUE(h.visible("A6.DN2"));
    EXPECT_EQ(left("A6.DN"), dnLeft + 3);
    EXPECT_EQ(green.brushColor(), QColor(0, 0x80, 0));
    EXPECT_EQ(red.brushColor(), QColor(0x80, 0, 0));
    EXPECT_EQ(yellow.brushColor(), QColor(0x80, 0x80, 0));
    h.click("A6.DN");
    EXPECT_FALSE(h.visible("A6.DN2"));
    EXPECT_EQ(left("A6.DN"), dnLeft);
    EXPECT_EQ(green.brushColor(), QColor(0, 0xFF, 0));

    EXPECT_EQ(h.control("A6.Zatemneni").height(), 21);
    h.press("A6.Zatemneni", 5, 5);
    h.release(5, 5);
    EXPECT_FALSE(h.visible("A6.Zatemneni2")) << "covered: presses do nothing";
    h.doubleClick("A6.Zatemneni");
    EXPECT_EQ(h.control("A6.Zatemneni").height(), 17) << "the cover is off, the seal still on";
    EXPECT_FALSE(h.visible("A6.Zatemneni2"));
    h.doubleClick("A6.Zatemneni");
    EXPECT_EQ(h.control("A6.Zatemneni").height(), 14);
    EXPECT_TRUE(h.visible("A6.Zatemneni2")) << "the double click that opens it also presses it";
    EXPECT_EQ(top("A6.Zatemneni"), 272 + 360);
    EXPECT_EQ(red.brushColor(), QColor(0x80, 0, 0));

    h.click("A6.DN");
    EXPECT_TRUE(h.visible("A6.DN2"));
    h.click("A6.DN");
    EXPECT_EQ(red.brushColor(), QColor(0xFF, 0, 0)) << "the last switch worked decides the shade";
    EXPECT_TRUE(h.visible("A6.Zatemneni2"));

    h.press("A6.Zatemneni", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(h.control("A6.Zatemneni").height(), 17) << "the second press seals it again";
    EXPECT_FALSE(h.visible("A6.Zatemneni2"));
    EXPECT_EQ(top("A6.Zatemneni"), 272 + 358);
    h.doubleClick("A6.Zatemneni");
    EXPECT_EQ(h.control("A6.Zatemneni").height(), 14) << "one double click reopens it";
}

TEST_F(DeskSwitches, TheCutOutsSilenceTheirBellsAndTheAcknowledgeToggles)
{
    for (const char *bell : {"A1.ZvonekTSM", "A1.ZvonekIKLada", "A1.ZvonekPorIsSt"})
        h.check(bell, true);
    h.press("A6.VZM", 5, 5);
    EXPECT_EQ(top("A6.VZM"), 405);
    EXPECT_FALSE(h.checked("A1.ZvonekTSM"));
    EXPECT_TRUE(h.checked("A1.ZvonekIKLada"));
    h.release(5, 5);
    EXPECT_EQ(top("A6.VZM"), 403);
    h.press("A6.VZIKLada", 5, 5);
    h.release(5, 5);
    EXPECT_FALSE(h.checked("A1.ZvonekIKLada"));
    EXPECT_TRUE(h.checked("A1.ZvonekPorIsSt"));
    h.check("A1.ZvonekTSM", true);
    h.press("A6.VZ", 5, 5);
    EXPECT_EQ(top("A6.VZ"), 632);
    h.release(5, 5);
    EXPECT_EQ(top("A6.VZ"), 630);
    for (const char *bell : {"A1.ZvonekTSM", "A1.ZvonekIKLada", "A1.ZvonekPorIsSt"})
        EXPECT_FALSE(h.checked(bell)) << bell;

    h.press("A6.PorIsSt", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(top("A6.PorIsSt"), 608);
    EXPECT_TRUE(h.checked("A1.ZvonekPorIsSt")) << "pressed while the fault lamp is dark rings";
    h.app().A6().devices.PorIsSt2->show();
    h.press("A6.PorIsSt", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(top("A6.PorIsSt"), 606);
    EXPECT_TRUE(h.checked("A1.ZvonekPorIsSt")) << "released while the fault lamp is lit rings";
    h.press("A6.PorIsSt", 5, 5);
    EXPECT_FALSE(h.checked("A1.ZvonekPorIsSt")) << "pressed while the fault lamp is lit silences";
    EXPECT_TRUE(h.messages().isEmpty());
}

using LineBBlock = Desk;

TEST_F(LineBBlock, TheConsentIsGivenOnlyWhenAskedAndAskedBackOnlyWhenGiven)
{
    TA1 &a1 = h.app().A1();
    a1.SmerB->setColor(QColor(0, 255, 0));
    h.press("A6.TSM", 5, 5);
    EXPECT_EQ(top("A6.TSM"), 405);
    h.release(5, 5);
    EXPECT_EQ(top("A6.TSM"), 403);
    EXPECT_EQ(h.color("A1.SmerB"), QColor(0, 255, 0)) << "nobody asked";

    a1.SmerB->setColor(QColor(255, 255, 0));
    h.press("A6.TSM", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(h.color("A1.SmerB"), QColor(255, 0, 0));
    EXPECT_FALSE(h.visible("A6.PSM"));
    EXPECT_TRUE(h.visible("A6.USM"));
    EXPECT_FALSE(h.visible("A1.USM"));
    EXPECT_TRUE(h.visible("A1.VTM") && h.visible("A1.PSM"));

    h.app().A6().devices.VTM->hide();
    h.press("A6.ZSM", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(h.color("A1.SmerB"), QColor(255, 0, 0)) << "VT dark: the consent cannot be asked back";
    h.app().A6().devices.VTM->show();
    h.type("A1.Sekunda", "37");
    h.press("A6.ZSM", 5, 5);
    EXPECT_EQ(top("A6.ZSM"), 405);
    h.release(5, 5);
    EXPECT_EQ(h.color("A1.SmerB"), QColor(0, 0, 255));
    EXPECT_EQ(h.value("A1.TSMOn"), 8);
}

/*
 * The game starts with the line free (VT and VO lit) and the consent with
 * Struhy (PS, US and EV dark). ZS asks for it at once, and Struhy gives it
 * back after its delay: PS lights, with VT.
 */
TEST_F(LineBBlock, AtTheStartZSBringsTheConsentBackAtOnce)
{
    EXPECT_EQ(h.color("A1.SmerB"), QColor(255, 0, 0));
    for (const char *lamp : {"A6.VTM", "A6.VOM", "A1.VTM"})
        EXPECT_TRUE(h.visible(lamp)) << lamp;
    for (const char *lamp : {"A6.EVM", "A6.USM", "A6.PSM"})
        EXPECT_FALSE(h.visible(lamp)) << lamp;
    h.type("A1.Sekunda", "00");
    h.press("A6.ZSM", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(h.color("A1.SmerB"), QColor(0, 0, 255));
    EXPECT_EQ(h.value("A1.TSMOn"), 5);
    h.ticks(3);
    EXPECT_FALSE(h.visible("A6.PSM")) << "Struhy answers as the count reaches 1";
    h.ticks(1);
    EXPECT_EQ(h.color("A1.SmerB"), QColor(0, 255, 0)) << "Struhy gave it back";
    EXPECT_TRUE(h.visible("A6.PSM") && h.visible("A6.VTM") && h.visible("A6.VOM"));
    EXPECT_FALSE(h.visible("A6.USM"));
}

TEST_F(LineBBlock, TheArrivalReportFreesTheLineAndTidiesTheTrainsRows)
{
    TA1 &a1 = h.app().A1();
    TA2 &a2 = h.app().A2();
    h.press("A6.ODHLM", 5, 5);
    EXPECT_EQ(top("A6.ODHLM"), 401);
    h.release(5, 5);
    EXPECT_EQ(top("A6.ODHLM"), 403);

    auto place = [&](int r, const char *leavesFor) {
        TimetableRow &row = a2.row(r);
        row.trainNumber->setText("5412");
        row.comesFrom->setText("Struhy");
        row.neighbourDeparture->setText("7:20");
        row.arrival->setText("7:31");
        row.runningTimeFrom->setText("11");
        row.track->setText("1");
        row.leavesFor->setText(QLatin1String(leavesFor));
        row.agreedTime->setText("7:20");
        row.note->setText("x");
    };
    place(3, "");
    place(7, "Vrbská");
    a1.TratB->setText("5412");
    a1.StavVlakB->setValue(40);
    a1.SmerB->setText("Poloautoblok");
    h.app().A6().devices.EVM->show();
    h.app().A6().devices.VTM->hide();
    h.app().A6().devices.VOM->hide();
    a1.VTM->hide();
    h.press("A6.ODHLM", 5, 5);
    h.release(5, 5);
    EXPECT_FALSE(h.visible("A6.EVM"));
    EXPECT_TRUE(h.visible("A6.VTM") && h.visible("A6.VOM") && h.visible("A1.VTM"));
    EXPECT_TRUE(a2.row(3).isFree()) << "the train ended here";
    EXPECT_TRUE(a2.row(3).track->text().isEmpty() && a2.row(3).note->text().isEmpty());
    EXPECT_EQ(a2.row(7).trainNumber->text(), "5412") << "the train goes on to Vrbská";
    EXPECT_EQ(a2.row(7).track->text(), "1");
    EXPECT_TRUE(a2.row(7).comesFrom->text().isEmpty() && a2.row(7).arrival->text().isEmpty());
    EXPECT_EQ(h.text("A1.TratB"), "Volná");
    EXPECT_EQ(h.value("A1.StavVlakB"), 0);

    a1.TratB->setText("5414");
    h.press("A6.ODHLM", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(h.text("A1.TratB"), "5414") << "EV dark: one report for each lighting";
    h.app().A6().devices.EVM->show();
    a1.SmerB->setText("Telefonika");
    h.press("A6.ODHLM", 5, 5);
    h.release(5, 5);
    EXPECT_FALSE(h.visible("A6.EVM"));
    EXPECT_EQ(h.text("A1.TratB"), "5414") << "under the telephone the line keeps its train";
}
