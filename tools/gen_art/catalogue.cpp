/** @file catalogue.cpp The stock pictures of the picture store: names, sizes, formats and painters. */
#include "catalogue.h"

#include "canvas.h"
#include "painters.h"

namespace art {

QString Picture::fileName() const
{
    return name + (format == Format::Bmp ? QStringLiteral(".bmp") : QStringLiteral(".jpg"));
}

namespace {

/** Collects pictures in order; each painter gets the picture's own size. */
class Builder {
public:
    /** Adds a picture drawn by paint at the given size. */
    void add(const QString &name, int w, int h, Format f, bool transparent,
             const std::function<QImage(QSize)> &paint)
    {
        const QSize size(w, h);
        m_list.push_back({name, w, h, f, transparent, [paint, size] { return paint(size); }});
    }
    std::vector<Picture> take() { return std::move(m_list); }

private:
    std::vector<Picture> m_list; ///< Pictures added so far.
};

/** Adds one block window and its three shutter frames for each change listed. */
void addBlockWindows(Builder &b, const QString &suffix, const QStringList &states,
                     const QStringList &changes, bool dark)
{
    auto finish = [dark](const QImage &img) { return dark ? dimmed(img, 0.55) : img; };
    for (const QString &s : states)
        b.add("Clonka" + s + suffix, 23, 23, Format::Jpeg, false,
              [s, finish](QSize z) { return finish(paintBlockWindow(s[0], s[0], 0, z)); });
    for (const QString &c : changes)
        for (int k = 1; k <= 3; ++k)
            b.add(QStringLiteral("Clonka%1%2%3").arg(c).arg(k).arg(suffix), 23, 23, Format::Jpeg, false,
                  [c, k, finish](QSize z) { return finish(paintBlockWindow(c[0], c[1], k, z)); });
}

/** Adds the latches of the given colours. */
void addLatches(Builder &b, const QString &suffix, const QStringList &colours, bool dark)
{
    for (const QString &c : colours)
        b.add("Zapadka" + c + suffix, 14, 14, Format::Jpeg, false, [c, dark](QSize z) {
            const QImage img = paintLatch(c[0], z);
            return dark ? dimmed(img, 0.55) : img;
        });
}

/** Adds the three pictures of a rotary knob or route lock. */
void addKnob(Builder &b, const QString &stem, KnobStyle style)
{
    b.add(stem + "0", 19, 58, Format::Bmp, true, [style](QSize z) { return paintKnob(style, Turn::Rest, z); });
    b.add(stem + "L", 42, 55, Format::Bmp, true, [style](QSize z) { return paintKnob(style, Turn::Left, z); });
    b.add(stem + "P", 42, 55, Format::Bmp, true, [style](QSize z) { return paintKnob(style, Turn::Right, z); });
}

/** Adds the store's devices after the block windows: locks, switches, buttons, levers, keys. */
void addDevices(Builder &b)
{
    addKnob(b, "Zavernik", KnobStyle::RouteLock);
    b.add("RadicL2", 16, 23, Format::Bmp, true, [](QSize z) { return paintSmallSwitch(-2, z); });
    b.add("RadicL1", 15, 24, Format::Bmp, true, [](QSize z) { return paintSmallSwitch(-1, z); });
    b.add("Radic0", 12, 24, Format::Bmp, true, [](QSize z) { return paintSmallSwitch(0, z); });
    b.add("RadicP1", 15, 24, Format::Bmp, true, [](QSize z) { return paintSmallSwitch(1, z); });
    b.add("RadicP2", 16, 23, Format::Bmp, true, [](QSize z) { return paintSmallSwitch(2, z); });
    b.add("Tl", 12, 14, Format::Bmp, true, paintBareButton);
    b.add("Tl2", 22, 17, Format::Bmp, false, paintSealedButton);
    b.add("Tl3", 26, 21, Format::Bmp, false, paintCoveredButton);
    b.add("PakaH", 48, 418, Format::Bmp, true, [](QSize z) { return paintLeverHead(true, z); });
    b.add("PakaD", 48, 418, Format::Bmp, true, [](QSize z) { return paintLeverHead(false, z); });
    b.add("PakaS", 48, 26, Format::Bmp, true, paintLeverHeld);
    for (int v = 1; v <= 5; ++v)
        b.add(QStringLiteral("Paka%1").arg(v), 31, 274, Format::Jpeg, false,
              [v](QSize z) { return paintLeverBase(v, z); });
    b.add("KlicOff", 25, 7, Format::Bmp, true, [](QSize z) { return paintKey(0, z); });
    b.add("Klic0", 7, 25, Format::Bmp, true, [](QSize z) { return paintKey(1, z); });
    b.add("KlicOn", 25, 7, Format::Bmp, true, [](QSize z) { return paintKey(2, z); });
}

/** Adds the empty vehicle, the emergency buttons and the cranks. */
void addRest(Builder &b)
{
    b.add("VozidloPrazdne", 1, 64, Format::Bmp, false, paintEmptyVehicle);
    b.add("NVTOff", 12, 34, Format::Bmp, true, [](QSize z) { return paintTrainPassedButton(NvtStage::Ready, z); });
    b.add("NVTOn", 12, 34, Format::Bmp, true, [](QSize z) { return paintTrainPassedButton(NvtStage::Pressed, z); });
    b.add("NVTStop", 12, 35, Format::Bmp, true,
          [](QSize z) { return paintTrainPassedButton(NvtStage::SealBroken, z); });
    b.add("NVTStop2", 12, 39, Format::Bmp, true,
          [](QSize z) { return paintTrainPassedButton(NvtStage::Sealed, z); });
    b.add("NVZ", 12, 14, Format::Bmp, true, paintReleaseButton);
    b.add("NVZStop", 20, 20, Format::Bmp, true, paintStopButton);
    const std::pair<const char *, CrankKind> cranks[] = {
        {"Klika2", CrankKind::Box2}, {"KlikaL", CrankKind::Left}, {"KlikaP", CrankKind::Right}};
    for (const auto &[stem, kind] : cranks) {
        const CrankKind k = kind;
        b.add(QString(stem) + "Off", 76, 117, Format::Jpeg, false, [k](QSize z) { return paintCrank(k, false, z); });
        b.add(QString(stem) + "On", 76, 117, Format::Jpeg, false, [k](QSize z) { return paintCrank(k, true, z); });
    }
}

} // namespace

std::vector<Picture> catalogue()
{
    Builder b;
    addKnob(b, "Klicka", KnobStyle::Bakelite);
    b.add("TelBilaOff", 16, 14, Format::Bmp, false, [](QSize z) { return paintTelephoneLamp(false, z); });
    b.add("TelBilaOn", 16, 14, Format::Bmp, false, [](QSize z) { return paintTelephoneLamp(true, z); });
    addBlockWindows(b, QString(), {"B", "C", "R", "Z"}, {"BR", "BZ", "CB", "RB", "ZB", "BC"}, false);
    addLatches(b, QString(), {"B", "C", "R"}, false);
    addBlockWindows(b, "z", {"B", "C", "R", "Z"}, {"CB", "RB", "ZB"}, true);
    addLatches(b, "z", {"B", "R"}, true);
    addDevices(b);
    addRest(b);
    return b.take();
}

} // namespace art
