/** @file cell_builder.h Builds labelled state cells in rows inside a group of the diagnostics face. */
#pragma once

#include "ui/controls.h"

#include <QStringList>

/**
 * Places cells one under another inside a group, each with a small label
 * naming it, in columns that wrap at the group's height; it sizes the group
 * to what it holds.
 */
class CellBuilder {
public:
    /** @param group where the cells go; @param columnWidth width of one label-and-cell column. */
    CellBuilder(ui::Form &form, ui::Control *group, int columnWidth = 200, int rowsPerColumn = 12);

    ui::Edit *word(const QString &name, const QString &text, bool readOnly = false);
    ui::SpinEdit *number(const QString &name, int value, int lo = 0, int hi = 0);
    ui::ComboBox *combo(const QString &name, const QString &text = QStringLiteral("Volná"));
    ui::CheckBox *option(const QString &name, const QString &caption, bool checked);
    ui::Memo *memo(const QString &name, const QStringList &lines, int rows = 3);
    ui::ListBox *list(const QString &name, const QStringList &rows, int visibleRows = 3);
    ui::MediaPlayer *player(const QString &name);
    /** Sizes the group around its cells. */
    void finish();

private:
    QRect nextSlot(int rows);
    ui::Label *caption(const QString &text, const QRect &slot);

    ui::Form &m_form;
    ui::Control *m_group;
    int m_columnWidth;
    int m_rowsPerColumn;
    int m_column = 0;
    int m_row = 0;
    int m_maxRow = 0;
};
