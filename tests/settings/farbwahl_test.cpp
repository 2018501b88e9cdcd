// The colour chooser and the about window driven through their controls.
#include "einstellungsfixture.h"
#include "frame/hilfe.h"
#include "frame/mdizentral.h"
#include "platform/settingsstore.h"

using namespace kav;
using test::EinstellungsTest;

namespace {

const QColor kGrau(188, 188, 188);

QColor benutzer() { return benutzerFarbe(app().einstellungen); }

} // namespace

TEST_F(EinstellungsTest, PaletteUndVorschauInJedemFenster)
{
    frmFarbWahl* w = farbWahl();
    ASSERT_NE(w, nullptr);
    frmEinstellungen* f = fenster().fensterAls<frmEinstellungen>("frmEinstellungen");
    const int palette[21][3] = {{50, 150, 70},   {49, 162, 83},   {78, 177, 63},   {166, 230, 82},  {126, 182, 26},
                                {165, 182, 246}, {214, 214, 255}, {234, 131, 55},  {235, 197, 41},  {245, 227, 5},
                                {252, 249, 131}, {247, 235, 168}, {254, 253, 197}, {255, 255, 220}, {128, 128, 128},
                                {122, 122, 122}, {144, 144, 144}, {166, 166, 166}, {188, 188, 188}, {233, 233, 233},
                                {255, 255, 255}};
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(forms::BackColor(w->lblFarbe(i)), QColor(palette[i][0], palette[i][1], palette[i][2])) << i;
    EXPECT_EQ(forms::BackColor(w->lblFarbeAktuell()), kGrau);

    klick(f->txtStrip2()); // a cleared interval shows 14 after the next colour click
    f->txtIntervall()->clear();
    w->move(0, 0);
    klick(w->lblFarbe(7));
    const QColor orange(234, 131, 55), hell(255, 163, 87);
    EXPECT_TRUE(benutzer() == orange && forms::BackColor(w->lblFarbeAktuell()) == orange);
    for (const QWidget* x : {haupt->arbeitsbereich(), static_cast<QWidget*>(seite), static_cast<QWidget*>(f),
                             f->pcbStrip1(), static_cast<QWidget*>(w)})
        EXPECT_TRUE(verlaufAb(x, orange)) << x->objectName().toStdString();
    EXPECT_TRUE(forms::BackColor(fenster().fensterAls<frmToolbar>("frmToolbar")->cmbMenu(1)) == orange
                && forms::BackColor(seite->cmbWeiter()) == orange);
    EXPECT_TRUE(w->Shape1BorderColor() == hell && forms::BackColor(w->cmbOK()) == hell);
    EXPECT_TRUE(mittig(w, f)); // back over the settings window
    EXPECT_TRUE(f->seite() == 1 && f->txtIntervall()->text() == "14");

    klick(w->lblFarbe(20)); // white: the hover colour is the user colour
    maus(f->cmbHintergrund());
    EXPECT_EQ(forms::BackColor(f->cmbHintergrund()), QColor(255, 255, 255));
}

TEST_F(EinstellungsTest, NurSpeichernBehaeltDieFarbe)
{
    // how the chooser is closed after clicks on 3, 9 and 16, and the colour afterwards
    const struct { int wie; QColor danach; } faelle[] = { // 0 Abbruch, 1 the close box, 2 Speichern
        {0, kGrau}, {1, kGrau}, {2, QColor(144, 144, 144)}, {0, QColor(144, 144, 144)}};
    for (const auto& f : faelle) {
        frmFarbWahl* w = farbWahl();
        for (int i : {3, 9, 16})
            klick(w->lblFarbe(i));
        f.wie == 0 ? w->cmbAbbruch()->click() : f.wie == 2 ? w->cmbOK()->click() : (void)w->close();
        EXPECT_FALSE(fenster().istGeladen("frmFarbWahl"));
        EXPECT_TRUE(benutzer() == f.danach && verlaufAb(seite, f.danach)
                    && verlaufAb(fenster().fenster("frmEinstellungen")->widget(), f.danach)) << f.wie;
    }
    klick(farbWahl()->lblFarbe(7)); // the program ends while a colour is only tried out
    haupt->MDIForm_Unload();
    EXPECT_EQ(SettingsStore(ini()).RegistryLesen(schluessel::einstellungen, "Rot", ""), "144");
}

TEST_F(EinstellungsTest, OhneEinstellungsfensterBleibtDieFarbwahlNutzbar)
{
    frmFarbWahl* w = farbWahl();
    fenster().fenster("frmEinstellungen")->widget()->close();
    klick(w->lblFarbe(0));
    EXPECT_EQ(benutzer(), QColor(50, 150, 70));
    EXPECT_TRUE(mittig(w, haupt.get()));
    w->cmbAbbruch()->click();
    EXPECT_EQ(benutzer(), kGrau);
}

TEST_F(EinstellungsTest, UeberKav)
{
    frmUeberKav* u = menue<frmUeberKav>(6, "frmUeberKav");
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(QStringList({u->windowTitle(), u->lblVersion()->text(), app().rahmen.strAktivesFenster}),
              QStringList({"Über Humavera...", "Version 1.0.0", "frmUeberKav"}));
    u->cmbEmail()->click();
    klick(u->lblInternet());
    EXPECT_EQ(geoeffnet, QList<QUrl>({QUrl("mailto:info@humavera.example?Subject= Kav - Humavera"),
                                      QUrl("http://www.humavera.example")}));
    EXPECT_TRUE(protokoll.meldungen.isEmpty());
    // no mail program, no browser: the user is told either way, the mail with the address
    setLinkOeffner([](const QUrl&) { return false; });
    u->cmbEmail()->click();
    klick(u->lblInternet());
    EXPECT_EQ(protokoll.texte(), QStringList({"Das E-Mail-Programm konnte nicht gestartet werden. Sie erreichen uns unter "
                                              "der Adresse info@humavera.example.",
                                              "Der Browser konnte nicht gestartet werden."}));
    EXPECT_TRUE(protokoll.meldungen[0].titel == protokoll.meldungen[1].titel
                && protokoll.meldungen[0].symbol == protokoll.meldungen[1].symbol);
    QTest::keyClick(u, Qt::Key_F2);
    EXPECT_EQ(hilfeFenster(), nullptr);
    QTest::keyClick(u, Qt::Key_F1);
    EXPECT_EQ(hilfeFenster()->thema(), "UeberKav.htm");

    // hover: one button to the other lights both, the free area puts both back
    maus(u->cmbEmail());
    maus(u->cmbOK());
    EXPECT_TRUE(forms::BackColor(u->cmbEmail()) == QColor(220, 220, 220) && forms::BackColor(u->cmbOK()) == QColor(220, 220, 220));
    maus(u, QPoint(2, 2));
    EXPECT_EQ(forms::BackColor(u->cmbEmail()), kGrau);

    u->cmbOK()->click();
    EXPECT_TRUE(app().rahmen.strAktivesFenster.isEmpty());
    app().einstellungen.intRot = 50; // as after a colour change
    u = menue<frmUeberKav>(6, "frmUeberKav");
    EXPECT_EQ(forms::BackColor(u->cmbOK()), QColor(50, 188, 188));
    EXPECT_TRUE(u->rect().contains(u->childrenRect()));
}
