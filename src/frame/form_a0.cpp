/** @file form_a0.cpp The controls of the main menu A0. */
#include "frame/form_a0.h"

#include <QDir>

namespace {

/** A plain menu button picture: a navy plate with a light edge. */
QImage buttonPicture(const QColor &face)
{
    QImage img(160, 32, QImage::Format_RGB32);
    img.fill(face);
    for (int x = 0; x < img.width(); ++x) {
        img.setPixel(x, 0, qRgb(200, 200, 230));
        img.setPixel(x, img.height() - 1, qRgb(10, 10, 40));
    }
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
    H9 = make<ui::Image>(nullptr, "H9");
    H9->setPicture(Tl1->picture());
    H9->setBounds(130, 140, 160, 32);
    H8 = menuLabel(*this, "H8", "Spustit hru", 130, 144, 160);
    H8->setFont(ui::Font{"Verdana", 16, true, false, Qt::white});
    H8->setAlignment(ui::Align::Center);
    H5 = make<ui::Image>(nullptr, "H5");
    H5->setPicture(Tl1->picture());
    H5->setBounds(130, 184, 160, 32);
    H5->setVisible(false);
    H4 = menuLabel(*this, "H4", "Ukončit hru", 130, 188, 160);
    H4->setFont(ui::Font{"Verdana", 16, true, false, Qt::white});
    H4->setAlignment(ui::Align::Center);
    H4->setVisible(false);
    J3 = make<ui::Image>(nullptr, "J3");
    J3->setPicture(Tl1->picture());
    J3->setBounds(20, 240, 160, 32);
    J9 = make<ui::Image>(nullptr, "J9");
    J9->setPicture(Tl1->picture());
    J9->setBounds(240, 240, 160, 32);
    for (auto [item, text] : {std::pair{J3, "Sousední dopravny"}, std::pair{J9, "Diagnostika"}}) {
        ui::Label *caption = menuLabel(*this, QString(), QString::fromUtf8(text), item->left(), item->top() + 4,
                                       item->width());
        caption->setFont(ui::Font{"Verdana", 13, true, false, Qt::white});
        caption->setAlignment(ui::Align::Center);
    }
    L0 = menuLabel(*this, "L0", "Poruchy", 20, 284, 160);
}
