/** @file panel_controls.cpp The controls the track view's panels and order sheets are made of. */
#include "trackview/panel_controls.h"

#include "core/option_guard.h"

namespace trackview {

ui::Control *controlBarPanel(ui::Form &a5, const QString &name)
{
    if (ui::Control *made = a5.find(name))
        return made;
    auto *panel = a5.make<ui::GroupBox>(a5.find(QStringLiteral("Panel")), name);
    panel->setBounds(87, 0, 466, 81);
    panel->setColor(Qt::black);
    panel->setVisible(false);
    return panel;
}

ui::Label *panelButton(ui::Form &a5, ui::Control *parent, const QString &name, const QString &caption,
                       const QRect &design)
{
    auto *label = findOrMake<ui::Label>(a5, parent, name, design);
    label->setCaption(caption);
    label->setAlignment(ui::Align::Center);
    label->setVerticalCenter(true);
    label->setFont({QStringLiteral("Verdana"), 19, false, false, Qt::black});
    label->setColor(PanelNavy);
    return label;
}

void panelGuard(App &app, const char *code, const std::function<void()> &fn)
{
    core::optionGuard(app, QString::fromLatin1(code), fn);
}

} // namespace trackview
