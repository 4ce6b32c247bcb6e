/** @file harness.cpp The headless test harness. */
#include "harness/harness.h"

#include "core/form_a1.h"
#include "frame/form_a0.h"

#include <QElapsedTimer>

#include <stdexcept>

Harness::Harness(const QString &dataDir, QSize screen)
    : m_app(m_test.platform), m_screen(screen)
{
    m_app.ScreenWidth = screen.width();
    m_app.ScreenHeight = screen.height();
    m_app.currentScreen = [this] { return m_screen; };
    m_app.createForms();
    m_app.A0().C3->setDirectory(dataDir);
    m_app.A0().show();
}

Harness::~Harness() = default;

ui::Control &Harness::control(const QString &name) const
{
    ui::Control *c = m_app.control(name);
    if (!c)
        throw std::runtime_error(("no control named " + name).toStdString());
    return *c;
}

QString Harness::text(const QString &name) const
{
    ui::Control &c = control(name);
    if (auto *e = dynamic_cast<ui::Edit *>(&c))
        return e->text();
    if (auto *cb = dynamic_cast<ui::ComboBox *>(&c))
        return cb->text();
    if (auto *m = dynamic_cast<ui::Memo *>(&c))
        return m->text();
    return c.caption();
}

int Harness::value(const QString &name) const
{
    return as<ui::SpinEdit>(name).value();
}

QStringList Harness::lines(const QString &name) const
{
    return as<ui::Memo>(name).lines();
}

bool Harness::checked(const QString &name) const
{
    return as<ui::CheckBox>(name).checked();
}

QColor Harness::color(const QString &name) const
{
    return control(name).color();
}

bool Harness::visible(const QString &name) const
{
    return control(name).visible();
}

bool Harness::enabled(const QString &name) const
{
    return control(name).enabled();
}

int Harness::selectedRow(const QString &name) const
{
    return as<ui::ListBox>(name).itemIndex();
}

int Harness::interval(const QString &name) const
{
    return as<ui::Timer>(name).interval();
}

bool Harness::timerEnabled(const QString &name) const
{
    return as<ui::Timer>(name).enabledFlag();
}

QString Harness::clock() const
{
    return text("A6.H01");
}

void Harness::run(ui::Control &c, const std::function<void()> &fn)
{
    QElapsedTimer t;
    t.start();
    ui::runEvent(*c.form(), fn);
    m_programNs += t.nsecsElapsed();
}

void Harness::type(const QString &name, const QString &text)
{
    ui::Control &c = control(name);
    run(c, [&] {
        if (auto *e = dynamic_cast<ui::Edit *>(&c))
            e->setText(text);
        else if (auto *cb = dynamic_cast<ui::ComboBox *>(&c))
            cb->userSetText(text);
        else if (auto *m = dynamic_cast<ui::Memo *>(&c))
            m->setLines(text.split('\n'));
        else
            throw std::runtime_error(("cannot type into " + name).toStdString());
    });
}

void Harness::check(const QString &name, bool on)
{
    auto &cb = as<ui::CheckBox>(name);
    run(cb, [&] { cb.setChecked(on); });
}

void Harness::click(const QString &name)
{
    ui::Control &c = control(name);
    run(c, [&] {
        if (c.onClick)
            c.onClick();
    });
}

void Harness::clickRow(const QString &name, int row)
{
    auto &l = as<ui::ListBox>(name);
    run(l, [&] { l.userClick(row); });
}

void Harness::press(const QString &name, int x, int y, ui::MouseButton b)
{
    ui::Control &c = control(name);
    m_captured = &c;
    m_capturedName = name;
    m_pressedAt = c.formPos();
    ui::ShiftState s;
    s.left = b == ui::MouseButton::Left;
    s.right = b == ui::MouseButton::Right;
    run(c, [&] {
        if (c.onMouseDown)
            c.onMouseDown(b, s, x, y);
    });
}

void Harness::move(int x, int y)
{
    if (!m_captured || !m_app.control(m_capturedName))
        return;
    ui::Control &c = *m_captured;
    ui::ShiftState s;
    s.left = true;
    const QPoint at = pointerOn(c, x, y);
    run(c, [&] {
        if (c.onMouseMove)
            c.onMouseMove(s, at.x(), at.y());
    });
}

void Harness::moveOver(const QString &name, int x, int y)
{
    ui::Control &c = control(name);
    run(c, [&] {
        if (c.onMouseMove)
            c.onMouseMove(ui::ShiftState{}, x, y);
    });
}

void Harness::release(int x, int y, ui::MouseButton b)
{
    if (!m_captured || !m_app.control(m_capturedName))
        return;
    ui::Control &c = *m_captured;
    m_captured = nullptr;
    /* As in the windowing library: the click (only when released over the
       control) comes before the mouse-up. */
    const QPoint at = pointerOn(c, x, y);
    const bool inside = QRect(QPoint(0, 0), c.bounds().size()).contains(at);
    run(c, [&] {
        if (inside && b == ui::MouseButton::Left && c.onClick)
            c.onClick();
    });
    if (!m_app.control(m_capturedName))
        return;
    const QPoint up = pointerOn(c, x, y);
    run(c, [&] {
        if (c.onMouseUp)
            c.onMouseUp(b, ui::ShiftState{}, up.x(), up.y());
    });
}

void Harness::doubleClick(const QString &name, int x, int y)
{
    press(name, x, y);
    release(x, y);
    if (!m_app.control(name))
        return;
    ui::Control &c = control(name);
    m_captured = &c;
    m_capturedName = name;
    ui::ShiftState s;
    s.left = true;
    run(c, [&] {
        if (c.onDblClick)
            c.onDblClick();
    });
    if (!m_app.control(name))
        return;
    const QPoint down = pointerOn(c, x, y);
    run(c, [&] {
        if (c.onMouseDown)
            c.onMouseDown(ui::MouseButton::Left, s, down.x(), down.y());
    });
    m_captured = nullptr;
    if (!m_app.control(name))
        return;
    const QPoint up = pointerOn(c, x, y);
    run(c, [&] {
        if (c.onMouseUp)
            c.onMouseUp(ui::MouseButton::Left, ui::ShiftState{}, up.x(), up.y());
    });
}

void Harness::drag(const QString &name, QPoint from, QPoint to)
{
    press(name, from.x(), from.y());
    QPoint p = from;
    while (p != to) {
        p.rx() += (to.x() > p.x()) - (to.x() < p.x());
        p.ry() += (to.y() > p.y()) - (to.y() < p.y());
        move(p.x(), p.y());
    }
    if (!m_captured)
        return;
    ui::Control &c = *m_captured;
    m_captured = nullptr;
    const QPoint up = pointerOn(c, to.x(), to.y());
    run(c, [&] {
        if (c.onMouseUp)
            c.onMouseUp(ui::MouseButton::Left, ui::ShiftState{}, up.x(), up.y());
    });
}

void Harness::keyDown(const QString &formName, int key)
{
    ui::Control &f = control(formName);
    run(f, [&] {
        int k = key;
        if (f.onKeyDown)
            f.onKeyDown(k, ui::ShiftState{});
    });
}

void Harness::keyUp(const QString &formName, int key)
{
    ui::Control &f = control(formName);
    run(f, [&] {
        int k = key;
        if (f.onKeyUp)
            f.onKeyUp(k, ui::ShiftState{});
    });
}

void Harness::keyPress(const QString &formName, QChar ch)
{
    ui::Control &f = control(formName);
    run(f, [&] {
        QChar c = ch;
        if (f.onKeyPress)
            f.onKeyPress(c);
    });
}

void Harness::closeForm(const QString &formName)
{
    auto &f = dynamic_cast<ui::Form &>(control(formName));
    run(f, [&] { f.close(); });
}

void Harness::wheel(const QString &formName, int notches)
{
    ui::Control &f = control(formName);
    const int delta = notches > 0 ? 120 : -120;
    for (int k = 0; k < std::abs(notches); ++k)
        run(f, [&] {
            if (f.onWheel)
                f.onWheel(delta, ui::ShiftState{}, QPoint());
        });
}

void Harness::resize(const QString &formName, int width, int height)
{
    auto &f = dynamic_cast<ui::Form &>(control(formName));
    if (f.width() == width && f.height() == height)
        return;
    f.setBounds(f.left(), f.top(), width, height);
    run(f, [&] {
        if (f.onResize)
            f.onResize();
    });
}

void Harness::maximise(const QString &formName)
{
    /* Showing a maximised window resizes it, also when it already has the screen's size. */
    auto &f = dynamic_cast<ui::Form &>(control(formName));
    f.setBounds(f.left(), f.top(), m_screen.width(), m_screen.height());
    run(f, [&] {
        if (f.onResize)
            f.onResize();
    });
}

void Harness::openMenu()
{
    click("A0.B1");
    /* Three slides of 5 s each, then a hundred layout steps of 10 ms. */
    advanceMs(3 * 5000 + 100 * 10);
}

void Harness::hoverClick(const QString &name)
{
    moveOver(name, 1, 1);
    click(name);
}

void Harness::advanceMs(qint64 ms)
{
    QElapsedTimer t;
    t.start();
    timers.advance(ms);
    m_programNs += t.nsecsElapsed();
}

void Harness::ticks(int n)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i)
        timers.advance(m_app.A1().Hodiny->interval());
    m_programNs += t.nsecsElapsed();
}

void Harness::setClock(int hour, int minute, int second)
{
    TA1 &a1 = m_app.A1();
    QStringList hours, minutes;
    for (int k = 0; k < 6; ++k) {
        const int total = (hour * 60 + minute + k) % (24 * 60);
        hours << QString::number(total / 60);
        minutes << QStringLiteral("%1").arg(total % 60, 2, 10, QChar('0'));
    }
    a1.Hodina->setLines(hours);
    a1.Minuta->setLines(minutes);
    a1.Sekunda->setText(QStringLiteral("%1").arg(second, 2, 10, QChar('0')));
}
