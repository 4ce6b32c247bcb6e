/** @file front.cpp The Qt Widgets front: a window for every form of the App, made anew with the form. */
#include "view/front.h"

#include "view/form_window.h"
#include "view/painter.h"
#include "view/vehicle_strip.h"

#include "core/app.h"

#include <QPointer>

#include <unordered_map>

namespace view {

/** The windows of the live forms and those of destroyed forms still waiting for deletion. */
struct Front::Impl {
    explicit Impl(App &a) : app(a) {}

    /** Gives a form its window. */
    void created(ui::Form &form)
    {
        if (windows.contains(&form))
            return;
        auto *window = new FormWindow(form);
        windows.emplace(&form, window);
        /* The timetable window shows its rows' vehicle pictures small, below the rows. */
        if (form.name() == QLatin1String("A2"))
            window->setFooter(new VehicleStrip(*window), VehicleStrip::kHeight);
    }

    /**
     * Lets a form's window go before the form dies. The window may be in the
     * middle of its own event (the game ended from one of its controls), so
     * it is detached now and deleted later.
     */
    void destroying(ui::Form &form)
    {
        const auto it = windows.find(&form);
        if (it == windows.end())
            return;
        FormWindow *w = it->second;
        windows.erase(it);
        w->detach();
        w->deleteLater();
        retired.emplace_back(w);
    }

    App &app;                                                ///< The forms' owner.
    std::unordered_map<const ui::Form *, FormWindow *> windows; ///< The live forms' windows, owned.
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
    for (auto &[form, w] : d->windows)
        delete w;
    for (const QPointer<FormWindow> &w : d->retired)
        delete w.data();
}

FormWindow *Front::window(const ui::Form &form) const
{
    const auto it = m_impl->windows.find(&form);
    return it == m_impl->windows.end() ? nullptr : it->second;
}

} // namespace view
