/** @file form_a6_telephone.cpp The desk's telephone set, its line keys and the panel "Telefon". */
#include "devices/form_a6.h"

#include "devices/device_builder.h"

/** Registers the set's embedded pictures; the library is static, so nothing else would pull them in. */
static void initTelephoneResources()
{
    Q_INIT_RESOURCE(telephone);
}

namespace {

/** Where the telephone set stands on the desk; the line keys and the dial button are placed from it. */
const QPoint SetAt(80, 744);
/** Lefts of the line keys of lines A, C and B, in this order on the set. */
const int KeyLefts[3] = {104, 123, 142};
/** Size of a line key. */
const QSize KeySize(16, 14);
/** The names of the sixteen train labels, rows 1 .. 16. */
const char *const TrainLabelNames[16] = {"G7", "G8", "G9", "H0", "H1", "H2", "H3", "H4",
                                         "H5", "H6", "H7", "H8", "H9", "I0", "I1", "I2"};
/** The message kinds the player can say, in the list's order. */
const char *const MessageKinds[8] = {"Nabídka vlaku",        "Předvídaný odjezd",      "Oznámení odjezdu",
                                     "Telefonická odhláška", "Rušení nabídky vlaku",   "Rušení předvíd.odjezdu",
                                     "Zavedení telefoniky",  "Odvolání telefoniky"};

/** @return a picture of the telephone set drawn by the project's generator. */
QImage telephonePicture(const char *file)
{
    return QImage(QStringLiteral(":/telephone/") + QLatin1String(file)).convertToFormat(QImage::Format_RGB32);
}

/** Creates one of the three answer labels of the group `I3`. */
ui::Label *answerLabel(ui::Form &f, ui::Control *group, const char *name, const QRect &r, const QColor &back)
{
    auto *l = f.make<ui::Label>(group, name);
    l->setBounds(r);
    l->setColor(back);
    l->setAlignment(ui::Align::Center);
    l->setWordWrap(true);
    l->setFont(ui::Font{QStringLiteral("Verdana"), 16, false, false, Qt::black});
    l->setVisible(false);
    return l;
}

} // namespace

void TA6::buildTelephone()
{
    initTelephoneResources();
    E0 = devices::panelImage(*this, frame.D5, "E0", SetAt, telephonePicture("Telefon.bmp"));
    E0->setTransparent(true);
    E1 = devices::deviceImage(*this, frame.D5, "E1", QPoint(107, 715), telephonePicture("Sluchatko.bmp"));
    E2 = devices::deviceImage(*this, frame.D5, "E2", QPoint(104, 788), telephonePicture("Volic.bmp"));
    /* The keys take the picture store's lamp once the desk is wired. */
    const int up = SetAt.y() + 78;
    F0 = devices::deviceImage(*this, frame.D5, "F0", QRect(QPoint(KeyLefts[0], up), KeySize));
    F1 = devices::deviceImage(*this, frame.D5, "F1", QRect(QPoint(KeyLefts[1], up), KeySize));
    F2 = devices::deviceImage(*this, frame.D5, "F2", QRect(QPoint(KeyLefts[2], up), KeySize));

    G0 = make<ui::GroupBox>(frame.D5, "G0");
    G0->setCaption(QStringLiteral("Telefon"));
    G0->setBounds(28, 504, 345, 233);
    G0->setVisible(false);
    G1 = make<ui::Memo>(G0, "G1");
    G1->setBounds(8, 16, 329, 73);
    G1->setReadOnly(true);
    /* A long sentence is cut at the memo's edge and scrolls sideways. */
    G1->setWordWrap(false);
    G2 = make<ui::ListBox>(G0, "G2");
    G2->setBounds(8, 96, 161, 73);
    G2->setIntegralHeight(true);
    QStringList kinds;
    for (const char *k : MessageKinds)
        kinds << QString::fromUtf8(k);
    G2->setItems(kinds);
    G2->setEnabled(false);
    G3 = make<ui::Edit>(G0, "G3");
    G3->setBounds(8, 176, 41, 19);
    G3->setText(QStringLiteral("00:00"));
    G3->setEnabled(false);
    G4 = make<ui::ScrollBar>(G0, "G4");
    G4->setBounds(56, 176, 113, 17);
    G4->setRange(1, 5);
    G4->setPosition(5);
    G5 = make<ui::Button>(G0, "G5");
    G5->setCaption(QStringLiteral("Sdělit"));
    G5->setBounds(8, 200, 81, 25);
    G5->setEnabled(false);
    G6 = make<ui::Button>(G0, "G6");
    G6->setCaption(QStringLiteral("Zavěsit"));
    G6->setBounds(88, 200, 81, 25);
    for (int i = 0; i < 16; ++i) {
        ui::Label *l = make<ui::Label>(G0, TrainLabelNames[i]);
        l->setBounds(i % 2 == 0 ? 176 : 256, 96 + 16 * (i / 2), 81, 17);
        l->setCursor(ui::Cursor::Hand);
        TrainLabels[i] = l;
    }
    /* Last in the panel, so it lies over the controls it covers. */
    I3 = make<ui::GroupBox>(G0, "I3");
    I3->setCaption(QStringLiteral("Možnosti vaší odpovědi"));
    I3->setBounds(8, 96, 329, 129);
    I3->setVisible(false);
    I6 = answerLabel(*this, I3, "I6", QRect(8, 16, 313, 105), QColor(255, 255, 0));
    I4 = answerLabel(*this, I3, "I4", QRect(8, 16, 313, 73), QColor(0, 255, 0));
    I5 = answerLabel(*this, I3, "I5", QRect(8, 96, 313, 25), QColor(255, 0, 0));
}
