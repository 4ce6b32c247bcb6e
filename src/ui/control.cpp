/** @file control.cpp The base of every control and the forms that own them. */
#include "ui/control.h"

#include "platform/platform.h"
#include "ui/form.h"
#include "ui/sim_error.h"

namespace ui {

Control::Control(Control *parent, const QString &name, Kind kind)
    : m_name(name), m_kind(kind), m_parent(parent), m_form(parent ? parent->form() : nullptr)
{
    if (m_parent)
        m_parent->m_children.push_back(this);
    m_font.family = QStringLiteral("Arial");
}

Control::Control(const QString &name, Kind kind) : m_name(name), m_kind(kind) {}

Control::~Control() = default;

bool Control::isWindowed() const
{
    switch (m_kind) {
    case Kind::Image:
    case Kind::Label:
    case Kind::Shape:
    case Kind::Timer:
    case Kind::MediaPlayer:
        return false;
    default:
        return true;
    }
}

bool Control::isContainer() const
{
    switch (m_kind) {
    case Kind::Form:
    case Kind::GroupBox:
    case Kind::Panel:
    case Kind::PageControl:
    case Kind::TabSheet:
    case Kind::ScrollBox:
        return true;
    default:
        return false;
    }
}

void Control::setBounds(const QRect &r)
{
    if (r == m_rect)
        return;
    m_rect = r;
    layoutChanged();
}

QPoint Control::formPos() const
{
    QPoint p;
    for (const Control *c = this; c && c->m_kind != Kind::Form; c = c->m_parent)
        p += c->m_rect.topLeft();
    return p;
}

void Control::setVisible(bool v)
{
    if (v == m_visible)
        return;
    m_visible = v;
    layoutChanged();
}

bool Control::showing() const
{
    for (const Control *c = this; c; c = c->m_parent)
        if (!c->m_visible)
            return false;
    return true;
}

void Control::setEnabled(bool v)
{
    if (v == m_enabled)
        return;
    m_enabled = v;
    if (m_kind == Kind::Form)
        static_cast<Form *>(this)->notifyState();
    else
        changed();
}

namespace {

/** Stands for a colour that no PackedColor gives exactly. */
constexpr quint64 NotPacked = quint64(1) << 32;

/** @return c's packed integer when it is exactly the QColor of a PackedColor, else NotPacked. */
quint64 packedKey(const QColor &c)
{
    /* Only a plain RGB colour can be one (QColor tells HSV, CMYK and the rest apart). */
    if (!c.isValid() || c != c.toRgb())
        return NotPacked;
    const QRgba64 wide = c.rgba64();
    /* A PackedColor's channels are 8-bit values widened by 0x101, and it is opaque. */
    if (wide.alpha() != 0xffff || wide.red() % 0x101 || wide.green() % 0x101 || wide.blue() % 0x101)
        return NotPacked;
    return c.rgba();
}

} // namespace

void Control::setColor(const QColor &c)
{
    if (c == m_color)
        return;
    m_color = c;
    m_colorKey = packedKey(c);
    changed();
}

void Control::setColor(PackedColor c)
{
    if (m_colorKey == c.argb())
        return;
    m_color = c;
    m_colorKey = c.argb();
    changed();
}

void Control::setFont(const Font &f)
{
    if (f == m_font)
        return;
    m_font = f;
    textChanged();
    changed();
}

void Control::setFontColor(const QColor &c)
{
    if (c == m_font.color)
        return;
    m_font.color = c;
    changed();
}

void Control::setCaption(const QString &c)
{
    if (sameText(c, m_caption))
        return;
    m_caption = c;
    textChanged();
    if (m_kind == Kind::Form)
        static_cast<Form *>(this)->notifyState();
    else
        changed();
}

void Control::setHint(const QString &h)
{
    if (h == m_hint)
        return;
    m_hint = h;
    changed();
}

void Control::setFrame(Frame f)
{
    if (f == m_frame)
        return;
    m_frame = f;
    changed();
}

void Control::setTabStop(bool t)
{
    if (t == m_tabStop)
        return;
    m_tabStop = t;
    changed();
}

void Control::changed()
{
    if (m_form && m_form->observer())
        m_form->observer()->controlChanged(this);
}

void Control::layoutChanged()
{
    if (m_form && m_form->observer())
        m_form->observer()->controlLayoutChanged(this);
}

Form::Form(const QString &name, platform::Platform &platform)
    : Control(name, Kind::Form), m_platform(platform)
{
    static quint64 made = 0;
    m_serial = ++made;
    /* Set here, once the form exists: its controls find it through this. */
    m_form = this;
    Control::setVisible(false);
}

Form::~Form()
{
    /* Children go before their parents: the reverse of creation order. */
    while (!m_owned.empty())
        m_owned.pop_back();
}

void Form::refuseTaken(const QString &name) const
{
    /* One place creates each control: a second one of a name would hide the first from every handler. */
    if (m_byName.contains(name))
        throw SimError(QStringLiteral("Prvek %1.%2 je již vytvořen").arg(this->name(), name));
}

void Form::adopt(std::unique_ptr<Control> c)
{
    if (!c->name().isEmpty())
        m_byName.insert(c->name(), c.get());
    m_owned.push_back(std::move(c));
}

void Form::setVisible(bool v)
{
    if (v == visible())
        return;
    Control::setVisible(v);
    notifyState();
    if (v && onShow)
        onShow();
}

void Form::close()
{
    if (onClose)
        onClose();
    if (onQuit) {
        onQuit();
        return;
    }
    setVisible(false);
}

void Form::setBorderStyle(BorderStyle b)
{
    if (b == m_border)
        return;
    m_border = b;
    notifyState();
}

void Form::setMaximized(bool m)
{
    if (m == m_maximized)
        return;
    m_maximized = m;
    notifyState();
}

void Form::bringToFront()
{
    ++m_frontCount;
    notifyState();
}

void Form::notifyState()
{
    if (m_observer)
        m_observer->formStateChanged();
}

} // namespace ui
