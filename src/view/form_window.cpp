/** @file form_window.cpp The top-level window of one form: its state, its widgets and its keys, wheel and close. */
#include "view/form_window.h"

#include "view/hosted_widgets.h"
#include "view/input_map.h"
#include "view/painter.h"

#include "ui/controls.h"

#include <QCloseEvent>
#include <QApplication>
#include <QGuiApplication>
#include <QHideEvent>
#include <QWindow>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>

namespace view {

namespace {

/** One notch of the wheel. */
constexpr int WheelNotch = 120;

/** @return the window flags that give a form its frame and title-bar buttons. */
Qt::WindowFlags windowFlagsOf(const ui::Form &f)
{
    if (f.borderStyle() == ui::BorderStyle::None)
        return Qt::Window | Qt::FramelessWindowHint;
    if (f.borderStyle() == ui::BorderStyle::ToolWindow)
        return Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (f.closeButtonOnly() || f.borderStyle() == ui::BorderStyle::Dialog)
        return flags;
    flags |= Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
    if (f.borderStyle() == ui::BorderStyle::Sizeable)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

/** A single-line frame: three pixels each side and a caption bar of 25 above. */
const QSize SingleFrame(6, 31);

/**
 * @return the client area of a form: a single-line framed form's Width and
 * Height count its frame and caption bar, which the window system draws
 * round the client area here.
 */
QSize clientSizeOf(const ui::Form &f)
{
    if (f.borderStyle() == ui::BorderStyle::Single)
        return f.bounds().size() - SingleFrame;
    return f.bounds().size();
}

} // namespace

FormWindow::FormWindow(ui::Form &form) : ContainerWidget(form, *this, nullptr), m_form(&form)
{
    setFocusPolicy(Qt::StrongFocus);
    m_nextFrame.setSingleShot(true);
    m_nextFrame.setTimerType(Qt::PreciseTimer);
    connect(&m_nextFrame, &QTimer::timeout, this, [this] {
        QEvent paint(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(this, &paint);
    });
    m_showCheck.setSingleShot(true);
    connect(&m_showCheck, &QTimer::timeout, this, &FormWindow::checkShown);
    m_sizeCheck.setSingleShot(true);
    connect(&m_sizeCheck, &QTimer::timeout, this, &FormWindow::checkSize);
    m_frontSeen = form.frontCount();
    m_views.insert(&form, this);
    build(form, this);
    form.setObserver(this);
    applyLayout();
}

FormWindow::~FormWindow()
{
    detach();
}

void FormWindow::detach()
{
    if (!m_form)
        return;
    if (m_form->observer() == this)
        m_form->setObserver(nullptr);
    m_form = nullptr;
    for (HostedView *v : std::as_const(m_views))
        if (v != this)
            v->widget()->blockSignals(true);
    m_views.clear();
    m_graphicRects.clear();
    m_dirty.clear();
    hide();
}

QWidget *FormWindow::widgetOf(const ui::Control &c) const
{
    HostedView *v = m_views.value(&c);
    return v ? v->widget() : nullptr;
}

void FormWindow::runInput(const std::function<void()> &fn)
{
    if (m_form)
        ui::runEvent(*m_form, fn);
}

void FormWindow::build(ui::Control &parent, QWidget *host)
{
    for (ui::Control *c : parent.children()) {
        if (isGraphic(*c)) {
            m_graphicRects.insert(c, c->visible() ? c->bounds() : QRect());
            continue;
        }
        if (!c->isWindowed())
            continue;
        HostedView *v = createHostedView(*c, *this, host);
        if (!v)
            continue;
        m_views.insert(c, v);
        v->refresh();
        v->applyLayout();
        if (QWidget *inner = v->childHost())
            build(*c, inner);
    }
}

void FormWindow::setFooter(QWidget *footer, int height)
{
    m_footer = footer;
    m_footerHeight = height;
    footer->raise();
    footer->show(); /* The window may be shown already: a new child is not shown with it then. */
    /* The window may have had its place without the footer: a centred one is centred again, footer and all. */
    m_placed = false;
    applyLayout();
}

void FormWindow::controlChanged(ui::Control *c)
{
    if (m_footer && c->kind() == ui::Kind::Image)
        m_footer->update();
    if (isGraphic(*c)) {
        if (!c->visible())
            return;
        if (HostedView *container = m_views.value(c->parent()))
            container->updateRect(c->bounds());
        return;
    }
    if (HostedView *v = m_views.value(c))
        refreshView(v);
}

void FormWindow::controlLayoutChanged(ui::Control *c)
{
    if (c == m_form) {
        applyLayout();
        return;
    }
    if (isGraphic(*c)) {
        invalidateGraphic(c);
        return;
    }
    HostedView *v = m_views.value(c);
    if (!v)
        return;
    v->applyLayout();
    if (c->visible())
        flushDirty();
}

void FormWindow::formStateChanged()
{
    applyLayout();
}

void FormWindow::invalidateGraphic(const ui::Control *c)
{
    const QRect now = c->visible() ? c->bounds() : QRect();
    auto it = m_graphicRects.find(c);
    if (it == m_graphicRects.end() || *it == now)
        return;
    if (HostedView *container = m_views.value(c->parent())) {
        container->updateRect(*it);
        container->updateRect(now);
    }
    *it = now;
}

void FormWindow::refreshView(HostedView *v)
{
    if (v->widget()->isVisible())
        v->refresh();
    else
        m_dirty.insert(v);
}

void FormWindow::flushDirty()
{
    const QSet<HostedView *> dirty = std::exchange(m_dirty, {});
    for (HostedView *v : dirty)
        v->refresh();
}

void FormWindow::applyLayout()
{
    if (!m_form)
        return;
    const ui::Form &f = *m_form;
    setWindowTitle(f.caption());
    setEnabled(f.enabled());
    applyFlags();
    if (!f.visible()) {
        if (!isHidden())
            hide();
        return;
    }
    const bool showing = isHidden();
    if (showing)
        shedManagerState();
    if (showing && f.borderStyle() == ui::BorderStyle::ToolWindow)
        followOpener();
    const bool toFront = f.frontCount() != m_frontSeen;
    /* A window the window manager minimised comes back when the form is
       brought to the front, and at once when the form has no minimise box:
       the player could not bring it back and its opener stays disabled. */
    if (isMinimized() && (toFront || !(windowFlagsOf(f) & Qt::WindowMinimizeButtonHint)))
        setWindowState(windowState() & ~Qt::WindowMinimized);
    applyGeometry();
    if (toFront) {
        m_frontSeen = f.frontCount();
        stampFront();
        raise();
        activateWindow();
    }
    if (showing || toFront) {
        if (!m_renewing)
            m_showTries = 0;
        m_showCheck.start(ShowCheckMs);
    }
    m_renewing = false;
}

void FormWindow::followOpener()
{
    /* A tool window stays above the window that had the keyboard when it
       opened (the window system is told so, as a transient window), and
       hands the keyboard back to it when it closes. */
    if (!m_renewing) {
        QWidget *active = QApplication::activeWindow();
        m_opener = active && active != this ? active : nullptr;
    }
    create();
    if (QWindow *own = windowHandle())
        own->setTransientParent(m_opener && m_opener->windowHandle() ? m_opener->windowHandle() : nullptr);
}

void FormWindow::hideEvent(QHideEvent *e)
{
    ContainerWidget::hideEvent(e);
    if (e->spontaneous() || !m_opener || m_renewing)
        return;
    /* Once the closing event is over (it enables the opener again), unless
       the player has meanwhile gone to another window. */
    const QPointer<QWidget> opener = std::exchange(m_opener, nullptr);
    const QPointer<QWidget> closed = this;
    QTimer::singleShot(0, opener, [opener, closed] {
        QWidget *active = QApplication::activeWindow();
        if (!opener || !opener->isVisible() || !opener->isEnabled())
            return;
        if (active && active != closed && active != opener)
            return;
        opener->activateWindow();
        opener->setFocus(Qt::ActiveWindowFocusReason);
    });
}

void FormWindow::applyFlags()
{
    /* Compared with the flags asked last, not with windowFlags(): Qt adds
       hints of its own (a tool window gets the system menu hint). */
    const Qt::WindowFlags flags = windowFlagsOf(*m_form);
    if (m_flagsAsked && *m_flagsAsked == flags)
        return;
    m_flagsAsked = flags;
    if (isHidden() || !windowHandle() || !m_form->visible()) {
        setWindowFlags(flags);
        return;
    }
    /* A window shown and staying so gets a new native window with the new frame:
       setWindowFlags would unmap it and applyGeometry map the same window
       again at once, which a window manager may lose (see dropNative). */
    dropNative();
    setWindowFlags(flags);
}

void FormWindow::dropNative()
{
    m_renewing = true;
    hide();
    destroy();
    /* The new native window goes where the form says, as on the first show. */
    m_placed = false;
    m_placeAgain = true;
}

void FormWindow::renewOver(QWidget &opener)
{
    if (!m_form || isHidden() || m_form->borderStyle() != ui::BorderStyle::ToolWindow)
        return;
    m_opener = &opener;
    dropNative();
    /* Where the player left it: the frame is the same. */
    m_placed = true;
    m_placeAgain = false;
    applyLayout();
}

void FormWindow::checkShown()
{
    const QWindow *own = windowHandle();
    if (!m_form || !m_form->visible() || isHidden() || isMinimized() || !own || own->isExposed()
        || m_showTries >= MaxShowTries)
        return;
    /* Shown by the form and by Qt, yet not put on the screen: the window
       manager lost the window. It gets a new one, shown in front, and the
       window manager a longer while each time. */
    ++m_showTries;
    dropNative();
    applyLayout();
    raise();
    activateWindow();
    m_showCheck.start(ShowCheckMs << m_showTries);
}

void FormWindow::checkSize()
{
    /* A window manager may take a new window in at a size of its own making
       (fluxbox at times fits a window just given a frame into the place the
       frameless one had): the form's controls would lie beyond its edge. A
       size the manager gives on purpose, maximised, stays. */
    const QSize own = minimumSize();
    if (!m_form || m_form->maximized() || isHidden() || own != maximumSize() || size() == own
        || windowState() != Qt::WindowNoState || m_sizeTries >= MaxSizeTries)
        return;
    ++m_sizeTries;
    resize(own);
}

void FormWindow::shedManagerState()
{
    /* The window manager's maximising stays in the native window's state
       after it is closed, and a manager may take it up again when the window
       is mapped, whatever Qt asks then (fluxbox does). A form of a size of its
       own is shown in a new native window, at that size and where the form
       says. */
    if (m_form->maximized() || !windowHandle() || !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    destroy();
    setWindowState(Qt::WindowNoState);
    m_placed = false;
    m_placeAgain = true;
}

void FormWindow::stampFront()
{
    static quint64 stamps = 0;
    m_frontStamp = ++stamps;
}

void FormWindow::applyGeometry()
{
    const ui::Form &f = *m_form;
    if (f.maximized()) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (f.borderStyle() == ui::BorderStyle::None) {
            if (isHidden() || !isFullScreen()) {
                /* The screen's size at once, not only when the window system gets round to it. */
                if (const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen())
                    setGeometry(s->geometry());
                showFullScreen();
            }
        } else if (isHidden() || !isMaximized()) {
            showMaximized();
        }
        return;
    }
    const QSize client = clientSizeOf(f);
    const QSize size(std::max(1, client.width()), std::max(1, client.height()) + m_footerHeight);
    if (m_footer)
        m_footer->setGeometry(0, client.height(), size.width(), m_footerHeight);
    if (isFullScreen() || isMaximized())
        setWindowState(Qt::WindowNoState);
    if (this->size() != size || minimumSize() != size || maximumSize() != size) {
        m_sizeTries = 0;
        setFixedSize(size);
    }
    /* Placed when first shown, and again whenever the form itself moves or resizes. */
    if (!m_placed || f.bounds() != m_placedFrom) {
        place();
        m_placed = true;
        m_placedFrom = f.bounds();
    }
    if (isHidden())
        show();
}

void FormWindow::place()
{
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QPoint at = m_form->centered() && s ? s->availableGeometry().center() - QPoint(width() / 2, height() / 2)
                                              : QPoint(m_form->left(), m_form->top());
    /* The form's place is that of its frame. Qt's idea of the frame's size may still be that
       of the frame the window had before it was made anew: a frameless window is placed by
       its own area, and a framed one on the screen by the frame the window system tells. */
    const QWindow *own = windowHandle();
    if (m_form->borderStyle() == ui::BorderStyle::None || (own && own->isExposed())) {
        const QMargins frame = m_form->borderStyle() == ui::BorderStyle::None ? QMargins() : own->frameMargins();
        setGeometry(QRect(at + QPoint(frame.left(), frame.top()), size()));
        return;
    }
    move(at);
}

bool FormWindow::eventFilter(QObject *watched, QEvent *e)
{
    /* The first exposure after a show or a restore: the window manager has
       mapped the window and stacked it where it puts a window that comes up. */
    if (e->type() == QEvent::Expose && m_comingUp && watched == windowHandle() && windowHandle()->isExposed()) {
        m_comingUp = false;
        /* A new native window was placed by the size of the frame it had before: Qt learns
           the new frame's size once the window is on the screen. */
        if (std::exchange(m_placeAgain, false) && m_form && !m_form->maximized())
            place();
        emit cameUp();
    }
    return ContainerWidget::eventFilter(watched, e);
}

bool FormWindow::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        stampFront();
    if (e->type() != QEvent::UpdateRequest)
        return ContainerWidget::event(e);
    /* Qt asks for one paint of everything marked since the last one; it
       asks again only after that paint, so what changes meanwhile gathers
       in the dirty region. Within a frame of the last paint the request
       waits for the frame's end. */
    if (m_lastPaint.isValid() && m_lastPaint.elapsed() < FrameMs) {
        if (!m_nextFrame.isActive())
            m_nextFrame.start(int(FrameMs - m_lastPaint.elapsed()));
        return true;
    }
    m_nextFrame.stop();
    m_lastPaint.start();
    return ContainerWidget::event(e);
}

void FormWindow::closeEvent(QCloseEvent *e)
{
    /* The form decides: it hides itself (and so the window) or asks the program to end. */
    e->ignore();
    ui::Form *f = m_form;
    runInput([f] { f->close(); });
}

bool FormWindow::formHasKeys() const
{
    const QWidget *focus = focusWidget();
    return !focus || focus == this;
}

void FormWindow::keyPressEvent(QKeyEvent *e)
{
    if (!m_form || !formHasKeys()) {
        ContainerWidget::keyPressEvent(e);
        return;
    }
    e->accept();
    ui::Form *f = m_form;
    const int vk = virtualKey(*e);
    const ui::ShiftState s = shiftState(e->modifiers(), QGuiApplication::mouseButtons());
    if (vk != 0)
        runInput([&] {
            int key = vk;
            if (f->onKeyDown)
                f->onKeyDown(key, s);
        });
    const QString text = e->text();
    if (!text.isEmpty())
        runInput([&] {
            QChar ch = text.at(0);
            if (f->onKeyPress)
                f->onKeyPress(ch);
        });
}

void FormWindow::keyReleaseEvent(QKeyEvent *e)
{
    if (!m_form || !formHasKeys()) {
        ContainerWidget::keyReleaseEvent(e);
        return;
    }
    e->accept();
    const int vk = virtualKey(*e);
    if (e->isAutoRepeat() || vk == 0)
        return;
    ui::Form *f = m_form;
    const ui::ShiftState s = shiftState(e->modifiers(), QGuiApplication::mouseButtons());
    runInput([&] {
        int key = vk;
        if (f->onKeyUp)
            f->onKeyUp(key, s);
    });
}

void FormWindow::wheelEvent(QWheelEvent *e)
{
    if (!m_form) {
        e->ignore();
        return;
    }
    e->accept();
    m_wheelRest += e->angleDelta().y();
    const ui::ShiftState s = shiftState(e->modifiers(), e->buttons());
    const QPoint at = e->globalPosition().toPoint();
    /* Whole notches only: a fine-grained wheel adds up until it makes one. */
    while (m_form && std::abs(m_wheelRest) >= WheelNotch) {
        const int delta = m_wheelRest > 0 ? WheelNotch : -WheelNotch;
        m_wheelRest -= delta;
        ui::Form *f = m_form;
        runInput([&] {
            if (f->onWheel)
                f->onWheel(delta, s, at);
        });
    }
}

void FormWindow::showEvent(QShowEvent *e)
{
    ContainerWidget::showEvent(e);
    comeUp();
    flushDirty();
    if (!focusWidget())
        setFocus();
}

void FormWindow::changeEvent(QEvent *e)
{
    ContainerWidget::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange)
        return;
    /* Minimised by the window manager: brought back once the window system's
       event is over, unless the form offers minimising. */
    if (isMinimized())
        QTimer::singleShot(0, this, [this] { applyLayout(); });
    else if (static_cast<QWindowStateChangeEvent *>(e)->oldState() & Qt::WindowMinimized)
        comeUp();
}

void FormWindow::comeUp()
{
    /* Shown again in a new native window by the program itself, it is not
       the window the player came to last. */
    if (!m_renewing)
        stampFront();
    m_comingUp = true;
    /* Watches the native window it is shown in now, which may be a new one. */
    if (QWindow *own = windowHandle()) {
        own->removeEventFilter(this);
        own->installEventFilter(this);
    }
}

void FormWindow::resizeEvent(QResizeEvent *e)
{
    ContainerWidget::resizeEvent(e);
    /* Looked at once the window system's events of the change are over: a
       maximised window's state may come after its size. */
    if (e->spontaneous() && e->size() != minimumSize())
        m_sizeCheck.start(SizeCheckMs);
    /* A maximised form learns the size the screen gave it; its own layout
       runs in its resize handler. Fixed-size forms keep their design size. */
    ui::Form *f = m_form;
    /* The first time it is shown its layout runs even when the screen has its design size. */
    if (!f || !f->maximized() || (m_sized && e->size() == f->bounds().size()))
        return;
    m_sized = true;
    f->setBounds(f->left(), f->top(), e->size().width(), e->size().height());
    runInput([f] {
        if (f->onResize)
            f->onResize();
    });
}

} // namespace view
