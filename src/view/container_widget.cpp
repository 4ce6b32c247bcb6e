/** @file container_widget.cpp A container control with its graphic children: painting and mouse routing. */
#include "view/container_widget.h"

#include "view/form_window.h"
#include "view/input_map.h"
#include "view/painter.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace view {

ContainerWidget::ContainerWidget(ui::Control &control, FormWindow &window, QWidget *parent)
    : QWidget(parent), HostedView(control, window)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void ContainerWidget::refresh()
{
    if (control().kind() != ui::Kind::Form)
        setEnabled(control().enabled());
    update();
}

ui::Control &ContainerWidget::controlAt(const QPoint &pos) const
{
    const auto &children = control().children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        ui::Control *c = *it;
        if (isGraphic(*c) && c->visible() && c->enabled() && c->bounds().contains(pos))
            return *c;
    }
    return control();
}

QPoint ContainerWidget::localPos(const ui::Control &c, const QPoint &pos) const
{
    return &c == &control() ? pos : pos - c.bounds().topLeft();
}

void ContainerWidget::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    if (!m_window.alive()) {
        p.fillRect(e->rect(), Qt::black);
        return;
    }
    paintContainerFace(p, control(), rect());
    const QRect dirty = e->rect();
    for (const ui::Control *c : control().children())
        if (isGraphic(*c) && c->visible() && c->bounds().intersects(dirty))
            paintGraphic(p, *c);
}

void ContainerWidget::mousePressEvent(QMouseEvent *e)
{
    if (!m_window.alive())
        return;
    const QPoint pos = e->position().toPoint();
    /* The first button down starts a capture; a stale one (its release went elsewhere) is dropped. */
    if (!m_captured || e->buttons() == e->button()) {
        m_captured = &controlAt(pos);
        m_clickArmed = e->button() == Qt::LeftButton;
    }
    ui::Control *c = m_captured;
    const QPoint at = localPos(*c, pos);
    const ui::MouseButton b = modelButton(e->button());
    const ui::ShiftState s = shiftState(e->modifiers(), e->buttons());
    run([&] {
        if (c->onMouseDown)
            c->onMouseDown(b, s, at.x(), at.y());
    });
}

void ContainerWidget::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_window.alive())
        return;
    const QPoint pos = e->position().toPoint();
    ui::Control *c = m_captured;
    if (!c) {
        c = &controlAt(pos);
        hoverOver(*c);
    }
    const QPoint at = localPos(*c, pos);
    const ui::ShiftState s = shiftState(e->modifiers(), e->buttons());
    run([&] {
        if (c->onMouseMove)
            c->onMouseMove(s, at.x(), at.y());
    });
}

void ContainerWidget::mouseReleaseEvent(QMouseEvent *e)
{
    if (!m_window.alive())
        return;
    const QPoint pos = e->position().toPoint();
    ui::Control *c = m_captured ? m_captured : &controlAt(pos);
    const QPoint at = localPos(*c, pos);
    /* A left press and release over the same control is a click; it runs before the release's own handler. */
    const bool click = m_clickArmed && e->button() == Qt::LeftButton &&
                       QRect(QPoint(0, 0), c == &control() ? size() : c->bounds().size()).contains(at);
    if (click)
        m_clickArmed = false;
    if (e->buttons() == Qt::NoButton) {
        m_captured = nullptr;
        m_clickArmed = false;
    }
    const ui::MouseButton b = modelButton(e->button());
    const ui::ShiftState s = shiftState(e->modifiers(), e->buttons());
    run([&] {
        if (click && c->onClick)
            c->onClick();
        if (m_window.alive() && c->onMouseUp)
            c->onMouseUp(b, s, at.x(), at.y());
    });
}

void ContainerWidget::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (!m_window.alive())
        return;
    /* The second press of a double click: the double click, then a press that arms no click. */
    const QPoint pos = e->position().toPoint();
    ui::Control *c = m_captured ? m_captured : &controlAt(pos);
    m_captured = c;
    m_clickArmed = false;
    const QPoint at = localPos(*c, pos);
    const ui::MouseButton b = modelButton(e->button());
    const ui::ShiftState s = shiftState(e->modifiers(), e->buttons());
    run([&] {
        if (e->button() == Qt::LeftButton && c->onDblClick)
            c->onDblClick();
        if (m_window.alive() && c->onMouseDown)
            c->onMouseDown(b, s, at.x(), at.y());
    });
}

void ContainerWidget::hoverOver(const ui::Control &c)
{
    if (&c == m_hovered)
        return;
    m_hovered = &c;
    setCursor(cursorShape(c.cursor()));
}

bool ContainerWidget::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip && m_window.alive()) {
        auto *help = static_cast<QHelpEvent *>(e);
        const QString &hint = controlAt(help->pos()).hint();
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), hint, this);
        return true;
    }
    if (e->type() == QEvent::Leave)
        m_hovered = nullptr;
    return QWidget::event(e);
}

} // namespace view
