/** @file form_a6.cpp The dispatcher's desk A6. */
#include "devices/form_a6.h"

#include "devices/desk_layout.h"
#include "devices/desk_pictures.h"
#include "devices/device_builder.h"
#include "devices/panel_art.h"

namespace {

using namespace desklayout;

/** Lever handle sizes: the common lever and the 2 px longer signal lever of line C. */
const QSize LeverSize = panelart::leverSize(panelart::LeverLook::DeskRoute);
const QSize SignalLeverSize = panelart::leverSize(panelart::LeverLook::DeskSignal);

} // namespace

TA6::TA6(platform::Platform &platform) : ui::Form(QStringLiteral("A6"), platform)
{
    setCaption(QStringLiteral("Kobrant ŽST Kamenná"));
    setBounds(0, 0, 1024, 768);
    buildWorkplaceContent(*this, frame, QRect(-10, -251, 2500, 1412));
    frame.D5->setColor(QColor(96, 96, 88));
    buildPanels();
    TelLom = make<ui::Image>(frame.D5, "TelLom");
    TelLom->setBounds(300, 400, 60, 20);
    buildTelephone();
    buildApproachDevice();
    buildMagnetos();
    buildLevers();
    buildRouteLocks();
    buildTrackKnobs();
    devices::buildDeskDevices(*this);
    buildWorkplaceOverlay(*this, frame);
}

void TA6::buildPanels()
{
    Deska = devices::panelImage(*this, frame.D5, "Deska", DeskaAt, devices::deskPicture("Deska.jpg", DeskaSize));
    Blok = devices::panelImage(*this, frame.D5, "Blok", BlokAt, devices::deskPicture("Blok.jpg", BlokSize));
    ui::Label **captions[3] = {&PopisA, &PopisB, &PopisC};
    for (size_t k = 0; k < ColumnCaptions.size(); ++k) {
        const ColumnCaption &c = ColumnCaptions[k];
        const QRect &column = Columns[c.column];
        *captions[k] = devices::panelCaption(*this, frame.D5, QLatin1String(c.name), QString::fromUtf8(c.text),
                                             QRect(column.left(), ColumnCaptionTop, column.width(), 20));
    }
}

void TA6::buildApproachDevice()
{
    const QImage &button = devices::deskPicture("Tlacitko.bmp", QSize(16, 16));
    const QImage &light = devices::deskPicture("SvetloBile.bmp", QSize(6, 6));
    VUDTlv = devices::deviceImage(*this, frame.D5, "VUDTlv", QPoint(1680, 243), button);
    VUDTlo = devices::deviceImage(*this, frame.D5, "VUDTlo", QRect(1702, 243, 16, 16));
    VUDL1 = devices::deviceImage(*this, frame.D5, "VUDL1", QPoint(1728, 248), light, false);
    VUDL1->setVisible(false);
    VUDL2 = devices::deviceImage(*this, frame.D5, "VUDL2", QRect(1740, 248, 6, 6), false);
    VUDL2->setVisible(false);
}

void TA6::buildMagnetos()
{
    const QImage &crank = devices::deskPicture("Induktor.bmp", QSize(40, 40));
    const QImage &glow = devices::deskPicture("SvetloOranzove.bmp", QSize(6, 6));
    const int rest = BlokAt.y() + 269;
    InduktorA = devices::deviceImage(*this, frame.D5, "InduktorA", QPoint(1104, rest), crank);
    InduktorA2 = devices::deviceImage(*this, frame.D5, "InduktorA2", QPoint(1121, 300), glow, false);
    InduktorA2->setVisible(false);
    InduktorB = devices::deviceImage(*this, frame.D5, "InduktorB", QRect(2150, rest, 40, 40));
    InduktorB2 = devices::deviceImage(*this, frame.D5, "InduktorB2", QRect(2167, 300, 6, 6), false);
    InduktorB2->setVisible(false);
}

void TA6::buildLevers()
{
    const int rest = 421, signalRest = 419;
    auto lever = [this, rest](const char *name, int left) {
        return devices::deviceImage(*this, frame.D5, name, QRect(QPoint(left, rest), LeverSize));
    };
    auto signalLever = [this, signalRest](const char *name, int left) {
        return devices::deviceImage(*this, frame.D5, name, QRect(QPoint(left, signalRest), SignalLeverSize));
    };
    PakaNavBOd = devices::deviceImage(*this, frame.D5, "PakaNavBOd", QPoint(1290, rest),
                                      devices::deskPicture("Paka.bmp", LeverSize));
    PakaZavB = lever("PakaZavB", 1330);
    PakaNavBDo = lever("PakaNavBDo", 1370);
    PakaSouLc1 = lever("PakaSouLc1", 1584);
    PakaNavMOd = lever("PakaNavMOd", 1675);
    PakaZavM = lever("PakaZavM", 1715);
    PakaNavMDo = lever("PakaNavMDo", 1755);
    PakaNavCHDo =
        devices::deviceImage(*this, frame.D5, "PakaNavCHDo", QPoint(1960, signalRest),
                             devices::deskPicture("PakaCH.bmp", SignalLeverSize));
    PakaZavCH = lever("PakaZavCH", 2000);
    PakaNavCHOd = signalLever("PakaNavCHOd", 2040);
    PakaTSCH = lever("PakaTSCH", 2250);
}

void TA6::buildRouteLocks()
{
    const int top = 760;
    const QSize atRest(19, 58), turned(42, 55);
    ZavernikA = devices::deviceImage(*this, frame.D5, "ZavernikA", QRect(QPoint(1348, top), atRest));
    ZavernikB = devices::deviceImage(*this, frame.D5, "ZavernikB", QRect(QPoint(1733, top), atRest));
    ZavernikC = devices::deviceImage(*this, frame.D5, "ZavernikC", QRect(QPoint(2041, top), atRest));
    ZavernikD = devices::deviceImage(*this, frame.D5, "ZavernikD", QRect(QPoint(1586, top), atRest));
    ZavernikE = devices::deviceImage(*this, frame.D5, "ZavernikE", QRect(QPoint(2287, top), turned));
}

void TA6::buildTrackKnobs()
{
    const QImage &grip = devices::deskPicture("Knoflik.bmp", KnobSize);
    KnoflikA = devices::deviceImage(*this, frame.D5, "KnoflikA", KnobAt[0], grip);
    KnoflikB = devices::deviceImage(*this, frame.D5, "KnoflikB", QRect(KnobAt[1], KnobSize));
    KnoflikC = devices::deviceImage(*this, frame.D5, "KnoflikC", QRect(KnobAt[2], KnobSize));
}
