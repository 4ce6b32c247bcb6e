/** @file form_a6.cpp The dispatcher's desk A6. */
#include "devices/form_a6.h"

#include "devices/device_builder.h"
#include "devices/panel_art.h"

namespace {

/** Where the block instrument's picture stands; every device position is measured from it. */
const QPoint BlokAt(1064, 45);
/** Where the desk board's picture stands. */
const QPoint DeskaAt(0, 272);

/** Face colours of the desk. */
const QColor BoardFace(128, 134, 122);
const QColor BlokFace(62, 84, 70);
const QColor ColumnFace(52, 72, 60);

/** The columns of the block instrument, in form coordinates: magneto A, lines A, D, B, C, and the right end. */
const QRect Columns[] = {{1084, 65, 80, 947},  {1262, 65, 208, 947}, {1556, 65, 84, 947},
                         {1650, 65, 208, 947}, {1880, 65, 220, 947}, {2130, 65, 194, 947}};

/** Size of the track knobs' grip. */
const QSize KnobSize(23, 12);
/** Start Lefts and Tops of the track knobs A, B and C. */
const QPoint KnobAt[3] = {{1346, 881}, {1731, 865}, {2039, 881}};
/** The knob Tops of the track stops and their track numbers. */
const std::pair<int, int> TrackStops[] = {{841, 7}, {849, 5}, {857, 3}, {873, 1}, {889, 2}, {897, 4}};

/** Lever handle sizes: the common lever and the 2 px longer signal lever of line C. */
const QSize LeverSize = panelart::leverSize(panelart::LeverLook::DeskRoute);
const QSize SignalLeverSize = panelart::leverSize(panelart::LeverLook::DeskSignal);

/** @return a rectangle of form coordinates moved into the block instrument's picture. */
QRect onBlok(const QRect &r)
{
    return r.translated(-BlokAt);
}

/** @return the block instrument's picture: the columns, the lever rail and the knobs' track scales. */
const QImage &blokPicture()
{
    static const QImage picture = [] {
        QImage img = panelart::panel(QSize(1280, 987), BlokFace);
        std::vector<panelart::Recess> recesses;
        for (const QRect &c : Columns)
            recesses.push_back({onBlok(c), ColumnFace});
        panelart::addRecesses(img, recesses);
        panelart::addRail(img, onBlok(QRect(1074, 504, 1260, 22)));
        for (const QPoint &k : KnobAt) {
            std::vector<std::pair<int, int>> stops;
            for (const auto &[top, track] : TrackStops)
                stops.push_back({top + KnobSize.height() / 2 - BlokAt.y(), track});
            const int x = k.x() + KnobSize.width() / 2 - BlokAt.x();
            panelart::addTrackScale(img, x, 790, 870, stops);
        }
        return img;
    }();
    return picture;
}

/** @return the desk board's picture with the recesses of the telephone and of the buttons. */
const QImage &deskaPicture()
{
    static const QImage picture = [] {
        QImage img = panelart::panel(QSize(1064, 760), BoardFace);
        panelart::addRecesses(img, {{QRect(270, 100, 460, 260), BoardFace.darker(115)},
                                    {QRect(770, 100, 270, 420), BoardFace.darker(115)}});
        return img;
    }();
    return picture;
}

/** @return the handle of the desk's common lever, which all but the line-C signal levers take. */
const QImage &commonLeverPicture()
{
    static const QImage picture = panelart::lever(panelart::LeverLook::DeskRoute);
    return picture;
}

/** @return the handle of the line-C signal levers, 2 px longer than the common one. */
const QImage &signalLeverPicture()
{
    static const QImage picture = panelart::lever(panelart::LeverLook::DeskSignal);
    return picture;
}

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
    buildWorkplaceOverlay(*this, frame);
}

void TA6::buildPanels()
{
    Deska = devices::panelImage(*this, frame.D5, "Deska", DeskaAt, deskaPicture());
    Blok = devices::panelImage(*this, frame.D5, "Blok", BlokAt, blokPicture());
    PopisA = devices::panelCaption(*this, frame.D5, "PopisA", QStringLiteral("Trať A"), QRect(1262, 72, 208, 20));
    PopisB = devices::panelCaption(*this, frame.D5, "PopisB", QStringLiteral("Trať B"), QRect(1650, 72, 208, 20));
    PopisC = devices::panelCaption(*this, frame.D5, "PopisC", QStringLiteral("Trať C"), QRect(1880, 72, 220, 20));
}

void TA6::buildApproachDevice()
{
    static const QImage button = panelart::pushButton(QSize(16, 16));
    static const QImage light = panelart::lamp(QColor(240, 240, 220), QSize(6, 6));
    VUDTlv = devices::deviceImage(*this, frame.D5, "VUDTlv", QPoint(1680, 243), button);
    VUDTlo = devices::deviceImage(*this, frame.D5, "VUDTlo", QRect(1702, 243, 16, 16));
    VUDL1 = devices::deviceImage(*this, frame.D5, "VUDL1", QPoint(1728, 248), light, false);
    VUDL1->setVisible(false);
    VUDL2 = devices::deviceImage(*this, frame.D5, "VUDL2", QRect(1740, 248, 6, 6), false);
    VUDL2->setVisible(false);
}

void TA6::buildMagnetos()
{
    static const QImage crank = panelart::magneto(QSize(40, 40));
    static const QImage glow = panelart::lamp(QColor(255, 170, 40), QSize(6, 6));
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
    PakaNavBOd = devices::deviceImage(*this, frame.D5, "PakaNavBOd", QPoint(1290, rest), commonLeverPicture());
    PakaZavB = lever("PakaZavB", 1330);
    PakaNavBDo = lever("PakaNavBDo", 1370);
    PakaSouLc1 = lever("PakaSouLc1", 1584);
    PakaNavMOd = lever("PakaNavMOd", 1675);
    PakaZavM = lever("PakaZavM", 1715);
    PakaNavMDo = lever("PakaNavMDo", 1755);
    PakaNavCHDo =
        devices::deviceImage(*this, frame.D5, "PakaNavCHDo", QPoint(1960, signalRest), signalLeverPicture());
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
    static const QImage grip = panelart::trackKnob(KnobSize);
    KnoflikA = devices::deviceImage(*this, frame.D5, "KnoflikA", KnobAt[0], grip);
    KnoflikB = devices::deviceImage(*this, frame.D5, "KnoflikB", QRect(KnobAt[1], KnobSize));
    KnoflikC = devices::deviceImage(*this, frame.D5, "KnoflikC", QRect(KnobAt[2], KnobSize));
}
