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
        /* The text colour of an enabled control only: the disabled group keeps the style's grey. */
        const auto setText = [&](QPalette::ColorRole text) {
            pal.setColor(QPalette::Active, text, c.font().color);
            pal.setColor(QPalette::Inactive, text, c.font().color);
        };
        switch (role) {
        case ColorRole::Base:
            pal.setColor(QPalette::Base, c.color());
            setText(QPalette::Text);
            break;
        case ColorRole::Window:
            pal.setColor(QPalette::Window, c.color());
            setText(QPalette::WindowText);
            w->setAutoFillBackground(true);
            break;
        case ColorRole::None:
            setText(QPalette::ButtonText);
            break;
        }
        w->setPalette(pal);
    }
    if (w->toolTip() != c.hint())
        w->setToolTip(c.hint());
    m_font = c.font();
    m_color = c.color();
    m_lookApplied = true;
}

void HostedView::applyTabStop(Qt::FocusPolicy taking)
{
    const Qt::FocusPolicy policy = m_control->tabStop() ? taking : Qt::FocusPolicy(taking & ~Qt::TabFocus);
    QWidget *w = widget();
    if (w->focusPolicy() != policy)
        w->setFocusPolicy(policy);
}

void HostedView::run(const std::function<void()> &fn)
{
    m_window.runInput(fn);
}

} // namespace view
