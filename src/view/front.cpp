/** @file front.cpp The Qt Widgets front: a window for every form of the App, made anew with the form. */
#include "view/front.h"

#include "view/form_window.h"
#include "view/painter.h"
#include "view/vehicle_strip.h"

#include "core/app.h"

#include <QGuiApplication>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace view {

namespace {

/**
 * Stands in for the window of a form not shown yet: the window is built
 * when the form is first shown, since building it reads the whole form.
 */
class UnbuiltWindow : public ui::FormObserver {
public:
    explicit UnbuiltWindow(std::function<void()> build) : m_build(std::move(build)) {}
    void controlChanged(ui::Control *) override {}
    void controlLayoutChanged(ui::Control *) override {}
    /** Builds the window once the form shows; this object is gone afterwards. */
    void formStateChanged() override { m_build(); }

private:
    std::function<void()> m_build; ///< Builds the window when the form shows.
};

} // namespace

/** The windows of the live forms and those of destroyed forms still waiting for deletion. */
struct Front::Impl {
    explicit Impl(App &a) : app(a)
    {
        if (qGuiApp)
            QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, &context,
                             [this](QWindow *now) { focusMoved(now); });
    }

    /** Gives a form its window when it is first shown (at once when it shows already). */
    void created(ui::Form &form)
    {
        if (windows.contains(&form) || unbuilt.contains(&form))
            return;
        if (form.visible()) {
            build(form);
            return;
        }
        auto stand = std::make_unique<UnbuiltWindow>([this, &form] {
            if (form.visible())
                build(form);
        });
        form.setObserver(stand.get());
        unbuilt.emplace(&form, std::move(stand));
    }

    /** Forgets a form's stand-in; the caller must not touch it afterwards. */
    void dropUnbuilt(ui::Form &form)
    {
        const auto it = unbuilt.find(&form);
        if (it == unbuilt.end())
            return;
        if (form.observer() == it->second.get())
            form.setObserver(nullptr);
        /* It may be running its own call: it is kept (a few bytes a form) rather than freed under it. */
        spent.push_back(std::move(it->second));
        unbuilt.erase(it);
    }

    /** Builds a form's window now. */
    FormWindow *build(ui::Form &form)
    {
        if (const auto it = windows.find(&form); it != windows.end())
            return it->second;
        dropUnbuilt(form);
        auto *window = new FormWindow(form);
        windows.emplace(&form, window);
        QObject::connect(window, &FormWindow::cameUp, window, [this, window] { keepAbove(*window, Came::Shown); });
        /* The timetable window shows its rows' vehicle pictures small, below the rows. */
        if (form.name() == QLatin1String("A2"))
            window->setFooter(new VehicleStrip(*window), VehicleStrip::kHeight);
        return window;
    }

    /**
     * Lets a form's window go before the form dies. The window may be in the
     * middle of its own event (the game ended from one of its controls), so
     * it is detached now and deleted later.
     */
    void destroying(ui::Form &form)
    {
        dropUnbuilt(form);
        const auto it = windows.find(&form);
        if (it == windows.end())
            return;
        FormWindow *w = it->second;
        windows.erase(it);
        w->detach();
        w->deleteLater();
        retired.emplace_back(w);
    }

    /** @return whether a form's window covers the screen: a workplace view, or the menu. */
    bool fillsScreen(const ui::Form &form) const
    {
        return form.maximized() || form.bounds().contains(QRect(QPoint(0, 0), app.screenSize()));
    }

    /** How a window came up. */
    enum class Came {
        Shown,       ///< Shown or restored from minimised: mapped anew.
        FromOutside, ///< Given the keyboard, which another program had.
        Within,      ///< Given the keyboard by another window of the program.
    };

    /**
     * A window covering the screen came up. A window manager stacks such a
     * window above the others, and may put it above the program's smaller
     * windows too: every shown window of a form that does not cover the
     * screen is raised above it again, in the order they last came to the
     * front. A tool window (the timetable) is made the transient of a
     * covering window mapped anew, which keeps it above even where raising
     * does not (openbox keeps a full-screen window with the keyboard above
     * all others but its transients). A covering window whose form takes no
     * input waits on one of those windows: unless the player gave it the
     * keyboard from within the program, the last gets the keyboard.
     */
    void keepAbove(FormWindow &under, Came came)
    {
        const ui::Form *form = under.form();
        if (!form || !under.isVisible() || !fillsScreen(*form))
            return;
        std::vector<FormWindow *> over;
        for (const auto &[f, w] : windows)
            if (w != &under && w->isVisible() && !w->isMinimized() && !fillsScreen(*f))
                over.push_back(w);
        std::sort(over.begin(), over.end(),
                  [](const FormWindow *a, const FormWindow *b) { return a->frontStamp() < b->frontStamp(); });
        for (FormWindow *w : over) {
            if (came == Came::Shown)
                w->renewOver(under);
            w->raise();
        }
        if (came != Came::Within && !over.empty() && !form->enabled())
            over.back()->activateWindow();
    }

    /** The keyboard went to another window, or (null) left the program. */
    void focusMoved(QWindow *now)
    {
        const Came came = hadKeyboard ? Came::Within : Came::FromOutside;
        hadKeyboard = now != nullptr;
        for (const auto &[f, w] : windows)
            if (now && w->windowHandle() == now) {
                keepAbove(*w, came);
                return;
            }
    }

    App &app;                                                ///< The forms' owner.
    QObject context;                                         ///< Holds the connections to the application's signals.
    bool hadKeyboard = false;                                ///< A window of the program has the keyboard.
    std::unordered_map<const ui::Form *, FormWindow *> windows; ///< The live forms' windows, owned.
    /** Stand-ins observing the forms never shown so far. */
    std::unordered_map<const ui::Form *, std::unique_ptr<UnbuiltWindow>> unbuilt;
    std::vector<std::unique_ptr<UnbuiltWindow>> spent; ///< Stand-ins replaced by their windows.
    std::vector<QPointer<FormWindow>> retired;               ///< Detached windows awaiting deletion.
    std::function<void(ui::Form &)> previousCreated;         ///< The App's handler before ours.
    std::function<void(ui::Form &)> previousDestroying;      ///< The App's handler before ours.
};

Front::Front(App &app) : m_impl(std::make_unique<Impl>(app))
{
    installFontSubstitutions();
    Impl *d = m_impl.get();
    d->previousCreated = app.onFormCreated;
    d->previousDestroying = app.onFormDestroying;
    app.onFormCreated = [d](ui::Form &form) {
        if (d->previousCreated)
            d->previousCreated(form);
        d->created(form);
    };
    app.onFormDestroying = [d](ui::Form &form) {
        d->destroying(form);
        if (d->previousDestroying)
            d->previousDestroying(form);
    };
    for (ui::Form *f : app.forms())
        if (f)
            d->created(*f);
}

Front::~Front()
{
    Impl *d = m_impl.get();
    d->app.onFormCreated = d->previousCreated;
    d->app.onFormDestroying = d->previousDestroying;
    for (auto &[form, stand] : d->unbuilt)
        if (form->observer() == stand.get())
            const_cast<ui::Form *>(form)->setObserver(nullptr);
    for (auto &[form, w] : d->windows)
        delete w;
    for (const QPointer<FormWindow> &w : d->retired)
        delete w.data();
}

FormWindow *Front::window(const ui::Form &form) const
{
    if (m_impl->unbuilt.contains(&form))
        return m_impl->build(const_cast<ui::Form &>(form));
    const auto it = m_impl->windows.find(&form);
    return it == m_impl->windows.end() ? nullptr : it->second;
}

} // namespace view
