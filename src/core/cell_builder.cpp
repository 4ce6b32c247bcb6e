/** @file cell_builder.cpp Labelled state cells in columns or tables, and groups stacked on a page. */
#include "core/cell_builder.h"

namespace {
constexpr int RowHeight = 20;  ///< Height of one row of cells.
constexpr int CellHeight = 18; ///< Height of a one-row cell.
constexpr int Margin = 6;      ///< Inner margin of the container.
constexpr int CaptionTop = 16; ///< Room for a group's caption.
constexpr int HeadHeight = 16; ///< Height of a table's header row.
}

CellBuilder::CellBuilder(ui::Form &form, ui::Control *container, CellLayout layout)
    : m_form(form), m_container(container), m_layout(layout),
      m_top(container->kind() == ui::Kind::GroupBox ? CaptionTop : Margin)
{
}

void CellBuilder::table(const QStringList &heads, int cellWidth)
{
    m_table = true;
    m_cellWidth = cellWidth;
    m_columns = static_cast<int>(heads.size());
    for (int i = 0; i < m_columns; ++i) {
        ui::Label *head = caption(heads[i], QRect(Margin + m_layout.labelWidth + i * cellWidth, m_top + 2,
                                                  cellWidth - 4, HeadHeight - 2));
        head->setAlignment(ui::Align::Center);
    }
    m_top += HeadHeight;
    m_row = -1;
}

void CellBuilder::row(const QString &label)
{
    ++m_row;
    m_column = 0;
    m_maxRow = std::max(m_maxRow, m_row + 1);
    caption(label, QRect(Margin, m_top + m_row * RowHeight + 2, m_layout.labelWidth - 2, CellHeight - 2));
}

void CellBuilder::nextColumn()
{
    if (m_row == 0)
        return;
    ++m_column;
    m_row = 0;
}

QRect CellBuilder::nextSlot(int rows)
{
    if (m_row > 0 && m_row + rows > m_layout.rowsPerColumn)
        nextColumn();
    const QRect r(Margin + m_column * m_layout.columnWidth, m_top + m_row * RowHeight, m_layout.columnWidth - 4,
                  rows * RowHeight - (RowHeight - CellHeight));
    m_row += rows;
    m_maxRow = std::max(m_maxRow, m_row);
    return r;
}

QRect CellBuilder::cellSlot(const QString &name, int rows)
{
    if (m_table) {
        const QRect r(Margin + m_layout.labelWidth + m_column * m_cellWidth, m_top + m_row * RowHeight,
                      m_cellWidth - 4, CellHeight);
        ++m_column;
        return r;
    }
    const QRect slot = nextSlot(rows);
    caption(name, QRect(slot.left(), slot.top() + 2, m_layout.labelWidth - 2, CellHeight - 2));
    return slot.adjusted(m_layout.labelWidth, 0, 0, 0);
}

ui::Label *CellBuilder::caption(const QString &text, const QRect &place)
{
    auto *l = m_form.make<ui::Label>(m_container, QString());
    l->setCaption(text);
    l->setTransparent(true);
    l->setBounds(place);
    l->setFontColor(m_container->font().color);
    return l;
}

template <class T> T *CellBuilder::cell(const QString &name, int rows)
{
    const QRect r = cellSlot(name, rows);
    auto *c = m_form.make<T>(m_container, name);
    c->setBounds(r);
    return c;
}

ui::Edit *CellBuilder::word(const QString &name, const QString &text, bool readOnly)
{
    auto *e = cell<ui::Edit>(name);
    e->setText(text);
    e->setReadOnly(readOnly);
    return e;
}

ui::SpinEdit *CellBuilder::number(const QString &name, int value, int lo, int hi)
{
    auto *e = cell<ui::SpinEdit>(name);
    e->setBounds(lo, hi);
    e->setValue(value);
    return e;
}

ui::ComboBox *CellBuilder::combo(const QString &name, const QString &text, const QStringList &items)
{
    auto *c = cell<ui::ComboBox>(name);
    c->setItems(items);
    c->setText(text);
    return c;
}

ui::CheckBox *CellBuilder::option(const QString &name, const QString &text, bool checked)
{
    /* A captioned box is its own label and takes the whole row. */
    const QRect r = text.isEmpty() ? cellSlot(name, 1) : nextSlot(1);
    auto *c = m_form.make<ui::CheckBox>(m_container, name);
    c->setBounds(r);
    c->setCaption(text);
    c->setFontColor(m_container->font().color);
    c->setColor(m_container->color());
    c->setChecked(checked);
    return c;
}

ui::Memo *CellBuilder::memo(const QString &name, const QStringList &lines, int rows)
{
    auto *m = cell<ui::Memo>(name, rows);
    m->setColor(Qt::white);
    m->setLines(lines);
    return m;
}

ui::MediaPlayer *CellBuilder::player(const QString &name)
{
    const QRect slot = nextSlot(1);
    caption(name, slot.adjusted(0, 2, 0, 0));
    auto *p = m_form.make<ui::MediaPlayer>(m_container, name);
    p->setBounds(slot);
    return p;
}

void CellBuilder::finish()
{
    const int width = m_table ? m_layout.labelWidth + m_columns * m_cellWidth
                              : (m_column + 1) * m_layout.columnWidth;
    m_container->setWidth(Margin * 2 + width);
    m_container->setHeight(m_top + m_maxRow * RowHeight + Margin);
}

GroupStack::GroupStack(int left, int top, int gap) : m_left(left), m_top(top), m_gap(gap), m_y(top) {}

void GroupStack::add(ui::Control *group)
{
    group->setLeft(m_left);
    group->setTop(m_y);
    m_y += group->height() + m_gap;
    m_bottom = std::max(m_bottom, m_y);
    m_width = std::max(m_width, group->width());
}

void GroupStack::nextColumn()
{
    m_left += m_width + m_gap;
    m_y = m_top;
    m_width = 0;
}
