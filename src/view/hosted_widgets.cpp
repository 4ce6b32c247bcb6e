/** @file hosted_widgets.cpp The Qt widgets of the windowed controls: model values in, the player's input out. */
#include "view/hosted_widgets.h"

#include "platform/files.h"
#include "view/form_window.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

namespace view {

namespace {

/** Gives a framed widget (memo, list) the edge its control names. */
void applyFrame(QFrame &f, ui::Frame frame)
{
    QFrame::Shape shape = QFrame::StyledPanel;
    QFrame::Shadow shadow = QFrame::Sunken;
    if (frame == ui::Frame::Flat) {
        shape = QFrame::Box; /* One plain line in the foreground colour. */
        shadow = QFrame::Plain;
    } else if (frame == ui::Frame::None) {
        shape = QFrame::NoFrame;
    }
    if (f.frameShape() != shape)
        f.setFrameShape(shape);
    if (f.frameShadow() != shadow)
        f.setFrameShadow(shadow);
    if (frame == ui::Frame::Flat && f.lineWidth() != 1)
        f.setLineWidth(1);
}

} // namespace

HostedView *createHostedView(ui::Control &c, FormWindow &window, QWidget *parent)
{
    switch (c.kind()) {
    case ui::Kind::GroupBox:
    case ui::Kind::Panel:
    case ui::Kind::TabSheet:
    case ui::Kind::ScrollBox:
        return new ContainerWidget(c, window, parent);
    case ui::Kind::PageControl: return new PageView(static_cast<ui::PageControl &>(c), window, parent);
    case ui::Kind::Edit:
    case ui::Kind::SpinEdit:
        return new EditView(static_cast<ui::Edit &>(c), window, parent);
    case ui::Kind::ComboBox: return new ComboView(static_cast<ui::ComboBox &>(c), window, parent);
    case ui::Kind::CheckBox: return new CheckView(static_cast<ui::CheckBox &>(c), window, parent);
    case ui::Kind::ListBox:
    case ui::Kind::CheckListBox:
        return new ListView(static_cast<ui::ListBox &>(c), window, parent);
    case ui::Kind::Memo: return new MemoView(static_cast<ui::Memo &>(c), window, parent);
    case ui::Kind::ScrollBar: return new ScrollView(static_cast<ui::ScrollBar &>(c), window, parent);
    case ui::Kind::Button: return new ButtonView(static_cast<ui::Button &>(c), window, parent);
    case ui::Kind::ProgressBar: return new ProgressView(static_cast<ui::ProgressBar &>(c), window, parent);
    case ui::Kind::DirectoryList:
    case ui::Kind::FileList:
    case ui::Kind::DriveBox:
        return new FolderView(c, window, parent);
    default: return nullptr;
    }
}

/* ---------------------------------------------------------------- */

EditView::EditView(ui::Edit &edit, FormWindow &window, QWidget *parent) : QLineEdit(parent), HostedView(edit, window)
{
    /* Every keystroke is a write, so the change handler runs while the player types. */
    connect(this, &QLineEdit::textEdited, this, [this](const QString &t) { run([&] { this->edit().setText(t); }); });
    connect(this, &QLineEdit::editingFinished, this, [this] {
        const QString t = text();
        run([&] { this->edit().setText(t); });
    });
}

void EditView::refresh()
{
    applyLook(ColorRole::Base);
    applyTabStop(Qt::StrongFocus);
    /* A flat edit draws its own single line (paintEvent) one pixel outside the text. */
    const ui::Frame frame = edit().frame();
    if (hasFrame() != (frame == ui::Frame::Sunken))
        setFrame(frame == ui::Frame::Sunken);
    const int margin = frame == ui::Frame::Flat ? 1 : 0;
    if (textMargins() != QMargins(margin, margin, margin, margin)) {
        setTextMargins(margin, margin, margin, margin);
        update();
    }
    if (isReadOnly() != edit().readOnly())
        setReadOnly(edit().readOnly());
    const QString &t = edit().text();
    if (text() == t)
        return;
    const QSignalBlocker block(this);
    const int pos = cursorPosition();
    setText(t);
    setCursorPosition(std::min(pos, static_cast<int>(t.size())));
}

void EditView::keyPressEvent(QKeyEvent *e)
{
    /* The arrows step a spin edit's number, within its bounds. */
    const int step = e->key() == Qt::Key_Up ? 1 : e->key() == Qt::Key_Down ? -1 : 0;
    if (step == 0 || control().kind() != ui::Kind::SpinEdit || isReadOnly()) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    run([&] {
        auto &spin = static_cast<ui::SpinEdit &>(edit());
        spin.setValue(spin.value() + step);
    });
}

void EditView::paintEvent(QPaintEvent *e)
{
    QLineEdit::paintEvent(e);
    if (control().frame() != ui::Frame::Flat)
        return;
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

/* ---------------------------------------------------------------- */

ComboView::ComboView(ui::ComboBox &combo, FormWindow &window, QWidget *parent)
    : QComboBox(parent), HostedView(combo, window)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString &t) { run([&] { this->combo().userSetText(t); }); });
    connect(this, &QComboBox::textActivated, this,
            [this](const QString &t) { run([&] { this->combo().userSetText(t); }); });
}

void ComboView::refresh()
{
    applyLook(ColorRole::Base);
    applyTabStop(Qt::WheelFocus);
    const QSignalBlocker block(this);
    const QSignalBlocker blockEdit(lineEdit());
    const QStringList &items = combo().items();
    bool same = count() == items.size();
    for (int i = 0; same && i < count(); ++i)
        same = itemText(i) == items.at(i);
    if (!same) {
        clear();
        addItems(items);
    }
    if (currentText() != combo().text() || !same)
        setEditText(combo().text());
}

/* ---------------------------------------------------------------- */

CheckView::CheckView(ui::CheckBox &box, FormWindow &window, QWidget *parent) : QCheckBox(parent), HostedView(box, window)
{
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QCheckBox::clicked, this, [this](bool on) {
        run([&] { static_cast<ui::CheckBox &>(control()).setChecked(on); });
    });
}

void CheckView::refresh()
{
    applyLook(ColorRole::Window);
    if (text() != control().caption())
        setText(control().caption());
    const bool on = static_cast<ui::CheckBox &>(control()).checked();
    if (isChecked() != on) {
        const QSignalBlocker block(this);
        setChecked(on);
    }
}

/* ---------------------------------------------------------------- */

ListView::ListView(ui::ListBox &list, FormWindow &window, QWidget *parent) : QListWidget(parent), HostedView(list, window)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    /* A change of row by the keyboard; the mouse's is reported when its button comes up. */
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || m_mouseDown)
            return;
        run([&] {
            if (row != this->list().itemIndex())
                this->list().userClick(row);
        });
    });
    if (list.kind() != ui::Kind::CheckListBox)
        return;
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        const int row = this->row(item);
        const bool on = item->checkState() == Qt::Checked;
        run([&] {
            auto &checks = static_cast<ui::CheckListBox &>(this->list());
            if (checks.isChecked(row) != on)
                checks.userToggle(row);
        });
    });
}

void ListView::refresh()
{
    applyLook(ColorRole::Base);
    applyTabStop(Qt::StrongFocus);
    applyFrame(*this, list().frame());
    const QSignalBlocker block(this);
    const ui::ListBox &l = list();
    if (l.items() != m_rows) {
        clear();
        addItems(l.items());
        m_rows = l.items();
    }
    if (l.kind() == ui::Kind::CheckListBox)
        syncChecks();
    if (currentRow() != l.itemIndex())
        setCurrentRow(l.itemIndex());
    fitWholeRows();
}

void ListView::applyLayout()
{
    HostedView::applyLayout();
    fitWholeRows();
}

void ListView::fitWholeRows()
{
    const QRect place = list().bounds();
    int height = place.height();
    if (list().integralHeight()) {
        const int row = count() > 0 ? sizeHintForRow(0) : fontMetrics().height();
        const int edges = 2 * frameWidth();
        if (row > 0)
            height = std::max(1, (place.height() - edges) / row) * row + edges;
    }
    if (geometry() != QRect(place.topLeft(), QSize(place.width(), height)))
        setGeometry(place.left(), place.top(), place.width(), height);
}

void ListView::notePress(const QMouseEvent &e)
{
    m_mouseDown = true;
    if (e.button() == Qt::LeftButton)
        m_pressedOnRow = indexAt(e.position().toPoint()).isValid();
}

void ListView::mousePressEvent(QMouseEvent *e)
{
    notePress(*e);
    QListWidget::mousePressEvent(e);
}

void ListView::mouseDoubleClickEvent(QMouseEvent *e)
{
    /* The second press of a double click is a press like the first: its release clicks again. */
    notePress(*e);
    QListWidget::mouseDoubleClickEvent(e);
}

void ListView::mouseReleaseEvent(QMouseEvent *e)
{
    QListWidget::mouseReleaseEvent(e);
    const bool click = e->button() == Qt::LeftButton && m_pressedOnRow;
    if (e->button() == Qt::LeftButton)
        m_pressedOnRow = false;
    if (e->buttons() == Qt::NoButton)
        m_mouseDown = false;
    if (!m_window.alive())
        return;
    const int row = currentRow();
    if (click && row >= 0) {
        run([&] { list().userClick(row); });
        return;
    }
    /* Another button, or a press beside the rows, picks nothing: the list shows the model's row again. */
    if (!m_mouseDown && row != list().itemIndex()) {
        const QSignalBlocker block(this);
        setCurrentRow(list().itemIndex());
    }
}

void ListView::syncChecks()
{
    const auto &checks = static_cast<const ui::CheckListBox &>(list());
    for (int row = 0; row < count(); ++row) {
        QListWidgetItem *it = item(row);
        const Qt::CheckState state = checks.isChecked(row) ? Qt::Checked : Qt::Unchecked;
        if (!(it->flags() & Qt::ItemIsUserCheckable))
            it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
        if (it->data(Qt::CheckStateRole).isNull() || it->checkState() != state)
            it->setCheckState(state);
    }
}

/* ---------------------------------------------------------------- */

MemoView::MemoView(ui::Memo &memo, FormWindow &window, QWidget *parent) : QPlainTextEdit(parent), HostedView(memo, window)
{
    /* Tab leaves the memo, as it leaves an edit; it is never typed into the lines. */
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (isReadOnly())
            return;
        const QString text = toPlainText();
        const QStringList lines = text.isEmpty() ? QStringList() : text.split('\n');
        run([&] { this->memo().setLines(lines); });
    });
}

void MemoView::refresh()
{
    applyLook(ColorRole::Base);
    if (isReadOnly() != memo().readOnly())
        setReadOnly(memo().readOnly());
    /* A read-only memo never takes the keys: the form's own keys (Esc, F4 ...) stay the form's. */
    applyTabStop(memo().readOnly() ? Qt::NoFocus : Qt::StrongFocus);
    applyFrame(*this, memo().frame());
    const LineWrapMode wrap = memo().wordWrap() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap;
    if (lineWrapMode() != wrap)
        setLineWrapMode(wrap);
    const QString t = memo().text();
    if (toPlainText() == t)
        return;
    const QSignalBlocker block(this);
    setPlainText(t);
}

/* ---------------------------------------------------------------- */

ScrollView::ScrollView(ui::ScrollBar &bar, FormWindow &window, QWidget *parent) : QScrollBar(parent), HostedView(bar, window)
{
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QScrollBar::valueChanged, this, [this](int v) {
        run([&] { static_cast<ui::ScrollBar &>(control()).setPosition(v); });
    });
}

void ScrollView::refresh()
{
    applyLook(ColorRole::None);
    const auto &bar = static_cast<const ui::ScrollBar &>(control());
    const QSignalBlocker block(this);
    setOrientation(bar.vertical() ? Qt::Vertical : Qt::Horizontal);
    setRange(bar.minimum(), bar.maximum());
    setPageStep(std::max(1, bar.pageSize()));
    setValue(bar.position());
}

/* ---------------------------------------------------------------- */

ButtonView::ButtonView(ui::Button &button, FormWindow &window, QWidget *parent)
    : QPushButton(parent), HostedView(button, window)
{
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QPushButton::clicked, this, [this] {
        run([&] {
            if (control().onClick)
                control().onClick();
        });
    });
}

void ButtonView::refresh()
{
    applyLook(ColorRole::None);
    if (text() != control().caption())
        setText(control().caption());
}

/* ---------------------------------------------------------------- */

ProgressView::ProgressView(ui::ProgressBar &bar, FormWindow &window, QWidget *parent)
    : QProgressBar(parent), HostedView(bar, window)
{
    setTextVisible(false);
}

void ProgressView::refresh()
{
    applyLook(ColorRole::None);
    const auto &bar = static_cast<const ui::ProgressBar &>(control());
    setRange(bar.minimum(), bar.maximum());
    setValue(bar.position());
}

/* ---------------------------------------------------------------- */

FolderView::FolderView(ui::Control &c, FormWindow &window, QWidget *parent) : QListWidget(parent), HostedView(c, window)
{
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) { choose(row(item)); });
}

QStringList FolderView::rows() const
{
    switch (control().kind()) {
    case ui::Kind::DirectoryList: {
        const QString &dir = static_cast<const ui::DirectoryList &>(control()).directory();
        QStringList out{dir, QStringLiteral("..")};
        out += platform::listFolders(dir);
        return out;
    }
    case ui::Kind::FileList: return static_cast<const ui::FileList &>(control()).items();
    case ui::Kind::DriveBox: return {static_cast<const ui::DriveBox &>(control()).drive()};
    default: return {};
    }
}

void FolderView::refresh()
{
    applyLook(ColorRole::Base);
    const QStringList now = rows();
    if (now == m_rows)
        return;
    const QSignalBlocker block(this);
    clear();
    addItems(now);
    m_rows = now;
}

void FolderView::choose(int row)
{
    if (row < 1 || row >= m_rows.size())
        return;
    const QString base = m_rows.first();
    const QString target = row == 1 ? QDir::cleanPath(base + QStringLiteral("/..")) : base + '/' + m_rows.at(row);
    run([&] {
        if (control().kind() == ui::Kind::DirectoryList)
            static_cast<ui::DirectoryList &>(control()).setDirectory(target);
    });
}

/* ---------------------------------------------------------------- */

PageView::PageView(ui::PageControl &pages, FormWindow &window, QWidget *parent)
    : ContainerWidget(pages, window, parent), m_tabs(new QTabBar(this))
{
    m_tabs->setFocusPolicy(Qt::NoFocus);
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int i) { pick(i); });
}

void PageView::refresh()
{
    ContainerWidget::refresh();
    std::vector<ui::TabSheet *> tabbed;
    QStringList captions;
    for (ui::TabSheet *p : pages().pages())
        if (p->tabVisible()) {
            tabbed.push_back(p);
            captions << p->caption();
        }
    const QSignalBlocker block(m_tabs);
    if (tabbed != m_tabbed || captions != m_captions) {
        while (m_tabs->count() > 0)
            m_tabs->removeTab(m_tabs->count() - 1);
        for (const QString &c : captions)
            m_tabs->addTab(c);
        m_tabbed = std::move(tabbed);
        m_captions = captions;
    }
    const auto it = std::find(m_tabbed.begin(), m_tabbed.end(), pages().activePage());
    if (it != m_tabbed.end())
        m_tabs->setCurrentIndex(static_cast<int>(it - m_tabbed.begin()));
}

void PageView::applyLayout()
{
    ContainerWidget::applyLayout();
    int height = m_tabs->sizeHint().height();
    for (const ui::TabSheet *p : pages().pages())
        if (p->top() > 0)
            height = std::min(height, p->top());
    m_tabs->setGeometry(0, 0, width(), height);
}

void PageView::pick(int i)
{
    if (i < 0 || i >= static_cast<int>(m_tabbed.size()))
        return;
    ui::TabSheet *page = m_tabbed[i];
    run([&] { pages().userSelectPage(page); });
}

} // namespace view
