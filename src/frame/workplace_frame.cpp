/** @file workplace_frame.cpp The frame shared by the four workplace views. */
#include "frame/workplace_frame.h"

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
    frame.Pauza->setVisible(false);

    frame.D8 = form.make<ui::GroupBox>(nullptr, QStringLiteral("D8"));
    frame.D8->setBounds(0, 700, 640, 25);
    frame.D8->setColor(Qt::white);
    frame.D8->setVisible(false);
    frame.D9 = label(form, frame.D8, "D9", "", QRect(4, 4, 632, 17), ui::Font{"Verdana", 13, true, false, Qt::black},
                     Qt::white);
    frame.D9->setTransparent(true);

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
}
