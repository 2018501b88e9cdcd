// The requirement wizard driven through its controls on a started program: from the navigation button
// and from the analysis page through plot, crop with start date and Nmin, green manure and compost to
// the fertiliser step, the roads back and out, the faults of the inputs and the layout of every page.
#include "frame/frmtoolbar.h"
#include "requirement/frmkompost.h"
#include "requirement/kompostrat.h"
#include "requirement/frmnpk.h"
#include "requirement/frmnpk1.h"
#include "requirement/frmnpk2.h"
#include "requirement/frmnpk2b.h"
#include "requirement/npkbaumansicht.h"
#include "seitenfixture.h"
#include "wizardfixture.h"

#include <QCalendarWidget>

using namespace kav;

namespace {

using test::WizardTest;

// A label's text as it reads: its non-breaking spaces as blanks.
QString lesbar(const QLabel* l) { return l->text().replace(QChar(0x00A0), QLatin1Char(' ')); }

TEST_F(WizardTest, VomNavigationsknopfBisZurDuengerauswahl)
{
    navigationsknopf2();
    frmNPK* p = npk();
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(p->cmbWeiter()->isEnabled());
    ASSERT_NO_FATAL_FAILURE(baumKlick(p->trvNPK(), "Fl1001"));
    EXPECT_EQ(p->txtNPK()->text(), "Gemüsebeet Süd\nAktuellste Analyse vom 10.04.2025");
    EXPECT_EQ(p->txtWert(0)->text() + p->txtWert(4)->text(), "mittel6");
    EXPECT_FALSE(fenster().istGeladen("frmAlteAnalyse"));
    QTest::mouseClick(p->cmbWeiter(), Qt::LeftButton);

    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), "30"));
    EXPECT_TRUE(npk1()->lblTitel()->text().startsWith("Gewählte Kultur: Blumenkohl, geben Sie noch den Kulturbeginn"));
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    ASSERT_NE(npk2(), nullptr);
    EXPECT_TRUE(fenster().istGeladen("frmTitel"));
    EXPECT_NEAR(w().sngNminVorrat, 3.0084, 1e-4);
    reste({6.0109f, 7.6686f, 5.1600f});
    EXPECT_EQ(wert("SELECT Nmin || '/' || Einheit || '/' || Datum FROM Nmin").toString(), "30.0/0/2027-04-19");

    QTest::mouseClick(npk2()->lblGruenduengung(2), Qt::LeftButton); // "5 bis 15 cm"
    EXPECT_EQ(npk2()->gewaehlt(), 2);
    QTest::mouseClick(npk2()->cmbNext(), Qt::LeftButton);
    ASSERT_NE(npk2b(), nullptr);
    reste({5.1823f, 7.2686f, 4.3886f});
    QTest::mouseClick(npk2b()->lblJaNein(1), Qt::LeftButton);
    EXPECT_TRUE(npk2b()->lblOS(6)->isVisible() && npk2b()->cmbNext()->isEnabled());
    QTest::mouseClick(npk2b()->imgOS(1), Qt::LeftButton);
    EXPECT_EQ(lesbar(npk2b()->lblMeldung()), "Sie können auf der Fläche einmal jährlich 6 l Kompost je m² ausbringen. "
                                             "Bitte halten Sie diese Aufwandmenge ein.");
    QTest::mouseClick(npk2b()->cmbNext(), Qt::LeftButton);

    // the hand-over to the fertiliser step, which asks for the selection method
    EXPECT_TRUE(fenster().istGeladen("frmNPK3") && fenster().istGeladen("frmTitel"));
    EXPECT_TRUE(fenster().istGeladen("frmVerfahren"));
    const WizardState& s = w();
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK3");
    EXPECT_EQ(s.strAktFlaechenNr + s.strAktAnalysenNr + s.strAktKulturNr + s.strAktOrgSubNr + s.strAktKalkNr,
              "Fl1001An1000Ku1026OS1001x");
    EXPECT_TRUE(s.intBodenart == 1 && s.sngMg == 6 && s.sngFlaecheGroesse == 12 && s.intFlaecheKompost == 1
                && s.intFlaecheNutzung == 2 && !s.blnDauerKultur && s.sngZuschlagGD == 2 && s.intOrgSubAntwort == 1);
    EXPECT_EQ(s.datKulturbeginn.date(), QDate(2027, 4, 19));
    EXPECT_TRUE(s.rsDuengerAuswahl && s.rsDuengerAuswahl->empty() && s.sngDuengerN == 0);
    EXPECT_NEAR(s.sngOrgSubMenge + s.sngNWD, 7.8, 1e-5);
    EXPECT_NEAR(s.sngNSaldo, 16.0647, 1e-4);
    EXPECT_TRUE(s.sngPSaldo == 0 && s.sngKSaldo == 8 && s.sngMgSaldo == -2.5f);

    // back to compost and on again with "immer optimal": no question
    ui().fenster.entladen("frmVerfahren");
    QTest::mouseClick(ui().fenster.fenster("frmNPK3")->widget()->findChild<QToolButton*>("cmbZurueck"), Qt::LeftButton);
    ASSERT_NE(npk2b(), nullptr);
    EXPECT_EQ(npk2b()->imgOS(1)->schluessel() + npk2b()->imgJaNein(1)->schluessel(), "opb1opb1");
    EXPECT_TRUE(lesbar(npk2b()->lblMeldung()).contains("6 l Kompost"));
    app().einstellungen.blnImmerOptimal = true;
    QTest::mouseClick(npk2b()->cmbNext(), Qt::LeftButton);
    EXPECT_TRUE(fenster().istGeladen("frmNPK3") && !fenster().istGeladen("frmVerfahren"));
}

TEST_F(WizardTest, VonDerAnalysenseiteUndZurueckJeStufe)
{
    // the analysis page's Next leads to the crop step with the analysis it stored
    ASSERT_NO_FATAL_FAILURE(klicken("An1000"));
    QTest::mouseClick(seite->cmbWeiter(), Qt::LeftButton);
    ASSERT_NE(npk1(), nullptr);
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), "30"));
    EXPECT_FALSE(fenster().istGeladen("frmTitel")); // the crop step has no title strip
    EXPECT_EQ(npk1()->cmbBack()->toolTip(), "Zurück zur Flächenauswahl");
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    QTest::mouseClick(npk2()->imbGruenduengung(5), Qt::LeftButton);
    QTest::mouseClick(npk2()->cmbNext(), Qt::LeftButton);
    QTest::mouseClick(npk2b()->lblJaNein(0), Qt::LeftButton);
    EXPECT_FALSE(npk2b()->cmbNext()->isEnabled()); // "Ja" waits for the material

    // Back by level: the organic matter goes, the green manure stays
    QTest::mouseClick(npk2b()->cmbBack(), Qt::LeftButton);
    ASSERT_NE(npk2(), nullptr);
    EXPECT_TRUE(npk2()->gewaehlt() == 5 && w().sngZuschlagGD == 1.5f && w().intOrgSubAntwort == 2);
    QTest::mouseClick(npk2()->cmbBack(), Qt::LeftButton);
    ASSERT_NE(npk1(), nullptr);
    EXPECT_FALSE(fenster().istGeladen("frmTitel"));
    EXPECT_TRUE(w().sngZuschlagGD == 0 && w().strAktKulturNr == "Ku1026");
    EXPECT_EQ(npk1()->txtNPK()->text() + npk1()->txtNmin()->text(), "Blumenkohl30");
    EXPECT_EQ(npk1()->calStart()->selectedDate(), QDate(2027, 4, 19));
    EXPECT_EQ(npk1()->lblCal()->text(), "April 2027");
    EXPECT_TRUE(npk1()->lblTitel()->text().startsWith("Gewählte Kultur: Blumenkohl, geben Sie noch den Kulturbeginn"));
    QTest::mouseClick(npk1()->cmbBack(), Qt::LeftButton);
    ASSERT_NE(npk(), nullptr);
    EXPECT_TRUE(w().strAktKulturNr.isEmpty() && w().sngNminWert == 30);
    EXPECT_EQ(npk()->txtNPK()->text(), "Gemüsebeet Süd\nAktuellste Analyse vom 10.04.2025"); // as after a click
    EXPECT_EQ(npk()->txtWert(0)->text(), "mittel");
    EXPECT_TRUE(npk()->cmbWeiter()->isEnabled() && w().intFlaecheKompost == 1);
}

TEST_F(WizardTest, AbbrechenGibtJedesMalEineFrischeFlaechenseite)
{
    const auto frisch = [&](const char* wo) {
        ASSERT_NE(npk(), nullptr) << wo;
        EXPECT_TRUE(npk()->txtNPK()->text().isEmpty() && !npk()->cmbWeiter()->isEnabled()) << wo;
        EXPECT_TRUE(w().strAktFlaechenNr.isEmpty() && w().strAktKulturNr.isEmpty()) << wo;
        EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK") << wo;
    };
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    QTest::mouseClick(npk1()->cmbAbbruch(), Qt::LeftButton);
    frisch("Kultur");
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), ""));
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    EXPECT_EQ(anzahl("Nmin"), 0); // an empty Nmin box writes nothing
    QTest::mouseClick(npk2()->cmbAbbruch(), Qt::LeftButton);
    frisch("Gründüngung");
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1009", {}, "")); // a permanent crop by its key
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    ASSERT_NE(npk2b(), nullptr);
    QTest::mouseClick(npk2b()->cmbNext(), Qt::LeftButton);
    // the plan page's Cancel
    FormulareEntladen();
    ui().fenster.zeigen("frmNPK4");
    QTest::mouseClick(ui().fenster.fenster("frmNPK4")->widget()->findChild<QToolButton*>("cmbAbbruch"), Qt::LeftButton);
    frisch("Empfehlung");
}

TEST_F(WizardTest, DauerkulturenUeberspringenDieGruenduengungInBeideRichtungen)
{
    for (const char* kultur : {"Ku1009", "Ku1061"}) {
        SCOPED_TRACE(kultur);
        ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
        ASSERT_NO_FATAL_FAILURE(kulturWaehlen(kultur, {}, ""));
        EXPECT_TRUE(npk1()->calStart()->isHidden() && npk1()->txtNmin()->isHidden() && npk1()->cmbSenden()->isHidden());
        EXPECT_TRUE(npk1()->lblTitel()->text().startsWith("Gewählte Kultur: ") && w().blnDauerKultur);
        QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
        ASSERT_NE(npk2b(), nullptr);
        EXPECT_NEAR(w().sngNminVorrat, 0, 1e-9);
        QTest::mouseClick(npk2b()->cmbBack(), Qt::LeftButton);
        ASSERT_NE(npk1(), nullptr);
        EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK1");
        EXPECT_EQ(npk1()->lblTitel()->text(), "Gewählte Kultur: " + npk1()->trvNPK()->itemVon(kultur)->text(0));
    }
}

TEST_F(WizardTest, MischkulturMitBeetUndNminZumPlaner)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(baumKlick(npk1()->trvNPK(), "Ku1090"));
    frmNPK1* p = npk1();
    EXPECT_EQ(p->txtNPK()->text(), "Neue Planung am 06.12.2026");
    EXPECT_TRUE(p->txtLaenge()->isVisible() && p->calStart()->isHidden() && p->txtFlaeche()->isHidden());
    EXPECT_EQ(p->txtLaenge()->text() + "|" + p->txtBreite()->text(), "10,0|1,2");
    tippen(p->txtBreite(), "0");
    QTest::mouseClick(p->cmbNext(), Qt::LeftButton);
    EXPECT_EQ(protokoll.meldungen.last().nr, 104);
    tippen(p->txtBreite(), "1,2");
    tippen(p->txtNmin(), "50");
    p->comNmin()->setCurrentIndex(2);
    QTest::mouseClick(p->cmbNext(), Qt::LeftButton);
    ASSERT_TRUE(fenster().istGeladen("frmMKEditor"));
    EXPECT_EQ(app().rahmen.strFensterZeigen, "MKEditor");
    EXPECT_TRUE(w().sngBeetLaenge == 10 && w().sngBeetBreite == 1.2f && w().sngNminWert == 50 && w().intNminEinheit == 2);
    EXPECT_EQ(anzahl("Nmin"), 0); // a plan has no day: the value is not kept
    QWidget* info = ui().fenster.fenster("frmDuengerInfo")->widget();
    EXPECT_EQ(info->windowTitle() + "|" + forms::Tag(info), "KAV - Mischkulturen|Mischkultur");
    EXPECT_EQ(info->findChild<QLabel*>("lbltitel")->text(), "Ein paar Worte zum Thema Mischkultur:");
    EXPECT_EQ(info->height(), info->heightForWidth(info->width())); // as high as its short text, no empty band

    // the planner's Back shows the bed again with its Nmin value
    QTest::mouseClick(ui().fenster.fenster("frmMKEditor")->widget()->findChild<QToolButton*>("cmdBack"), Qt::LeftButton);
    ASSERT_NE(npk1(), nullptr);
    EXPECT_TRUE(npk1()->txtBreite()->isVisible());
    EXPECT_EQ(npk1()->txtNmin()->text() + npk1()->comNmin()->currentText(), "50kg N/ha");
}

TEST_F(WizardTest, FalscheEingabenBleibenAufDerSeite)
{
    // plot step: an empty value or a soil group outside 0 to 2 shows an empty box, Next gives 103
    sql::exec(db(), "UPDATE AnalysenID SET P2O5 = NULL WHERE AnalysenNr = 'An1000'");
    sql::exec(db(), "UPDATE AnalysenID SET Bodenart = 5 WHERE AnalysenNr = 'An1001'");
    navigationsknopf2();
    for (const auto& [f, fehlt] : {std::pair{"Fl1001", "Phosphat-Gehalt"}, {"Fl1002", "Bodenart"}}) {
        ASSERT_NO_FATAL_FAILURE(baumKlick(npk()->trvNPK(), f));
        EXPECT_TRUE(npk()->txtWert(2)->text().isEmpty() || npk()->txtWert(0)->text().isEmpty()) << f;
        QTest::mouseClick(npk()->cmbWeiter(), Qt::LeftButton);
        EXPECT_EQ(protokoll.meldungen.last().nr, 103) << f;
        EXPECT_TRUE(protokoll.meldungen.last().text.endsWith(QString("\n\nEs fehlt: ") + fehlt + ".")) << f;
        EXPECT_NE(npk(), nullptr);
    }
    // an analysis gone since the tree was built: nothing chosen, the buttons off
    ASSERT_NO_FATAL_FAILURE(baumKlick(npk()->trvNPK(), "Fl1001"));
    sql::exec(db(), "DELETE FROM AnalysenID WHERE AnalysenNr = 'An1001'");
    ASSERT_NO_FATAL_FAILURE(baumKlick(npk()->trvNPK(), "Fl1002"));
    EXPECT_TRUE(w().strAktAnalysenNr.isEmpty() && !npk()->cmbWeiter()->isEnabled() && npk()->txtNPK()->text().isEmpty());
    ui().fenster.entladen("frmAlteAnalyse");
    sql::exec(db(), "UPDATE AnalysenID SET P2O5 = 8, Bodenart = 1");

    // crop step: area 0 gives 106, an Nmin text that is no number 105, a crop with an empty column names it
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), "30"));
    tippen(npk1()->txtFlaeche(), "0");
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    EXPECT_EQ(protokoll.meldungen.last().nr, 106);
    tippen(npk1()->txtFlaeche(), "");
    npk1()->txtNmin()->setFocus(); // an empty area box shows the area known before
    EXPECT_EQ(npk1()->txtFlaeche()->text(), "12");
    npk1()->txtNmin()->setText("3,0,");
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    EXPECT_EQ(protokoll.meldungen.last().text,
              "Fehler Nr. 105: Der eingegebene Nmin-Wert ist keine Zahl. Bitte korrigieren Sie Ihre Eingabe.");
    EXPECT_EQ(anzahl("Nmin"), 0);
    tippen(npk1()->txtNmin(), "30");
    sql::exec(app().db->cnKav(), "UPDATE KulturID SET Tage = NULL WHERE KulturNr = 'Ku1026'");
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    EXPECT_TRUE(protokoll.texte().last().startsWith("In den Kulturdaten von „Blumenkohl“ fehlen Werte (Tage)"));
    EXPECT_NE(npk1(), nullptr);

    // organic-matter step: a material without its row is not offered; a file that cannot be read
    // leaves page and state as they were
    sql::exec(app().db->cnKav(), "UPDATE KulturID SET Tage = 84 WHERE KulturNr = 'Ku1026'");
    sql::exec(app().db->cnKav(), "DELETE FROM OrgSubID WHERE OrgSubNr = 'OS1004'");
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    QTest::mouseClick(npk2()->cmbNext(), Qt::LeftButton);
    QTest::mouseClick(npk2b()->lblJaNein(1), Qt::LeftButton);
    EXPECT_TRUE(npk2b()->lblOS(4)->isHidden() && npk2b()->lblOS(5)->isVisible());
    QTest::mouseClick(npk2b()->lblOS(2), Qt::LeftButton);
    const float nwd = w().sngNWD;
    sql::exec(db(), "ALTER TABLE AnalysenID RENAME TO AnalysenAlt");
    QTest::mouseClick(npk2b()->cmbNext(), Qt::LeftButton);
    EXPECT_TRUE(protokoll.texte().last().startsWith("Der Nährstoffbedarf konnte nicht berechnet werden"));
    EXPECT_TRUE(npk2b() && !fenster().istGeladen("frmNPK3") && w().sngNWD == nwd && w().strAktOrgSubNr == "OS1002");
}

TEST_F(WizardTest, TastaturWieKlickUndAlterDerAnalyseNachKalenderjahren)
{
    // 01.01.2020 lies six calendar years before 2026, 31.12.2021 five
    sql::exec(db(), "UPDATE AnalysenID SET Datum = '2020-01-01' WHERE AnalysenNr = 'An1001'");
    sql::exec(db(), "UPDATE ZOFlaechenAnalysen SET Datum = '2020-01-01' WHERE AnalysenNr = 'An1001'");
    sql::exec(db(), "UPDATE AnalysenID SET Datum = '2021-12-31' WHERE AnalysenNr = 'An1000'");
    navigationsknopf2();
    ASSERT_NO_FATAL_FAILURE(perTaste(npk()->trvNPK(), "Fl1001"));
    EXPECT_TRUE(npk()->txtNPK()->text().startsWith("Gemüsebeet Süd") && !fenster().istGeladen("frmAlteAnalyse"));
    ASSERT_NO_FATAL_FAILURE(perTaste(npk()->trvNPK(), "Fl1002"));
    EXPECT_TRUE(npk()->txtNPK()->text().startsWith("Rasen vorn") && fenster().istGeladen("frmAlteAnalyse"));
    QTest::mouseClick(npk()->cmbWeiter(), Qt::LeftButton);
    ASSERT_NO_FATAL_FAILURE(perTaste(npk1()->trvNPK(), "Ku1072"));
    EXPECT_TRUE(w().strAktKulturNr == "Ku1072" && npk1()->cmbNext()->isEnabled());
}

TEST_F(WizardTest, GroesseUndLexikonBehaltenDatumNminUndFlaeche)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), "30"));
    npk1()->comNmin()->setCurrentIndex(1);
    tippen(npk1()->txtFlaeche(), "15");
    QTest::mouseClick(npk1()->cmbForward(), Qt::LeftButton); // 30 days on: another day, no value stored
    EXPECT_EQ(npk1()->calStart()->selectedDate(), QDate(2027, 5, 19));
    tippen(npk1()->txtNmin(), "2,5");
    groesse(800, 600);
    ArbeitsbereichAnordnen();
    QTest::mouseClick(npk1()->lblNmin(0), Qt::LeftButton);
    ASSERT_TRUE(fenster().istGeladen("frmLexikon"));
    EXPECT_EQ(app().rahmen.strLexikonAnzeige, "Nitratschnelltest");
    groesse(1920, 1080);
    ArbeitsbereichAnordnen();
    frmNPK1* p = npk1();
    EXPECT_EQ(p->calStart()->selectedDate(), QDate(2027, 5, 19));
    EXPECT_EQ(p->lblCal()->text() + "|" + p->txtNmin()->text() + "|" + p->txtFlaeche()->text(), "Mai 2027|2,5|15");
    QTest::mouseClick(p->cmbPrevious(), Qt::LeftButton); // back to the day with its stored value? none stored yet
    EXPECT_EQ(p->txtNmin()->text() + p->comNmin()->currentText(), "mg NO3/l");
}

TEST_F(WizardTest, KompostempfehlungNachDenWertenDerFlaeche)
{
    navigationsknopf2();
    ASSERT_NO_FATAL_FAILURE(baumKlick(npk()->trvNPK(), "Fl1001")); // OS 3, P2O5 8: everything, twice the amount
    QTest::mouseClick(npk()->cmbKompost(), Qt::LeftButton);
    auto* k = ui().fenster.fensterAls<frmKompost>("frmKompost");
    ASSERT_NE(k, nullptr);
    EXPECT_GE(k->width(), forms::titelleistenBreite(k->windowTitle())); // the whole caption in its title bar
    EXPECT_EQ(k->trvKompost()->topLevelItemCount(), 1);
    EXPECT_TRUE(k->lblMeldung()->text().isEmpty());
    ASSERT_NO_FATAL_FAILURE(baumKlick(k->trvKompost(), "OS1002"));
    EXPECT_EQ(lesbar(k->lblMeldung()), "Sie können auf der Fläche einmal jährlich 4 kg Rindermist je m² ausbringen.");
    ui().fenster.entladen("frmKompost");

    sql::exec(db(), "UPDATE AnalysenID SET P2O5 = 25 WHERE AnalysenNr = 'An1001'");
    ASSERT_NO_FATAL_FAILURE(baumKlick(npk()->trvNPK(), "Fl1002"));
    QTest::mouseClick(npk()->cmbKompost(), Qt::LeftButton);
    k = ui().fenster.fensterAls<frmKompost>("frmKompost");
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->trvKompost()->topLevelItemCount(), 2);
    EXPECT_EQ(k->lblMeldung()->text(), kKompostMistHinweis);
    ASSERT_NO_FATAL_FAILURE(baumKlick(k->trvKompost(), "OS1003"));
    EXPECT_TRUE(k->lblMeldung()->text().endsWith("Ausbringung von Pferdemist nicht zu empfehlen."));
    ASSERT_NO_FATAL_FAILURE(test::nichtsUeberdecktOderAbgeschnitten(k));
    QTest::mouseClick(k->cmdOK(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmKompost"));

    // without organic matter in the analysis: no tree, one sentence
    sql::exec(db(), "UPDATE AnalysenID SET GesamtN = NULL WHERE AnalysenNr = 'An1000'");
    ASSERT_NO_FATAL_FAILURE(baumKlick(npk()->trvNPK(), "Fl1001"));
    QTest::mouseClick(npk()->cmbKompost(), Qt::LeftButton);
    k = ui().fenster.fensterAls<frmKompost>("frmKompost");
    ASSERT_NE(k, nullptr);
    EXPECT_TRUE(k->trvKompost()->topLevelItemCount() == 0 && k->lblMeldung()->text() == kKompostOhneWerte);
}

// The chosen node stays chosen and in view at every size the window is brought to: the plot the plot
// step shows again, "Neue Mischkultur" in the crop tree.
TEST_F(WizardTest, GewaehlterKnotenBleibtGewaehltUndZuSehen)
{
    const std::pair<const char*, std::function<NPKBaumAnsicht*()>> faelle[] = {
        {"Fl1001", [&] {
             bisZumKulturschritt();
             QTest::mouseClick(npk1()->cmbBack(), Qt::LeftButton);
             return npk()->trvNPK();
         }},
        {"Ku1090", [&] {
             QTest::mouseClick(npk()->cmbWeiter(), Qt::LeftButton);
             npk1()->trvNPK()->expandAll(); // every crop shown: a tree longer than the page
             baumKlick(npk1()->trvNPK(), kNeueMischkultur);
             return npk1()->trvNPK();
         }},
    };
    for (const auto& [key, oeffnen] : faelle) {
        NPKBaumAnsicht* t = oeffnen();
        for (const QSize g : {QSize(1920, 1080), QSize(760, 570), QSize(1024, 768), QSize(800, 600)}) {
            groesse(g.width(), g.height());
            ArbeitsbereichAnordnen();
            QCoreApplication::processEvents();
            ASSERT_NE(t->currentItem(), nullptr);
            EXPECT_EQ(NPKBaumAnsicht::key(t->currentItem()), key) << g.width();
            const QRect zeile = t->visualItemRect(t->currentItem());
            EXPECT_TRUE(zeile.top() >= 0 && zeile.bottom() < t->viewport()->height()) << key << " " << g.width();
        }
    }
}

} // namespace
