/** @file form_a1.h The state store A1: every cell of the simulation state, with its diagnostics face. */
#pragma once

#include "ui/controls.h"

#include <array>

class GroupStack;

/**
 * What the train runs keep of their own between ticks, beside the cells
 * they work: the track a departure run took, and the circuits a run
 * through track 1 occupied. It lives and ends with the store.
 */
struct TrainRunMemory {
    std::array<int, 3> departureTrack{}; ///< Lines A, B, C: station track the departure run took; 0 none yet.
    std::array<bool, 2> occupiedKO10{};  ///< Lines A, B: the arrival run through track 1 occupied `KO10`.
    std::array<bool, 2> occupiedKO1a{};  ///< Lines A, B: the arrival run through track 1 occupied `KO1a`.
};

/**
 * The diagnostics form A1. Its controls hold the whole simulation state;
 * every subsystem reads and writes them by these members, the diagnostics
 * face and tests by their names. Created from these defaults at start-up
 * and at the end of every game.
 */
class TA1 : public ui::Form {
public:
    explicit TA1(platform::Platform &platform);

    /** Names of the fourteen signals, in the order of `Aspect` and `AspectList`. */
    static const std::array<QString, 14> SignalNames;
    /** @return the index of the signal of this name, or -1. */
    static int signalIndex(const QString &name);
    /** @return the top of `CHBlok` that shows the Vrbská panel scrolled to a scroll-bar position (0 .. 100). */
    int chBlokTopAt(int position) const;

    /* Faces. */
    ui::GroupBox *SouZST;   ///< The neighbour-stations face (dark blue), behind the pages.
    ui::PageControl *B00;   ///< The diagnostics face: the pages of cells.
    ui::TabSheet *B0;       ///< "Ukládání a načítání" (no tab).
    ui::TabSheet *C00;      ///< "Návěstidla", the page shown first.
    ui::TabSheet *ZabZar;   ///< "Zabezpečovací zařízení".
    ui::TabSheet *Prvky;    ///< "Simulace".
    ui::TabSheet *TabNastaveni; ///< "Nastavení" (no tab).
    ui::TabSheet *Snd00;    ///< "Zvuky".

    /* Neighbour stations' face: Struhy, line B. */
    ui::GroupBox *GroupBox6; ///< Group "Struhy".
    ui::Image *Image1;       ///< Struhy's block panel, the background of its lamps and buttons.
    ui::Image *USM;          ///< Lamp: the line-B consent is with this station (lit while shown).
    ui::Image *VTM;          ///< Lamp "VT".
    ui::Image *PSM;          ///< Lamp "PS".
    ui::Image *EVM;          ///< Lamp "EV"; unused.
    ui::Image *ODHLM;        ///< Button; pressed while 2 pixels below `VZM`.
    ui::Image *ZSM;          ///< Button: Struhy asks for the line-B consent.
    ui::Image *VZM;          ///< Button; its top is the level of the released buttons.
    ui::Image *TSM;          ///< Button: Struhy gives the line-B consent back.
    /* Neighbour stations' face: Vrbská, line C. */
    ui::GroupBox *GroupBox16; ///< Group "Vrbská".
    ui::Panel *Panel1;        ///< Window onto the tall panel.
    ui::GroupBox *CHBlok;     ///< The tall panel, moved up and down by `ScrollBar1`.
    ui::Image *Image2;        ///< Vrbská's block panel picture.
    ui::Image *InduktorA;     ///< Vrbská's magneto.
    ui::Image *InduktorA2;    ///< Glow of Vrbská's magneto; hidden.
    ui::Image *TSJ2;          ///< Window of the consent field `TSJ`.
    ui::Image *ZapJ;          ///< Latch of the consent field `TSJ`.
    ui::Image *NavJOd2;       ///< Window of the entry release `NavJOd`.
    ui::Image *ZapJOd;        ///< Latch of the entry release `NavJOd`.
    ui::Image *PHJDo2;        ///< Window of the pre-announcement `PHJDo`.
    ui::Image *PakaTSJ;       ///< Consent lever; pressed while lower than `PakaNavJOd`.
    ui::Image *PakaNavJOd;    ///< Entry-release lever; pressed while lower than `PakaTSJ`.
    ui::Image *PakaPHJDo;     ///< Pre-announcement lever; fixed.
    ui::ScrollBar *ScrollBar1; ///< Scrolls `CHBlok` inside `Panel1`; position 0 .. 100.
    ui::Label *Label1;        ///< "zavřít": closes the face.

    /* Page "Ukládání a načítání". */
    ui::Memo *Memo1;         ///< Group "Simulace"; unused.
    ui::Memo *Grafikon;      ///< The loaded timetable file, one line per file line.
    ui::Edit *GrafikonDir;   ///< File name of the chosen timetable.
    ui::Memo *Memo2;         ///< Group "Nastavení"; unused.

    /* Signals. Words, lists and labels of the fourteen signals; see also `Aspect`, `AspectList`. */
    ui::Label *C02, *C05, *C08, *C15, *C18, *C21, *C24, *C27, *C30, *C33, *C36, *C39, *C42, *C45; ///< Signal names.
    ui::Edit *C03, *C06, *C09, *C16, *C19, *C22, *C25, *C28, *C31, *C34, *C37, *C40, *C43, *C46;  ///< Aspect words.
    ui::ListBox *C04, *C07, *C10, *C17, *C20, *C23, *C26, *C29, *C32, *C35, *C38, *C41, *C44, *C47; ///< Aspect lists.
    /** The fourteen aspect words, signals L, ML, S, L1a, Lc1, Lc2, L3, L5, L7, S1, S2, S3, S5, S7. */
    ui::Edit *Aspect[14];
    /** The fourteen aspect lists, in the same order; the colour is state. */
    ui::ListBox *AspectList[14];
    ui::GroupBox *C48;       ///< The signal display's group.
    ui::ComboBox *C49;       ///< Name of the signal the display shows.
    ui::Shape *C50;          ///< The displayed signal's body.
    ui::Shape *C51;          ///< Upper yellow lamp, lit while shown.
    ui::Shape *C52;          ///< Green lamp.
    ui::Shape *C53;          ///< Red lamp.
    ui::Shape *C54;          ///< White lamp.
    ui::Shape *C55;          ///< Lower yellow lamp.
    ui::Button *C60;         ///< "Obnov": redraws the display.
    ui::Label *C11;          ///< "Porucha" over the repeater faults.
    ui::CheckBox *C12;       ///< "PřL": fault of the distant-signal repeater of L.
    ui::CheckBox *C13;       ///< "PřML".
    ui::CheckBox *C14;       ///< "PřS".

    /* Block instrument fields, 1 (red window) .. 5 (white), 6 = latch released where the range allows. */
    ui::SpinEdit *HrBOd, *NavBOd, *ZavB, *NavBDo, *HrBDo, *ZavBSt, *NavBOdSt, *NavBDoSt, *SouLc1, *SouLc1St; ///< Line A.
    ui::SpinEdit *HrMOd, *NavMOd, *ZavM, *NavMDo, *HrMDo, *ZavMSt, *NavMOdSt, *NavMDoSt; ///< Line B.
    ui::SpinEdit *NavJOd, *TSJ, *PHJDo; ///< Vrbská's fields on its panel.
    ui::SpinEdit *PHCHDo, *HrCHDo, *NavCHDo, *ZavCH, *NavCHOd, *HrCHOd, *PHCHOd, *TSCH, *TSCH2, *ZavCHSt,
        *NavCHDoSt, *NavCHOdSt; ///< Line C; `TSCH2` is unused.
    /* Device settings: mouse travel in pixels per step, and the levers' counters. */
    ui::SpinEdit *Paka1, *Paka2, *Paka3, *Paka4, *Paka5, *Paka6, *Paka7, *Paka8, *Paka9, *Paka10, *Paka11; ///< 0 .. 100.
    ui::SpinEdit *KnoflikA, *KnoflikB, *KnoflikC; ///< Track-selection knobs of the desk.
    ui::SpinEdit *NavB, *NavM, *Se11, *Se12, *Se13, *Zavernik11, *Zavernik12, *Zavernik13, *Zavernik14,
        *Zavernik15, *Zavernik16; ///< Knobs and route locks of signal box 1.
    ui::SpinEdit *NavCH, *Se21, *Se22, *Se23, *Zavernik21, *Zavernik22, *Zavernik23, *Zavernik24, *Radic1,
        *Radic2, *Radic3, *Radic4; ///< Knobs, route locks and point controllers of signal box 2.
    ui::SpinEdit *ZavernikA, *ZavernikB, *ZavernikC, *ZavernikD, *ZavernikE; ///< Route locks of the desk.

    /* Page "Simulace": clock. */
    ui::Memo *Hodina;       ///< Line k: hour of now + k minutes, no leading zero.
    ui::Memo *Minuta;       ///< Line k: minutes of now + k minutes, two digits.
    ui::Edit *Sekunda;      ///< Seconds of now, two digits.
    ui::Edit *Rychlost;     ///< Speed word: "P" while paused, else "1" .. "1024".

    /* Lines A, B, C; each trio is also reachable by line index 0, 1, 2 below. */
    ui::ComboBox *TratA, *TratB, *TratC;       ///< "Volná" or the number of the train on the line.
    ui::Edit *SmerA, *SmerB, *SmerC;           ///< "Telefonika" or "Poloautoblok"; colour is block state.
    ui::Edit *ZpravaA, *ZpravaB, *ZpravaC;     ///< Message waiting; colour is the call state.
    ui::SpinEdit *StavVlakA, *StavVlakB, *StavVlakC; ///< Running counter of the train on the line.
    ui::SpinEdit *OdjezdA, *OdjezdB, *OdjezdC; ///< Countdown to the neighbour's departure.
    ui::SpinEdit *CestaA, *CestaB, *CestaC;    ///< Station track of the desk's route.
    ui::SpinEdit *KolejA, *KolejB, *KolejC;    ///< Station track the route from the line is laid to.
    ui::ComboBox *DalsiA, *DalsiB, *DalsiC;    ///< Unused.
    ui::SpinEdit *TelOn;       ///< Dialling countdown in ticks.
    ui::Edit *Varovani;        ///< The warning line of the four views.
    ui::SpinEdit *VarovaniT;   ///< Countdown after which the tick hides the warning.

    ui::ComboBox *Trat(int line) const { return line == 0 ? TratA : line == 1 ? TratB : TratC; }
    ui::Edit *Smer(int line) const { return line == 0 ? SmerA : line == 1 ? SmerB : SmerC; }
    ui::Edit *Zprava(int line) const { return line == 0 ? ZpravaA : line == 1 ? ZpravaB : ZpravaC; }
    ui::SpinEdit *StavVlak(int line) const { return line == 0 ? StavVlakA : line == 1 ? StavVlakB : StavVlakC; }
    ui::SpinEdit *Odjezd(int line) const { return line == 0 ? OdjezdA : line == 1 ? OdjezdB : OdjezdC; }
    ui::SpinEdit *KolejLine(int line) const { return line == 0 ? KolejA : line == 1 ? KolejB : KolejC; }

    /* Trains on the station tracks, per line A, B, C. */
    ui::SpinEdit *VlakAOd, *VlakBOd, *VlakCOd;          ///< Speed of the arriving train, 0 .. 400.
    ui::SpinEdit *VlakADo, *VlakBDo, *VlakCDo;          ///< Speed of the departing train, 0 .. 400.
    ui::SpinEdit *KolejVlakA, *KolejVlakB, *KolejVlakC; ///< Station track of the arriving train.
    ui::ComboBox *KolejCisloA, *KolejCisloB, *KolejCisloC; ///< Number of the arriving train.
    ui::SpinEdit *KolejStavA, *KolejStavB, *KolejStavC; ///< Phase of the arrival run.
    ui::Timer *TimerVlakAOd, *TimerVlakBOd, *TimerVlakCOd; ///< Arrival runs from the lines.
    ui::Timer *TimerVlakADo, *TimerVlakBDo, *TimerVlakCDo; ///< Departure runs to the lines.
    TrainRunMemory runs; ///< What the runs above keep beside their cells.

    /* Station tracks: "Volná", a train number or "posun.díl". */
    ui::ComboBox *Kolej1, *Kolej2, *Kolej3, *Kolej5, *Kolej7, *Kolej1a; ///< Tracks in use.
    ui::ComboBox *Kolej4, *Kolej4a; ///< Unused.

    /* Station names: four forms of each name. */
    ui::Edit *StaniceA1, *StaniceA2, *StaniceA3, *StaniceA4; ///< Line-A neighbour.
    ui::Edit *StaniceB1, *StaniceB2, *StaniceB3, *StaniceB4; ///< Line-B neighbour.
    ui::Edit *StaniceC1, *StaniceC2, *StaniceC3, *StaniceC4; ///< Line-C neighbour.
    ui::Edit *Stanice1, *Stanice2, *Stanice3, *Stanice4;     ///< This station.

    /* Track circuits, line sections, crossing, points and block countdowns. */
    ui::Edit *KO9, *KO10, *KO11, *KO12, *KO13, *KO1a, *KOS; ///< Track circuits of signal box 2; `KO9` unused.
    ui::Edit *IKA, *IKB;     ///< Line sections at signal box 1 on lines A and B.
    ui::Edit *IKLada;        ///< Section of the crossing keeper's post.
    ui::Edit *PZZ;           ///< Level-crossing state word.
    ui::SpinEdit *PZZ2;      ///< Closing countdown of the crossing.
    ui::SpinEdit *PZZOpen;   ///< Opening countdown of the crossing.
    ui::CheckBox *PZZL;      ///< Fault of the crossing's left red lamp.
    ui::CheckBox *PZZP;      ///< Fault of the crossing's right red lamp.
    ui::SpinEdit *Vymena9, *Vymena10, *Vymena11, *Vymena12, *Vymena13; ///< Points at signal box 2, -10 .. 10.
    ui::Edit *VUD;           ///< Approach device of line B: "Otevřený", "Přibližovací", "Vzdalovací".
    ui::Edit *Proud;         ///< Current source of the block: "I" magneto, "K" crank.
    ui::SpinEdit *TSMOn;     ///< Block countdown toward Struhy.
    ui::SpinEdit *TSCHOn;    ///< Countdown until Vrbská returns the line-C consent.

    /* Faults. */
    ui::CheckBox *KodPoruchy;   ///< "Poruchy": simulated technical faults.
    ui::SpinEdit *PoruchaDalsi; ///< Ticks to the next fault.
    ui::SpinEdit *PoruchaCislo; ///< Number of the next fault.
    ui::SpinEdit *PoruchaKonec; ///< Ticks until the current fault ends.

    /* Options (page "Nastavení", group "Možnosti"). */
    ui::CheckBox *NCK;             ///< Handlers that test it show their error code.
    ui::CheckBox *NCD;             ///< Handlers that test it pass a failure on to the default report.
    ui::CheckBox *KodMavex;        ///< The use counters do not call the counter library.
    ui::CheckBox *Kod4kolej;       ///< Train routes from and to track 4.
    ui::CheckBox *Kod2kolej;       ///< Train routes between line B and track 2.
    ui::CheckBox *KodKrizeni;      ///< Crossing train routes at signal box 1.
    ui::CheckBox *KodPoloautoblok; ///< Line A may be switched to the block.
    ui::CheckBox *KodSt1;          ///< Signal box 1 is worked by the automatic signalmen.
    ui::CheckBox *KodSt2;          ///< Signal box 2 is worked by the automatic signalman.
    ui::CheckBox *KodZapadky;      ///< Block levers ignore the substitute latches.
    ui::CheckBox *KodRychTel;      ///< A neighbour's call sets the speed to "1".
    ui::CheckBox *NakladniVlaky;   ///< Freight trains of a timetable file are placed.

    /* Page "Zvuky". */
    ui::CheckBox *Zvuky;     ///< Sounds are played.
    /** The 22 sound players in the order the game start opens them. */
    ui::MediaPlayer *SndTelefon, *SndInduktorOn, *SndInduktorOff, *SndKlika, *SndPakaOn, *SndPakaOff,
        *SndZvonekOn, *SndZvonekOff, *SndDestickaDK, *SndDestickaSt1, *SndDestickaSt2, *SndDestickaCH,
        *SndDestickaOn, *SndDestickaOff, *SndIK, *SndID, *SndZavernik, *SndZaverDK, *SndZaverSt1,
        *SndZaverSt2, *SndZaverCH, *SndZarazka;
    /** @return the players in opening order. */
    std::vector<ui::MediaPlayer *> soundPlayers() const;
    ui::CheckBox *ZvonekTSM, *ZvonekIKLada, *ZvonekPorIsSt; ///< Indication bells of the desk.
    ui::CheckBox *ZvonekRozrezu1;                         ///< Indication bell of signal box 1.
    ui::CheckBox *ZvonekRozrezu2, *ZvonekNNP, *ZvonekONP; ///< Indication bells of signal box 2.

    /* Timers. */
    ui::Timer *Hodiny;      ///< The clock timer; one firing is one simulated second.
    ui::Timer *Blikac;      ///< The flasher; its phase is its period, 500 or 501.
    ui::Timer *Kmitac;      ///< One-shot refresh of the desk's flashing-aspect lamp.
    ui::Timer *Induktor;    ///< Glow of the magnetos.
    ui::Timer *Klika;       ///< Crank animation.
    ui::Timer *ZaverDK;     ///< The desk's lock engine while a block lever or bell is worked.
    ui::Timer *ZaverSt1;    ///< Block instrument of signal box 1 while a lever is pressed.
    ui::Timer *ZaverSt2;    ///< Block instrument of signal box 2 while a lever is pressed.
    ui::Timer *ZaverCH;     ///< Crank of Vrbská's block panel.
    ui::Timer *SignalistaA, *SignalistaB, *SignalistaC; ///< Automatic signalmen; the period codes their state.

    /**
     * The train that line C held when a press of a freeing block lever began
     * (box 2's entry lever, Vrbská's entry lever), taken at the crank's first
     * tick and emptied once that press has freed it: a press frees the line once.
     */
    QString lineCInboundPress, lineCOutboundPress;

    /**
     * The clock's minute as the tick last saw it: lines 0 and 5 of `Hodina`
     * and `Minuta`, and line 0 as "H:MM". The tick's once-a-minute work runs
     * when they change, or when a game has started or ended since.
     */
    struct SeenMinute {
        QString hour, minute;           ///< Lines 0.
        QString aheadHour, aheadMinute; ///< Lines 5, the look-ahead.
        QString key;                    ///< "H:MM" from lines 0.
        bool seen = false;              ///< A tick has seen a minute on this form.
        bool gameRunning = false;       ///< Whether a game ran then.
    } seenMinute;

private:
    void buildStoragePage();
    void buildSignalsPage();
    ui::GroupBox *buildSignalGroup();
    ui::GroupBox *buildSignalDisplay();
    ui::Panel *buildRepeaterFaults();
    void buildDevicesPage();
    ui::GroupBox *buildBlockFields();
    void buildSimulationPage();
    void buildTimeAndLines(ui::TabSheet *sheet);
    ui::GroupBox *buildLines(ui::TabSheet *sheet);
    ui::GroupBox *buildClock(ui::TabSheet *sheet);
    void buildTrainsAndTracks(ui::TabSheet *sheet);
    ui::GroupBox *buildTrainRuns(ui::TabSheet *sheet);
    ui::GroupBox *buildStationNames(ui::TabSheet *sheet);
    void buildEquipment(ui::TabSheet *sheet);
    ui::GroupBox *buildCrossing(ui::TabSheet *sheet);
    void buildOptionsPage();
    void buildSoundsPage();
    void buildBellFlags(GroupStack &stack);
    void buildDeviceTimers();
    void buildNeighbourFace();
    void buildStruhyPanel();
    void buildVrbskaPanel();
    void buildVrbskaInstruments();
};
