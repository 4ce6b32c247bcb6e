/** @file form_a7.cpp Signal box 1 A7. */
#include "devices/form_a7.h"

#include "devices/box1_handlers.h"
#include "devices/box_indicators.h"
#include "devices/device_builder.h"
#include "devices/overview_panel.h"
#include "devices/panel_art.h"

namespace {

/** Where the block instrument and the lever frame stand; device positions are measured from them. */
const QPoint BlokAt(1000, 160);
const QPoint RamAt(86, 690);
/** Knob beam of the lever frame, in form coordinates. */
constexpr int BeamTop = 900;
constexpr int BeamHeight = 150;

const QColor BlokFace(62, 84, 70);
const QColor ColumnFace(52, 72, 60);

/** Lever handle sizes of the block levers, which take the desk's pictures at the game start. */
const QSize LeverSize = panelart::leverSize(panelart::LeverLook::DeskRoute);
const QSize SignalLeverSize = panelart::leverSize(panelart::LeverLook::DeskSignal);

/** The mechanical levers' parts, by lever number 1 .. 11. */
ui::Image *TA7::*const Plates[11] = {&TA7::Paka1a, &TA7::Paka2a, &TA7::Paka3a, &TA7::Paka4a,
                                     &TA7::Paka5a, &TA7::Paka6a, &TA7::Paka7a, &TA7::Paka8a,
                                     &TA7::Paka9a, &TA7::Paka10a, &TA7::Paka11a};
ui::Image *TA7::*const Heads[11] = {&TA7::Paka1b, &TA7::Paka2b, &TA7::Paka3b, &TA7::Paka4b,
                                    &TA7::Paka5b, &TA7::Paka6b, &TA7::Paka7b, &TA7::Paka8b,
                                    &TA7::Paka9b, &TA7::Paka10b, &TA7::Paka11b};
ui::Image *TA7::*const Bases[11] = {&TA7::Paka1c, &TA7::Paka2c, &TA7::Paka3c, &TA7::Paka4c,
                                    &TA7::Paka5c, &TA7::Paka6c, &TA7::Paka7c, &TA7::Paka8c,
                                    &TA7::Paka9c, &TA7::Paka10c, &TA7::Paka11c};

/** Top of every lever base; the head positions are measured from it. */
constexpr int BaseTop = 1010;
/** Sizes of a lever's plate, head and base. */
const QSize PlateSize(34, 48);
const QSize HeadSize(48, 418);
const QSize BaseSize(31, 274);

/**
 * @return the Left of lever n's place in the frame. The levers stand in
 * the gaps of the knob row, whose knobs sit 96 px apart from Left 1079.
 */
int leverSlot(int n)
{
    return 1079 + 96 * (n - 1);
}

/** @return whether lever n stands up at the start: the lock levers 3 and 7 and lever 9. */
bool startsUp(int n)
{
    return n == 3 || n == 7 || n == 9;
}

/** @return the block instrument's picture: the magneto's and the two lines' columns and the lever rail. */
const QImage &blokPicture()
{
    static const QImage picture = [] {
        QImage img = panelart::panel(QSize(560, 480), BlokFace);
        const QPoint o = -BlokAt;
        panelart::addRecesses(img, {{QRect(1030, 200, 80, 420).translated(o), ColumnFace},
                                    {QRect(1140, 200, 150, 420).translated(o), ColumnFace},
                                    {QRect(1330, 200, 150, 420).translated(o), ColumnFace}});
        panelart::addRail(img, QRect(1020, 504, 520, 22).translated(o));
        return img;
    }();
    return picture;
}

} // namespace

TA7::TA7(platform::Platform &platform) : ui::Form(QStringLiteral("A7"), platform)
{
    setCaption(QStringLiteral("Kobrant ŽST Kamenná"));
    setBounds(0, 0, 1024, 768);
    buildWorkplaceContent(*this, frame, QRect(-787, -128, 2201, 1593));
    frame.D5->setColor(QColor(110, 100, 80));
    buildPanels();
    buildBlock();
    buildLeverFrame();
    devices::buildBox1Indicators(*this);
    /* Box 1 stands behind line B's track; line A's runs in front of it. */
    Nahled = devices::overviewPanel(*this, 1, 168 + 62);
    devices::overviewTrack(*this, Nahled, "M", 168);
    devices::overviewTrack(*this, Nahled, "B", 240);
    VlakA = devices::overviewTrain(*this, Nahled, "VlakA", 240);
    VlakB = devices::overviewTrain(*this, Nahled, "VlakB", 168);
    devices::buildBox1Devices(*this);
    buildWorkplaceOverlay(*this, frame);
}

void TA7::buildPanels()
{
    static const QImage table = panelart::lockingTable(QSize(440, 430));
    static const QImage board = panelart::panel(QSize(1300, 560), QColor(120, 86, 52));
    static const QImage ram = panelart::leverFrame(QSize(2090, 900), BeamTop - RamAt.y(), BeamHeight);
    Shape1 = make<ui::Shape>(frame.D5, "Shape1");
    Shape1->setBounds(0, 660, 2201, 933);
    Shape1->setBrushColor(QColor(84, 76, 62));
    Shape1->setPenColor(QColor(84, 76, 62));
    Ciselnik = devices::panelImage(*this, frame.D5, "Ciselnik", QPoint(150, 170), table);
    Deska = devices::panelImage(*this, frame.D5, "Deska", QPoint(640, 120), board);
    Blok = devices::panelImage(*this, frame.D5, "Blok", BlokAt, blokPicture());
    /* Low enough to show whole at the view's start scroll place, above the block instrument. */
    Popis = devices::panelCaption(*this, frame.D5, "Popis", QStringLiteral("KAMENNÁ - Stavědlo 1"),
                                  QRect(1000, 141, 560, 18));
    Ram = devices::panelImage(*this, frame.D5, "Ram", RamAt, ram);
}

void TA7::buildBlock()
{
    const int signalRest = BlokAt.y() + 339, routeRest = BlokAt.y() + 341;
    auto signalLever = [this, signalRest](const char *name, int left) {
        return devices::deviceImage(*this, frame.D5, name, QRect(QPoint(left, signalRest), SignalLeverSize));
    };
    auto routeLever = [this, routeRest](const char *name, int left) {
        return devices::deviceImage(*this, frame.D5, name, QRect(QPoint(left, routeRest), LeverSize));
    };
    PakaNavBOd = signalLever("PakaNavBOd", 1160);
    PakaZavB = routeLever("PakaZavB", 1205);
    PakaNavBDo = signalLever("PakaNavBDo", 1250);
    PakaNavMDo = signalLever("PakaNavMDo", 1350);
    PakaZavM = routeLever("PakaZavM", 1395);
    PakaNavMOd = signalLever("PakaNavMOd", 1440);
    Induktor = devices::deviceImage(*this, frame.D5, "Induktor", QRect(1050, BlokAt.y() + 234, 40, 40));
    Induktor2 = devices::deviceImage(*this, frame.D5, "Induktor2", QRect(1067, 380, 6, 6), false);
    Induktor2->setVisible(false);
}

void TA7::buildLeverFrame()
{
    static const QImage plate = panelart::leverPlate(PlateSize);
    for (int n = 1; n <= 11; ++n) {
        const QRect place(QPoint(leverSlot(n) + 84, 1062), PlateSize);
        this->*Plates[n - 1] = devices::deviceImage(*this, frame.D5, QStringLiteral("Paka%1a").arg(n), place, false);
    }
    Paka1a->setPicture(plate);
    for (int n = 1; n <= 11; ++n) {
        /* Up: head Top = base Top - 291; down: base Top + 147. */
        const int top = startsUp(n) ? BaseTop - 291 : BaseTop + 147;
        const QRect place(QPoint(leverSlot(n) + 33, top), HeadSize);
        this->*Heads[n - 1] = devices::deviceImage(*this, frame.D5, QStringLiteral("Paka%1b").arg(n), place);
    }
    for (int n = 1; n <= 11; ++n) {
        const QRect place(QPoint(leverSlot(n) + 42, BaseTop), BaseSize);
        this->*Bases[n - 1] = devices::deviceImage(*this, frame.D5, QStringLiteral("Paka%1c").arg(n), place, false);
    }
}
