/** @file track_view_panel.cpp The track view's bottom tabs and its two decluttering switches. */
#include "frame/track_view_panel.h"

#include "core/app.h"
#include "frame/menu_model.h"
#include "frame/workplace_routines.h"
#include "trackview/form_a5.h"

namespace frame {

namespace {

const QString HideSignals = QStringLiteral("skrýt návěstidla");
const QString ShowSignals = QStringLiteral("zobrazit návěstidla");
const QString HidePlatforms = QStringLiteral("skrýt nástupiště");
const QString ShowPlatforms = QStringLiteral("zobrazit nástupiště");

ui::Label *tabLabel(ui::Form &f, ui::Control *parent, const QString &name, const QString &text, QRect r, int size)
{
    auto *l = f.make<ui::Label>(parent, name);
    l->setCaption(text);
    l->setBounds(r);
    l->setAlignment(ui::Align::Center);
    l->setVerticalCenter(true);
    l->setFont(ui::Font{QStringLiteral("Verdana"), size, false, false, Qt::black});
    l->setColor(Navy);
    return l;
}

/** Every picture and lamp of the signal groups, right-hand end first: M, O, K, I, G, then L, N, J, H, F. */
QStringList signalParts(bool rightHand)
{
    QStringList parts;
    if (rightHand) {
        for (char g : {'M', 'O', 'K', 'I', 'G'})
            for (char p = 'A'; p <= 'E'; ++p)
                parts << QString(QChar(g)) + QChar(p);
    } else {
        for (char g : {'L', 'N', 'J', 'H', 'F'})
            for (int p = 0; p <= 4; ++p)
                parts << QString(QChar(g)) + QString::number(p);
    }
    return parts;
}

void moveLeft(ui::Form &f, const QString &name, int by)
{
    if (ui::Control *c = f.find(name))
        c->setLeft(c->left() + by);
}

} // namespace

void buildTrackViewPanel(ui::Form &a5)
{
    auto *panel = a5.make<ui::Panel>(nullptr, QStringLiteral("Panel"));
    panel->setColor(Qt::black);
    panel->setBounds(0, 768 - 81, 1024, 81);
    auto *column = a5.make<ui::Panel>(panel, QStringLiteral("PanelL"));
    column->setColor(Qt::black);
    column->setBounds(0, 0, 87, 79);
    const char *tabs[3] = {"vlaky", "posun", "ostatní"};
    for (int k = 0; k < 3; ++k)
        tabLabel(a5, column, QStringLiteral("TlL%1").arg(k + 1), QString::fromUtf8(tabs[k]), QRect(2, 26 * k, 83, 25), 16);
    for (const char *name : {"PanelA", "PanelB", "PanelC"}) {
        auto *p = a5.make<ui::Panel>(panel, name);
        p->setColor(Qt::black);
        p->setBounds(87, 0, 466, 81);
        p->setVisible(false);
    }
    auto *others = a5.find(QStringLiteral("PanelC"));
    tabLabel(a5, others, QStringLiteral("PC05"), HideSignals, QRect(1, 52, 231, 25), 19);
    tabLabel(a5, others, QStringLiteral("PC06"), HidePlatforms, QRect(233, 52, 232, 25), 19);
}

void TlLClick(App &app, int tab)
{
    optionGuard(app, QStringLiteral("Error 50TLL%1").arg(tab), [&app, tab] {
        TA5 &a5 = app.A5();
        ui::Control *panels[3] = {a5.find("PanelA"), a5.find("PanelB"), a5.find("PanelC")};
        ui::Control *labels[3] = {a5.find("TlL1"), a5.find("TlL2"), a5.find("TlL3")};
        const int own = tab - 1;
        if (!panels[own]->visible()) {
            for (int k = 0; k < 3; ++k) {
                panels[k]->setVisible(k == own);
                labels[k]->setColor(k == own ? Blue : Navy);
            }
        } else {
            panels[own]->hide();
            labels[own]->setColor(Navy);
        }
    });
}

void PC05Click(App &app)
{
    optionGuard(app, QStringLiteral("Error 50PC05"), [&app] {
        TA5 &a5 = app.A5();
        ui::Control &sw = *a5.find(QStringLiteral("PC05"));
        const bool hide = sw.caption() == HideSignals;
        sw.setCaption(hide ? ShowSignals : HideSignals);
        const int out = hide ? 100 : -100;
        for (const QString &part : signalParts(true))
            moveLeft(a5, part, out);
        for (const QString &part : signalParts(false))
            moveLeft(a5, part, -out);
        for (const char *platform : kPlatformNames)
            if (ui::Control *c = a5.find(platform))
                c->setWidth(c->width() + 2 * out);
        for (const char *platform : kPlatformNames)
            moveLeft(a5, platform, -out);
    });
}

void PC06Click(App &app)
{
    optionGuard(app, QStringLiteral("Error 50PC06"), [&app] {
        TA5 &a5 = app.A5();
        ui::Control &sw = *a5.find(QStringLiteral("PC06"));
        const bool hide = sw.caption() == HidePlatforms;
        sw.setCaption(hide ? ShowPlatforms : HidePlatforms);
        for (const char *platform : kPlatformNames)
            if (ui::Control *c = a5.find(platform))
                c->setVisible(!hide);
    });
}

void wireTrackViewPanel(App &app)
{
    TA5 &a5 = app.A5();
    for (int k = 1; k <= 3; ++k)
        a5.find(QStringLiteral("TlL%1").arg(k))->onClick = [&app, k] { TlLClick(app, k); };
    a5.find(QStringLiteral("PC05"))->onClick = [&app] { PC05Click(app); };
    a5.find(QStringLiteral("PC06"))->onClick = [&app] { PC06Click(app); };
}

} // namespace frame
