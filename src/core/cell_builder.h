/** @file cell_builder.h Builds labelled state cells inside a group of the diagnostics face, and stacks the groups. */
#pragma once

#include "ui/controls.h"

#include <QStringList>

/** Geometry of the cells that one builder places. */
struct CellLayout {
    int columnWidth = 200;  ///< Width of one label-and-cell column.
    int rowsPerColumn = 12; ///< Rows of a column before the next column starts.
    int labelWidth = 90;    ///< Width of a cell's name label.
};

/**
 * Places cells inside a group box or a panel and sizes it to what it
 * holds. By default the cells flow one under another, each right of a
 * label with its name, in columns that wrap after a number of rows. In
 * table mode each row starts with a label and its cells fill the columns
 * under a header row (a line's cells under "A", "B", "C").
 */
class CellBuilder {
public:
    CellBuilder(ui::Form &form, ui::Control *container, CellLayout layout = {});

    /**
     * Switches to table placing.
     * @param heads captions of the columns, shown in a header row.
     * @param cellWidth width of one column of cells.
     */
    void table(const QStringList &heads, int cellWidth);
    /** Starts a table row under the previous one, with its label. */
    void row(const QString &label);
    /** Starts the next flow column even when the current one has room. */
    void nextColumn();

    ui::Edit *word(const QString &name, const QString &text, bool readOnly = false);
    /** A number cell; both bounds 0 leave it unbounded. */
    ui::SpinEdit *number(const QString &name, int value, int lo = 0, int hi = 0);
    ui::ComboBox *combo(const QString &name, const QString &text = QStringLiteral("Volná"),
                        const QStringList &items = {QStringLiteral("Volná")});
    /** An option; without a caption the box sits right of a label with its name. */
    ui::CheckBox *option(const QString &name, const QString &caption, bool checked);
    ui::Memo *memo(const QString &name, const QStringList &lines, int rows = 3);
    /** A sound player: invisible itself, so its row shows only its name. */
    ui::MediaPlayer *player(const QString &name);
    /** Sizes the container around its cells. */
    void finish();

private:
    QRect nextSlot(int rows);
    QRect cellSlot(const QString &name, int rows);
    /** @return a new cell control named name in the next slot of the given rows, with its label. */
    template <class T> T *cell(const QString &name, int rows = 1);
    ui::Label *caption(const QString &text, const QRect &place);

    ui::Form &m_form;
    ui::Control *m_container;
    CellLayout m_layout;
    int m_top;               ///< Top of the first row inside the container.
    int m_column = 0;
    int m_row = 0;
    int m_maxRow = 0;
    bool m_table = false;
    int m_cellWidth = 0;     ///< Table mode: width of a column of cells.
    int m_columns = 0;       ///< Table mode: number of columns.
};

/**
 * Places finished groups on a page one under another, in columns from
 * left to right, so that no two overlap.
 */
class GroupStack {
public:
    explicit GroupStack(int left = 4, int top = 4, int gap = 4);
    /** Puts a group under the previous one of the current column. */
    void add(ui::Control *group);
    /** Starts a new column right of the widest group of the current one. */
    void nextColumn();
    /** @return the lowest bottom of the groups placed so far, plus the gap: where a band below may start. */
    int bottom() const { return m_bottom; }

private:
    int m_left;
    int m_top;
    int m_gap;
    int m_y;
    int m_width = 0;
    int m_bottom = 0;
};
