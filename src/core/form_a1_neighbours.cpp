/** @file form_a1_neighbours.cpp The neighbour-stations face of A1: the block panels of Struhy and Vrbská. */
#include "core/form_a1.h"

#include "core/panel_pictures.h"
#include "devices/device_builder.h"
#include "devices/panel_art.h"

namespace {

const QColor DarkBlue(0, 0, 128);

/* Struhy's panel: lamps in a row above the buttons, in picture coordinates. */
constexpr int StruhyColumns[4] = {50, 110, 170, 230}; ///< Centres of the lamp and button columns.
constexpr int LampY = 110;
constexpr int LampSize = 24;
constexpr int ButtonY = 230;
constexpr int ButtonSize = 30;

/* Vrbská's tall panel, in picture coordinates. */
constexpr int VrbskaWidth = 266;
constexpr int VrbskaHeight = 640;
constexpr int VrbskaColumns[3] = {50, 133, 216}; ///< Consent, entry release, pre-announcement.
constexpr int MagnetoY = 200;
constexpr int MagnetoSize = 64;
constexpr int WindowY = 330;
constexpr int WindowSize = 32;
constexpr int LatchY = 370;
constexpr int LeverY = 410;
constexpr QSize LeverSize(24, 90);

/** @return the square of a round part centred on x. */
QRect centred(int x, int y, int size)
{
    return QRect(x - size / 2, y, size, size);
}

/** Creates a group of the face: dark blue with a white caption. */
ui::GroupBox *faceGroup(ui::Form &f, ui::Control *parent, const QString &name, const QString &caption, const QRect &r)
{
    auto *g = f.make<ui::GroupBox>(parent, name);
    g->setCaption(caption);
    g->setColor(DarkBlue);
    g->setFontColor(Qt::white);
    g->setBounds(r);
    return g;
}

} // namespace

void TA1::buildNeighbourFace()
{
    SouZST = make<ui::GroupBox>(nullptr, QStringLiteral("SouZST"));
    SouZST->setBounds(0, 0, 632, 446);
    SouZST->setColor(DarkBlue);
    SouZST->setVisible(false);
    buildStruhyPanel();
    buildVrbskaPanel();
    Label1 = make<ui::Label>(SouZST, QStringLiteral("Label1"));
    Label1->setCaption(QStringLiteral("zavřít"));
    Label1->setTransparent(true);
    Label1->setFont(ui::Font{"Arial", 12, true, false, Qt::white});
    Label1->setAlignment(ui::Align::Right);
    Label1->setCursor(ui::Cursor::Hand);
    Label1->setBounds(544, 420, 80, 20);
}

void TA1::buildStruhyPanel()
{
    GroupBox6 = faceGroup(*this, SouZST, "GroupBox6", "Struhy", QRect(8, 6, 300, 408));
    const QPoint origin(10, 22);
    QList<QRect> sockets;
    for (int x : StruhyColumns)
        sockets << centred(x, LampY, LampSize) << centred(x, ButtonY, ButtonSize);
    Image1 = devices::panelImage(*this, GroupBox6, "Image1", origin,
                                 panel_pictures::background(QSize(280, 376), sockets, {}));
    ui::Image *TA1::*lamps[4] = {&TA1::USM, &TA1::VTM, &TA1::PSM, &TA1::EVM};
    const char *const lampNames[4] = {"USM", "VTM", "PSM", "EVM"};
    const QColor lampColours[4] = {Qt::white, QColor(0, 255, 0), QColor(255, 0, 0), QColor(255, 255, 0)};
    ui::Image *TA1::*buttons[4] = {&TA1::ODHLM, &TA1::ZSM, &TA1::VZM, &TA1::TSM};
    const char *const buttonNames[4] = {"ODHLM", "ZSM", "VZM", "TSM"};
    const QImage button = panelart::pushButton(QSize(ButtonSize, ButtonSize));
    for (int k = 0; k < 4; ++k) {
        const int x = StruhyColumns[k];
        this->*lamps[k] = devices::deviceImage(*this, GroupBox6, lampNames[k],
                                               centred(x, LampY, LampSize).topLeft() + origin,
                                               panelart::lamp(lampColours[k], QSize(LampSize, LampSize)));
        this->*buttons[k] = devices::deviceImage(*this, GroupBox6, buttonNames[k],
                                                 centred(x, ButtonY, ButtonSize).topLeft() + origin, button);
    }
    USM->hide();
    EVM->hide();
}

void TA1::buildVrbskaPanel()
{
    GroupBox16 = faceGroup(*this, SouZST, "GroupBox16", "Vrbská", QRect(316, 6, 308, 408));
    Panel1 = make<ui::Panel>(GroupBox16, QStringLiteral("Panel1"));
    Panel1->setBounds(10, 22, VrbskaWidth, 376);
    CHBlok = make<ui::GroupBox>(Panel1, QStringLiteral("CHBlok"));
    CHBlok->setBounds(0, 0, VrbskaWidth, VrbskaHeight);

    QList<QRect> sockets{centred(VrbskaColumns[1], MagnetoY, MagnetoSize)};
    QList<QRect> frames;
    for (int x : VrbskaColumns)
        frames << centred(x, WindowY, WindowSize)
               << QRect(x - LeverSize.width() / 2, LeverY, LeverSize.width(), LeverSize.height() + 10);
    Image2 = devices::panelImage(*this, CHBlok, "Image2", QPoint(0, 0),
                                 panel_pictures::background(QSize(VrbskaWidth, VrbskaHeight), sockets, frames));
    const QPoint magnetoPlace = centred(VrbskaColumns[1], MagnetoY, MagnetoSize).topLeft();
    InduktorA = devices::deviceImage(*this, CHBlok, "InduktorA", magnetoPlace,
                                     panelart::magneto(QSize(MagnetoSize, MagnetoSize)));
    InduktorA2 = devices::deviceImage(*this, CHBlok, "InduktorA2", magnetoPlace,
                                      panel_pictures::magnetoGlow(MagnetoSize));
    InduktorA2->hide();
    buildVrbskaInstruments();

    ScrollBar1 = make<ui::ScrollBar>(GroupBox16, QStringLiteral("ScrollBar1"));
    ScrollBar1->setVertical(true);
    ScrollBar1->setBounds(280, 22, 18, 376);
    ScrollBar1->setRange(0, 100);
    ScrollBar1->setPosition(74);
    CHBlok->setTop(chBlokTopAt(ScrollBar1->position()));
}

void TA1::buildVrbskaInstruments()
{
    /* Every field stands at 1 in a new store: its window shows red. */
    const QImage redWindow = panel_pictures::blockWindow(QColor(255, 0, 0), QSize(WindowSize, WindowSize));
    const QImage latchBar = panel_pictures::latch(QSize(WindowSize, 10));
    const QImage leverHandle = panelart::lever(panelart::LeverLook::DeskRoute, LeverSize);
    ui::Image *TA1::*windows[3] = {&TA1::TSJ2, &TA1::NavJOd2, &TA1::PHJDo2};
    const char *const windowNames[3] = {"TSJ2", "NavJOd2", "PHJDo2"};
    ui::Image *TA1::*levers[3] = {&TA1::PakaTSJ, &TA1::PakaNavJOd, &TA1::PakaPHJDo};
    const char *const leverNames[3] = {"PakaTSJ", "PakaNavJOd", "PakaPHJDo"};
    for (int k = 0; k < 3; ++k) {
        const int x = VrbskaColumns[k];
        this->*windows[k] = devices::deviceImage(*this, CHBlok, windowNames[k],
                                                 centred(x, WindowY, WindowSize).topLeft(), redWindow, false);
        this->*levers[k] = devices::deviceImage(*this, CHBlok, leverNames[k],
                                                QPoint(x - LeverSize.width() / 2, LeverY), leverHandle);
    }
    ZapJ = devices::deviceImage(*this, CHBlok, "ZapJ", QPoint(VrbskaColumns[0] - WindowSize / 2, LatchY), latchBar,
                                false);
    ZapJOd = devices::deviceImage(*this, CHBlok, "ZapJOd", QPoint(VrbskaColumns[1] - WindowSize / 2, LatchY),
                                  latchBar, false);
}
