/** @file desk_catalogue.cpp The pictures of the dispatcher's desk: the two panels and the devices on them. */
#include "desk_catalogue.h"

#include "devices/desk_layout.h"
#include "devices/panel_art.h"

namespace deskart {

namespace {

using namespace desklayout;

/** @return a rectangle of form coordinates moved into the block instrument's picture. */
QRect onBlok(const QRect &r)
{
    return r.translated(-BlokAt);
}

/** The block instrument: its columns, the lever rail and the scales of the three track knobs. */
QImage blok()
{
    QImage img = panelart::panel(BlokSize, BlokFace);
    std::vector<panelart::Recess> recesses;
    for (const QRect &c : Columns)
        recesses.push_back({onBlok(c), ColumnFace});
    panelart::addRecesses(img, recesses);
    panelart::addRail(img, onBlok(LeverRail));
    for (const QPoint &k : KnobAt) {
        std::vector<std::pair<int, int>> stops;
        for (const auto &[top, track] : TrackStops)
            stops.push_back({top + KnobSize.height() / 2 - BlokAt.y(), track});
        const int x = k.x() + KnobSize.width() / 2 - BlokAt.x();
        panelart::addTrackScale(img, x, 790, 870, stops);
    }
    return img;
}

/** The desk board with the recesses of the telephone and of the buttons. */
QImage deska()
{
    QImage img = panelart::panel(DeskaSize, BoardFace);
    std::vector<panelart::Recess> recesses;
    for (const QRect &r : DeskaRecesses)
        recesses.push_back({r, BoardFace.darker(115)});
    panelart::addRecesses(img, recesses);
    return img;
}

} // namespace

std::vector<DeskPicture> catalogue()
{
    using panelart::LeverLook;
    const QSize lamp(6, 6);
    return {
        {"Blok.jpg", BlokSize, false, blok},
        {"Deska.jpg", DeskaSize, false, deska},
        {"Paka.bmp", panelart::leverSize(LeverLook::DeskRoute), true, [] { return panelart::lever(LeverLook::DeskRoute); }},
        {"PakaCH.bmp", panelart::leverSize(LeverLook::DeskSignal), true,
         [] { return panelart::lever(LeverLook::DeskSignal); }},
        {"Induktor.bmp", QSize(40, 40), true, [] { return panelart::magneto(QSize(40, 40)); }},
        {"Knoflik.bmp", KnobSize, true, [] { return panelart::trackKnob(KnobSize); }},
        {"Tlacitko.bmp", QSize(16, 16), true, [] { return panelart::pushButton(QSize(16, 16)); }},
        {"Zvonek.bmp", QSize(27, 27), true, [] { return panelart::bellPush(QSize(27, 27)); }},
        {"Cedulka.bmp", QSize(34, 44), true, [] { return panelart::leverTag(QSize(34, 44)); }},
        {"NVZZaplombovane.bmp", QSize(21, 26), true, [] { return panelart::sealedButton(QSize(21, 26)); }},
        {"TlacitkoCerne14.bmp", QSize(14, 14), true,
         [] { return panelart::squareButton(QSize(14, 14), QColor(40, 40, 44)); }},
        {"TlacitkoCervene14.bmp", QSize(14, 14), true,
         [] { return panelart::squareButton(QSize(14, 14), QColor(170, 30, 28)); }},
        {"TlacitkoCerne16.bmp", QSize(16, 16), true,
         [] { return panelart::squareButton(QSize(16, 16), QColor(40, 40, 44)); }},
        {"SvetloBile.bmp", lamp, false, [=] { return panelart::lamp(QColor(240, 240, 220), lamp); }},
        {"SvetloCervene.bmp", lamp, false, [=] { return panelart::lamp(QColor(230, 40, 30), lamp); }},
        {"SvetloZlute.bmp", lamp, false, [=] { return panelart::lamp(QColor(240, 200, 40), lamp); }},
        {"SvetloZelene.bmp", lamp, false, [=] { return panelart::lamp(QColor(40, 210, 60), lamp); }},
        {"SvetloOranzove.bmp", lamp, false, [=] { return panelart::lamp(QColor(255, 170, 40), lamp); }},
    };
}

} // namespace deskart
