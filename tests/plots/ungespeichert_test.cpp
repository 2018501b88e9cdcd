// What the gardener meets on the analysis page: values typed and not yet stored are asked about on
// every way out; deleted entries leave no values behind; the plot and group dialogs stay in front
// and a second request names the open one; keys; "nicht bestimmt"; sending without a server.
#include "frame/frmtoolbar.h"
#include "frame/hilfe.h"
#include "frame/mdizentral.h"
#include "plots/flaechentexte.h"
#include "plots/frmalteanalyse.h"
#include "plots/frmflaeche.h"
#include "seitenfixture.h"

#include <QClipboard>
#include <QWindow>

using namespace kav;

namespace {

class UngespeichertTest : public test::SeitenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SeitenTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(starten());
    }
    // Garten (group) > Beet (plot, analysis of 18.04.2024, Mg not determined) and Rasen (plot).
    void starten()
    {
        ASSERT_NO_FATAL_FAILURE(seiteStarten([this] {
            for (const char* t : {"FlaechenID", "AnalysenID", "ZOFlaechenAnalysen"}) // a start before left rows
                sql::exec(db(), QString("DELETE FROM ") + t);
            gruppe("Fl1000", "Garten");
            flaeche("Fl1001", "Beet", 1000);
            flaeche("Fl1002", "Rasen");
            analyse("An1000", "Fl1001", QDate(2024, 4, 18), 1, 4, 3, 12, 15, -1, 6.5);
        }));
    }
    QString gezeigt() const { return trv->key(trv->currentItem()); }
    // Analyses of Rasen stored in the file (read anew when the program has ended).
    long long analysenVonRasen() const
    {
        if (app().db && app().db->cnDaten().isOpen())
            return anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1002'");
        LocalDatabase datei("ungespeichert_lesen", {});
        datei.open(Programmordner{dir.path()}.datenDatei());
        return sql::scalar(datei.db(), "SELECT COUNT(*) FROM ZOFlaechenAnalysen WHERE FlaechenNr = 'Fl1002'").toLongLong();
    }
};

enum class Weg { Knoten, Datum, Seite, Ende };

} // namespace

// Each way out with each answer: Ja stores as "Speichern" does (incomplete values: message 103 and
// the page stays), Nein drops, Abbrechen stays and changes nothing. Asked only after typing.
TEST_F(UngespeichertTest, JederAusgangFragtMitJederAntwort)
{
    const struct { const char* antwort; QMessageBox::StandardButton knopf; bool vollstaendig, weiter, gespeichert; } antworten_[] = {
        {"Ja", QMessageBox::Yes, true, true, true},
        {"Ja, unvollständig", QMessageBox::Yes, false, false, false},
        {"Nein", QMessageBox::No, true, true, false},
        {"Abbrechen", QMessageBox::Cancel, true, false, false},
    };
    for (const Weg weg : {Weg::Knoten, Weg::Datum, Weg::Seite, Weg::Ende}) {
        for (const auto& a : antworten_) {
            SCOPED_TRACE(std::to_string(static_cast<int>(weg)) + " " + a.antwort);
            ASSERT_NO_FATAL_FAILURE(starten());
            ASSERT_NO_FATAL_FAILURE(klicken("Fl1002"));
            werteTippen({"3", "12", "15", "", a.vollstaendig ? "6,5" : ""});
            QTest::mouseClick(seite->lblBodenart(1), Qt::LeftButton);
            ASSERT_TRUE(seite->ungespeichert());
            protokoll.meldungen.clear();
            test::Frage f;
            antworten(a.knopf, &f);
            switch (weg) {
            case Weg::Knoten: ASSERT_NO_FATAL_FAILURE(klicken("Fl1001")); break;
            case Weg::Datum: seite->dtpProbenahme()->setDate(QDate(2024, 4, 18)); break;
            case Weg::Seite:
                QTest::mouseClick(fenster().fensterAls<frmToolbar>("frmToolbar")->cmbMenu(3), Qt::LeftButton);
                break;
            case Weg::Ende: haupt->close(); break;
            }
            EXPECT_TRUE(f.gesehen);
            EXPECT_EQ(f.text, kUngespeichertFrage);
            EXPECT_EQ(f.beschriftungen, QStringList({"Ja", "Nein", "Abbrechen"}));
            EXPECT_EQ(analysenVonRasen(), a.gespeichert ? 1 : 0);
            if (weg == Weg::Datum && a.gespeichert) { // under the date the values were typed for
                EXPECT_EQ(wert("SELECT Datum FROM ZOFlaechenAnalysen WHERE FlaechenNr = 'Fl1002'").toString(), "2026-12-06");
            }
            EXPECT_EQ(protokoll.meldungen.size(), a.vollstaendig ? 0 : 1); // 103
            bool weiter = false;
            switch (weg) {
            case Weg::Knoten: weiter = gezeigt() == "Fl1001"; break;
            case Weg::Datum: weiter = seite->dtpProbenahme()->date() == QDate(2024, 4, 18); break;
            case Weg::Seite: weiter = !fenster().istGeladen("frmAnalysenWerte"); break;
            case Weg::Ende: weiter = haupt->beendet(); break;
            }
            EXPECT_EQ(weiter, a.weiter);
            if (!a.weiter) { // the page as it was, the typing kept
                EXPECT_EQ(gezeigt(), "Fl1002");
                EXPECT_EQ(seite->dtpProbenahme()->date(), QDate(2026, 12, 6));
                EXPECT_EQ(seite->txtWert(3)->text(), "12");
                EXPECT_TRUE(seite->ungespeichert());
            }
        }
    }
    // nothing typed since the last load or store: no question
    ASSERT_NO_FATAL_FAILURE(starten());
    test::Frage f;
    ASSERT_NO_FATAL_FAILURE(klicken("An1000"));
    antworten(QMessageBox::Cancel, &f);
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1002"));
    werteTippen({"3", "12", "15", "", "6,5"});
    QTest::mouseClick(seite->lblBodenart(1), Qt::LeftButton);
    QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton);
    antworten(QMessageBox::Cancel, &f);
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(f.gesehen);
    EXPECT_EQ(gezeigt(), "Fl1001");
}

// After "Analyse löschen" or deleting the plot shown, the page shows what is stored.
TEST_F(UngespeichertTest, NachDemLoeschenNichtsVeraltetes)
{
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("An1000"));
    ASSERT_EQ(seite->txtWert(3)->text(), "12");
    antworten(QMessageBox::Yes);
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(7, "mnuAnalyseLoeschen"));
    EXPECT_EQ(seite->lblFlaeche()->text(), kUeberschriftEingabe + "Beet");
    EXPECT_EQ(gezeigt(), "Fl1001");
    EXPECT_EQ(w().strAktAnalysenNr, "x");
    for (int i = 2; i <= 6; ++i)
        EXPECT_TRUE(seite->txtWert(i)->text().isEmpty()) << i;

    tippen(seite->txtWert(6), "7"); // typed for the plot that goes
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1001"));
    antworten(QMessageBox::Yes);
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(3, "mnuFlaLoeschen"));
    EXPECT_EQ(anzahl("FlaechenID", "FlaechenNr = 'Fl1001'"), 0);
    EXPECT_FALSE(seite->lblFlaeche()->text().contains("Beet"));
    EXPECT_TRUE(seite->txtWert(6)->text().isEmpty());
    EXPECT_FALSE(seite->txtWert(6)->isEnabled());
    EXPECT_FALSE(seite->ungespeichert());
}

// The dialogs are windows owned by the main window (always in front of it); a second request while
// one is open says which one is open; the same request brings it forward without a word.
TEST_F(UngespeichertTest, DialogeGehoerenDemHauptfensterUndEinZweiterWunschWirdBeantwortet)
{
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1001"));
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(3, "mnuFlaAendern"));
    auto* d = fenster().fensterAls<frmFlaeche>("frmFlaeche");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isWindow() && d->parentWidget() == haupt.get() && (d->windowFlags() & Qt::Dialog));
    ASSERT_NE(d->windowHandle(), nullptr);
    EXPECT_EQ(d->windowHandle()->transientParent(), haupt->windowHandle());

    const struct { const char* knoten; int menue; const char* punkt; bool meldung; } wuensche[] = {
        {"Fl1001", 3, "mnuFlaAendern", false}, // the same: brought forward
        {"Fl1002", 3, "mnuFlaAendern", true},
        {"Fl1000", 2, "mnuGruEbene2", true},
    };
    for (const auto& wunsch : wuensche) {
        protokoll.meldungen.clear();
        ASSERT_NO_FATAL_FAILURE(rechtsKlicken(wunsch.knoten));
        ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(wunsch.menue, wunsch.punkt));
        EXPECT_EQ(protokoll.meldungen.size(), wunsch.meldung ? 1 : 0) << wunsch.knoten;
        if (wunsch.meldung) {
            EXPECT_TRUE(protokoll.meldungen.value(0).text.startsWith("Das Fenster „Änderungen an Beet vornehmen“ ist noch geöffnet."));
        }
        EXPECT_EQ(fenster().fensterAls<frmFlaeche>("frmFlaeche"), d);
        EXPECT_EQ(d->flaechenNr(), "Fl1001");
        EXPECT_FALSE(fenster().istGeladen("frmFlaecheGruppe"));
    }
    // Escape cancels; Enter stores, an empty name is refused and the dialog stays
    QTest::keyClick(d->txtBezeichnung(), Qt::Key_Escape);
    EXPECT_FALSE(fenster().istGeladen("frmFlaeche"));
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1001"));
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(3, "mnuFlaAendern"));
    d = fenster().fensterAls<frmFlaeche>("frmFlaeche");
    protokoll.meldungen.clear();
    tippen(d->txtBezeichnung(), "");
    QTest::keyClick(d->txtBezeichnung(), Qt::Key_Return);
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_EQ(protokoll.meldungen[0].text, "Bitte geben Sie einen Namen ein. Es wurde nichts gespeichert.");
    ASSERT_TRUE(fenster().istGeladen("frmFlaeche"));
    tippen(d->txtBezeichnung(), "Hochbeet");
    QTest::keyClick(d->txtBezeichnung(), Qt::Key_Enter);
    EXPECT_FALSE(fenster().istGeladen("frmFlaeche"));
    EXPECT_EQ(wert("SELECT Bezeichnung FROM FlaechenID WHERE FlaechenNr = 'Fl1001'").toString(), "Hochbeet");

    // the notice of an old analysis belongs to the main window as well
    ASSERT_TRUE(AlteAnalyseMelden(QDate(2015, 1, 1)));
    QWidget* hinweis = fenster().fenster("frmAlteAnalyse")->widget();
    EXPECT_TRUE(hinweis->isWindow() && hinweis->parentWidget() == haupt.get());
}

// The menu key and Shift+F10 open the pop-up of the current node; Escape closes the help window.
TEST_F(UngespeichertTest, TastenFuerMenueUndHilfe)
{
    const struct { const char* knoten; Qt::Key taste; Qt::KeyboardModifiers mod; int menue; } faelle[] = {
        {"Fl1001", Qt::Key_Menu, Qt::NoModifier, 3},
        {"Fl0", Qt::Key_F10, Qt::ShiftModifier, 1},
        {"Fl1000", Qt::Key_Menu, Qt::NoModifier, 2},
    };
    for (const auto& f : faelle) {
        ASSERT_NO_FATAL_FAILURE(perTasteZu(f.knoten));
        QTest::keyClick(trv, f.taste, f.mod);
        EXPECT_TRUE(menueOffen(f.menue)) << f.knoten;
        EXPECT_EQ(w().strAktFlaechenNr, f.knoten);
        menueSchliessen();
    }
    HilfeAufrufen("frmAnalysenWerte");
    ASSERT_NE(hilfeFenster(), nullptr);
    QTest::keyClick(hilfeFenster(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(hilfeFenster(), nullptr);
}

// "nicht bestimmt" shows whole in the Mg box at every size, nothing cut or covered; a digit typed
// replaces it; "1.5" pasted reads "1,5".
TEST_F(UngespeichertTest, NichtBestimmtGanzEineZifferErsetztEsEinfuegenMitPunkt)
{
    ASSERT_NO_FATAL_FAILURE(klicken("An1000"));
    QLineEdit* mg = seite->txtWert(5);
    ASSERT_EQ(mg->text(), kMgNichtBestimmtText);
    for (const bool senden : {false, true}) {
        app().einstellungen.strDatenAufServer = senden ? "Wahr" : "Falsch";
        for (const QSize g : test::pruefgroessen()) {
            groesse(g.width(), g.height());
            ArbeitsbereichAnordnen();
            EXPECT_GE(mg->width(), mg->fontMetrics().horizontalAdvance(kMgNichtBestimmtText) + 8) << g.width();
        }
        test::nichtsUeberdecktOderAbgeschnitten(seite);
    }
    mg->setFocus();
    mg->setCursorPosition(4);
    QTest::keyClick(mg, '7');
    EXPECT_EQ(mg->text(), "7");
    EXPECT_TRUE(seite->ungespeichert());
    // a typo outside the range: not rated, not stored, the typing stays
    tippen(seite->txtWert(6), "64");
    QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton);
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_TRUE(protokoll.meldungen[0].text.startsWith("Der pH-Wert 64 liegt außerhalb des möglichen Bereichs von 0 bis 14."));
    EXPECT_EQ(seite->lblEinstufung(4)->text(), "Dieser Wert liegt außerhalb des möglichen Bereichs von 0 bis 14.");
    EXPECT_EQ(seite->txtWert(6)->text() + seite->txtWert(5)->text(), "647");
    EXPECT_DOUBLE_EQ(wert("SELECT pH FROM AnalysenID WHERE AnalysenNr = 'An1000'").toDouble(), 6.5);
    QApplication::clipboard()->setText("1.5");
    seite->txtWert(6)->selectAll();
    seite->txtWert(6)->paste();
    EXPECT_EQ(seite->txtWert(6)->text(), "1,5");
}

// Sending without a server set up says so; clicks made while sending waits are dropped.
TEST_F(UngespeichertTest, SendenOhneServerUndKeinZweiterKlick)
{
    ASSERT_NO_FATAL_FAILURE(klicken("An1000"));
    QToolButton* senden = seite->cmbSenden();
    const QPoint mitte = senden->rect().center();
    for (const QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(senden, new QMouseEvent(t, mitte, senden->mapToGlobal(mitte), Qt::LeftButton,
                                                            t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                            Qt::NoModifier));
    senden->click();
    QCoreApplication::processEvents();
    ASSERT_EQ(protokoll.meldungen.size(), 1); // one send only
    EXPECT_TRUE(protokoll.meldungen[0].text.contains("kein Server eingerichtet"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(senden->isEnabled());
}
