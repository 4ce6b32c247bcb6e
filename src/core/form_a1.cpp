/** @file form_a1.cpp The cells of the state store A1 with their initial values. */
#include "core/form_a1.h"

#include "core/cell_builder.h"

namespace {

/** Creates a group box on a page at a place. */
ui::GroupBox *group(ui::Form &f, ui::Control *page, const QString &name, const QString &caption, int l, int t)
{
    auto *g = f.make<ui::GroupBox>(page, name);
    g->setCaption(caption);
    g->setBounds(l, t, 10, 10);
    return g;
}

/** Creates a page of the diagnostics face. */
ui::TabSheet *page(ui::Form &f, ui::PageControl *pc, const QString &name, const QString &caption, bool tab)
{
    auto *p = f.make<ui::TabSheet>(pc, name);
    p->setCaption(caption);
    p->setTabVisible(tab);
    p->setBounds(0, 24, pc->width(), pc->height() - 24);
    p->setVisible(false);
    return p;
}

const QStringList EntryAspects = {"Stůj", "Volno", "Výstraha", "40 a volno", "40 a výstraha", "40 a 40", "PN",
                                  "Porucha"};
const QStringList Lc1Aspects = {"Stůj", "Volno", "Opak.výstrahy", "Posun dovolen", "PN", "Porucha"};
const QStringList ExitAspects = {"Stůj", "Volno", "40 a volno", "Posun dovolen", "PN", "Porucha"};

} // namespace

TA1::TA1(platform::Platform &platform) : ui::Form(QStringLiteral("A1"), platform)
{
    setCaption(QStringLiteral("Kobrant ŽST Kamenná - Diagnostika"));
    setBounds(0, 0, 632, 446);
    setBorderStyle(ui::BorderStyle::Single);
    setCloseButtonOnly(true);
    setCentered(true);

    SouZST = make<ui::GroupBox>(nullptr, QStringLiteral("SouZST"));
    SouZST->setBounds(0, 0, 632, 446);
    SouZST->setColor(QColor(0, 0, 128));
    SouZST->setVisible(false);

    B00 = make<ui::PageControl>(nullptr, QStringLiteral("B00"));
    B00->setBounds(0, 0, 632, 446);
    B0 = page(*this, B00, "B0", "Ukládání a načítání", false);
    C00 = page(*this, B00, "C00", "Návěstidla", true);
    ZabZar = page(*this, B00, "ZabZar", "Zabezpečovací zařízení", true);
    Prvky = page(*this, B00, "Prvky", "Simulace", true);
    TabNastaveni = page(*this, B00, "TabNastaveni", "Nastavení", false);
    Snd00 = page(*this, B00, "Snd00", "Zvuky", true);
    B00->setActivePage(C00);

    Hodiny = make<ui::Timer>(nullptr, QStringLiteral("Hodiny"));
    Hodiny->setInterval(1000);

    {
        CellBuilder b(*this, group(*this, Prvky, "GroupHodiny", "Hodiny", 4, 4), 190, 8);
        Hodina = b.memo("Hodina", {"12", "12", "12", "12", "12", "12"}, 3);
        Minuta = b.memo("Minuta", {"00", "01", "02", "03", "04", "05"}, 3);
        Sekunda = b.word("Sekunda", "00");
        Rychlost = b.word("Rychlost", "1");
        b.finish();
    }
    {
        CellBuilder b(*this, group(*this, B0, "GroupGrafikon", "Grafikon", 4, 4), 300, 8);
        Grafikon = b.memo("Grafikon", {}, 5);
        GrafikonDir = b.word("GrafikonDir", "");
        b.finish();
    }
    {
        CellBuilder b(*this, group(*this, Prvky, "GroupTrate", "Tratě", 200, 4), 190, 12);
        const char *const sfx[3] = {"A", "B", "C"};
        ui::ComboBox **trat[3] = {&TratA, &TratB, &TratC};
        ui::Edit **smer[3] = {&SmerA, &SmerB, &SmerC};
        ui::Edit **zprava[3] = {&ZpravaA, &ZpravaB, &ZpravaC};
        ui::SpinEdit **stav[3] = {&StavVlakA, &StavVlakB, &StavVlakC};
        ui::SpinEdit **odjezd[3] = {&OdjezdA, &OdjezdB, &OdjezdC};
        ui::SpinEdit **cesta[3] = {&CestaA, &CestaB, &CestaC};
        ui::SpinEdit **kolej[3] = {&KolejA, &KolejB, &KolejC};
        ui::ComboBox **dalsi[3] = {&DalsiA, &DalsiB, &DalsiC};
        const int kolejInit[3] = {1, 3, 1};
        const char *const smerInit[3] = {"Telefonika", "Poloautoblok", "Poloautoblok"};
        const QColor smerColour[3] = {QColor(0, 255, 0), QColor(255, 0, 0), QColor(0, 255, 0)};
        for (int i = 0; i < 3; ++i) {
            const QString x = sfx[i];
            *trat[i] = b.combo("Trat" + x);
            *smer[i] = b.word("Smer" + x, smerInit[i], true);
            (*smer[i])->setColor(smerColour[i]);
            *zprava[i] = b.word("Zprava" + x, "");
            *stav[i] = b.number("StavVlak" + x, 0);
            *odjezd[i] = b.number("Odjezd" + x, 0);
            *cesta[i] = b.number("Cesta" + x, 0);
            *kolej[i] = b.number("Kolej" + x, kolejInit[i]);
            *dalsi[i] = b.combo("Dalsi" + x);
        }
        b.finish();
    }
    {
        CellBuilder b(*this, Prvky, 190, 40);
        TelOn = b.number("TelOn", 0);
        Varovani = b.word("Varovani", "");
        VarovaniT = b.number("VarovaniT", 0);
        PZZ = b.word("PZZ", "");
    }
    {
        CellBuilder b(*this, group(*this, Prvky, "GroupStanice", "Názvy stanic", 4, 200), 190, 8);
        const QString names[4][4] = {{"Horní Lom", "z Lomu", "v Lomu", "do Horního Lomu"},
                                     {"Struhy", "ze Struh", "ve Struhách", "do Struh"},
                                     {"Vrbská", "z Vrbské", "ve Vrbské", "do Vrbské"},
                                     {"Kamenná", "z Kamenné", "v Kamenné", "do Kamenné"}};
        ui::Edit **cells[4][4] = {{&StaniceA1, &StaniceA2, &StaniceA3, &StaniceA4},
                                  {&StaniceB1, &StaniceB2, &StaniceB3, &StaniceB4},
                                  {&StaniceC1, &StaniceC2, &StaniceC3, &StaniceC4},
                                  {&Stanice1, &Stanice2, &Stanice3, &Stanice4}};
        const QString prefix[4] = {"StaniceA", "StaniceB", "StaniceC", "Stanice"};
        for (int s = 0; s < 4; ++s)
            for (int k = 0; k < 4; ++k)
                *cells[s][k] = b.word(prefix[s] + QString::number(k + 1), names[s][k]);
        b.finish();
    }
    {
        CellBuilder b(*this, group(*this, TabNastaveni, "GroupMoznosti", "Možnosti", 4, 4), 300, 14);
        NCK = b.option("NCK", "Opravovat chyby pomocí programového kódu", true);
        NCD = b.option("NCD", "Zobrazovat chybová hlášení", true);
        KodMavex = b.option("KodMavex", "Nefunkční počítadla", false);
        Kod4kolej = b.option("Kod4kolej", "Vlakové cesty s/na 4.koleje", false);
        Kod2kolej = b.option("Kod2kolej", "Vlakové cesty Struhy / 2.kolej", false);
        KodKrizeni = b.option("KodKrizeni", "Křížení vlakových cest na St.1", false);
        KodPoloautoblok = b.option("KodPoloautoblok", "Poloautoblok do Dubce/Horního Lomu", false);
        KodSt1 = b.option("KodSt1", "Automatický signalista 1", true);
        KodSt2 = b.option("KodSt2", "Automatický signalista 2", true);
        KodZapadky = b.option("KodZapadky", "Nezávislost na náhr.západkách", false);
        KodRychTel = b.option("KodRychTel", "Zpomalit při telefonování", true);
        NakladniVlaky = b.option("NakladniVlaky", "Nákladní vlaky", true);
        b.finish();
    }
    {
        CellBuilder b(*this, group(*this, Prvky, "GroupPoruchy", "Poruchy", 400, 200), 190, 6);
        KodPoruchy = b.option("KodPoruchy", "Poruchy", false);
        PoruchaDalsi = b.number("PoruchaDalsi", 1000);
        PoruchaCislo = b.number("PoruchaCislo", 0);
        PoruchaKonec = b.number("PoruchaKonec", 0);
        b.finish();
    }
    {
        CellBuilder b(*this, Snd00, 200, 18);
        Zvuky = b.option("Zvuky", "Přehrávat zvuky", true);
        ui::MediaPlayer **players[22] = {&SndTelefon, &SndInduktorOn, &SndInduktorOff, &SndKlika, &SndPakaOn,
                                         &SndPakaOff, &SndZvonekOn, &SndZvonekOff, &SndDestickaDK,
                                         &SndDestickaSt1, &SndDestickaSt2, &SndDestickaCH, &SndDestickaOn,
                                         &SndDestickaOff, &SndIK, &SndID, &SndZavernik, &SndZaverDK,
                                         &SndZaverSt1, &SndZaverSt2, &SndZaverCH, &SndZarazka};
        const char *const names[22] = {"SndTelefon", "SndInduktorOn", "SndInduktorOff", "SndKlika", "SndPakaOn",
                                       "SndPakaOff", "SndZvonekOn", "SndZvonekOff", "SndDestickaDK",
                                       "SndDestickaSt1", "SndDestickaSt2", "SndDestickaCH", "SndDestickaOn",
                                       "SndDestickaOff", "SndIK", "SndID", "SndZavernik", "SndZaverDK",
                                       "SndZaverSt1", "SndZaverSt2", "SndZaverCH", "SndZarazka"};
        for (int i = 0; i < 22; ++i)
            *players[i] = b.player(names[i]);
    }
    {
        CellBuilder b(*this, group(*this, C00, "GroupNavestidla", "Stav návěstidel", 4, 4), 300, 28);
        const char *const words[14] = {"C03", "C06", "C09", "C16", "C19", "C22", "C25",
                                       "C28", "C31", "C34", "C37", "C40", "C43", "C46"};
        for (int i = 0; i < 14; ++i) {
            Aspect[i] = b.word(words[i], "", true);
            const int listNo = QString(words[i]).mid(1).toInt() + 1;
            const QStringList &rows = i < 3 ? EntryAspects : i == 4 ? Lc1Aspects : ExitAspects;
            AspectList[i] = b.list(QStringLiteral("C%1").arg(listNo, 2, 10, QChar('0')), rows, 1);
            AspectList[i]->setColor(QColor(255, 0, 0));
        }
        b.finish();
    }
}

std::vector<ui::MediaPlayer *> TA1::soundPlayers() const
{
    return {SndTelefon, SndInduktorOn, SndInduktorOff, SndKlika, SndPakaOn, SndPakaOff, SndZvonekOn,
            SndZvonekOff, SndDestickaDK, SndDestickaSt1, SndDestickaSt2, SndDestickaCH, SndDestickaOn,
            SndDestickaOff, SndIK, SndID, SndZavernik, SndZaverDK, SndZaverSt1, SndZaverSt2, SndZaverCH,
            SndZarazka};
}
