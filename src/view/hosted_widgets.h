/** @file hosted_widgets.h The Qt widgets of the windowed controls, each bound both ways to its control. */
#pragma once

#include "view/container_widget.h"
#include "view/hosted_view.h"

#include "ui/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>

namespace view {

/**
 * @return a new widget for a windowed control inside parent (which owns
 * it), or null for a kind the front does not show.
 */
HostedView *createHostedView(ui::Control &c, FormWindow &window, QWidget *parent);

/** An edit or spin edit: the player's typing writes the text as it goes, so its change handler runs at once. */
class EditView : public QLineEdit, public HostedView {
    Q_OBJECT
public:
    EditView(ui::Edit &edit, FormWindow &window, QWidget *parent);
    QWidget *widget() override { return this; }
    void refresh() override;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    /** Draws a flat edit's single line round the text. */
    void paintEvent(QPaintEvent *e) override;

private:
    ui::Edit &edit() const { return static_cast<ui::Edit &>(control()); }
};

/** A combo box: the player's pick or edit goes through userSetText. */
class ComboView : public QComboBox, public HostedView {
    Q_OBJECT
public:
    ComboView(ui::ComboBox &combo, FormWindow &window, QWidget *parent);
    QWidget *widget() override { return this; }
    void refresh() override;

private:
    ui::ComboBox &combo() const { return static_cast<ui::ComboBox &>(control()); }
};

/** A check box: the player's toggle sets the mark, which runs its click handler. */
class CheckView : public QCheckBox, public HostedView {
    Q_OBJECT
public:
    CheckView(ui::CheckBox &box, FormWindow &window, QWidget *parent);
    QWidget *widget() override { return this; }
    void refresh() override;
};

/**
 * A list box or check list box: rows, the selected row, check marks. Every
 * click on a row, the selected one too, is the list's click, reported when
 * the button comes up on the row it went down on (or dragged to); a change
 * of row by the keyboard is a click as well.
 */
class ListView : public QListWidget, public HostedView {
    Q_OBJECT
public:
    ListView(ui::ListBox &list, FormWindow &window, QWidget *parent);
    QWidget *widget() override { return this; }
    void refresh() override;
    void applyLayout() override;

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    ui::ListBox &list() const { return static_cast<ui::ListBox &>(control()); }
    void syncChecks();
    /** Cuts a list that shows whole rows only down to the rows that fit its height. */
    void fitWholeRows();
    /** Notes a press: a button is down, and whether the left one went down on a row. */
    void notePress(const QMouseEvent &e);

    QStringList m_rows;         ///< Rows last written into the widget.
    bool m_mouseDown = false;   ///< A button is down in the list: the row it picks is reported at its release.
    bool m_pressedOnRow = false; ///< The left button went down on a row.
};

/** A memo: its lines; the player's edit of a writable memo writes them back. */
class MemoView : public QPlainTextEdit, public HostedView {
    Q_OBJECT
public:
    MemoView(ui::Memo &memo, FormWindow &window, QWidget *parent);
    QWidget *widget() override { return this; }
    void refresh() override;

private:
    ui::Memo &memo() const { return static_cast<ui::Memo &>(control()); }
};

/** A scroll bar: range and position; the player's move sets the position. */
class ScrollView : public QScrollBar, public HostedView {
    Q_OBJECT
public:
    ScrollView(ui::ScrollBar &bar, FormWindow &window, QWidget *parent);
    QWidget *widget() override { return this; }
    void refresh() override;
};

/** A push button: its click runs onClick. */
class ButtonView : public QPushButton, public HostedView {
    Q_OBJECT
public:
    ButtonView(ui::Button &button, FormWindow &window, QWidget *parent);
    QWidget *widget() override { return this; }
    void refresh() override;
};

/** A progress bar. */
class ProgressView : public QProgressBar, public HostedView {
    Q_OBJECT
public:
    ProgressView(ui::ProgressBar &bar, FormWindow &window, QWidget *parent);
    QWidget *widget() override { return this; }
    void refresh() override;
};

/**
 * A directory list, file list or drive box shown as a plain list: the
 * directory list shows its directory, its parent and its subdirectories
 * (a double click on one chooses it); the file list its files; the drive
 * box its drive.
 */
class FolderView : public QListWidget, public HostedView {
    Q_OBJECT
public:
    FolderView(ui::Control &c, FormWindow &window, QWidget *parent);
    QWidget *widget() override { return this; }
    void refresh() override;

private:
    /** @return the rows the control shows now. */
    QStringList rows() const;
    /** The player chose a row by a double click. */
    void choose(int row);

    QStringList m_rows; ///< Rows last written into the widget.
};

/**
 * A page control: a tab bar above the tab sheets, which are containers
 * placed at their own bounds inside it; only the active sheet is shown.
 * Only pages with a visible tab get one; the player's pick of a tab makes
 * its page the active one and runs onChange.
 */
class PageView : public ContainerWidget {
    Q_OBJECT
public:
    PageView(ui::PageControl &pages, FormWindow &window, QWidget *parent);
    void refresh() override;
    void applyLayout() override;

private:
    ui::PageControl &pages() const { return static_cast<ui::PageControl &>(control()); }
    /** The player picked tab i. */
    void pick(int i);

    QTabBar *m_tabs;                      ///< The tabs of the pages that show one.
    std::vector<ui::TabSheet *> m_tabbed; ///< The page of each tab.
    QStringList m_captions;               ///< Tab captions last written.
};

} // namespace view
