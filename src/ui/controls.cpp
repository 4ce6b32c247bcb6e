/** @file controls.cpp The write rules of the control kinds. */
#include "ui/controls.h"

#include "platform/files.h"
#include "platform/platform.h"
#include "ui/sim_error.h"

#include <vector>

namespace ui {

std::vector<TabSheet *> PageControl::pages() const
{
    std::vector<TabSheet *> out;
    for (Control *c : children())
        if (c->kind() == Kind::TabSheet)
            out.push_back(static_cast<TabSheet *>(c));
    return out;
}

void PageControl::setActivePage(TabSheet *page)
{
    if (page == m_active)
        return;
    m_active = page;
    for (TabSheet *p : pages())
        p->setVisible(p == page);
    changed();
}

void PageControl::userSelectPage(TabSheet *page)
{
    if (page == m_active)
        return;
    setActivePage(page);
    if (onChange)
        onChange();
}

void Image::setPicture(const QImage &img)
{
    m_picture = img;
    if (m_autoSize && !img.isNull())
        Control::setBounds(QRect(left(), top(), img.width(), img.height()));
    changed();
}

void Image::setAutoSize(bool a)
{
    m_autoSize = a;
    if (a && !m_picture.isNull())
        Control::setBounds(QRect(left(), top(), m_picture.width(), m_picture.height()));
}

Label::Label(Control *parent, const QString &name) : Control(parent, name, Kind::Label)
{
    setColor(QColor(240, 240, 240));
}

void Label::setAutoSize(bool a)
{
    m_autoSize = a;
    textChanged();
}

void Label::textChanged()
{
    if (m_autoSize && form())
        setWidth(form()->platform().metrics.textWidth(caption(), font()));
}

void Shape::setBrushColor(const QColor &c)
{
    if (c == m_brush)
        return;
    m_brush = c;
    changed();
}

void Shape::setPenColor(const QColor &c)
{
    if (c == m_pen)
        return;
    m_pen = c;
    changed();
}

Edit::Edit(Control *parent, const QString &name, Kind kind) : Control(parent, name, kind)
{
    setColor(Qt::white);
}

void Edit::setText(const QString &t)
{
    /* The exact compare is what keeps repeated writes cheap and silent. */
    if (sameText(t, m_text))
        return;
    m_text = t;
    textStored();
    changed();
    if (onChange)
        onChange();
}

void SpinEdit::textStored()
{
    const QString &t = text();
    if (const std::optional<int> plain = plainDecimal(t)) {
        m_number = *plain;
        m_isNumber = true;
        /* No leading zero and no "-0": the text setValue would write. */
        const qsizetype first = t[0] == u'-' ? 1 : 0;
        m_plain = (t[first] != u'0' || t.size() == first + 1) && !(first && m_number == 0);
        return;
    }
    bool ok = false;
    const int v = QStringView(t).trimmed().toInt(&ok);
    m_number = ok ? v : 0;
    m_isNumber = ok;
    m_plain = false;
}

void SpinEdit::setValue(int v)
{
    if (m_min != m_max) {
        if (v < m_min)
            v = m_min;
        else if (v > m_max)
            v = m_max;
    }
    /* The text it holds already: writing it again would change nothing. */
    if (m_plain && v == m_number)
        return;
    /* The counters of the tick keep to small numbers: their texts are made once and shared. */
    constexpr int lowest = -256;
    constexpr int highest = 2047;
    static const std::vector<QString> texts = [] {
        std::vector<QString> made;
        for (int n = lowest; n <= highest; ++n)
            made.push_back(QString::number(n));
        return made;
    }();
    setText(v >= lowest && v <= highest ? texts[size_t(v - lowest)] : QString::number(v));
}

void ComboBox::setText(const QString &t)
{
    if (sameText(t, m_text))
        return;
    m_text = t;
    changed();
}

void ComboBox::userSetText(const QString &t)
{
    if (sameText(t, m_text))
        return;
    setText(t);
    if (onChange)
        onChange();
}

void CheckBox::setChecked(bool c)
{
    if (c == m_checked)
        return;
    m_checked = c;
    changed();
    if (onClick)
        onClick();
}

ListBox::ListBox(Control *parent, const QString &name, Kind kind) : Control(parent, name, kind)
{
    setColor(Qt::white);
}

void ListBox::setItems(const QStringList &items)
{
    m_items = items;
    if (m_index >= m_items.size())
        m_index = -1;
    changed();
}

void ListBox::setItemIndex(int i)
{
    if (i < -1 || i >= m_items.size())
        i = -1;
    if (i == m_index)
        return;
    m_index = i;
    changed();
}

void ListBox::userClick(int row)
{
    setItemIndex(row);
    if (onClick)
        onClick();
}

QString ListBox::selectedText() const
{
    return m_index >= 0 ? m_items.at(m_index) : QString();
}

bool CheckListBox::isChecked(int row) const
{
    return row >= 0 && row < static_cast<int>(m_checked.size()) && m_checked[row];
}

void CheckListBox::setChecked(int row, bool c)
{
    if (row < 0 || row >= items().size())
        return;
    if (static_cast<int>(m_checked.size()) < items().size())
        m_checked.resize(items().size(), false);
    if (m_checked[row] == c)
        return;
    m_checked[row] = c;
    changed();
}

void CheckListBox::userToggle(int row)
{
    setChecked(row, !isChecked(row));
    if (onClickCheck)
        onClickCheck();
}

void Memo::setLines(const QStringList &lines)
{
    if (lines == m_lines)
        return;
    m_lines = lines;
    changed();
    if (onChange)
        onChange();
}

const QString &Memo::line(int k) const
{
    if (k < 0 || k >= m_lines.size())
        throw SimError(QStringLiteral("List index out of bounds (%1)").arg(k));
    return m_lines.at(k);
}

void Memo::setLine(int k, const QString &text)
{
    if (k < 0 || k >= m_lines.size())
        throw SimError(QStringLiteral("List index out of bounds (%1)").arg(k));
    if (m_lines.at(k) == text)
        return;
    m_lines[k] = text;
    changed();
    if (onChange)
        onChange();
}

void Memo::addLine(const QString &text)
{
    m_lines.append(text);
    changed();
    if (onChange)
        onChange();
}

void ScrollBar::setRange(int lo, int hi)
{
    m_min = lo;
    m_max = hi < lo ? lo : hi;
    setPosition(m_pos);
    changed();
}

void ScrollBar::setPosition(int p)
{
    p = std::clamp(p, m_min, m_max);
    if (p == m_pos)
        return;
    m_pos = p;
    changed();
    if (onChange)
        onChange();
}

void ProgressBar::setPosition(int p)
{
    p = std::clamp(p, m_min, m_max);
    if (p == m_pos)
        return;
    m_pos = p;
    changed();
}

void DirectoryList::setDirectory(const QString &dir)
{
    QString d = dir;
    while (d.size() > 1 && (d.endsWith('/') || d.endsWith('\\')))
        d.chop(1);
    if (d == m_dir)
        return;
    m_dir = d;
    changed();
    if (onChange)
        onChange();
}

void FileList::setDirectory(const QString &dir)
{
    m_dir = dir;
    update();
}

void FileList::setMask(const QString &m)
{
    m_mask = m;
    update();
}

void FileList::update()
{
    m_items = platform::listFiles(m_dir, m_mask);
    changed();
}

Timer::Timer(Control *parent, const QString &name) : Control(parent, name, Kind::Timer)
{
    std::weak_ptr<bool> alive = m_alive;
    m_id = form()->platform().timers.create([this, alive] {
        if (alive.lock())
            fire();
    });
}

Timer::~Timer()
{
    *m_alive = false;
    form()->platform().timers.destroy(m_id);
}

void Timer::setEnabledFlag(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    restart();
}

void Timer::setInterval(int ms)
{
    if (ms == m_interval)
        return;
    m_interval = ms;
    restart();
}

void Timer::setOnTimer(std::function<void()> fn)
{
    m_onTimer = std::move(fn);
    restart();
}

void Timer::sleep()
{
    form()->platform().timers.stop(m_id);
    m_asleep = true;
}

void Timer::wake()
{
    if (m_asleep)
        restart();
}

void Timer::restart()
{
    m_asleep = false;
    auto &engine = form()->platform().timers;
    engine.stop(m_id);
    if (m_on && m_interval > 0 && m_onTimer)
        engine.start(m_id, m_interval);
}

namespace {

/**
 * The gate of one timer firing. While the firing's boxes are the same, in
 * order, as those of the timer's last failure, it holds them back; at the
 * first box that differs it shows those held and lets the rest through.
 */
class RepeatGate : public platform::MessageBoxes::Gate {
public:
    using Box = std::pair<bool, QString>;

    RepeatGate(platform::MessageBoxes &messages, QList<Box> last)
        : m_messages(messages), m_last(std::move(last)), m_passing(m_last.isEmpty())
    {
        m_outer = m_messages.setGate(this);
    }
    ~RepeatGate() override { m_messages.setGate(m_outer); }

    bool admit(const QString &text, bool report) override
    {
        m_seen.append({report, text});
        if (!m_passing && m_seen.size() <= m_last.size() && m_last.at(m_seen.size() - 1) == m_seen.last()) {
            m_held.append(m_seen.last());
            return false;
        }
        showHeld();
        return true;
    }
    /** Shows the boxes held back, in order, and lets every later box through. */
    void showHeld()
    {
        m_passing = true;
        for (const Box &box : std::exchange(m_held, {}))
            m_messages.present(box.second, box.first);
    }
    /** @return the boxes of this firing, shown or held. */
    const QList<Box> &seen() const { return m_seen; }
    /** @return whether the firing's boxes so far are exactly the last failure's. */
    bool repeatsLast() const { return !m_passing && m_seen == m_last; }

private:
    platform::MessageBoxes &m_messages;
    QList<Box> m_last;
    QList<Box> m_seen;
    QList<Box> m_held;
    bool m_passing;
    platform::MessageBoxes::Gate *m_outer = nullptr;
};

} // namespace

void Timer::fire()
{
    /* A firing while the handler itself still runs (inside its own message
       box) is dropped: error boxes of a repeating failure never stack. */
    if (m_firing || !m_onTimer)
        return;
    m_firing = true;
    std::shared_ptr<bool> alive = m_alive;
    Form &owner = *form();
    RepeatGate gate(owner.platform().messages, m_lastFailure);
    /* The default error report of a failure is still part of this firing. */
    const bool clean = runEvent(owner, [this] { m_onTimer(); });
    /* The same failure as last time stays unseen; anything else is shown. */
    if (clean || !gate.repeatsLast())
        gate.showHeld();
    if (!*alive)
        return;
    m_lastFailure = clean ? QList<RepeatGate::Box>() : gate.seen();
    m_firing = false;
}

MediaPlayer::MediaPlayer(Control *parent, const QString &name) : Control(parent, name, Kind::MediaPlayer)
{
    setVisible(false);
}

MediaPlayer::~MediaPlayer() = default;

void MediaPlayer::open()
{
    close();
    m_sound = form()->platform().audio.open(m_file);
}

void MediaPlayer::close()
{
    m_sound.reset();
}

void MediaPlayer::play()
{
    if (m_sound)
        m_sound->play();
}

void MediaPlayer::stop()
{
    if (m_sound)
        m_sound->stop();
}

void MediaPlayer::rewind()
{
    if (m_sound)
        m_sound->rewind();
}

bool runEvent(Form &form, const std::function<void()> &fn)
{
    /* The handler may destroy its own form; the platform outlives it. */
    platform::MessageBoxes &messages = form.platform().messages;
    try {
        fn();
        return true;
    } catch (const std::exception &e) {
        messages.report(failureText(e));
    } catch (...) {
        messages.report(QStringLiteral("Neznámá chyba"));
    }
    return false;
}

void guarded(Form &form, const QString &code, const std::function<void()> &fn)
{
    platform::MessageBoxes &messages = form.platform().messages;
    try {
        fn();
    } catch (...) {
        messages.show(code);
        throw;
    }
}

} // namespace ui
