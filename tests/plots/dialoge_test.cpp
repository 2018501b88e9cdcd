// The plot dialog (area from its boxes, compost, current flag, checked sizes, its mode read once), the
// group dialog's mode, and the notice of an old analysis. The area arithmetic is flaechendaten_test.cpp's.
#include "frame/mdizentral.h"
#include "plots/alteanalyse.h"
#include "plots/frmalteanalyse.h"
#include "plots/frmflaeche.h"
#include "plots/frmflaechegruppe.h"
#include "seitenfixture.h"

#include <QLabel>
#include <QLineEdit>

using namespace kav;

namespace {

class DialogTest : public test::SeitenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SeitenTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(seiteStarten([this] {
            gruppe("Fl1000", "Garten");
            flaeche("Fl1001", "Beet", 1000, true, 4, 0, 1, 3); // width 0
            flaeche("Fl1002", "Rasen", 0, true, 10, 6, 0, 4);
            analyse("An1000", "Fl1001", QDate(2024, 4, 18));
        }));
    }
    frmFlaeche* oeffnen(const QString& rechts, const char* punkt, int menue)
    {
        rechtsKlicken(rechts);
        menuePunktKlicken(menue, punkt);
        return fenster().fensterAls<frmFlaeche>("frmFlaeche");
    }
};

} // namespace

TEST_F(DialogTest, NeueFlaecheAusDemWurzelmenue)
{
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1000")); // a group first: its number must not stick
    menueSchliessen();
    frmFlaeche* d = oeffnen("Fl0", "mnuFlaecheE1", 1);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Kav - Neue Fläche");
    EXPECT_EQ(d->findChild<QLabel*>("lblMax")->text(), "[maximal 20 Zeichen]");
    EXPECT_EQ(app().rahmen.strAktivesFenster, "frmFlaeche");
    EXPECT_FALSE(app().rahmen.blnToolbarAktiv);
    EXPECT_EQ(QString("%1 %2 ").arg(d->comNutzung()->count()).arg(d->comNutzung()->currentIndex())
                  + d->imgKompost(0)->schluessel() + " " + d->imgAktuellerDatensatz()->schluessel(),
              "6 0 opb1 chb1");
    test::nichtsUeberdecktOderAbgeschnitten(d);

    // each of length and width fills the area; a width of 0 leaves it
    tippen(d->txtLaenge(), "4");
    tippen(d->txtBreite(), "2,5");
    EXPECT_EQ(d->txtFlaeche()->text(), "10");
    tippen(d->txtLaenge(), "3,6");
    EXPECT_EQ(d->txtFlaeche()->text(), "9");
    tippen(d->txtBreite(), "0");
    EXPECT_EQ(d->txtFlaeche()->text(), "9");

    // typing into the area empties length and width; backspace empties nothing
    tippen(d->txtBreite(), "2,5");
    d->txtFlaeche()->setFocus();
    d->txtFlaeche()->end(false);
    QTest::keyClick(d->txtFlaeche(), Qt::Key_Backspace);
    EXPECT_EQ(d->txtLaenge()->text(), "3,6");
    tippen(d->txtFlaeche(), "1");
    EXPECT_EQ(d->txtLaenge()->text() + "|" + d->txtBreite()->text() + "|" + d->txtFlaeche()->text(), "||1");

    tippen(d->txtBezeichnung(), "Ein sehr langer Name ist zu lang");
    EXPECT_EQ(d->txtBezeichnung()->text().size(), 20);
    d->txtBezeichnung()->clear();
    d->txtBezeichnung()->insert(QString("Beet") + QChar(0) + "Nord\t1"); // pasted: control characters left out
    EXPECT_EQ(d->txtBezeichnung()->text(), "BeetNord1");
    d->txtBezeichnung()->setText("Kübel");
    d->comNutzung()->setCurrentIndex(2); // "Ziergarten", id 3
    QTest::mouseClick(d->lblKompost(1), Qt::LeftButton);
    EXPECT_EQ(d->imgKompost(1)->schluessel(), "opb1");
    EXPECT_EQ(w().intFlaecheKompost, 0);
    QTest::mouseClick(d->imgAktuellerDatensatz(), Qt::LeftButton); // off: a new plot is current anyway
    QTest::mouseClick(d->cmbSpeichern(), Qt::LeftButton);

    ASSERT_FALSE(fenster().istGeladen("frmFlaeche"));
    EXPECT_TRUE(app().rahmen.blnToolbarAktiv);
    EXPECT_EQ(wert("SELECT Laenge || '|' || Breite || '|' || Flaeche || '|' || Bezeichnung || Kompost || Nutzung || "
                   "GruppierungNr FROM FlaechenID WHERE FlaechenNr = 'Fl1003'").toString(),
              "0.0|0.0|1.0|Kübel030");
    // the new plot at the top is selected and processed by the page
    EXPECT_EQ(trv->currentItem(), knoten("Fl1003"));
    EXPECT_EQ(w().intFlaecheNutzung, 3);
    EXPECT_EQ(seite->lblFlaeche()->text(), "Geben Sie rechts die Analysenwerte ein für: Kübel");
    EXPECT_TRUE(seite->txtWert(2)->isEnabled());
}

TEST_F(DialogTest, FlaecheAendernLiestDieZeileUndSchreibtSie)
{
    frmFlaeche* d = oeffnen("Fl1001", "mnuFlaAendern", 3);
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->neu());
    EXPECT_EQ(d->windowTitle(), "Änderungen an Beet vornehmen");
    EXPECT_EQ(d->txtBezeichnung()->selectedText(), "Beet"); // marked: typing replaces the name
    // width 0 shows an empty box; compost 1 is option 0
    EXPECT_EQ(QStringList({d->txtBezeichnung()->text(), d->txtLaenge()->text(), d->txtBreite()->text(),
                           d->txtFlaeche()->text(), d->comNutzung()->currentData().toString(),
                           d->imgKompost(0)->schluessel(), forms::Tag(d->imgKompost(0))}),
              QStringList({"Beet", "4,0", "", "", "3", "opb1", "1"})); // no area stored: an empty box
    EXPECT_EQ(w().intFlaecheKompost, 1);

    tippen(d->txtBreite(), "1,5");
    EXPECT_EQ(d->txtFlaeche()->text(), "6");
    tippen(d->txtBezeichnung(), "  Beet 2  ");
    EXPECT_EQ(d->eingabe().Bezeichnung.toStdString(), "Beet 2"); // the spaces around it are no part of the name
    QTest::mouseClick(d->imgKompost(1), Qt::LeftButton);
    QTest::mouseClick(d->lblAktuellerDatensatz(), Qt::LeftButton); // not current any more
    QTest::mouseClick(d->cmbSpeichern(), Qt::LeftButton);

    EXPECT_EQ(wert("SELECT Breite || '|' || Kompost || AktuellerDatensatz || '|' || Bezeichnung FROM FlaechenID "
                   "WHERE FlaechenNr = 'Fl1001'").toString(),
              "1.5|00|Beet 2");
    EXPECT_EQ(w().intFlaecheKompost, 0);
    // the tree shows current plots only: the plot is gone from it and nothing is selected
    EXPECT_EQ(knoten("Fl1001"), nullptr);
    EXPECT_EQ(trv->currentItem(), nullptr);
    EXPECT_FALSE(seite->txtWert(2)->isEnabled());
}

TEST_F(DialogTest, DerModusWirdNurBeimOeffnenGelesen)
{
    frmFlaeche* d = oeffnen("Fl1002", "mnuFlaAendern", 3);
    ASSERT_NE(d, nullptr);
    tippen(d->txtBezeichnung(), "Spielwiese");
    tippen(d->txtLaenge(), "8");
    // the user goes to the page and back: activations keep what was typed
    haupt->activateWindow();
    QEvent aktiv(QEvent::WindowActivate);
    QCoreApplication::sendEvent(d, &aktiv);
    d->activateWindow();
    QCoreApplication::processEvents();
    EXPECT_EQ(d->txtBezeichnung()->text(), "Spielwiese");
    EXPECT_EQ(d->txtFlaeche()->text(), "48");

    // shared numbers changed meanwhile (another right click): the dialog still changes its plot
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    app().rahmen.blnNeuerDatensatz = true;
    ASSERT_EQ(w().strAktFlaechenNr, "Fl1001");
    // the menu command while it is open brings the same dialog forward
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1001"));
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(3, "mnuFlaAendern"));
    EXPECT_EQ(fenster().fensterAls<frmFlaeche>("frmFlaeche"), d);
    EXPECT_EQ(d->txtBezeichnung()->text(), "Spielwiese");

    QTest::mouseClick(d->cmbSpeichern(), Qt::LeftButton);
    EXPECT_EQ(wert("SELECT group_concat(Bezeichnung || Flaeche) FROM FlaechenID").toString(),
              "Garten0.0,Beet0.0,Spielwiese48.0");
    EXPECT_EQ(trv->currentItem(), knoten("Fl1002"));
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1002");
}

TEST_F(DialogTest, GroessenWerdenBeimSpeichernGeprueft)
{
    frmFlaeche* d = oeffnen("Fl1000", "mnuNeueFlache", 2);
    ASSERT_NE(d, nullptr);
    d->txtBezeichnung()->setText("Eingefügt");
    // text that reached the box without the key filter
    d->txtLaenge()->setText("4 m");
    QTest::mouseClick(d->cmbSpeichern(), Qt::LeftButton);
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_TRUE(protokoll.meldungen[0].text.contains("Es wurde nichts gespeichert"));
    EXPECT_TRUE(fenster().istGeladen("frmFlaeche")); // nothing lost: the dialog stays open
    EXPECT_EQ(d->txtBezeichnung()->text(), "Eingefügt");
    EXPECT_EQ(anzahl("FlaechenID"), 3);

    // a side of 0 is refused where it is typed, with the range; the typing stays
    tippen(d->txtLaenge(), "4");
    tippen(d->txtBreite(), "0");
    protokoll.meldungen.clear();
    QTest::mouseClick(d->cmbSpeichern(), Qt::LeftButton);
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_TRUE(protokoll.meldungen[0].text.startsWith(
        "Die Breite 0 m liegt außerhalb des möglichen Bereichs von mehr als 0 bis 10000 m."));
    EXPECT_TRUE(fenster().istGeladen("frmFlaeche"));
    EXPECT_EQ(d->txtLaenge()->text() + "|" + d->txtBreite()->text(), "4|0");
    EXPECT_EQ(anzahl("FlaechenID"), 3);
    EXPECT_EQ(d->txtBreite()->toolTip(), "Möglich: mehr als 0 bis 10000 m");

    d->txtBreite()->clear(); // only the length: no area, stored as 0
    QTest::mouseClick(d->cmbSpeichern(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmFlaeche"));
    EXPECT_EQ(wert("SELECT GruppierungNr FROM FlaechenID WHERE FlaechenNr = 'Fl1003'").toLongLong(), 1000);
}

TEST_F(DialogTest, AbbrechenSchreibtNichtsUndWaehltDenKnotenWieder)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1002"));
    frmFlaeche* d = oeffnen("Fl1001", "mnuFlaAendern", 3);
    ASSERT_NE(d, nullptr);
    tippen(d->txtBezeichnung(), "Nichts");
    QTest::mouseClick(d->imgKompost(1), Qt::LeftButton);
    QTest::mouseClick(d->cmbAbbruch(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmFlaeche"));
    EXPECT_EQ(wert("SELECT Bezeichnung || Kompost FROM FlaechenID WHERE FlaechenNr = 'Fl1001'").toString(), "Beet1");
    EXPECT_EQ(trv->currentItem(), knoten("Fl1001"));
    EXPECT_TRUE(knoten("Fl1000")->isExpanded());
    EXPECT_EQ(w().intFlaecheKompost, 1); // the page read the plot again
    EXPECT_TRUE(app().rahmen.blnToolbarAktiv && app().rahmen.strAktivesFenster.isEmpty());
}

TEST_F(DialogTest, GruppendialogLiestSeinenModusNurBeimOeffnen)
{
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl0"));
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(1, "mnuGruEbene1"));
    auto* g = fenster().fensterAls<frmFlaecheGruppe>("frmFlaecheGruppe");
    ASSERT_NE(g, nullptr);
    EXPECT_TRUE(g->neu());
    EXPECT_EQ(g->windowTitle(), "Kav - Gruppe");
    EXPECT_EQ(g->findChild<QLabel*>("lblMax")->text(), "[maximal 20 Zeichen]"); // as in the plot dialog
    test::nichtsUeberdecktOderAbgeschnitten(g);
    tippen(g->txtBezeichnung(), "Vorgarten");
    app().rahmen.blnNeuerDatensatz = false; // changed behind the dialog's back
    w().strAktFlaechenNr = "Fl1000";
    QEvent aktiv(QEvent::WindowActivate);
    QCoreApplication::sendEvent(g, &aktiv);
    EXPECT_EQ(g->txtBezeichnung()->text(), "Vorgarten");
    QTest::mouseClick(g->cmbSpeichern(), Qt::LeftButton);
    EXPECT_EQ(wert("SELECT group_concat(FlaechenNr || Bezeichnung || GruppierungNr) FROM FlaechenID").toString(),
              "Fl1000Garten0,Fl1001Beet1000,Fl1002Rasen0,Fl1003Vorgarten0");
    EXPECT_EQ(trv->currentItem(), knoten("Fl1003"));
}

TEST_F(DialogTest, HinweisAufEineAlteAnalyse)
{
    // the program's clock stands in 2026
    EXPECT_FALSE(AlteAnalyseMelden(QDate(2021, 1, 1))); // the years that count: AlteAnalyse
    EXPECT_FALSE(fenster().istGeladen("frmAlteAnalyse"));
    EXPECT_TRUE(AlteAnalyseMelden(QDate(2020, 12, 31)));
    auto* f = fenster().fensterAls<frmAlteAnalyse>("frmAlteAnalyse");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle() + "|" + f->lblMeldung()->text(), kAlteAnalyseTitel + "|" + kAlteAnalyseText);
    EXPECT_TRUE(f->lblMeldung()->font().bold());
    EXPECT_EQ(f->parentWidget(), haupt.get());
    test::nichtsUeberdecktOderAbgeschnitten(f);
    // the caption whole in the title bar: wide enough for it, with a close button only
    EXPECT_GE(f->width(), forms::titelleistenBreite(kAlteAnalyseTitel));
    EXPECT_GT(forms::titelleistenBreite(kAlteAnalyseTitel), QFontMetrics(f->font()).horizontalAdvance(kAlteAnalyseTitel));
    EXPECT_TRUE(f->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(f->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(AlteAnalyseMelden(QDate(2033, 1, 1))); // the same window again
    EXPECT_EQ(fenster().fensterAls<frmAlteAnalyse>("frmAlteAnalyse"), f);
    EXPECT_EQ(fenster().namen().count("frmAlteAnalyse"), 1);
    QTest::mouseClick(f->cmdOK(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmAlteAnalyse"));
}

// The lexicon link of the plot dialog is a stop of the tab chain; Space and Enter on it do what its
// click does (the chapter for the lexicon), and Enter stores nothing.
TEST_F(DialogTest, LexikonLinkPerTab)
{
    frmFlaeche* d = oeffnen("Fl0", "mnuFlaecheE1", 1);
    ASSERT_TRUE(d && QTest::qWaitForWindowActive(d));
    for (int i = 0; i < 20 && QApplication::focusWidget() != d->lblBezeichnung(2); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), d->lblBezeichnung(2));
    for (const Qt::Key taste : {Qt::Key_Space, Qt::Key_Return}) {
        app().rahmen.strLexikonAnzeige.clear();
        QTest::keyClick(d->lblBezeichnung(2), taste);
        EXPECT_EQ(app().rahmen.strLexikonAnzeige, "WirtschaftsduengerAllgemein");
        EXPECT_TRUE(fenster().istGeladen("frmFlaeche"));
    }
}
