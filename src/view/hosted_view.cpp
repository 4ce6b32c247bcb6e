/** @file hosted_view.cpp The binding of a windowed control to its widget: layout, look and input dispatch. */
#include "view/hosted_view.h"

#include "view/form_window.h"
#include "view/painter.h"

#include <QWidget>

namespace view {

HostedView::HostedView(ui::Control &control, FormWindow &window) : m_window(window), m_control(&control) {}

HostedView::~HostedView() = default;

void HostedView::applyLayout()
{
    QWidget *w = widget();
    w->setGeometry(m_control->bounds());
    w->setVisible(m_control->visible());
}

void HostedView::updateRect(const QRect &r)
{
    widget()->update(r);
}

void HostedView::applyLook(ColorRole role)
{
    QWidget *w = widget();
    const ui::Control &c = *m_control;
    if (!m_lookApplied || c.enabled() != m_enabled) {
        m_enabled = c.enabled();
        w->setEnabled(m_enabled);
    }
    const bool fontChanged = !m_lookApplied || !(c.font() == m_font);
    if (fontChanged)
        w->setFont(toQFont(c.font()));
    const bool colorChanged = !m_lookApplied || c.color() != m_color;
    if (fontChanged || (colorChanged && role != ColorRole::None)) {
        QPalette pal = w->palette();
        switch (role) {
        case ColorRole::Base:
            pal.setColor(QPalette::Base, c.color());
            pal.setColor(QPalette::Text, c.font().color);
            break;
        case ColorRole::Window:
            pal.setColor(QPalette::Window, c.color());
            pal.setColor(QPalette::WindowText, c.font().color);
            w->setAutoFillBackground(true);
            break;
        case ColorRole::None:
            pal.setColor(QPalette::ButtonText, c.font().color);
            break;
        }
        w->setPalette(pal);
    }
    m_font = c.font();
    m_color = c.color();
    m_lookApplied = true;
}

void HostedView::run(const std::function<void()> &fn)
{
    m_window.runInput(fn);
}

} // namespace view
