/** @file metafile_vehicles.cpp The vehicle pictures written as metafiles: a diesel locomotive (EMF) and a coach (WMF). */
#include "metafile_vehicles.h"

#include "vehicle_painter.h"

#include <QPainter>

namespace gen {

namespace {

/** The see-through ground across the whole picture, as the bitmaps have it. */
void ground(MetafileWriter &w, int width)
{
    w.box(0, 0, width - 1, kPictureHeight - 1, colours::kBackground);
}

/** Buffers at both ends and the underframe between them. */
void frame(MetafileWriter &w, int width)
{
    w.box(2, kFrameTop, width - 3, kFrameTop + 3, colours::kSteel);
    w.box(0, kFrameTop, 1, kFrameTop + 2, colours::kBuffer);
    w.box(width - 2, kFrameTop, width - 1, kFrameTop + 2, colours::kBuffer);
}

/** One wheel on the rail, with its hub. */
void wheel(MetafileWriter &w, int centreX)
{
    w.disc(centreX, kRailTop - 5, 5, colours::kWheel);
    w.disc(centreX, kRailTop - 5, 1, colours::kHub);
}

/** A two-axle bogie centred at centreX. */
void bogie(MetafileWriter &w, int centreX)
{
    w.box(centreX - 11, kFrameTop + 4, centreX + 11, kFrameTop + 8, colours::kSteel);
    wheel(w, centreX - 6);
    wheel(w, centreX + 6);
}

/** @return the owner's plate carried on the side: a small drawn bitmap. */
QImage ownerPlate()
{
    QImage plate(12, 7, QImage::Format_RGB32);
    plate.fill(QColor(24, 60, 140));
    QPainter p(&plate);
    p.setPen(QColor(240, 240, 240));
    p.drawLine(2, 5, 5, 1);
    p.drawLine(5, 1, 9, 5);
    p.drawLine(3, 5, 8, 5);
    return plate;
}

/** Diesel locomotive 714: red hoods, cream band, cab in the middle, owner's plate, number on the side. */
void drawDiesel714(MetafileWriter &w)
{
    const int width = 84;
    ground(w, width);
    frame(w, width);
    w.polygon({{3, 24}, {8, 20}, {31, 20}, {31, 43}, {3, 43}}, colours::kRed);
    w.polygon({{width - 4, 24}, {width - 9, 20}, {width - 32, 20}, {width - 32, 43}, {width - 4, 43}},
              colours::kRed);
    w.box(31, 11, width - 32, 43, colours::kRed);
    w.box(29, 9, width - 30, 10, colours::kRoof);
    w.box(33, 14, 40, 22, colours::kDarkGlass);
    w.box(width - 41, 14, width - 34, 22, colours::kDarkGlass);
    w.box(3, 32, width - 4, 35, colours::kCream);
    for (int x = 8; x <= 27; x += 3)
        w.line(x, 23, x, 29, QColor(120, 24, 24));
    for (int x = width - 28; x <= width - 9; x += 3)
        w.line(x, 23, x, 29, QColor(120, 24, 24));
    w.disc(5, 39, 1, colours::kLamp);
    w.disc(width - 6, 39, 1, colours::kLamp);
    w.bitmap(36, 25, ownerPlate());
    w.text(22, 42, QStringLiteral("714"), 6, colours::kCream);
    bogie(w, 18);
    bogie(w, width - 19);
}

/** Second class coach Bt of the older kind: green, with a two-tone roof and its class mark. */
void drawCoachBt(MetafileWriter &w)
{
    const int width = 100;
    ground(w, width);
    frame(w, width);
    w.polygon({{4, 16}, {8, 13}, {width - 9, 13}, {width - 5, 16}, {width - 5, 17}, {4, 17}}, colours::kRoof);
    w.box(2, 18, width - 3, 43, colours::kCoachGreen);
    w.box(4, 20, 11, 43, colours::kDoorGreen);
    w.box(width - 12, 20, width - 5, 43, colours::kDoorGreen);
    w.box(6, 22, 9, 27, colours::kGlass);
    w.box(width - 10, 22, width - 7, 27, colours::kGlass);
    for (int i = 0; i < 7; ++i) {
        const int left = 15 + i * 11;
        w.box(left, 22, left + 7, 29, colours::kGlass);
    }
    w.line(2, 36, width - 3, 36, colours::kDoorGreen);
    w.bitmap(44, 33, ownerPlate());
    w.text(20, 42, QStringLiteral("2"), 6, colours::kFirstClass);
    bogie(w, 18);
    bogie(w, width - 19);
}

} // namespace

const std::vector<MetafileVehicle> &metafileCatalogue()
{
    static const std::vector<MetafileVehicle> vehicles{
        {"lok_714.emf", 84, drawDiesel714},
        {"vuz_Bt.wmf", 100, drawCoachBt},
    };
    return vehicles;
}

QByteArray writeMetafileVehicle(const MetafileVehicle &vehicle)
{
    if (QByteArray(vehicle.fileName).endsWith(".emf")) {
        EmfWriter writer(vehicle.width, kPictureHeight);
        vehicle.draw(writer);
        return writer.finish();
    }
    WmfWriter writer(vehicle.width, kPictureHeight);
    vehicle.draw(writer);
    return writer.finish();
}

} // namespace gen
