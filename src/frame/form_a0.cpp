/** @file form_a0.cpp The controls of the main window A0 at their design values. */
#include "frame/form_a0.h"

#include "frame/menu_model.h"
#include "platform/files.h"
#include "ui/sim_error.h"


/** Registers the menu's embedded pictures; the library is static, so nothing else would pull them in. */
static void initMenuArt()
{
    Q_INIT_RESOURCE(menu_art);
}

namespace {

using frame::Navy;

QImage art(const QString &name)
{
    return frame::menuArt(name);
}

/** The menu's captions: Verdana on black; the layout sets their size. */
ui::Label *menuCaption(ui::Form &f, ui::Control *parent, const QString &name, const QString &text,
                   ui::Align align = ui::Align::Right)
{
    auto *l = f.make<ui::Label>(parent, name);
    l->setCaption(text);
    l->setFont(ui::Font{QStringLiteral("Verdana"), 25, false, false, Navy});
    l->setColor(Qt::black);
    l->setTransparent(true);
    l->setAlignment(align);
    l->setVerticalCenter(true);
    l->setBounds(0, 0, 300, 40);
    return l;
}

/** A row's button: a stretched copy of a button picture. */
ui::Image *button(ui::Form &f, ui::Control *parent, const QString &name, const ui::Image &picture)
{
    auto *i = f.make<ui::Image>(parent, name);
    i->setStretch(true);
    i->assignPicture(picture);
    i->setBounds(0, 0, 65, 65);
    return i;
}

/** A navy frame drawn round an edit, a choice or a slider. */
ui::Shape *frameShape(ui::Form &f, ui::Control *parent, const QString &name)
{
    auto *s = f.make<ui::Shape>(parent, name);
    s->setBrushClear(true);
    s->setPenColor(Navy);
    s->setPenWidth(2);
    s->setBounds(0, 0, 300, 50);
    return s;
}

/** A page of the menu: a black group over the right half of the screen, hidden. */
ui::Panel *page(ui::Form &f, ui::Control *menu, const QString &name)
{
    auto *p = f.make<ui::Panel>(menu, name);
    p->setColor(Qt::black);
    p->setBounds(512, 0, 512, 768);
    p->setVisible(false);
    return p;
}

struct ButtonRow {
    const char *caption;
    const char *image;
    const char *text;
};

/** Button rows of a page: caption, then its button. */
void buttonRows(TA0 &f, ui::Control *p, std::initializer_list<ButtonRow> rows)
{
    for (const ButtonRow &r : rows) {
        menuCaption(f, p, r.caption, QString::fromUtf8(r.text));
        button(f, p, r.image, *f.Tl1);
    }
}

struct EditRow {
    const char *title;
    const char *frame;
    const char *edit;
    const char *titleText;
    const char *editText;
};

/** Edit rows of a page: title, frame and edit (black, navy text). */
void editRows(TA0 &f, ui::Control *p, std::initializer_list<EditRow> rows)
{
    for (const EditRow &r : rows) {
        menuCaption(f, p, r.title, QString::fromUtf8(r.titleText));
        frameShape(f, p, r.frame);
        auto *e = f.make<ui::Edit>(p, r.edit);
        e->setText(QString::fromUtf8(r.editText));
        e->setColor(Qt::black);
        e->setFont(ui::Font{QStringLiteral("Verdana"), 25, false, false, Navy});
        e->setBounds(0, 0, 300, 40);
    }
}

} // namespace

QImage frame::menuArt(const QString &name)
{
    initMenuArt();
    return QImage(QStringLiteral(":/menu/") + name + QStringLiteral(".png"));
}

void TA0::throwMissing(const QString &name)
{
    throw ui::SimError(QStringLiteral("A0 has no control %1").arg(name));
}

TA0::TA0(platform::Platform &platform) : ui::Form(QStringLiteral("A0"), platform)
{
    setCaption(QStringLiteral("Kobrant ŽST Kamenná"));
    setBorderStyle(ui::BorderStyle::None);
    setColor(Qt::black);
    setBounds(0, 0, 400, 300);

    auto *pictures = make<ui::GroupBox>(nullptr, "GroupBox1");
    pictures->setVisible(false);
    ui::Image **tl[5] = {&Tl1, &Tl2, &Tl3, &Tl4, &Tl5};
    for (int k = 0; k < 5; ++k) {
        *tl[k] = make<ui::Image>(pictures, QStringLiteral("Tl%1").arg(k + 1));
        (*tl[k])->setPicture(art(QStringLiteral("Tl%1").arg(k + 1)));
        (*tl[k])->setBounds(0, 0, 41, 41);
    }

    /* Launcher. */
    B0 = make<ui::Image>(nullptr, "B0");
    B0->setBounds(0, 0, 400, 300);
    const ui::Font launcherFont{QStringLiteral("Arial Narrow"), 32, true, true, Navy};
    ui::Label **launcher[3] = {&B1, &B2, &B3};
    const char *launcherTexts[3] = {"Start", "Možnosti", "Konec"};
    for (int k = 0; k < 3; ++k) {
        auto *l = make<ui::Label>(nullptr, QStringLiteral("B%1").arg(k + 1));
        l->setCaption(QString::fromUtf8(launcherTexts[k]));
        l->setBounds(40, 83 + 48 * k, 321, 37);
        l->setAlignment(ui::Align::Center);
        l->setVerticalCenter(true);
        l->setFont(launcherFont);
        l->setColor(frame::Blue);
        l->setTransparent(true);
        *launcher[k] = l;
    }

    /* Settings dialog. */
    B4 = make<ui::GroupBox>(nullptr, "B4");
    B4->setBounds(-2, -7, 404, 344);
    B4->setColor(QColor(212, 208, 200));
    B4->setVisible(false);
    B5 = make<ui::PageControl>(B4, "B5");
    B5->setBounds(8, 12, 388, 258);
    B5->setFont(ui::Font{QStringLiteral("Verdana"), 13, false, false, Qt::black});
    auto tab = [this](const QString &name, const QString &text) {
        auto *t = make<ui::TabSheet>(B5, name);
        t->setCaption(text);
        t->setColor(QColor(212, 208, 200));
        t->setBounds(0, 24, B5->width(), B5->height() - 24);
        t->setVisible(false);
        return t;
    };
    auto *obecne = tab("B6", QStringLiteral("Obecné"));
    const char *warnings[3] = {
        "Tato nastavení ovlivňují chod programu. Neodborný zásah může program okamžitě ukončit "
        "nebo zablokovat počítač.",
        "Nastavení se neukládají; každé spuštění začíná s výchozím nastavením.",
        "Objeví-li se potíže, obraťte se před změnou nastavení na autora programu."};
    for (int k = 0; k < 3; ++k) {
        auto *l = make<ui::Label>(obecne, QStringLiteral("B7%1").arg(k));
        l->setCaption(QString::fromUtf8(warnings[k]));
        l->setWordWrap(true);
        l->setTransparent(true);
        l->setFont(ui::Font{QStringLiteral("Verdana"), 13, false, false, Qt::black});
        l->setBounds(8, 6 + 56 * k, 368, 54);
    }
    C0 = make<ui::Image>(obecne, "C0");
    C0->setBounds(80, 180, 227, 13);
    C0->setPicture(art(QStringLiteral("C0")));
    auto *zdroje = tab("C1", QStringLiteral("Zdroje"));
    C2 = make<ui::DriveBox>(zdroje, "C2");
    C2->setBounds(8, 8, 368, 22);
    C3 = make<ui::DirectoryList>(zdroje, "C3");
    C3->setBounds(8, 36, 368, 140);
    C3->setDirectory(platform::currentFolder());
    C4 = make<ui::Label>(zdroje, "C4");
    C4->setBounds(8, 184, 368, 17);
    C4->setTransparent(true);
    C4->setFont(ui::Font{QStringLiteral("Verdana"), 13, false, false, Qt::black});
    C4->setCaption(C3->directory());
    auto *moznosti = tab("D4", QStringLiteral("Možnosti"));
    D5 = make<ui::CheckListBox>(moznosti, "D5");
    D5->setBounds(8, 8, 368, 80);
    D5->setItems({QStringLiteral("Zobrazovat hlášení o tichých výjimkách"),
                  QStringLiteral("Tiché výjimky řešit automaticky"),
                  QStringLiteral("Povolit přístup do diagnostiky")});
    auto *ruzne = tab("D6", QStringLiteral("Různé"));
    ruzne->setTabVisible(false);
    B5->setActivePage(obecne);
    E4 = make<ui::Button>(B4, "E4");
    E4->setCaption(QStringLiteral("OK"));
    E4->setBounds(308, 274, 88, 28);
    auto *english = make<ui::Button>(B4, "E3");
    english->setCaption(QStringLiteral("English"));
    english->setBounds(8, 274, 88, 28);
    english->setVisible(false);

    /* Intro slides and loading screen. */
    ui::Image **slides[3] = {&E5, &E6, &E7};
    for (int k = 0; k < 3; ++k) {
        auto *s = make<ui::Image>(nullptr, QStringLiteral("E%1").arg(5 + k));
        s->setAutoSize(true);
        s->setPicture(art(QStringLiteral("E%1").arg(5 + k)));
        s->setVisible(false);
        *slides[k] = s;
    }
    E8 = make<ui::Image>(nullptr, "E8");
    E8->setVisible(false);
    E9 = make<ui::ProgressBar>(nullptr, "E9");
    E9->setRange(0, 100);
    E9->setVisible(false);
    X5 = make<ui::Timer>(nullptr, "X5");
    X5->setEnabledFlag(false);
    X5->setInterval(5000);
    X6 = make<ui::Timer>(nullptr, "X6");
    X6->setEnabledFlag(false);
    X6->setInterval(10);
    MenuReturn = make<ui::Timer>(nullptr, "MenuReturn");
    MenuReturn->setEnabledFlag(false);
    MenuReturn->setInterval(1);

    /* Files of the game page, never visible. */
    GVD1 = make<ui::FileList>(nullptr, "GVD1");
    GVD1->setVisible(false);
    GVD1->setMask(QStringLiteral("*.t6g"));
    GVD2 = make<ui::Memo>(nullptr, "GVD2");
    GVD2->setVisible(false);
    Vozidla = make<ui::Memo>(nullptr, "Vozidla");
    Vozidla->setVisible(false);

    /* The menu: left column. */
    F0 = make<ui::Panel>(nullptr, "F0");
    F0->setColor(Qt::black);
    F0->setBounds(0, 0, 1024, 768);
    F0->setVisible(false);
    ui::Image **column[3] = {&F1, &F2, &F3};
    for (int k = 0; k < 3; ++k) {
        auto *i = make<ui::Image>(F0, QStringLiteral("F%1").arg(k + 1));
        i->setStretch(true);
        i->setPicture(art(QStringLiteral("F%1").arg(k + 1)));
        *column[k] = i;
    }
    const ButtonRow items[5] = {{"F5", "F4", "Hra"},
                                {"F7", "F6", "Možnosti"},
                                {"F9", "F8", "Nastavení"},
                                {"G1", "G0", "O programu"},
                                {"G3", "G2", "Konec"}};
    for (const ButtonRow &item : items) {
        button(*this, F0, item.image, *Tl1);
        menuCaption(*this, F0, item.caption, QString::fromUtf8(item.text), ui::Align::Left);
    }
    get<ui::Label>("F7").setFontColor(frame::Grey);

    /* Game page G4 (its rows are the game set-up's). */
    auto *g4 = page(*this, F0, "G4");
    G5 = frameShape(*this, g4, "G5");
    G6 = menuCaption(*this, g4, "G6", QStringLiteral("- žádný grafikon -"), ui::Align::Left);
    G7 = frameShape(*this, g4, "G7");
    G8 = menuCaption(*this, g4, "G8", QStringLiteral("s nákladními vlaky"), ui::Align::Left);
    G9 = menuCaption(*this, g4, "G9", QStringLiteral("Počáteční čas"));
    H0 = frameShape(*this, g4, "H0");
    H1 = menuCaption(*this, g4, "H1", QStringLiteral("7"));
    H2 = menuCaption(*this, g4, "H2", QStringLiteral(":"), ui::Align::Center);
    H3 = menuCaption(*this, g4, "H3", QStringLiteral("15"), ui::Align::Left);
    buttonRows(*this, g4, {{"H4", "H5", "Ukončit hru"}, {"H6", "H7", "Načíst hru"}, {"H8", "H9", "Spustit hru"}});
    H4 = &get<ui::Label>("H4");
    H5 = &get<ui::Image>("H5");
    H8 = &get<ui::Label>("H8");
    H9 = &get<ui::Image>("H9");
    for (const char *hidden : {"H4", "H5", "H6", "H7"})
        find(hidden)->setVisible(false);

    /* Saved games I0, never shown. */
    auto *i0 = page(*this, F0, "I0");
    frameShape(*this, i0, "I1");
    auto *files = make<ui::FileList>(i0, "I2");
    files->setColor(Qt::black);
    files->setFont(ui::Font{QStringLiteral("Verdana"), 25, false, false, Navy});
    frameShape(*this, i0, "I3");
    auto *name = make<ui::Edit>(i0, "I4");
    name->setColor(Qt::black);
    name->setFont(ui::Font{QStringLiteral("Verdana"), 25, false, false, Navy});
    buttonRows(*this, i0, {{"I5", "I6", "Načíst"}, {"I7", "I8", "Zpět"}});

    /* In game I9. */
    auto *i9 = page(*this, F0, "I9");
    buttonRows(*this, i9,
               {{"J0", "J1", "Uvolnit náhr.západky"}, {"J2", "J3", "Sousední dopravny"}, {"J4", "J5", "..."},
                {"J6", "J7", "..."}, {"J8", "J9", "Diagnostika"}});
    for (const char *hidden : {"J4", "J5", "J6", "J7", "J8", "J9"})
        find(hidden)->setVisible(false);
    J1 = &get<ui::Image>("J1");
    J3 = &get<ui::Image>("J3");
    J8 = &get<ui::Label>("J8");
    J9 = &get<ui::Image>("J9");

    /* Settings K0 and game settings L1. */
    auto *k0 = page(*this, F0, "K0");
    buttonRows(*this, k0,
               {{"K1", "K2", "Nastavení hry ..."}, {"K3", "K4", "Editace jmen ..."},
                {"K5", "K6", "Autom.signalista 1"}, {"K7", "K8", "Autom.signalista 2"},
                {"K9", "L0", "Technické poruchy"}});
    L0 = &get<ui::Image>("L0");
    auto *l1 = page(*this, F0, "L1");
    buttonRows(*this, l1,
               {{"L2", "L3", "Zvuky zab.zařízení"}, {"L4", "L5", "Zpomalit při telef."},
                {"L6", "L7", "Nezávislost na NZ"}, {"L8", "L9", "Blokovat počítadla"}, {"M0", "M1", "OK"}});

    /* Names M2 and the two pages after it, which no action shows. */
    auto *m2 = page(*this, F0, "M2");
    editRows(*this, m2,
             {{"M3", "M4", "M5", "Vaše příjmení", "Modrý"},
              {"M6", "M7", "M8", "Výpravčí - Dubec/H.Lom", "Zelený"},
              {"M9", "N0", "N1", "Výpravčí - Struhy", "Červený"},
              {"N2", "N3", "N4", "Výpravčí - Vrbská", "Žlutý"}});
    buttonRows(*this, m2, {{"N5", "N6", "OK"}});
    M5 = &get<ui::Edit>("M5");
    M8 = &get<ui::Edit>("M8");
    N1 = &get<ui::Edit>("N1");
    N4 = &get<ui::Edit>("N4");
    auto *n7 = page(*this, F0, "N7");
    editRows(*this, n7,
             {{"N8", "N9", "O0", "Signalista 1", "Bílý"},
              {"O1", "O2", "O3", "Signalista 2", "Černý"},
              {"O4", "O5", "O6", "Závorář - Zálesí", "Hnědý"}});
    buttonRows(*this, n7, {{"O7", "O8", "Předchozí"}, {"O9", "P0", "Další"}});
    auto *p1 = page(*this, F0, "P1");
    editRows(*this, p1,
             {{"P2", "P3", "P4", "...", "..."}, {"P5", "P6", "P7", "...", "..."}, {"P8", "P9", "Q0", "...", "..."}});
    buttonRows(*this, p1, {{"Q1", "Q2", "Předchozí"}, {"Q3", "Q4", "OK"}});

    /* Sliders Q5, languages S0 and substitutes T1: laid out, never shown. */
    auto *q5 = page(*this, F0, "Q5");
    const char *sliders[4][4] = {{"Q6", "Q7", "Q8", "Zabezpečovací zařízení"},
                                 {"Q9", "R0", "R1", "Zvukové efekty"},
                                 {"R2", "R3", "R4", "..."},
                                 {"R5", "R6", "R7", "..."}};
    for (const auto &s : sliders) {
        menuCaption(*this, q5, s[0], QString::fromUtf8(s[3]));
        frameShape(*this, q5, s[1]);
        auto *knob = frameShape(*this, q5, s[2]);
        knob->setBrushClear(false);
        knob->setBrushColor(Qt::black);
    }
    buttonRows(*this, q5, {{"R8", "R9", "OK"}});
    auto *s0 = page(*this, F0, "S0");
    buttonRows(*this, s0,
               {{"S1", "S2", "Čeština"}, {"S3", "S4", "Slovenčina"}, {"S5", "S6", "English"},
                {"S7", "S8", "Deutsch"}, {"S9", "T0", "OK"}});
    auto *t1 = page(*this, F0, "T1");
    buttonRows(*this, t1,
               {{"T2", "T3", "Náhradní západky"}, {"T4", "T5", "Nefunkční počítadla"}, {"T6", "T7", "..."},
                {"T8", "T9", "..."}, {"U0", "U1", "OK"}});

    /* About U2 and quit V1. */
    auto *u2 = page(*this, F0, "U2");
    const char *about[6] = {"Kobrant",
                            "ŽST KAMENNÁ",
                            "Simulátor práce výpravčího",
                            "stanice se třemi tratěmi",
                            "Verze 1.0",
                            "Nastavení se neukládají."};
    for (int k = 0; k < 6; ++k) {
        auto *l = menuCaption(*this, u2, QStringLiteral("U%1").arg(3 + k), QString::fromUtf8(about[k]), ui::Align::Left);
        l->setFontColor(frame::Blue);
        if (k < 2) {
            ui::Font f = l->font();
            f.bold = f.italic = true;
            l->setFont(f);
        }
    }
    buttonRows(*this, u2, {{"U9", "V0", "Intro"}});
    auto *v1 = page(*this, F0, "V1");
    menuCaption(*this, v1, "V2", QStringLiteral("Opravdu ukončit ?"), ui::Align::Center)->setFontColor(frame::Blue);
    buttonRows(*this, v1, {{"V3", "V4", "Ano"}, {"V5", "V6", "Ne"}});
}
