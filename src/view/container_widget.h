/** @file container_widget.h A container control (form, group box, panel, tab sheet) with its graphic children. */
#pragma once

#include "view/hosted_view.h"

#include <QWidget>

namespace view {

/**
 * Shows a container: it paints its face and then its visible graphic
 * children (images, labels, shapes) in creation order, so the windowed
 * children, real widgets above it, always lie over them. Mouse input on it
 * goes to the topmost graphic child under the pointer, or to the container
 * itself, with the usual capture: after a press, moves and the release go
 * to the control that got the press.
 */
class ContainerWidget : public QWidget, public HostedView {
    Q_OBJECT
public:
    /**
     * @param control the container shown.
     * @param window the form's window, which dispatches the input.
     * @param parent the widget of the control's parent; null for the form itself.
     */
    ContainerWidget(ui::Control &control, FormWindow &window, QWidget *parent);

    QWidget *widget() override { return this; }
    void refresh() override;
    QWidget *childHost() override { return this; }

    /** @return the topmost visible and enabled graphic child at pos, or the container itself. */
    ui::Control &controlAt(const QPoint &pos) const;

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    bool event(QEvent *e) override;

private:
    /** @return pos relative to the control c (the container or one of its graphic children). */
    QPoint localPos(const ui::Control &c, const QPoint &pos) const;
    /** Shows the cursor and hint of the control under the pointer. */
    void hoverOver(const ui::Control &c);

    ui::Control *m_captured = nullptr; ///< The control that got the press, until all buttons are up.
    bool m_clickArmed = false;         ///< The press was a left press that a release inside may turn into a click.
    const ui::Control *m_hovered = nullptr; ///< Control whose cursor is shown.
};

} // namespace view
