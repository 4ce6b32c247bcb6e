/** @file gen_vehicles.cpp Draws the vehicle pictures of the timetables' trains into a folder, as 24-bit BMP files and metafiles. */
#include "metafile_vehicles.h"
#include "vehicle_painter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include <cstdio>
#include <vector>

using gen::VehiclePainter;
namespace colours = gen::colours;

namespace {

/** One picture: its file name, width and how it is drawn. */
struct Vehicle {
    const char *fileName;               ///< File name inside the output folder.
    int width;                          ///< Width in pixels.
    void (*draw)(VehiclePainter &p);    ///< Draws the side view.
};

/* ---------------------------------------------------------------- */

/** Draws the roof of a coach or railbus, with rounded ends, from @p top down to the body. */
void coachRoof(VehiclePainter &p, int top)
{
    const int w = p.width();
    p.polygon({{4, top + 3}, {8, top}, {w - 9, top}, {w - 5, top + 3}, {w - 5, top + 4}, {4, top + 4}},
              colours::kRoof);
}

/** Draws a green coach body with doors at both ends, a window row and its bogies. */
void greenCoach(VehiclePainter &p, int windowCount)
{
    const int w = p.width();
    p.frame();
    coachRoof(p, 13);
    p.box(2, 18, w - 3, 43, colours::kCoachGreen);
    p.door(4, 8, 20, colours::kDoorGreen, colours::kGlass);
    p.door(w - 12, 8, 20, colours::kDoorGreen, colours::kGlass);
    p.windows(14, w - 15, 22, 9, windowCount, colours::kGlass);
    p.box(2, 36, w - 3, 36, colours::kDoorGreen);
    p.bogie(19);
    p.bogie(w - 20);
}

/** Second class coach: plain green. */
void drawCoachSecond(VehiclePainter &p)
{
    greenCoach(p, 9);
}

/** First class coach: green with the yellow stripe above the windows. */
void drawCoachFirst(VehiclePainter &p)
{
    greenCoach(p, 7);
    p.box(14, 19, p.width() - 15, 20, colours::kFirstClass);
}

/** Second class coach with a luggage room behind a wide sliding door. */
void drawCoachLuggage(VehiclePainter &p)
{
    const int w = p.width();
    greenCoach(p, 9);
    p.box(60, 20, w - 15, 43, colours::kCoachGreen);
    p.box(66, 20, 85, 43, colours::kDoorGreen);
    p.line(75, 21, 75, 42, colours::kCoachGreen);
    p.box(68, 23, 73, 27, colours::kDarkGlass);
    p.box(78, 23, 83, 27, colours::kDarkGlass);
}

/** Driving trailer: green coach with a driver's cab and a yellow warning front at the left end. */
void drawDrivingTrailer(VehiclePainter &p)
{
    greenCoach(p, 8);
    p.box(2, 18, 13, 43, colours::kCoachGreen);
    p.polygon({{2, 13}, {9, 13}, {2, 20}}, colours::kBackground);
    p.polygon({{3, 22}, {7, 18}, {12, 18}, {12, 29}, {3, 29}}, colours::kDarkGlass);
    p.box(2, 33, 7, 43, colours::kCargoYellow);
    p.headLamps(3, 6, 38);
}

/* ---------------------------------------------------------------- */

/** Draws a red and cream railbus body with its two single axles. */
void railbusBody(VehiclePainter &p)
{
    const int w = p.width();
    p.frame();
    coachRoof(p, 12);
    p.box(2, 17, w - 3, 31, colours::kCream);
    p.box(2, 32, w - 3, 43, colours::kRed);
    p.door(14, 8, 19, colours::kRed, colours::kDarkGlass);
    p.door(w - 22, 8, 19, colours::kRed, colours::kDarkGlass);
    p.windows(24, w - 25, 20, 9, 6, colours::kDarkGlass);
    p.axle(30);
    p.axle(w - 31);
}

/** Motor railbus 810: a cab at each end. */
void drawRailbus(VehiclePainter &p)
{
    const int w = p.width();
    railbusBody(p);
    p.box(3, 20, 10, 28, colours::kDarkGlass);
    p.box(w - 11, 20, w - 4, 28, colours::kDarkGlass);
    p.headLamps(3, 8, 38);
    p.headLamps(w - 9, w - 4, 38);
    p.box(30, 9, 44, 11, colours::kSteel);
}

/** Railbus trailer: the same body without cabs. */
void drawRailbusTrailer(VehiclePainter &p)
{
    const int w = p.width();
    railbusBody(p);
    p.windows(3, 12, 20, 9, 1, colours::kDarkGlass);
    p.windows(w - 13, w - 4, 20, 9, 1, colours::kDarkGlass);
}

/* ---------------------------------------------------------------- */

/** Draws vertical grille slats between @p left and @p right. */
void grille(VehiclePainter &p, int left, int right, int top, int bottom, const QColor &colour)
{
    for (int x = left; x <= right; x += 3)
        p.line(x, top, x, bottom, colour);
}

/** Diesel locomotive 754 ("Brejlovec"): red with a cream band, cab windows reaching into the roof. */
void drawDiesel754(VehiclePainter &p)
{
    const int w = p.width();
    p.frame();
    p.box(16, 17, w - 17, 19, colours::kRoof);
    p.polygon({{2, 22}, {8, 13}, {17, 13}, {17, 43}, {2, 43}}, colours::kRed);
    p.polygon({{w - 3, 22}, {w - 9, 13}, {w - 18, 13}, {w - 18, 43}, {w - 3, 43}}, colours::kRed);
    p.box(17, 20, w - 18, 43, colours::kRed);
    p.polygon({{4, 22}, {9, 15}, {15, 15}, {15, 24}, {4, 24}}, colours::kDarkGlass);
    p.polygon({{w - 5, 22}, {w - 10, 15}, {w - 16, 15}, {w - 16, 24}, {w - 5, 24}}, colours::kDarkGlass);
    p.box(2, 31, w - 3, 34, colours::kCream);
    grille(p, 24, w - 25, 22, 29, QColor(120, 24, 24));
    p.headLamps(3, 8, 39);
    p.headLamps(w - 9, w - 4, 39);
    p.bogie(24);
    p.bogie(w - 25);
}

/** Diesel locomotive 742 ("Kocour") of the freight carrier: blue hoods, yellow ends, cab off centre. */
void drawDiesel742(VehiclePainter &p)
{
    const int w = p.width();
    p.frame();
    p.box(3, 29, 8, 43, colours::kCargoYellow);
    p.box(9, 12, 24, 43, colours::kCargoBlue);
    p.box(8, 10, 25, 11, colours::kRoof);
    p.box(11, 15, 22, 23, colours::kGlass);
    p.line(16, 15, 16, 23, colours::kCargoBlue);
    p.box(25, 26, w - 4, 43, colours::kCargoBlue);
    p.box(w - 9, 26, w - 4, 43, colours::kCargoYellow);
    p.box(25, 24, w - 10, 25, colours::kRoof);
    grille(p, 30, w - 14, 29, 36, QColor(18, 40, 96));
    p.box(9, 39, w - 4, 40, colours::kCargoYellow);
    p.headLamps(3, 6, 30);
    p.headLamps(w - 7, w - 4, 30);
    p.bogie(19);
    p.bogie(w - 20);
}

/** Draws a box-cab electric locomotive in two colours with two pantographs. */
void electricLocomotive(VehiclePainter &p, const QColor &body, const QColor &band, const QColor &ends)
{
    const int w = p.width();
    p.frame();
    p.box(4, 16, w - 5, 17, colours::kRoof);
    p.box(2, 18, w - 3, 43, body);
    p.box(2, 18, 11, 43, ends);
    p.box(w - 12, 18, w - 3, 43, ends);
    p.box(3, 21, 10, 28, colours::kDarkGlass);
    p.box(w - 11, 21, w - 4, 28, colours::kDarkGlass);
    p.box(12, 32, w - 13, 35, band);
    p.windows(16, w - 17, 21, 6, 5, colours::kDarkGlass);
    p.headLamps(3, 8, 39);
    p.headLamps(w - 9, w - 4, 39);
    p.pantograph(26, 16);
    p.pantograph(w - 27, 16);
    p.bogie(22);
    p.bogie(w - 23);
}

/** Electric locomotive 242 ("Plecháč"): red with a cream band. */
void drawElectric242(VehiclePainter &p)
{
    electricLocomotive(p, colours::kRed, colours::kCream, colours::kRed);
}

/** Electric locomotive 363 ("Eso") of the freight carrier: blue with yellow ends and band. */
void drawElectric363(VehiclePainter &p)
{
    electricLocomotive(p, colours::kCargoBlue, colours::kCargoYellow, colours::kCargoYellow);
}

/* ---------------------------------------------------------------- */

/** Covered wagon Gbs: brown box with an arched roof and sliding doors, on two axles. */
void drawCoveredWagon(VehiclePainter &p)
{
    const int w = p.width();
    const QColor rib{96, 48, 30};
    p.frame();
    p.polygon({{3, 17}, {10, 13}, {w - 11, 13}, {w - 4, 17}}, colours::kRoof);
    p.box(3, 17, w - 4, 43, colours::kWagonBrown);
    for (int x = 7; x < w - 6; x += 8)
        p.line(x, 18, x, 42, rib);
    p.box(w / 2 - 13, 19, w / 2 + 12, 42, rib);
    p.box(w / 2 - 12, 20, w / 2 - 1, 41, colours::kWagonBrown);
    p.box(w / 2 + 1, 20, w / 2 + 11, 41, colours::kWagonBrown);
    p.axle(18);
    p.axle(w - 19);
}

/** Open wagon Eas loaded with coal, on two bogies. */
void drawOpenWagon(VehiclePainter &p)
{
    const int w = p.width();
    const QColor stake{92, 46, 28};
    const QColor coal{58, 56, 54};
    p.frame();
    p.polygon({{5, 26}, {14, 19}, {w / 2, 17}, {w - 15, 19}, {w - 6, 26}}, coal);
    p.box(3, 26, w - 4, 43, colours::kWagonBrown);
    for (int x = 12; x < w - 8; x += 11)
        p.box(x, 26, x + 1, 43, stake);
    p.box(3, 26, w - 4, 26, stake);
    p.bogie(17);
    p.bogie(w - 18);
}

/** Tank wagon Zas: grey tank with a dome and the orange danger band, on two bogies. */
void drawTankWagon(VehiclePainter &p)
{
    const int w = p.width();
    const QColor tank{132, 134, 136};
    p.frame();
    p.polygon({{3, 26}, {7, 21}, {w - 8, 21}, {w - 4, 26}, {w - 4, 37}, {w - 8, 42}, {7, 42}, {3, 37}}, tank);
    p.box(w / 2 - 5, 16, w / 2 + 4, 20, tank);
    p.box(w / 2 - 6, 15, w / 2 + 5, 15, colours::kSteel);
    p.box(6, 30, w - 7, 32, QColor(232, 120, 20));
    p.box(w / 2 - 6, 34, w / 2 + 5, 39, QColor(232, 120, 20));
    p.bogie(15);
    p.bogie(w - 16);
}

/** Flat wagon Res loaded with timber between its stakes, on two bogies. */
void drawTimberWagon(VehiclePainter &p)
{
    const int w = p.width();
    const QColor deck{104, 72, 50};
    const QColor logA{156, 112, 68};
    const QColor logB{132, 92, 56};
    p.frame();
    p.box(2, 40, w - 3, 43, deck);
    for (int row = 0; row < 4; ++row) {
        const int top = 36 - row * 4;
        p.box(6 + row, top, w - 7 - row, top + 3, row % 2 == 0 ? logA : logB);
        p.line(6 + row, top + 3, w - 7 - row, top + 3, logB.darker(130));
    }
    for (int x = 5; x < w - 4; x += 16)
        p.box(x, 22, x + 1, 39, colours::kSteel);
    p.bogie(19);
    p.bogie(w - 20);
}

/** Flat wagon Sgs carrying a red forty-foot container, on two bogies. */
void drawContainerWagon(VehiclePainter &p)
{
    const int w = p.width();
    const QColor container{164, 42, 32};
    const QColor rib{130, 30, 24};
    p.frame();
    p.box(2, 40, w - 3, 43, colours::kSteel);
    p.box(5, 16, w - 6, 39, container);
    for (int x = 9; x < w - 8; x += 4)
        p.line(x, 17, x, 38, rib);
    p.box(5, 16, w - 6, 16, rib);
    p.box(5, 39, w - 6, 39, rib);
    p.bogie(19);
    p.bogie(w - 20);
}

/** Self-discharging hopper wagon Faccs with crushed stone from the quarry, on two bogies. */
void drawHopperWagon(VehiclePainter &p)
{
    const int w = p.width();
    const QColor body{108, 96, 84};
    const QColor stone{186, 176, 156};
    p.frame();
    p.polygon({{6, 19}, {14, 13}, {w - 15, 13}, {w - 7, 19}}, stone);
    p.polygon({{3, 19}, {w - 4, 19}, {w - 4, 34}, {w - 14, 43}, {13, 43}, {3, 34}}, body);
    p.line(3, 19, w - 4, 19, QColor(84, 74, 64));
    p.line(w / 2, 20, w / 2, 42, QColor(84, 74, 64));
    p.bogie(14);
    p.bogie(w - 15);
}

/* ---------------------------------------------------------------- */

/** Every picture, in the order of the vehicles file (code 1 first). */
const std::vector<Vehicle> &catalogue()
{
    static const std::vector<Vehicle> vehicles{
        {"lok_754.bmp", 100, drawDiesel754},
        {"lok_742.bmp", 78, drawDiesel742},
        {"lok_242.bmp", 96, drawElectric242},
        {"lok_363.bmp", 100, drawElectric363},
        {"mot_810.bmp", 104, drawRailbus},
        {"vuz_010.bmp", 104, drawRailbusTrailer},
        {"vuz_B.bmp", 110, drawCoachSecond},
        {"vuz_A.bmp", 110, drawCoachFirst},
        {"vuz_BDs.bmp", 110, drawCoachLuggage},
        {"vuz_Bdt.bmp", 110, drawDrivingTrailer},
        {"voz_Gbs.bmp", 86, drawCoveredWagon},
        {"voz_Eas.bmp", 90, drawOpenWagon},
        {"voz_Zas.bmp", 72, drawTankWagon},
        {"voz_Res.bmp", 106, drawTimberWagon},
        {"voz_Sgs.bmp", 106, drawContainerWagon},
        {"voz_Faccs.bmp", 64, drawHopperWagon},
    };
    return vehicles;
}

/** Draws one vehicle and writes it as a 24-bit BMP. @return true when written. */
bool writeVehicle(const Vehicle &vehicle, const QDir &folder)
{
    QImage image(vehicle.width, gen::kPictureHeight, QImage::Format_RGB32);
    {
        VehiclePainter painter(image);
        vehicle.draw(painter);
    }
    const QString path = folder.filePath(QString::fromLatin1(vehicle.fileName));
    return image.convertToFormat(QImage::Format_RGB888).save(path, "BMP");
}

} // namespace

/** Writes every vehicle picture into the folder named by the only argument. */
int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_vehicles OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "gen_vehicles: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const Vehicle &vehicle : catalogue()) {
        if (!writeVehicle(vehicle, folder)) {
            std::fprintf(stderr, "gen_vehicles: cannot write %s\n", vehicle.fileName);
            return 1;
        }
        std::printf("%s\n", vehicle.fileName);
    }
    for (const gen::MetafileVehicle &vehicle : gen::metafileCatalogue()) {
        QFile file(folder.filePath(QString::fromLatin1(vehicle.fileName)));
        const QByteArray bytes = gen::writeMetafileVehicle(vehicle);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "gen_vehicles: cannot write %s\n", vehicle.fileName);
            return 1;
        }
        std::printf("%s\n", vehicle.fileName);
    }
    return 0;
}
