/** @file desk_devices.cpp The working devices of the dispatcher's desk at their design places. */
#include "devices/desk_devices.h"

#include "devices/device_builder.h"
#include "devices/form_a6.h"
#include "devices/desk_pictures.h"

namespace devices {

namespace {

/** Tiny silver font of the use counters; their value shows as a tooltip. */
const ui::Font CounterFont{QStringLiteral("Verdana"), 8, false, false, QColor(200, 200, 204)};
/** Font of the captions engraved beside the desk board's buttons. */
const ui::Font CaptionFont{QStringLiteral("Verdana"), 9, false, false, QColor(236, 232, 214)};

/** The lamps' pictures, 6 x 6, by colour. */
const char *const White = "SvetloBile.bmp", *const Red = "SvetloCervene.bmp", *const Yellow = "SvetloZlute.bmp",
                  *const Green = "SvetloZelene.bmp";

/** @return a desk picture of its listed size. */
const QImage &picture(const char *file, QSize size)
{
    return deskPicture(QLatin1String(file), size);
}

/** Creates a five-digit counter label under a button. */
ui::Label *counter(TA6 &a6, const QString &name, QPoint at)
{
    auto *l = a6.make<ui::Label>(a6.frame.D5, name);
    l->setBounds(QRect(at, QSize(34, 11)));
    l->setTransparent(true);
    l->setAlignment(ui::Align::Center);
    l->setFont(CounterFont);
    l->setCaption(QStringLiteral("00000"));
    l->setHint(QStringLiteral("00000"));
    return l;
}

/** Creates a caption engraved on the desk board. */
ui::Label *caption(TA6 &a6, const QString &name, const QString &text, const QRect &place)
{
    auto *l = a6.make<ui::Label>(a6.frame.D5, name);
    l->setBounds(place);
    l->setTransparent(true);
    l->setFont(CaptionFont);
    l->setCaption(text);
    return l;
}

/** Creates a caption engraved on the desk board, centred on a device's middle. */
void centredCaption(TA6 &a6, const QString &name, const QString &text, int middle, int top)
{
    const int width = 8 * static_cast<int>(text.size()) + 8;
    caption(a6, name, text, QRect(middle - width / 2, top, width, 14))->setAlignment(ui::Align::Center);
}

/** Creates a lamp, dark (hidden) at start. */
ui::Image *lamp(TA6 &a6, const QString &name, QPoint at, const char *colour)
{
    ui::Image *img = deviceImage(a6, a6.frame.D5, name, at, picture(colour, QSize(6, 6)), false);
    img->setVisible(false);
    return img;
}

/** Creates a drop tablet (raised: Height 1, grey) and its handle above it. */
void tablet(TA6 &a6, int i, const QString &letter, int left)
{
    const int top = 160;
    auto *t = a6.make<ui::Label>(a6.frame.D5, "Desticka" + letter);
    t->setBounds(left, top, 30, 1);
    t->setColor(QColor(0xBB, 0xBB, 0xBB));
    auto *grip = a6.make<ui::Label>(a6.frame.D5, "Desticka" + letter + "2");
    grip->setBounds(left + 12, top - 26, 5, 25);
    grip->setColor(QColor(60, 60, 60));
    a6.devices.Desticka[i] = t;
    a6.devices.Desticka2[i] = grip;
}

} // namespace

void buildDeskDevices(TA6 &a6)
{
    DeskDevices &d = a6.devices;
    ui::Control *D5 = a6.frame.D5;
    const int blokTop = a6.Blok->top(), blokLeft = a6.Blok->left(), deskaTop = a6.Deska->top();

    /* Tablets first, so that everything else stands in front of them. */
    /* Their handles stand in the gaps between the lamps of the exit signals above them. */
    tablet(a6, 0, "A", 1440);
    tablet(a6, 1, "B", 1820);
    tablet(a6, 2, "C", 1905);
    tablet(a6, 3, "D", 2005);

    const QImage &bell = picture("Zvonek.bmp", QSize(27, 27));
    const int bellTop = blokTop + 314;
    d.ZvonekA = deviceImage(a6, D5, "ZvonekA", QPoint(1090, bellTop), bell);
    d.ZvonekB = deviceImage(a6, D5, "ZvonekB", QPoint(1125, bellTop), bell);
    d.ZvonekC = deviceImage(a6, D5, "ZvonekC", QPoint(2140, bellTop), bell);
    d.ZvonekD = deviceImage(a6, D5, "ZvonekD", QPoint(2175, bellTop), bell);
    d.KlikaL = deviceImage(a6, D5, "KlikaL", QRect(1086, 600, 76, 117), false);
    d.KlikaP = deviceImage(a6, D5, "KlikaP", QRect(2200, 600, 76, 117), false);

    const QImage &release = picture("Tlacitko.bmp", QSize(16, 16));
    d.NRB = deviceImage(a6, D5, "NRB", QPoint(1430, 368), release);
    d.NRM = deviceImage(a6, D5, "NRM", QPoint(1815, 368), release);
    d.NRCH = deviceImage(a6, D5, "NRCH", QPoint(1888, 368), release);
    d.NRB2 = counter(a6, "NRB2", QPoint(1421, 388));
    d.NRM2 = counter(a6, "NRM2", QPoint(1806, 388));
    d.NRCH2 = counter(a6, "NRCH2", QPoint(1879, 388));

    /* Emergency buttons under the ten block levers (all but the consent lever), sealed. */
    const QImage &sealed = picture("NVZZaplombovane.bmp", QSize(21, 26));
    const ui::Image *levers[10] = {a6.PakaNavBOd, a6.PakaZavB,  a6.PakaNavBDo,  a6.PakaSouLc1, a6.PakaNavMOd,
                                   a6.PakaZavM,   a6.PakaNavMDo, a6.PakaNavCHDo, a6.PakaZavCH,  a6.PakaNavCHOd};
    const char *nvzNames[10] = {"NVZNavBOd", "NVZZavB",  "NVZNavBDo",  "NVZSouLc1", "NVZNavMOd",
                                "NVZZavM",   "NVZNavMDo", "NVZNavCHDo", "NVZZavCH",  "NVZNavCHOd"};
    for (int i = 0; i < 10; ++i)
        d.NVZ[i] = deviceImage(a6, D5, nvzNames[i], QPoint(levers[i]->left() + 4, blokTop + 490), sealed);

    /* Tags hang on the signal levers, 25 px below the lever's Top (27 on line C); anchors on the feet. */
    const QImage &tag = picture("Cedulka.bmp", QSize(34, 44));
    auto hang = [&](const char *anchor, const char *tagName, const ui::Image *lever, int offset, ui::Label *&a,
                    ui::Image *&t) {
        a = a6.make<ui::Label>(D5, anchor);
        a->setBounds(lever->left(), lever->top() + 80, lever->width(), 28);
        a->setTransparent(true);
        t = deviceImage(a6, D5, tagName, QPoint(lever->left() - 3, lever->top() + offset), tag);
        t->setVisible(false);
    };
    hang("CedBOd", "CedulkaBOd", a6.PakaNavBOd, 25, d.CedBOd, d.CedulkaBOd);
    hang("CedBDo", "CedulkaBDo", a6.PakaNavBDo, 25, d.CedBDo, d.CedulkaBDo);
    hang("CedMOd", "CedulkaMOd", a6.PakaNavMOd, 25, d.CedMOd, d.CedulkaMOd);
    hang("CedMDo", "CedulkaMDo", a6.PakaNavMDo, 25, d.CedMDo, d.CedulkaMDo);
    hang("CedCHDo", "CedulkaCHDo", a6.PakaNavCHDo, 27, d.CedCHDo, d.CedulkaCHDo);
    hang("CedCHOd", "CedulkaCHOd", a6.PakaNavCHOd, 27, d.CedCHOd, d.CedulkaCHOd);

    /* Keys at rest; the game wiring gives them their stock picture. */
    d.KlicA = deviceImage(a6, D5, "KlicA", QRect(blokLeft + 339, blokTop + 231, 25, 7));
    d.KlicB = deviceImage(a6, D5, "KlicB", QRect(blokLeft + 724, blokTop + 231, 25, 7));
    d.KlicC = deviceImage(a6, D5, "KlicC", QRect(blokLeft + 839, blokTop + 231, 25, 7));
    d.VUDTlx = deviceImage(a6, D5, "VUDTlx", QRect(1660, 243, 16, 16));
    d.VUDTlx->setVisible(false);
    d.VUDStop = deviceImage(a6, D5, "VUDStop", QRect(1660, 265, 16, 16));
    d.VUDStop->setVisible(false);

    /* The desk board: call-on buttons, switches and the line-B block. */
    const int up = deskaTop + 334;
    d.PNL = deviceImage(a6, D5, "PNL", QRect(790, up, 22, 17), false);
    d.PNML = deviceImage(a6, D5, "PNML", QRect(830, up, 22, 17), false);
    d.PNS = deviceImage(a6, D5, "PNS", QRect(870, up, 22, 17), false);
    d.PNL2 = counter(a6, "PNL2", QPoint(784, up + 22));
    d.PNML2 = counter(a6, "PNML2", QPoint(824, up + 22));
    d.PNS2 = counter(a6, "PNS2", QPoint(864, up + 22));
    caption(a6, "PopisPN", QStringLiteral("Přivolávací návěsti"), QRect(782, up - 18, 110, 14));

    const QImage &button = picture("TlacitkoCerne14.bmp", QSize(14, 14));
    const QImage &redButton = picture("TlacitkoCervene14.bmp", QSize(14, 14));
    /* The switches stand far enough left that their captions end inside the board. */
    d.VZIKLada = deviceImage(a6, D5, "VZIKLada", QPoint(910, up), button);
    d.PorIsSt = deviceImage(a6, D5, "PorIsSt", QPoint(965, up), redButton);
    d.PorIsSt2 = lamp(a6, "PorIsSt2", QPoint(985, up + 4), Red);
    caption(a6, "PopisVZIKLada", QStringLiteral("Vypnutí ZV IK Lada"), QRect(880, up - 32, 100, 14));
    caption(a6, "PopisPorIsSt", QStringLiteral("Porucha isol.stavů"), QRect(938, up - 16, 88, 14));
    d.Zatemneni = deviceImage(a6, D5, "Zatemneni", QRect(910, deskaTop + 358, 26, 21));
    d.Zatemneni2 = lamp(a6, "Zatemneni2", QPoint(940, deskaTop + 365), White);
    d.VZ = deviceImage(a6, D5, "VZ", QPoint(965, deskaTop + 358), button);
    caption(a6, "PopisZatemneni", QStringLiteral("Zatemnění"), QRect(900, deskaTop + 382, 60, 14));
    caption(a6, "PopisVZ", QStringLiteral("Vypnutí zvonku"), QRect(955, deskaTop + 382, 70, 14));
    d.DN = deviceImage(a6, D5, "DN", QRect(800, 700, 15, 24));
    d.DN2 = lamp(a6, "DN2", QPoint(822, 709), White);
    caption(a6, "PopisDN", QStringLiteral("Den-Noc"), QRect(790, 726, 60, 14));

    const int row = 403;
    const QImage &blockButton = picture("TlacitkoCerne16.bmp", QSize(16, 16));
    d.TSM = deviceImage(a6, D5, "TSM", QPoint(790, row), blockButton);
    d.ZSM = deviceImage(a6, D5, "ZSM", QPoint(830, row), blockButton);
    d.ODHLM = deviceImage(a6, D5, "ODHLM", QPoint(870, row), blockButton);
    d.VZM = deviceImage(a6, D5, "VZM", QPoint(940, row), button);
    /* Each button's caption under it, each lamp's over it, centred on the device. */
    const std::pair<const ui::Image *, const char *> buttons[4] = {
        {d.TSM, "TS"}, {d.ZSM, "ZS"}, {d.ODHLM, "ODHL"}, {d.VZM, "Vypnutí zvonku"}};
    for (const auto &[b, text] : buttons)
        centredCaption(a6, "Popis" + b->name(), QString::fromUtf8(text), b->left() + b->width() / 2, row + 20);
    /* The colours of Struhy's panel on the state store: EV yellow, VT green, VO and US white, PS red. */
    d.EVM = lamp(a6, "EVM", QPoint(795, row - 14), Yellow);
    d.VTM = lamp(a6, "VTM", QPoint(835, row - 14), Green);
    d.VOM = lamp(a6, "VOM", QPoint(875, row - 14), White);
    d.USM = lamp(a6, "USM", QPoint(915, row - 14), White);
    d.PSM = lamp(a6, "PSM", QPoint(955, row - 14), Red);
    for (const ui::Image *l : {d.EVM, d.VTM, d.VOM, d.USM, d.PSM})
        centredCaption(a6, "Popis" + l->name(), l->name().left(2), l->left() + l->width() / 2, row - 30);
    /* The line starts free, as Struhy's own VT says: VT and VO lit. The consent starts with Struhy,
       so PS (and US, EV) stay dark: ZS may ask for it at once, and box 1 clears no exit towards
       Struhy until Struhy has given it back and PS lights. */
    d.VTM->show();
    d.VOM->show();
}

} // namespace devices
