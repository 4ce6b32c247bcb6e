/** @file controls.h The kinds of control: containers, pictures, texts, lists, timers and players. */
#pragma once

#include "ui/form.h"

#include <QImage>
#include <QStringList>

namespace platform {
class SoundHandle;
}

namespace ui {

/** A group box: a framed container with a caption. */
class GroupBox : public Control {
public:
    GroupBox(Control *parent, const QString &name) : Control(parent, name, Kind::GroupBox) {}
};

/** A panel: a plain container. */
class Panel : public Control {
public:
    Panel(Control *parent, const QString &name) : Control(parent, name, Kind::Panel) {}
    bool bevel() const { return m_bevel; }
    void setBevel(bool b) { m_bevel = b; changed(); }

private:
    bool m_bevel = false; ///< Raised edge drawn around it.
};

class TabSheet;

/** A page control: tab sheets of which one is shown. */
class PageControl : public Control {
public:
    PageControl(Control *parent, const QString &name) : Control(parent, name, Kind::PageControl) {}
    /** @return the pages in creation order. */
    std::vector<TabSheet *> pages() const;
    TabSheet *activePage() const { return m_active; }
    /** Shows a page from code; runs no handler. */
    void setActivePage(TabSheet *page);
    /** The player picked a page's tab: shows it and runs onChange on a change. */
    void userSelectPage(TabSheet *page);
    std::function<void()> onChange;

private:
    TabSheet *m_active = nullptr;
};

/** One page of a page control. */
class TabSheet : public Control {
public:
    TabSheet(Control *parent, const QString &name) : Control(parent, name, Kind::TabSheet) {}
    bool tabVisible() const { return m_tabVisible; }
    void setTabVisible(bool v) { m_tabVisible = v; changed(); }

private:
    bool m_tabVisible = true; ///< Whether the player can reach it by its tab.
};

/** A picture: a lamp, a lever, a button or a background. */
class Image : public Control {
public:
    Image(Control *parent, const QString &name) : Control(parent, name, Kind::Image) {}
    const QImage &picture() const { return m_picture; }
    /** Sets the picture; an auto-sized image takes the picture's size. */
    void setPicture(const QImage &img);
    /** Copies the picture of another image, as assigning one picture to another does. */
    void assignPicture(const Image &from) { setPicture(from.picture()); }
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool a);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool t) { m_transparent = t; changed(); }
    bool stretch() const { return m_stretch; }
    void setStretch(bool s) { m_stretch = s; changed(); }
    bool center() const { return m_center; }
    void setCenter(bool c) { m_center = c; changed(); }

private:
    QImage m_picture;
    bool m_autoSize = false;
    bool m_transparent = false; ///< The bottom-left pixel's colour is see-through.
    bool m_stretch = false;
    bool m_center = false;
};

/** Horizontal alignment of a label's caption. */
enum class Align { Left, Center, Right };

/** A label: a text painted on its parent. */
class Label : public Control {
public:
    Label(Control *parent, const QString &name);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool t) { m_transparent = t; changed(); }
    Align alignment() const { return m_align; }
    void setAlignment(Align a) { m_align = a; changed(); }
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool w) { m_wordWrap = w; changed(); }
    bool verticalCenter() const { return m_vcenter; }
    void setVerticalCenter(bool v) { m_vcenter = v; changed(); }
    bool autoSize() const { return m_autoSize; }
    /** An auto-sized label takes the width of its caption in its font, as the platform measures it. */
    void setAutoSize(bool a);

protected:
    void textChanged() override;

private:
    bool m_autoSize = false;
    bool m_transparent = false;
    Align m_align = Align::Left;
    bool m_wordWrap = false;
    bool m_vcenter = false;
};

/** Outline of a shape. */
enum class ShapeType { Rectangle, RoundRect, Circle, Ellipse, Square, RoundSquare };

/** A shape: a rectangle or circle drawn with a pen and a brush. */
class Shape : public Control {
public:
    Shape(Control *parent, const QString &name) : Control(parent, name, Kind::Shape) {}
    ShapeType shape() const { return m_shape; }
    void setShape(ShapeType s) { m_shape = s; changed(); }
    const QColor &brushColor() const { return m_brush; }
    void setBrushColor(const QColor &c);
    bool brushClear() const { return m_brushClear; }
    void setBrushClear(bool c) { m_brushClear = c; changed(); }
    const QColor &penColor() const { return m_pen; }
    void setPenColor(const QColor &c);
    int penWidth() const { return m_penWidth; }
    void setPenWidth(int w) { m_penWidth = w; changed(); }

private:
    ShapeType m_shape = ShapeType::Rectangle;
    QColor m_brush = Qt::white;
    bool m_brushClear = false;
    QColor m_pen = Qt::black;
    int m_penWidth = 1;
};

/**
 * An edit: a word of text. Writing a text it already holds does nothing;
 * any other write stores it and runs onChange at once, nested in the write.
 */
class Edit : public Control {
public:
    Edit(Control *parent, const QString &name, Kind kind = Kind::Edit);
    const QString &text() const { return m_text; }
    void setText(const QString &t);
    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool r) { m_readOnly = r; }
    std::function<void()> onChange;

protected:
    /** Runs when a new text has been stored, before onChange. */
    virtual void textStored() {}

private:
    QString m_text;
    bool m_readOnly = false;
};

/**
 * A spin edit: a number held as its decimal text. A write is clamped to
 * the bounds (both 0: unbounded) and then stored by the text rule; a text
 * that is not an integer reads as the lower bound. The number is read from
 * the text once, when the text is written, so reading it costs nothing.
 */
class SpinEdit : public Edit {
public:
    SpinEdit(Control *parent, const QString &name) : Edit(parent, name, Kind::SpinEdit) { setText("0"); }
    int value() const { return m_isNumber ? m_number : m_min; }
    void setValue(int v);
    int minValue() const { return m_min; }
    int maxValue() const { return m_max; }
    void setBounds(int lo, int hi) { m_min = lo; m_max = hi; }
    using Control::setBounds;

protected:
    void textStored() override;

private:
    int m_min = 0;
    int m_max = 0;
    int m_number = 0;         ///< The text's number, when it is one.
    bool m_isNumber = false;  ///< The text reads as an integer.
    bool m_plain = false;     ///< The text is exactly QString::number(m_number).
};

/**
 * A combo box: free text with a drop-down list. Writing its text from code
 * never runs onChange; only the player's own edit or pick does.
 */
class ComboBox : public Control {
public:
    ComboBox(Control *parent, const QString &name) : Control(parent, name, Kind::ComboBox) {}
    const QString &text() const { return m_text; }
    void setText(const QString &t);
    const QStringList &items() const { return m_items; }
    void setItems(const QStringList &items) { m_items = items; changed(); }
    /** The player typed or picked a text: stores it and runs onChange on a change. */
    void userSetText(const QString &t);
    std::function<void()> onChange;

private:
    QString m_text;
    QStringList m_items;
};

/** A check box; a change of its mark runs onClick, from code or by hand. */
class CheckBox : public Control {
public:
    CheckBox(Control *parent, const QString &name) : Control(parent, name, Kind::CheckBox) {}
    bool checked() const { return m_checked; }
    void setChecked(bool c);

private:
    bool m_checked = false;
};

/** A list box: rows, a selected row and a colour. */
class ListBox : public Control {
public:
    ListBox(Control *parent, const QString &name, Kind kind = Kind::ListBox);
    const QStringList &items() const { return m_items; }
    void setItems(const QStringList &items);
    /** @return the selected row, -1 for none. */
    int itemIndex() const { return m_index; }
    /** Selects a row from code; runs no handler. */
    void setItemIndex(int i);
    /**
     * The player clicked a row, the selected one as well, or moved to it with
     * the keyboard: selects it and runs onClick every time.
     */
    void userClick(int row);
    /** @return the selected row's text, empty for none. */
    QString selectedText() const;
    /** @return whether the list shows whole rows only: its height is cut down to a whole number of rows. */
    bool integralHeight() const { return m_integralHeight; }
    void setIntegralHeight(bool i) { m_integralHeight = i; changed(); }

private:
    QStringList m_items;
    int m_index = -1;
    bool m_integralHeight = false;
};

/** A list box whose rows carry check marks. */
class CheckListBox : public ListBox {
public:
    CheckListBox(Control *parent, const QString &name) : ListBox(parent, name, Kind::CheckListBox) {}
    bool isChecked(int row) const;
    void setChecked(int row, bool c);
    /** The player toggled a row's mark: runs onClickCheck. */
    void userToggle(int row);
    std::function<void()> onClickCheck;

private:
    std::vector<bool> m_checked;
};

/**
 * A memo: lines of text. Reading or writing a line past the end fails, as
 * list access out of bounds does; a change runs onChange.
 */
class Memo : public Control {
public:
    Memo(Control *parent, const QString &name) : Control(parent, name, Kind::Memo) {}
    const QStringList &lines() const { return m_lines; }
    void setLines(const QStringList &lines);
    int count() const { return static_cast<int>(m_lines.size()); }
    /** @return line k; throws SimError when there is none. */
    const QString &line(int k) const;
    /** Writes line k; throws SimError when there is none. */
    void setLine(int k, const QString &text);
    void addLine(const QString &text);
    void clear() { setLines({}); }
    /** @return the lines joined by newlines. */
    QString text() const { return m_lines.join('\n'); }
    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool r) { m_readOnly = r; }
    /**
     * @return whether a line too long for the memo's width goes on below on
     * screen; without it the line is cut and scrolls sideways. Either way the
     * memo's lines stay as they were written.
     */
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool w) { m_wordWrap = w; changed(); }
    std::function<void()> onChange;

private:
    QStringList m_lines;
    bool m_readOnly = false;
    bool m_wordWrap = false;
};

/** A scroll bar; its position is clamped to min .. max, a change runs onChange. */
class ScrollBar : public Control {
public:
    ScrollBar(Control *parent, const QString &name) : Control(parent, name, Kind::ScrollBar) {}
    bool vertical() const { return m_vertical; }
    void setVertical(bool v) { m_vertical = v; changed(); }
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    void setRange(int lo, int hi);
    int position() const { return m_pos; }
    void setPosition(int p);
    int pageSize() const { return m_page; }
    void setPageSize(int p) { m_page = p; changed(); }
    std::function<void()> onChange;

private:
    bool m_vertical = false;
    int m_min = 0;
    int m_max = 100;
    int m_pos = 0;
    int m_page = 0;
};

/** A push button; its click runs onClick. */
class Button : public Control {
public:
    Button(Control *parent, const QString &name) : Control(parent, name, Kind::Button) {}
};

/** A progress bar. */
class ProgressBar : public Control {
public:
    ProgressBar(Control *parent, const QString &name) : Control(parent, name, Kind::ProgressBar) {}
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    void setRange(int lo, int hi) { m_min = lo; m_max = hi; changed(); }
    int position() const { return m_pos; }
    void setPosition(int p);

private:
    int m_min = 0;
    int m_max = 100;
    int m_pos = 0;
};

/** A directory list: the chosen directory; a change runs onChange. */
class DirectoryList : public Control {
public:
    DirectoryList(Control *parent, const QString &name) : Control(parent, name, Kind::DirectoryList) {}
    /** @return the directory, without a trailing separator. */
    const QString &directory() const { return m_dir; }
    void setDirectory(const QString &dir);
    std::function<void()> onChange;

private:
    QString m_dir;
};

/** A drive box: the chosen drive or file-system root. */
class DriveBox : public Control {
public:
    DriveBox(Control *parent, const QString &name) : Control(parent, name, Kind::DriveBox) {}
    const QString &drive() const { return m_drive; }
    void setDrive(const QString &d) { m_drive = d; changed(); }

private:
    QString m_drive = QStringLiteral("/");
};

/** A file list: the files of a directory that match a mask, both without regard to case, sorted by name. */
class FileList : public Control {
public:
    FileList(Control *parent, const QString &name) : Control(parent, name, Kind::FileList) {}
    const QString &directory() const { return m_dir; }
    /** Sets the directory and lists it again. */
    void setDirectory(const QString &dir);
    const QString &mask() const { return m_mask; }
    void setMask(const QString &m);
    const QStringList &items() const { return m_items; }
    /** Lists the directory again. */
    void update();

private:
    QString m_dir;
    QString m_mask = QStringLiteral("*.*");
    QStringList m_items;
};

/**
 * A timer. Writing the enabled flag or the interval it already has does
 * nothing; any other write stops it and, when it is then enabled with an
 * interval above 0 and has a handler, starts a fresh whole period.
 * A firing that comes while its own handler still runs (a message box of
 * the handler is open) is dropped, so error boxes never stack. A failure
 * that repeats is shown once: when the handler fails again with the same
 * boxes as its last failure, they are not shown, until the handler has
 * once run without a failure escaping it.
 */
class Timer : public Control {
public:
    Timer(Control *parent, const QString &name);
    ~Timer() override;
    bool enabledFlag() const { return m_on; }
    void setEnabledFlag(bool on);
    int interval() const { return m_interval; }
    void setInterval(int ms);
    /** Sets the handler; a running timer starts once it has one. */
    void setOnTimer(std::function<void()> fn);
    /** Runs one firing now, as the engine does; a failure is reported, not passed on. */
    void fire();
    /** @return whether its handler is running now. */
    bool firing() const { return m_firing; }
    /**
     * Stops the firings, its flag and interval kept, until wake() or a
     * write that starts it afresh: for a handler that has nothing to do
     * until a change that wakes it.
     */
    void sleep();
    /** Starts a fresh whole period of a timer put to sleep; does nothing to one that is not asleep. */
    void wake();

private:
    void restart();

    bool m_on = true;
    int m_interval = 1000;
    int m_id = -1;
    bool m_firing = false;
    bool m_asleep = false; ///< Stopped by sleep(), its flag and interval kept.
    /** The boxes of the handler's last failure, as (report, text); empty after a clean run. */
    QList<std::pair<bool, QString>> m_lastFailure;
    std::function<void()> m_onTimer;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

/**
 * A media player: one sound file. Playing, stopping or rewinding a player
 * that is not open does nothing; opening a missing or broken file fails.
 */
class MediaPlayer : public Control {
public:
    MediaPlayer(Control *parent, const QString &name);
    ~MediaPlayer() override;
    const QString &fileName() const { return m_file; }
    void setFileName(const QString &f) { m_file = f; }
    /** Opens the file, closing an open one first; throws SimError on failure. */
    void open();
    void close();
    bool isOpen() const { return m_sound != nullptr; }
    void play();
    void stop();
    void rewind();

private:
    QString m_file;
    std::unique_ptr<platform::SoundHandle> m_sound;
};

/**
 * Runs an input or timer event: a failure that escapes it is shown by the default error report.
 * @return true when no failure escaped.
 */
bool runEvent(Form &form, const std::function<void()> &fn);

/**
 * Runs a handler's body under its guard: a failure shows the code in a
 * message box and is passed on.
 */
void guarded(Form &form, const QString &code, const std::function<void()> &fn);

} // namespace ui
