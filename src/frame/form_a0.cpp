/** @file form_a0.cpp The controls of the main menu A0. */
#include "frame/form_a0.h"

#include <QDir>
#include <QPainter>

namespace {

/** A round menu button of 28 x 28 px: a navy or blue cap on a grey ring, lit from the top left. */
QImage buttonPicture(const QColor &face)
{
    QImage img(28, 28, QImage::Format_RGB32);
    img.fill(QColor(212, 208, 200));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(170, 170, 170));
    p.drawEllipse(QRectF(1, 1, 26, 26));
    QRadialGradient cap(QPointF(10, 9), 14);
    cap.setColorAt(0, face.lighter(170));
    cap.setColorAt(1, face);
    p.setPen(Qt::NoPen);
    p.setBrush(cap);
    p.drawEllipse(QRectF(4, 4, 20, 20));
    return img;
}

ui::Label *menuLabel(ui::Form &f, const QString &name, const QString &caption, int l, int t, int w)
{
    auto *lab = f.make<ui::Label>(nullptr, name);
    lab->setCaption(caption);
    lab->setBounds(l, t, w, 24);
    lab->setFont(ui::Font{"Verdana", 16, true, false, QColor(0, 0, 128)});
    lab->setTransparent(true);
    return lab;
}

} // namespace

TA0::TA0(platform::Platform &platform) : ui::Form(QStringLiteral("A0"), platform)
{
    setCaption(QStringLiteral("Kobrant ŽST Kamenná"));
    setBounds(0, 0, 420, 320);
    setColor(QColor(212, 208, 200));
    setCentered(true);

    Tl1 = make<ui::Image>(nullptr, "Tl1");
    Tl1->setPicture(buttonPicture(QColor(0, 0, 128)));
    Tl1->setVisible(false);
    Tl5 = make<ui::Image>(nullptr, "Tl5");
    Tl5->setPicture(buttonPicture(QColor(0, 0, 255)));
    Tl5->setVisible(false);

    C3 = make<ui::DirectoryList>(nullptr, "C3");
    C3->setVisible(false);
    C3->setDirectory(QDir::currentPath());
    GVD1 = make<ui::FileList>(nullptr, "GVD1");
    GVD1->setVisible(false);
    GVD1->setMask(QStringLiteral("*.t6g"));
    GVD2 = make<ui::Memo>(nullptr, "GVD2");
    GVD2->setVisible(false);
    Vozidla = make<ui::Memo>(nullptr, "Vozidla");
    Vozidla->setVisible(false);

    G6 = menuLabel(*this, "G6", "- žádný grafikon -", 20, 20, 380);
    G8 = menuLabel(*this, "G8", "s nákladními vlaky", 20, 56, 380);
    H1 = menuLabel(*this, "H1", "7", 160, 92, 30);
    H1->setAlignment(ui::Align::Right);
    H2 = menuLabel(*this, "H2", ":", 192, 92, 10);
    H3 = menuLabel(*this, "H3", "15", 204, 92, 40);
    /* Each menu button is a round picture with its caption beside it, so
       the caption never lies over the button it names. */
    H9 = make<ui::Image>(nullptr, "H9");
    H9->setPicture(Tl1->picture());
    H9->setBounds(110, 140, 28, 28);
    H8 = menuLabel(*this, "H8", "Spustit hru", 146, 142, 200);
    H5 = make<ui::Image>(nullptr, "H5");
    H5->setPicture(Tl1->picture());
    H5->setBounds(110, 184, 28, 28);
    H5->setVisible(false);
    H4 = menuLabel(*this, "H4", "Ukončit hru", 146, 186, 200);
    H4->setVisible(false);
    J3 = make<ui::Image>(nullptr, "J3");
    J3->setPicture(Tl1->picture());
    J3->setBounds(20, 240, 28, 28);
    J9 = make<ui::Image>(nullptr, "J9");
    J9->setPicture(Tl1->picture());
    J9->setBounds(250, 240, 28, 28);
    for (auto [item, text] : {std::pair{J3, "Sousední dopravny"}, std::pair{J9, "Diagnostika"}})
        menuLabel(*this, QString(), QString::fromUtf8(text), item->left() + 34, item->top() + 3, 190);
    L0 = menuLabel(*this, "L0", "Poruchy", 20, 284, 160);
    /* The dispatchers' surnames; the menu's names page shows them. */
    const std::pair<ui::Edit **, const char *> surnames[] = {
        {&M5, "Modrý"}, {&M8, "Zelený"}, {&N1, "Červený"}, {&N4, "Žlutý"}};
    const char *const surnameNames[] = {"M5", "M8", "N1", "N4"};
    for (int i = 0; i < 4; ++i) {
        *surnames[i].first = make<ui::Edit>(nullptr, surnameNames[i]);
        (*surnames[i].first)->setText(QString::fromUtf8(surnames[i].second));
        (*surnames[i].first)->setVisible(false);
    }
}
