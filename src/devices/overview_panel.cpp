/** @file overview_panel.cpp The signal boxes' overview panels: the box's building, tracks and road. */
#include "devices/overview_panel.h"

#include "devices/device_builder.h"
#include "trackview/track_model.h"

namespace devices {

namespace {

/** The overview's design size: the form's, with the frame's margins. */
const QRect PanelDesign(-1, -4, 1026, 773);

/** A track's shape across the panel. */
void trackShape(ui::Form &form, ui::Control *panel, const QString &name, int top, int height, const QColor &c)
{
    auto *s = form.make<ui::Shape>(panel, name);
    s->setBounds(0, top, panel->width(), height);
    s->setBrushColor(c);
    s->setPenColor(c);
}

} // namespace

ui::Panel *overviewPanel(ui::Form &form, int box, int buildingFoot)
{
    auto *nahled = form.make<ui::Panel>(nullptr, QStringLiteral("Nahled"));
    nahled->setBounds(PanelDesign);
    nahled->setColor(QColor(0, 128, 0));
    nahled->setVisible(false);
    const QImage building = trackViewPicture(QStringLiteral("Stavedlo%1").arg(box));
    const QPoint at((nahled->width() - building.width()) / 2, buildingFoot - building.height());
    deviceImage(form, nahled, QStringLiteral("Stavedlo"), at, building);
    return nahled;
}

void overviewTrack(ui::Form &form, ui::Control *panel, const QString &suffix, int rowTop)
{
    /* The rows of the track view: the rail 2 px at + 64, the bar 5 px at + 65. */
    trackShape(form, panel, "Kolejnice" + suffix, rowTop + 64, 2, QColor(192, 192, 192));
    trackShape(form, panel, "Kolej" + suffix, rowTop + 65, 5, QColor(128, 0, 0));
}

void overviewRoad(ui::Form &form, ui::Control *panel)
{
    auto *road = form.make<ui::Shape>(panel, QStringLiteral("Silnice"));
    road->setBrushColor(QColor(110, 110, 110));
    road->setPenColor(QColor(110, 110, 110));
    road->setBounds(800, 0, 60, panel->height());
}

} // namespace devices
