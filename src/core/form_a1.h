/** @file form_a1.h The state store A1: every cell of the simulation state, with its diagnostics face. */
#pragma once

#include "ui/controls.h"

/**
 * The diagnostics form A1. Its controls hold the whole simulation state;
 * every subsystem reads and writes them by these members, the diagnostics
 * face and tests by their names. Created from these defaults at start-up
 * and at the end of every game.
 */
class TA1 : public ui::Form {
public:
    explicit TA1(platform::Platform &platform);

    /* Faces. */
    ui::PageControl *B00;   ///< The diagnostics face: the pages of cells.
    ui::TabSheet *B0;       ///< "Ukládání a načítání" (no tab).
    ui::TabSheet *C00;      ///< "Návěstidla".
    ui::TabSheet *ZabZar;   ///< "Zabezpečovací zařízení".
    ui::TabSheet *Prvky;    ///< "Simulace".
    ui::TabSheet *TabNastaveni; ///< "Nastavení" (no tab).
    ui::TabSheet *Snd00;    ///< "Zvuky".
    ui::GroupBox *SouZST;   ///< The neighbour-stations face.

    /* Clock. */
    ui::Timer *Hodiny;      ///< The clock timer; one firing is one simulated second.
    ui::Memo *Hodina;       ///< Line k: hour of now + k minutes, no leading zero.
    ui::Memo *Minuta;       ///< Line k: minutes of now + k minutes, two digits.
    ui::Edit *Sekunda;      ///< Seconds of now, two digits.
    ui::Edit *Rychlost;     ///< Speed word: "P" while paused, else "1" .. "1024".

    /* Timetable. */
    ui::Memo *Grafikon;      ///< The loaded timetable file, one line per file line.
    ui::Edit *GrafikonDir;   ///< File name of the chosen timetable.
    ui::CheckBox *NakladniVlaky; ///< Freight trains of a timetable file are placed.

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

    /* Station names: four forms of each name. */
    ui::Edit *StaniceA1, *StaniceA2, *StaniceA3, *StaniceA4; ///< Line-A neighbour.
    ui::Edit *StaniceB1, *StaniceB2, *StaniceB3, *StaniceB4; ///< Line-B neighbour.
    ui::Edit *StaniceC1, *StaniceC2, *StaniceC3, *StaniceC4; ///< Line-C neighbour.
    ui::Edit *Stanice1, *Stanice2, *Stanice3, *Stanice4;     ///< This station.

    /* Options. */
    ui::CheckBox *NCK;
    ui::CheckBox *NCD;
    ui::CheckBox *KodMavex;
    ui::CheckBox *Kod4kolej;
    ui::CheckBox *Kod2kolej;
    ui::CheckBox *KodKrizeni;
    ui::CheckBox *KodPoloautoblok;
    ui::CheckBox *KodSt1;
    ui::CheckBox *KodSt2;
    ui::CheckBox *KodZapadky;
    ui::CheckBox *KodRychTel;
    ui::CheckBox *KodPoruchy;
    ui::CheckBox *Zvuky;

    /* Faults. */
    ui::SpinEdit *PoruchaDalsi;
    ui::SpinEdit *PoruchaCislo;
    ui::SpinEdit *PoruchaKonec;

    /** The 22 sound players in the order the game start opens them. */
    ui::MediaPlayer *SndTelefon, *SndInduktorOn, *SndInduktorOff, *SndKlika, *SndPakaOn, *SndPakaOff,
        *SndZvonekOn, *SndZvonekOff, *SndDestickaDK, *SndDestickaSt1, *SndDestickaSt2, *SndDestickaCH,
        *SndDestickaOn, *SndDestickaOff, *SndIK, *SndID, *SndZavernik, *SndZaverDK, *SndZaverSt1,
        *SndZaverSt2, *SndZaverCH, *SndZarazka;
    /** @return the players in opening order. */
    std::vector<ui::MediaPlayer *> soundPlayers() const;

    /** The fourteen aspect words, signals L, ML, S, L1a, Lc1, Lc2, L3, L5, L7, S1, S2, S3, S5, S7. */
    ui::Edit *Aspect[14];
    /** The fourteen aspect lists, in the same order. */
    ui::ListBox *AspectList[14];
    ui::Edit *PZZ;             ///< Level-crossing state word.
};
