/** @file control.h The base of every control of the forms: name, parent, geometry and events. */
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace ui {

class Form;

/**
 * @return whether two texts are the same, code unit for code unit: the
 * exact compare of the write rules, without the ordering work of a
 * general string comparison (it runs on every write of a text).
 */
inline bool sameText(const QString &a, const QString &b)
{
    return a.size() == b.size()
           && (a.constData() == b.constData()
               || std::memcmp(a.constData(), b.constData(), size_t(a.size()) * sizeof(QChar)) == 0);
}

/** The kinds of control that the forms are made of. */
enum class Kind {
    Form, GroupBox, Panel, PageControl, TabSheet, ScrollBox,
    Image, Label, Shape,
    Edit, SpinEdit, ComboBox, CheckBox, CheckListBox, ListBox, Memo,
    ScrollBar, Button, ProgressBar, DirectoryList, DriveBox, FileList,
    Timer, MediaPlayer,
};

/**
 * A colour of the model packed as one integer, 0xAARRGGBB, opaque. A
 * control tells whether it has such a colour by one integer compare, so
 * the tick's many colour tests cost no call into Qt. It converts to the
 * QColor it stands for, which is QColor(r, g, b).
 */
class PackedColor {
public:
    constexpr PackedColor(int r, int g, int b) : m_argb(0xff000000u | quint32(r) << 16 | quint32(g) << 8 | quint32(b)) {}
    constexpr quint32 argb() const { return m_argb; }
    operator QColor() const { return QColor::fromRgb(m_argb); }
    constexpr bool operator==(const PackedColor &) const = default;

private:
    quint32 m_argb; ///< Alpha, red, green and blue, a byte each.
};

/** Mouse button of a press or release. */
enum class MouseButton { Left, Right, Middle };

/** Keys and buttons held during an input event. */
struct ShiftState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool left = false;   ///< Left button held.
    bool right = false;  ///< Right button held.
    bool middle = false; ///< Middle button held.
};

/** The edge drawn round an input control (edit, memo, list). */
enum class Frame {
    Sunken, ///< The 3-D sunken edge.
    Flat,   ///< A single plain line.
    None,   ///< No edge at all: the text stands on the control's colour.
};

/** Mouse cursor shown over a control. */
enum class Cursor { Default, Hand, Cross, SizeAll, SizeNS, SizeWE, Wait };

/** Font of a control's text; sizes are in pixels. */
struct Font {
    QString family = QStringLiteral("Arial");
    int pixelSize = 11;
    bool bold = false;
    bool italic = false;
    QColor color = Qt::black;
    bool underline = false;

    bool operator==(const Font &) const = default;
};

/** Virtual key codes of the keyboard events. */
namespace key {
enum : int {
    Back = 8, Tab = 9, Enter = 13, Shift = 16, Ctrl = 17, Alt = 18, Escape = 27, Space = 32,
    PageUp = 33, PageDown = 34, End = 35, Home = 36,
    Left = 37, Up = 38, Right = 39, Down = 40, Delete = 46,
    F1 = 112, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
};
}

/**
 * A control: a named part of a form with a place inside its parent, a
 * stacking order given by its creation order, and the events that the
 * player's input sets off. Controls are owned by their form.
 */
class Control {
public:
    Control(Control *parent, const QString &name, Kind kind);
    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    const QString &name() const { return m_name; }
    Kind kind() const { return m_kind; }
    Control *parent() const { return m_parent; }
    Form *form() const { return m_form; }
    /** @return the children in creation order, which is their stacking order. */
    const std::vector<Control *> &children() const { return m_children; }
    /** @return whether the control is hosted by a real widget of its own in the front. */
    bool isWindowed() const;
    /** @return whether the control can contain others. */
    bool isContainer() const;

    int left() const { return m_rect.left(); }
    int top() const { return m_rect.top(); }
    int width() const { return m_rect.width(); }
    int height() const { return m_rect.height(); }
    /** @return the place relative to the parent's client area. */
    QRect bounds() const { return m_rect; }
    void setLeft(int v) { setBounds(QRect(v, top(), width(), height())); }
    void setTop(int v) { setBounds(QRect(left(), v, width(), height())); }
    void setWidth(int v) { setBounds(QRect(left(), top(), v, height())); }
    void setHeight(int v) { setBounds(QRect(left(), top(), width(), v)); }
    void setBounds(int l, int t, int w, int h) { setBounds(QRect(l, t, w, h)); }
    virtual void setBounds(const QRect &r);
    /** @return the top-left corner in form client coordinates. */
    QPoint formPos() const;

    bool visible() const { return m_visible; }
    virtual void setVisible(bool v);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    /** @return whether this control and all its parents are visible. */
    bool showing() const;
    bool enabled() const { return m_enabled; }
    void setEnabled(bool v);

    const QColor &color() const { return m_color; }
    /** @return whether the colour is exactly c: one integer compare. */
    bool colorIs(PackedColor c) const { return m_colorKey == c.argb(); }
    void setColor(const QColor &c);
    /** Sets a packed colour: the same as setting the QColor it stands for, without comparing QColors. */
    void setColor(PackedColor c);
    const Font &font() const { return m_font; }
    void setFont(const Font &f);
    void setFontColor(const QColor &c);
    const QString &caption() const { return m_caption; }
    void setCaption(const QString &c);
    /** @return the text shown while the mouse rests on the control. */
    const QString &hint() const { return m_hint; }
    void setHint(const QString &h);
    /** @return the edge of an input control; other kinds draw none. */
    Frame frame() const { return m_frame; }
    void setFrame(Frame f);
    /** @return whether the Tab key reaches an input control; other kinds never take the keyboard. */
    bool tabStop() const { return m_tabStop; }
    void setTabStop(bool t);
    Cursor cursor() const { return m_cursor; }
    void setCursor(Cursor c) { m_cursor = c; }
    int tag() const { return m_tag; }
    void setTag(int t) { m_tag = t; }

    /* Events; each is set by the subsystem that owns the handler. */
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void(MouseButton, ShiftState, int x, int y)> onMouseDown;
    std::function<void(ShiftState, int x, int y)> onMouseMove;
    std::function<void(MouseButton, ShiftState, int x, int y)> onMouseUp;
    std::function<void(int &key, ShiftState)> onKeyDown;
    std::function<void(QChar &ch)> onKeyPress;
    std::function<void(int &key, ShiftState)> onKeyUp;
    /** Wheel turned; delta is positive for up, negative for down (120 a notch). */
    std::function<void(int delta, ShiftState, QPoint)> onWheel;

    /** Tells the front that something visible changed. */
    void changed();

protected:
    /** Tells the front that the geometry or visibility changed. */
    void layoutChanged();
    /** The caption or the font changed; a control that sizes itself to its text refits here. */
    virtual void textChanged() {}

private:
    friend class Form;
    Control(const QString &name, Kind kind); // the form itself

    QString m_name;
    Kind m_kind;
    Control *m_parent = nullptr;
    Form *m_form = nullptr;
    std::vector<Control *> m_children;
    QRect m_rect;
    bool m_visible = true;
    bool m_enabled = true;
    QColor m_color = QColor(240, 240, 240);
    /** m_color packed as a PackedColor's integer when it is one exactly, else a value no PackedColor has. */
    quint64 m_colorKey = PackedColor(240, 240, 240).argb();
    Font m_font;
    QString m_caption;
    QString m_hint;
    Frame m_frame = Frame::Sunken;
    bool m_tabStop = true;
    Cursor m_cursor = Cursor::Default;
    int m_tag = 0;
};

} // namespace ui
