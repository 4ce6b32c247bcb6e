/** @file workplace_frame.cpp The frame shared by the four workplace views. */
#include "frame/workplace_frame.h"

#include "frame/menu_model.h"

namespace {

ui::Label *label(ui::Form &f, ui::Control *parent, const QString &name, const QString &caption, const QRect &r,
                 const ui::Font &font, const QColor &back)
{
    auto *l = f.make<ui::Label>(parent, name);
    l->setCaption(caption);
    l->setBounds(r);
    l->setFont(font);
    l->setColor(back);
    return l;
}

ui::Panel *strip(ui::Form &f, const QString &name, const QRect &r)
{
    auto *p = f.make<ui::Panel>(nullptr, name);
    p->setBounds(r);
    p->setColor(Qt::black);
    return p;
}

/** Edge strips and the two scroll bars they reveal; the resize routine stretches them over the screen. */
void buildEdges(ui::Form &form, WorkplaceFrame &frame)
{
    frame.B0 = strip(form, "B0", QRect(0, 0, 2, 768));
    frame.B1 = strip(form, "B1", QRect(1022, 0, 2, 768));
    frame.B2 = strip(form, "B2", QRect(0, 0, 1024, 2));
    frame.B3 = strip(form, "B3", QRect(0, 766, 1024, 2));
    frame.B4 = form.make<ui::ScrollBar>(nullptr, QStringLiteral("B4"));
    frame.B4->setBounds(2, 750, 1020, 16);
    frame.B5 = form.make<ui::ScrollBar>(nullptr, QStringLiteral("B5"));
    frame.B5->setVertical(true);
    frame.B5->setBounds(1006, 2, 16, 764);
    for (ui::ScrollBar *bar : {frame.B4, frame.B5}) {
        bar->setRange(0, 100);
        bar->setPageSize(0);
        bar->setVisible(false);
    }
}

/** The menu bar with its four labels; "pozice" starts lit on every view but the desk. */
void buildMenuBar(ui::Form &form, WorkplaceFrame &frame)
{
    frame.B6 = strip(form, "B6", QRect(346, 2, 332, 27));
    frame.B6->setVisible(false);
    const ui::Font font{"Verdana", 19, false, false, Qt::black};
    const QColor navy(0, 0, 128);
    const struct {
        ui::Label **label;
        const char *name;
        const char *caption;
        int left;
        int width;
    } labels[4] = {{&frame.B7, "B7", "menu", 1, 69},
                   {&frame.B8, "B8", "jízdní řád", 71, 108},
                   {&frame.B9, "B9", "pozice", 180, 78},
                   {&frame.C0, "C0", "konec", 259, 72}};
    for (const auto &l : labels) {
        *l.label = label(form, frame.B6, l.name, QString::fromUtf8(l.caption), QRect(l.left, 1, l.width, 25), font, navy);
        (*l.label)->setAlignment(ui::Align::Center);
        (*l.label)->setVerticalCenter(true);
    }
    if (form.name() != QLatin1String("A6"))
        frame.B9->setColor(QColor(0, 0, 255));
}

/** The position panel: the station overview, its five hotspots with their captions, marker and highlight frame. */
void buildPositionPanel(ui::Form &form, WorkplaceFrame &frame)
{
    frame.C1 = strip(form, "C1", QRect(317, 28, 389, 140));
    frame.C1->setVisible(false);
    frame.C2 = form.make<ui::Image>(frame.C1, QStringLiteral("C2"));
    frame.C2->setBounds(8, 8, 373, 100);
    frame.C2->setPicture(frame::menuArt(QStringLiteral("C2")));
    /* The marker's place on the overview picture is the view's own. */
    static const QPoint marker[4] = {{144, 51}, {240, 84}, {48, 21}, {335, 21}};
    static const int frameLeft[4] = {100, 196, 4, 292};
    const int view = form.name().mid(1).toInt() - 5;
    frame.C8 = form.make<ui::Image>(frame.C1, QStringLiteral("C8"));
    frame.C8->setBounds(QRect(marker[view], QSize(6, 6)));
    frame.C8->setPicture(frame::menuArt(QStringLiteral("C8")));
    frame.C9 = form.make<ui::Shape>(frame.C1, QStringLiteral("C9"));
    frame.C9->setBounds(frameLeft[view], 4, 93, 108);
    frame.C9->setBrushClear(true);
    frame.C9->setPenColor(QColor(0, 0, 255));
    frame.C9->setPenWidth(3);
    frame.C9->setVisible(false);
    /* The hotspots lie over the picture, the marker and the frame, so they take the pointer. */
    ui::Label **hotspots[5] = {&frame.C3, &frame.C4, &frame.C5, &frame.C6, &frame.C7};
    for (int k = 0; k < 5; ++k) {
        auto *h = form.make<ui::Label>(frame.C1, QStringLiteral("C%1").arg(3 + k));
        h->setBounds(8 + 96 * k, 8, 85, 100);
        h->setTransparent(true);
        *hotspots[k] = h;
    }
    frame.C7->setVisible(false);
    const char *captions[5] = {"St.1", "Peron", "DK", "St.2", "St.3"};
    ui::Label **names[5] = {&frame.D0, &frame.D1, &frame.D2, &frame.D3, &frame.D4};
    for (int k = 0; k < 5; ++k) {
        *names[k] = label(form, frame.C1, QStringLiteral("D%1").arg(k), QString::fromLatin1(captions[k]),
                          QRect(3 + 96 * k, 116, 95, 17), ui::Font{"Verdana", 13, true, false, QColor(0, 0, 128)},
                          Qt::black);
        (*names[k])->setAlignment(ui::Align::Center);
    }
    frame.D4->setVisible(false);
}

} // namespace

void buildWorkplaceContent(ui::Form &form, WorkplaceFrame &frame, const QRect &d5)
{
    form.setBorderStyle(ui::BorderStyle::None);
    form.setMaximized(true);
    form.setColor(Qt::black);
    frame.D5 = form.make<ui::GroupBox>(nullptr, QStringLiteral("D5"));
    frame.D5->setBounds(d5);
    frame.D5->setColor(Qt::black);
}

void buildWorkplaceOverlay(ui::Form &form, WorkplaceFrame &frame)
{
    frame.D6 = form.make<ui::Image>(frame.D5, QStringLiteral("D6"));
    frame.D6->setBounds(0, 0, 500, 210);
    frame.D6->setTransparent(true);
    frame.D6->setVisible(false);
    frame.D7 = label(form, frame.D5, "D7", "00:00:00", QRect(0, 0, 120, 20),
                     ui::Font{"Verdana", 16, true, false, Qt::white}, Qt::black);
    frame.D7->setVisible(false);
    frame.Pauza = label(form, frame.D5, "Pauza", "Pauza", QRect(0, 0, 323, 116),
                        ui::Font{"Verdana", 96, true, false, Qt::red}, Qt::black);
    frame.Pauza->setTransparent(true);
    frame.Pauza->setAlignment(ui::Align::Center);
    frame.Pauza->setVisible(false);

    frame.D8 = form.make<ui::GroupBox>(nullptr, QStringLiteral("D8"));
    frame.D8->setBounds(0, 700, 640, 25);
    frame.D8->setColor(Qt::white);
    frame.D8->setVisible(false);
    frame.D9 = label(form, frame.D8, "D9", "", QRect(4, 4, 632, 17), ui::Font{"Verdana", 13, true, false, Qt::black},
                     Qt::white);
    frame.D9->setTransparent(true);
    frame.D9->setAutoSize(true);

    frame.H00 = form.make<ui::GroupBox>(nullptr, QStringLiteral("H00"));
    frame.H00->setBounds(16, 16, 115, 44);
    frame.H00->setColor(Qt::black);
    const QColor navy(0, 0, 128);
    frame.H01 = label(form, frame.H00, "H01", "00:00:00", QRect(1, 1, 113, 25),
                      ui::Font{"Verdana", 21, false, false, Qt::blue}, navy);
    frame.H01->setAlignment(ui::Align::Center);
    const ui::Font small{"Arial", 12, true, false, Qt::blue};
    frame.H02 = label(form, frame.H00, "H02", "<", QRect(1, 27, 29, 16), small, navy);
    frame.H03 = label(form, frame.H00, "H03", "1 x", QRect(31, 27, 53, 16), small, navy);
    frame.H04 = label(form, frame.H00, "H04", ">", QRect(85, 27, 29, 16), small, navy);
    for (ui::Label *l : {frame.H02, frame.H03, frame.H04})
        l->setAlignment(ui::Align::Center);

    buildEdges(form, frame);
    buildMenuBar(form, frame);
    buildPositionPanel(form, frame);
}

QString ownHotspot(const QString &viewName)
{
    static const char *own[4] = {"C4", "C5", "C3", "C6"};
    return QString::fromLatin1(own[viewName.mid(1).toInt() - 5]);
}
