/** @file form_a1_neighbours.cpp The neighbour-stations face of A1: the block panels of Struhy and Vrbská. */
#include "core/form_a1.h"

#include "core/panel_pictures.h"
#include "devices/device_builder.h"
#include "devices/panel_art.h"

namespace {

const QColor FaceBlue(0, 0, 106); ///< The face's dark blue, $6A0000.

/* Struhy's group, 169 x 105: its lamps and buttons in rows, in the group's coordinates. */
constexpr QRect StruhyGroup(64, 168, 169, 105);
constexpr QPoint StruhyPicture(2, 12); ///< Where `Image1` lies in the group.
constexpr int LampTop = 41;
constexpr int LampLefts[4] = {28, 63, 97, 131}; ///< `EVM`, `PSM`, `VTM`, `USM`.
constexpr QSize LampSize(8, 8);
constexpr int ButtonTop = 68;
constexpr int ButtonLefts[4] = {26, 61, 95, 129}; ///< `ODHLM`, `ZSM`, `VZM`, `TSM`.
constexpr QSize ButtonSize(12, 14);

/* Vrbská's group, 329 x 449, its viewport `Panel1` and the tall block `CHBlok` scrolled in it. */
constexpr QRect VrbskaGroup(292, 16, 329, 449);
constexpr QRect ViewPort(10, 18, 279, 409);
constexpr QSize BlockSize(281, 764);
constexpr int VrbskaColumns[3] = {60, 140, 220}; ///< Consent, entry release, pre-announcement.
constexpr int MagnetoTop = 300;
constexpr int MagnetoSize = 64;
constexpr QSize WindowSize(23, 23); ///< The picture store's block windows.
constexpr int WindowTop = 420;
constexpr QSize LatchSize(14, 14); ///< The picture store's latches.
constexpr int LatchTop = 452;
constexpr int LeverTop = 484;
constexpr QSize LeverSize(24, 90);

/** @return the rectangle of a part of this size centred on x. */
QRect centred(int x, int top, QSize size)
{
    return QRect(QPoint(x - size.width() / 2, top), size);
}

/** Creates a group of the face: dark blue with a white caption. */
ui::GroupBox *faceGroup(ui::Form &f, ui::Control *parent, const QString &name, const QString &caption, const QRect &r)
{
    auto *g = f.make<ui::GroupBox>(parent, name);
    g->setCaption(caption);
    g->setColor(FaceBlue);
    g->setFontColor(Qt::white);
    g->setBounds(r);
    return g;
}

} // namespace

void TA1::buildNeighbourFace()
{
    /* Above the window's top edge and wider than it, as the face was laid out: it fills the window. */
    SouZST = make<ui::GroupBox>(nullptr, QStringLiteral("SouZST"));
    SouZST->setBounds(0, -5, 640, 484);
    SouZST->setColor(FaceBlue);
    SouZST->setVisible(false);
    buildStruhyPanel();
    buildVrbskaPanel();
    Label1 = make<ui::Label>(SouZST, QStringLiteral("Label1"));
    Label1->setCaption(QStringLiteral("zavřít"));
    Label1->setTransparent(true);
    Label1->setFont(ui::Font{"Arial", 12, true, false, Qt::white});
    Label1->setCursor(ui::Cursor::Hand);
    Label1->setBounds(StruhyGroup.left(), 424, 80, 20);
}

void TA1::buildStruhyPanel()
{
    GroupBox6 = faceGroup(*this, SouZST, "GroupBox6", "Struhy", StruhyGroup);
    const QSize pictureSize = StruhyGroup.size() - QSize(2 * StruhyPicture.x(), StruhyPicture.y() + 2);
    QList<QRect> sockets;
    for (int k = 0; k < 4; ++k)
        sockets << QRect(QPoint(LampLefts[k], LampTop) - StruhyPicture, LampSize)
                << QRect(QPoint(ButtonLefts[k], ButtonTop) - StruhyPicture, ButtonSize);
    Image1 = devices::panelImage(*this, GroupBox6, "Image1", StruhyPicture,
                                 panel_pictures::background(pictureSize, QRect(20, 5, pictureSize.width() - 40, 12),
                                                            sockets, {}));
    ui::Image *TA1::*lamps[4] = {&TA1::EVM, &TA1::PSM, &TA1::VTM, &TA1::USM};
    const char *const lampNames[4] = {"EVM", "PSM", "VTM", "USM"};
    const QColor lampColours[4] = {QColor(255, 255, 0), QColor(255, 0, 0), QColor(0, 255, 0), Qt::white};
    ui::Image *TA1::*buttons[4] = {&TA1::ODHLM, &TA1::ZSM, &TA1::VZM, &TA1::TSM};
    const char *const buttonNames[4] = {"ODHLM", "ZSM", "VZM", "TSM"};
    const QImage button = panelart::pushButton(ButtonSize);
    for (int k = 0; k < 4; ++k) {
        this->*lamps[k] = devices::deviceImage(*this, GroupBox6, lampNames[k], QPoint(LampLefts[k], LampTop),
                                               panelart::lamp(lampColours[k], LampSize));
        this->*buttons[k] = devices::deviceImage(*this, GroupBox6, buttonNames[k], QPoint(ButtonLefts[k], ButtonTop),
                                                 button);
    }
    USM->hide();
    EVM->hide();
}

void TA1::buildVrbskaPanel()
{
    GroupBox16 = faceGroup(*this, SouZST, "GroupBox16", "Vrbská", VrbskaGroup);
    Panel1 = make<ui::Panel>(GroupBox16, QStringLiteral("Panel1"));
    Panel1->setBounds(ViewPort);
    CHBlok = make<ui::GroupBox>(Panel1, QStringLiteral("CHBlok"));
    CHBlok->setBounds(QRect(QPoint(0, 0), BlockSize));

    const QRect magneto = centred(VrbskaColumns[1], MagnetoTop, QSize(MagnetoSize, MagnetoSize));
    QList<QRect> frames;
    for (int x : VrbskaColumns)
        frames << centred(x, WindowTop, WindowSize)
               << centred(x, LeverTop, LeverSize + QSize(0, 10));
    Image2 = devices::panelImage(*this, CHBlok, "Image2", QPoint(0, 0),
                                 panel_pictures::background(BlockSize, QRect(20, 10, BlockSize.width() - 41, 22),
                                                            {magneto}, frames));
    InduktorA = devices::deviceImage(*this, CHBlok, "InduktorA", magneto.topLeft(),
                                     panelart::magneto(magneto.size()));
    InduktorA2 = devices::deviceImage(*this, CHBlok, "InduktorA2", magneto.topLeft(),
                                      panel_pictures::magnetoGlow(MagnetoSize));
    InduktorA2->hide();
    buildVrbskaInstruments();

    ScrollBar1 = make<ui::ScrollBar>(GroupBox16, QStringLiteral("ScrollBar1"));
    ScrollBar1->setVertical(true);
    ScrollBar1->setBounds(ViewPort.right() + 4, ViewPort.top(), 17, ViewPort.height());
    ScrollBar1->setRange(0, 100);
    ScrollBar1->setPosition(74);
    CHBlok->setTop(chBlokTopAt(ScrollBar1->position()));
}

void TA1::buildVrbskaInstruments()
{
    /* Every field stands at 1 in a new store: its window shows red until the fields are drawn. */
    const QImage redWindow = panel_pictures::blockWindow(QColor(255, 0, 0), WindowSize);
    const QImage latchBar = panel_pictures::latch(LatchSize);
    const QImage leverHandle = panelart::lever(panelart::LeverLook::DeskRoute, LeverSize);
    ui::Image *TA1::*windows[3] = {&TA1::TSJ2, &TA1::NavJOd2, &TA1::PHJDo2};
    const char *const windowNames[3] = {"TSJ2", "NavJOd2", "PHJDo2"};
    ui::Image *TA1::*levers[3] = {&TA1::PakaTSJ, &TA1::PakaNavJOd, &TA1::PakaPHJDo};
    const char *const leverNames[3] = {"PakaTSJ", "PakaNavJOd", "PakaPHJDo"};
    for (int k = 0; k < 3; ++k) {
        const int x = VrbskaColumns[k];
        this->*windows[k] = devices::deviceImage(*this, CHBlok, windowNames[k],
                                                 centred(x, WindowTop, WindowSize).topLeft(), redWindow, false);
        this->*levers[k] = devices::deviceImage(*this, CHBlok, leverNames[k],
                                                centred(x, LeverTop, LeverSize).topLeft(), leverHandle);
    }
    ZapJ = devices::deviceImage(*this, CHBlok, "ZapJ", centred(VrbskaColumns[0], LatchTop, LatchSize).topLeft(),
                                latchBar, false);
    ZapJOd = devices::deviceImage(*this, CHBlok, "ZapJOd", centred(VrbskaColumns[1], LatchTop, LatchSize).topLeft(),
                                  latchBar, false);
}
