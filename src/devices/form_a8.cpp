/** @file form_a8.cpp Signal box 2 A8. */
#include "devices/form_a8.h"

#include "devices/box_indicators.h"
#include "devices/device_builder.h"
#include "devices/overview_panel.h"
#include "devices/panel_art.h"

namespace {

/**
 * Where the panels stand; device positions are measured from them. The box
 * opens with its content shown from about 310 px down, so the diagram and
 * the knob panel under it stand on the console, in sight.
 */
const QPoint E0At(0, 416);
const QPoint H0At(700, 424);
const QPoint BlokAt(80, 160);
const QPoint I0At(920, 700);

const QColor ConsoleFace(150, 152, 140);
const QColor BlokFace(62, 84, 70);
const QColor ColumnFace(52, 72, 60);

/** Lever handle sizes of the block levers: route lever and the 2 px longer signal lever. */
const QSize LeverSize = panelart::leverSize(panelart::LeverLook::Box2Route);
const QSize SignalLeverSize = panelart::leverSize(panelart::LeverLook::Box2Signal);

/** @return the block instrument's picture: the line-C column and the lever rail. */
const QImage &blokPicture()
{
    static const QImage picture = [] {
        QImage img = panelart::panel(QSize(520, 480), BlokFace);
        const QPoint o = -BlokAt;
        panelart::addRecesses(img, {{QRect(200, 356, 230, 264).translated(o), ColumnFace}});
        panelart::addRail(img, QRect(100, 504, 480, 22).translated(o));
        return img;
    }();
    return picture;
}

/** @return the knob panel's picture: three rails for the rows of knobs and controllers. */
const QImage &i0Picture()
{
    static const QImage picture = [] {
        QImage img = panelart::panel(QSize(1220, 300), QColor(176, 178, 168));
        for (int y : {60, 140, 220})
            panelart::addRail(img, QRect(20, y, 1180, 16));
        return img;
    }();
    return picture;
}

} // namespace

TA8::TA8(platform::Platform &platform) : ui::Form(QStringLiteral("A8"), platform)
{
    setCaption(QStringLiteral("Kobrant ŽST Kamenná"));
    setBounds(0, 0, 1024, 768);
    buildWorkplaceContent(*this, frame, QRect(-32, -304, 2425, 1297));
    frame.D5->setColor(QColor(120, 120, 110));
    buildPanels();
    buildBlockLevers();
    devices::buildBox2Indicators(*this);
    /* Box 2 stands behind line C's track; the road crosses under the track and its trains. */
    Nahled = devices::overviewPanel(*this, 2, 208 + 62);
    devices::overviewRoad(*this, Nahled);
    devices::overviewTrack(*this, Nahled, "CH", 208);
    VlakC = devices::overviewTrain(*this, Nahled, "VlakC", 208);
    buildWorkplaceOverlay(*this, frame);
}

void TA8::buildPanels()
{
    static const QImage console = panelart::panel(QSize(2425, 881), ConsoleFace);
    static const QImage diagram = panelart::trackDiagram(QSize(1500, 250));
    E0 = devices::panelImage(*this, frame.D5, "E0", E0At, console);
    H0 = devices::panelImage(*this, frame.D5, "H0", H0At, diagram);
    Blok = devices::panelImage(*this, frame.D5, "Blok", BlokAt, blokPicture());
    /* Low enough to show whole where the box opens, over the line-C column, clear of the clock. */
    Popis = devices::panelCaption(*this, frame.D5, "Popis", QStringLiteral("KAMENNÁ - Stavědlo 2"),
                                  QRect(80, 324, 520, 20));
    I0 = devices::panelImage(*this, frame.D5, "I0", I0At, i0Picture());
}

void TA8::buildBlockLevers()
{
    static const QImage route = panelart::lever(panelart::LeverLook::Box2Route);
    static const QImage signal = panelart::lever(panelart::LeverLook::Box2Signal);
    const int signalRest = BlokAt.y() + 339, routeRest = BlokAt.y() + 341;
    PakaSouLc1 = devices::deviceImage(*this, frame.D5, "PakaSouLc1", QPoint(230, routeRest), route);
    PakaNavCHDo = devices::deviceImage(*this, frame.D5, "PakaNavCHDo", QPoint(280, signalRest), signal);
    PakaZavCH = devices::deviceImage(*this, frame.D5, "PakaZavCH", QRect(QPoint(330, routeRest), LeverSize));
    PakaNavCHOd =
        devices::deviceImage(*this, frame.D5, "PakaNavCHOd", QRect(QPoint(380, signalRest), SignalLeverSize));
}
