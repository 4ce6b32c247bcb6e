/** @file cell_builder.cpp Labelled state cells in rows. */
#include "core/cell_builder.h"

namespace {
constexpr int RowHeight = 22;  ///< Height of one row of cells.
constexpr int LabelWidth = 90; ///< Width of a cell's name label.
constexpr int Margin = 6;      ///< Inner margin of the group.
constexpr int CaptionTop = 16; ///< Room for the group's caption.
}

CellBuilder::CellBuilder(ui::Form &form, ui::Control *group, int columnWidth, int rowsPerColumn)
    : m_form(form), m_group(group), m_columnWidth(columnWidth), m_rowsPerColumn(rowsPerColumn)
{
}

QRect CellBuilder::nextSlot(int rows)
{
    if (m_row > 0 && m_row + rows > m_rowsPerColumn) {
        ++m_column;
        m_row = 0;
    }
    const QRect r(Margin + m_column * m_columnWidth, CaptionTop + m_row * RowHeight, m_columnWidth - 4,
                  rows * RowHeight - 2);
    m_row += rows;
    m_maxRow = std::max(m_maxRow, m_row);
    return r;
}

ui::Label *CellBuilder::caption(const QString &text, const QRect &slot)
{
    auto *l = m_form.make<ui::Label>(m_group, QString());
    l->setCaption(text);
    l->setTransparent(true);
    l->setBounds(slot.left(), slot.top() + 3, LabelWidth - 2, 16);
    return l;
}

/* Every cell sits right of its name label. */
static QRect cellRect(const QRect &slot)
{
    return QRect(slot.left() + LabelWidth, slot.top(), slot.width() - LabelWidth, slot.height());
}

ui::Edit *CellBuilder::word(const QString &name, const QString &text, bool readOnly)
{
    const QRect slot = nextSlot(1);
    caption(name, slot);
    auto *e = m_form.make<ui::Edit>(m_group, name);
    e->setBounds(cellRect(slot));
    e->setText(text);
    e->setReadOnly(readOnly);
    return e;
}

ui::SpinEdit *CellBuilder::number(const QString &name, int value, int lo, int hi)
{
    const QRect slot = nextSlot(1);
    caption(name, slot);
    auto *e = m_form.make<ui::SpinEdit>(m_group, name);
    e->setBounds(cellRect(slot));
    e->setBounds(lo, hi);
    e->setValue(value);
    return e;
}

ui::ComboBox *CellBuilder::combo(const QString &name, const QString &text)
{
    const QRect slot = nextSlot(1);
    caption(name, slot);
    auto *c = m_form.make<ui::ComboBox>(m_group, name);
    c->setBounds(cellRect(slot));
    c->setItems({QStringLiteral("Volná")});
    c->setText(text);
    return c;
}

ui::CheckBox *CellBuilder::option(const QString &name, const QString &text, bool checked)
{
    const QRect slot = nextSlot(1);
    auto *c = m_form.make<ui::CheckBox>(m_group, name);
    c->setBounds(slot);
    c->setCaption(text.isEmpty() ? name : text);
    c->setChecked(checked);
    return c;
}

ui::Memo *CellBuilder::memo(const QString &name, const QStringList &lines, int rows)
{
    const QRect slot = nextSlot(rows);
    caption(name, slot);
    auto *m = m_form.make<ui::Memo>(m_group, name);
    m->setBounds(cellRect(slot));
    m->setLines(lines);
    return m;
}

ui::ListBox *CellBuilder::list(const QString &name, const QStringList &rows, int visibleRows)
{
    const QRect slot = nextSlot(visibleRows);
    caption(name, slot);
    auto *l = m_form.make<ui::ListBox>(m_group, name);
    l->setBounds(cellRect(slot));
    l->setItems(rows);
    return l;
}

ui::MediaPlayer *CellBuilder::player(const QString &name)
{
    const QRect slot = nextSlot(1);
    caption(name, slot);
    auto *p = m_form.make<ui::MediaPlayer>(m_group, name);
    p->setBounds(cellRect(slot));
    return p;
}

void CellBuilder::finish()
{
    const int cols = m_column + 1;
    m_group->setWidth(std::max(m_group->width(), Margin * 2 + cols * m_columnWidth));
    m_group->setHeight(std::max(m_group->height(), CaptionTop + m_maxRow * RowHeight + Margin));
}
