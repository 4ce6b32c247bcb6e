/** @file train_panel.cpp The train panel: the chosen track's train number, stop marker, target board and target station. */
#include "trackview/trackview_handlers.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "trackview/form_a5.h"
#include "trackview/panel_controls.h"
#include "traffic/line_cells.h"

namespace trackview {

namespace {

/** The track chosen by each of the labels `PA01` .. `PA05`, left to right. */
constexpr int LabelTracks[] = {2, 1, 3, 5, 7};

/** Target stations in the order "změň cíl.žst" steps through them, with their board pictures. */
const struct {
    const char *station;
    const char *board;
} Targets[] = {
    {"- nic -", "CilDefault"}, {"Radošov", "CilRadosov"},   {"Kunratov", "CilKunratov"}, {"H.Skála", "CilSkala"},
    {"Tuchov n.S.", "CilTuchov"}, {"Sedlec", "CilSedlec"}, {"Ostrohy", "CilOstrohy"},   {"Bystřany", "CilBystrany"},
};
constexpr int TargetCount = 8;

/** The panel's controls, found on the form that wired them. */
struct TrainPanel {
    std::array<ui::Label *, 5> tracks{}; ///< `PA01` .. `PA05`.
    ui::Label *number = nullptr;         ///< `PA07`: the chosen track's occupation word.
    ui::ScrollBar *stopBar = nullptr;    ///< `PA09`.
    ui::Label *target = nullptr;         ///< `PA10`: the chosen track's target station.
    ui::Label *renumber = nullptr;       ///< `PA11`: "změň číslo", "ok" while editing.
    ui::Edit *newNumber = nullptr;       ///< `PA12`: the new number, over `PA07`.
    ui::ScrollBar *boardBar = nullptr;   ///< `PA14`.
};

/** Calls fn with the track of every label that is clBlue, in the labels' order. */
template <class Fn> void forChosenTracks(const TrainPanel &p, Fn fn)
{
    for (int i = 0; i < 5; ++i)
        if (p.tracks[i]->color() == PanelBlue)
            fn(LabelTracks[i]);
}

void chooseTrack(App &app, const TrainPanel &p, int index)
{
    for (int i = 0; i < 5; ++i)
        p.tracks[i]->setColor(i == index ? PanelBlue : PanelNavy);
    const int track = LabelTracks[index];
    p.number->setCaption(traffic::trackOccupation(app, track)->text());
    p.target->setCaption(app.A5().tracks.track(track)->targetStation->text());
}

void renumber(App &app, const TrainPanel &p)
{
    if (!p.newNumber->visible()) {
        /* The copy in PA07 is taken when a track is chosen; the train may
           have left since, so the chosen track's word is read afresh. */
        forChosenTracks(p, [&](int track) { p.number->setCaption(traffic::trackOccupation(app, track)->text()); });
        if (p.number->caption() == QStringLiteral("Volná"))
            return;
        p.renumber->setCaption(QStringLiteral("ok"));
        p.renumber->setColor(PanelBlue);
        p.newNumber->setText(p.number->caption());
        p.newNumber->setVisible(true);
        return;
    }
    p.number->setCaption(p.newNumber->text());
    p.renumber->setCaption(QStringLiteral("změň číslo"));
    p.renumber->setColor(PanelNavy);
    p.newNumber->setVisible(false);
    p.number->setColor(PanelNavy);
    const QString number = p.number->caption();
    /* A free track chosen while editing holds no train to renumber. */
    forChosenTracks(p, [&](int track) {
        ui::ComboBox *word = traffic::trackOccupation(app, track);
        if (word->text() != QStringLiteral("Volná"))
            word->setText(number);
    });
    if (number.isEmpty())
        return;
    for (int r = 1; r <= 16; ++r) {
        ui::Edit *cell = app.A2().row(r).trainNumber;
        if (cell->text() == number)
            cell->setColor(progress::Lime);
    }
}

/** Places the chosen track's stop marker or target board at the bar's position along the station panel. */
void placeMarker(App &app, const TrainPanel &p, const ui::ScrollBar &bar, bool board)
{
    TA5 &a5 = app.A5();
    forChosenTracks(p, [&](int track) {
        TrackRow *row = a5.tracks.track(track);
        ui::Image *marker = board ? row->target : row->stop;
        if (bar.position() == -1) {
            marker->setVisible(false);
            return;
        }
        marker->setVisible(true);
        marker->setLeft((a5.frame.D5->width() - 2) * bar.position() / bar.maximum() - marker->width() / 2);
    });
}

void nextTarget(App &app, const TrainPanel &p)
{
    const QString now = p.target->caption();
    for (int i = 0; i < TargetCount; ++i)
        if (now == QString::fromUtf8(Targets[i].station)) {
            p.target->setCaption(QString::fromUtf8(Targets[(i + 1) % TargetCount].station));
            break;
        }
    forChosenTracks(p, [&](int track) { app.A5().tracks.track(track)->targetStation->setText(p.target->caption()); });
}

/** Gives the track's board the picture of its target station; an unknown name leaves it. */
void showBoard(TA5 &a5, TrackRow &row)
{
    for (const auto &t : Targets)
        if (row.targetStation->text() == QString::fromUtf8(t.station)) {
            row.target->assignPicture(*static_cast<ui::Image *>(a5.find(QString::fromLatin1(t.board))));
            return;
        }
}

ui::ScrollBar *markerBar(TA5 &a5, ui::Control *panel, const QString &name, int top)
{
    auto *bar = findOrMake<ui::ScrollBar>(a5, panel, name, QRect(161, top, 145, 17));
    bar->setRange(-1, 100);
    bar->setPosition(0);
    bar->setPageSize(0);
    return bar;
}

} // namespace

void buildTrainPanel(App &app)
{
    TA5 &a5 = app.A5();
    ui::Control *panel = controlBarPanel(a5, QStringLiteral("PanelA"));
    TrainPanel p;
    for (int i = 0; i < 5; ++i)
        p.tracks[i] = panelButton(a5, panel, QStringLiteral("PA0%1").arg(i + 1),
                                  QStringLiteral("%1.kolej").arg(LabelTracks[i]), {1 + 93 * i, 0, 92, 23});
    auto *line = findOrMake<ui::Shape>(a5, panel, QStringLiteral("PA06"), QRect(1, 24, 464, 1));
    line->setPenColor(PanelNavy);
    line->setBrushColor(PanelNavy);
    p.number = panelButton(a5, panel, "PA07", QString(), {1, 26, 154, 25});
    panelButton(a5, panel, "PA08", QString(), {156, 26, 154, 25});
    p.stopBar = markerBar(a5, panel, QStringLiteral("PA09"), 30);
    p.target = panelButton(a5, panel, "PA10", QString(), {311, 26, 154, 25});
    p.renumber = panelButton(a5, panel, "PA11", QStringLiteral("změň číslo"), {1, 52, 154, 25});
    p.newNumber = findOrMake<ui::Edit>(a5, panel, QStringLiteral("PA12"), QRect(7, 28, 142, 20));
    p.newNumber->setColor(Qt::white);
    p.newNumber->setFont({QStringLiteral("Verdana"), 12, true, false, Qt::black});
    p.newNumber->setVisible(false);
    panelButton(a5, panel, "PA13", QString(), {156, 52, 154, 25});
    p.boardBar = markerBar(a5, panel, QStringLiteral("PA14"), 56);
    auto *cycle = panelButton(a5, panel, "PA15", QStringLiteral("změň cíl.žst"), {311, 52, 154, 25});

    static const char *const ChooseCodes[] = {"Error 50PA01", "Error 50PA02", "Error 50PA03", "Error 50PA04",
                                              "Error 50PA05"};
    for (int i = 0; i < 5; ++i)
        p.tracks[i]->onClick = [&app, p, i] { panelGuard(app, ChooseCodes[i], [&] { chooseTrack(app, p, i); }); };
    p.renumber->onClick = [&app, p] { panelGuard(app, "Error 50PA11", [&] { renumber(app, p); }); };
    p.stopBar->onChange = [&app, p] { panelGuard(app, "Error 50PA09", [&] { placeMarker(app, p, *p.stopBar, false); }); };
    p.boardBar->onChange = [&app, p] { panelGuard(app, "Error 50PA14", [&] { placeMarker(app, p, *p.boardBar, true); }); };
    cycle->onClick = [&app, p] { panelGuard(app, "Error 50PA15", [&] { nextTarget(app, p); }); };

    for (TrackRow &row : a5.tracks.rows) {
        TrackRow *r = &row;
        const QByteArray code = "Error 50CZ" + QByteArray::number(row.number);
        row.targetStation->onChange = [&app, r, code] {
            panelGuard(app, code.constData(), [&] { showBoard(app.A5(), *r); });
        };
        /* Every board shows its track's target station from the start. */
        showBoard(a5, row);
    }
}

} // namespace trackview
