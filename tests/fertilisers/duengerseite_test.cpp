// The fertiliser step driven through its controls: the way in with the method question, picks by
// mouse and keys, the pop-up menus, the editors, the notice window and the ways out.
#include "duengerseite.h"
#include "fertilisers/duengerdienste.h"
#include "fertilisers/duengerinfo.h"
#include "fertilisers/duengerwahl.h"
#include "fertilisers/frmduengereingabe.h"
#include "fertilisers/frmduengerinfo.h"
#include "fertilisers/frmkalkeingabe.h"
#include "fertilisers/frmverfahren.h"
#include "frame/frmtoolbar.h"
#include "plan/frmnpk4.h"

#include <QPushButton>
#include <QStyleHints>
#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <QTableWidget>

using namespace kav;

namespace {

using Seite = test::DuengerSeiteTest;

TEST_F(Seite, WegHineinMitVerfahrensfrage)
{
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK3");
    EXPECT_TRUE(fenster().istGeladen("frmTitel"));
    ASSERT_TRUE(w().rsDuengerAuswahl && w().rsDuengerAuswahl->empty());
    auto* v = dialog<frmVerfahren>("frmVerfahren");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->focusWidget(), v->cmdImmerOptimal());
    EXPECT_EQ(v->cmdEinmalOptimal()->text() + "|" + v->cmdIgnorant()->text(),
              "Diesmal Optimierung bzgl. Pflanzenbedarf|Diesmal Optimierung bzgl. Düngeranzahl");
    EXPECT_TRUE(v->lblMeldung(1)->text().contains("Deckung des Stickstoff-, Phosphat- und Kalibedarfs i.d.R."));
    test::anordnungJetztPruefen(v, "Verfahren");
    EXPECT_EQ(knoten(1, "Gelb"), nullptr);
    QTest::mouseClick(v->cmdIgnorant(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmVerfahren"));
    EXPECT_FALSE(w().blnOptimal);
    EXPECT_NE(knoten(1, "Gelb"), nullptr);
    ASSERT_NE(knoten(1, "Gruen"), nullptr);
    EXPECT_EQ(knoten(1, "Gruen")->text(0), "Empfehlenswerte Dünger (Vorrätige & Beispiele)");

    // a method dialog closed after the step is gone rebuilds nothing
    fenster().zeigen("frmVerfahren");
    QTest::mouseClick(npk3->cmbAbbruch(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmNPK3"));
    EXPECT_FALSE(fenster().istGeladen("frmVerfahren"));
    fenster().zeigen("frmVerfahren");
    QTest::mouseClick(dialog<frmVerfahren>("frmVerfahren")->cmdEinmalOptimal(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmNPK3"));
}

TEST_F(Seite, WahlPerMausUndTasten)
{
    app().einstellungen.blnImmerOptimal = true;
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    EXPECT_FALSE(fenster().istGeladen("frmVerfahren"));
    doppelklick("Du1010"); // the click picks, the release of the double click does not
    EXPECT_EQ(gewaehlt(), 1);
    EXPECT_EQ(npk3->txtMenge()->text(), "22");
    EXPECT_EQ(npk3->lblMenge()->text(), "Es werden 220\u00A0g Dünger für 10\u00A0m² benötigt.");

    Duengerbaum* t = npk3->trvDuenger(1);
    t->setFocus();
    t->setCurrentItem(knoten(1, "Gruen"));
    QTest::keyClick(t, Qt::Key_Down);
    EXPECT_EQ(gewaehlt(), 1); // moving is no pick
    t->setCurrentItem(knoten(1, "Du1014"));
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_EQ(gewaehlt(), 2);
    EXPECT_EQ(npk3->txtMenge()->text(), "16");
    t->setCurrentItem(knoten(1, "Du1001"));
    QTest::keyClick(t, Qt::Key_Space);
    EXPECT_EQ(gewaehlt(), 3);
    EXPECT_EQ(npk3->txtMenge()->text(), "71");
    QTest::mouseClick(npk3->cmbReset(), Qt::LeftButton);

    QTest::keyClicks(npk3->txtMenge(), "99");
    EXPECT_EQ(npk3->txtMenge()->text(), "16");

    QTest::mouseClick(npk3->cmbReset(), Qt::LeftButton);
    EXPECT_EQ(gewaehlt(), 1);
    EXPECT_EQ(npk3->txtMenge()->text(), "22");
}

// A right click names the menu's node; it is no choice, and Next does not add it.
TEST_F(Seite, RechtsklickUndMenues)
{
    app().einstellungen.blnImmerOptimal = true;
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    klick("Du1010", Qt::RightButton);
    ASSERT_TRUE(menueOffen(5));
    EXPECT_FALSE(haupt->menuePunkt("mnuDuengerInfo")->isVisible());
    menueSchliessen();
    QTest::mouseClick(npk3->cmbWeiter(), Qt::LeftButton); // disabled: nothing chosen
    EXPECT_EQ(gewaehlt(), 0);
    EXPECT_TRUE(w().rsDuengerAuswahl->empty());
    EXPECT_TRUE(w().strAktDuengerNr.isEmpty());

    // an own NPK stays visible under "Rot" once chosen: it cannot be deleted while chosen
    auto d = DuengerDienste::oeffnen(app());
    const QString eigener = d->katalog().duengerNeu({"Mein NPK", 12, 12, 17, 2, false});
    npk3->DuengerBaumFuellen();
    klick(eigener);
    EXPECT_EQ(gewaehlt(), 1);
    klick(eigener, Qt::RightButton);
    EXPECT_TRUE(haupt->menuePunkt("mnuDuengerInfo")->isVisible());
    menuePunktKlicken(5, "mnuDuengerLoeschen");
    EXPECT_TRUE(protokoll.texte().last().contains("„Mein NPK“"));
    EXPECT_TRUE(d->katalog().duenger(eigener));

    klick(eigener, Qt::RightButton);
    menuePunktKlicken(5, "mnuDuengerInfo");
    auto* info = dialog<frmDuengerInfo>("frmDuengerInfo");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->windowTitle(), "Ungeeigneter Dünger");
    EXPECT_EQ(info->lbltitel()->text(), "Mein NPK (12-12-17)");
    EXPECT_EQ(info->Tag(), "AuswahlDuenger");
    test::anordnungJetztPruefen(info, "Hinweis");

    QTest::mouseClick(npk3->cmbReset(), Qt::LeftButton);
    klick(eigener, Qt::RightButton);
    menuePunktKlicken(5, "mnuDuengerLoeschen");
    EXPECT_FALSE(d->katalog().duenger(eigener));
    EXPECT_EQ(knoten(1, eigener), nullptr);
}

// Neither a right click on a lime nor one on a fertiliser is a choice: a rebuild enters no lime,
// Reset and Next add no fertiliser.
TEST_F(Seite, RechtsklickIstKeineWahl)
{
    w().sngNBedarfGD = w().sngPBedarf = w().sngKBedarf = 0;
    RestbedarfBerechnen(w());
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    ASSERT_EQ(npk3->katalogstand(), Katalogstand::Kalk);
    klick("Ka1002", Qt::RightButton);
    ASSERT_TRUE(menueOffen(6));
    menueSchliessen();
    EXPECT_EQ(npk3->menueKalkNr(), "Ka1002");
    npk3->DuengerBaumFuellen();
    EXPECT_EQ(npk3->katalogstand(), Katalogstand::Kalk);
    EXPECT_EQ(w().strAktKalkNr, "x");
    EXPECT_EQ(gewaehlt(), 0);

    zustand();
    app().einstellungen.blnImmerOptimal = true;
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    klick("Du1010");
    klick("Du1014", Qt::RightButton);
    menueSchliessen();
    QTest::mouseClick(npk3->cmbReset(), Qt::LeftButton);
    EXPECT_EQ(gewaehlt(), 0);
    EXPECT_TRUE(w().rsDuengerAuswahl->empty());
}

// The editors take what they save into the calculation only where the step asks for it: a new
// fertiliser while the classes are shown (Mein PK: 50 g/m², 500 g), a new lime while the limes are;
// a fertiliser already in the catalogue is named and not saved again.
TEST_F(Seite, EditorenNehmenNurImPassendenZustand)
{
    app().einstellungen.blnImmerOptimal = true;
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    KalkEingabeOeffnen({}); // a lime while the classes are shown: saved, not chosen
    auto* kalk = dialog<frmKalkEingabe>("frmKalkEingabe");
    ASSERT_NE(kalk, nullptr);
    test::anordnungJetztPruefen(kalk, "Kalkeditor");
    tippen(kalk->txtName(), "Mein Kalk");
    tippen(kalk->txtCaCO3(), "80");
    QTest::mouseClick(kalk->cmdOK(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmKalkEingabe"));
    EXPECT_EQ(w().strAktKalkNr, "x");
    EXPECT_EQ(npk3->katalogstand(), Katalogstand::Klassen);

    doppelklick("Grau");
    auto* ed = dialog<frmDuengerEingabe>("frmDuengerEingabe");
    ASSERT_NE(ed, nullptr);
    test::anordnungJetztPruefen(ed, "Düngereditor");
    for (QWidget* stelle : std::initializer_list<QWidget*>{ed->imgNorg(), ed->lblNorg()}) { // box and caption
        stelle->setFocus(Qt::TabFocusReason);
        test::fokusrahmenLaesstTexteFrei(ed, stelle->objectName().toStdString());
    }
    tippen(ed->txtName(), "Superphosphat");
    tippen(ed->txtP(), "18");
    QTest::mouseClick(ed->cmdOK(), Qt::LeftButton);
    EXPECT_TRUE(protokoll.texte().last().contains("bereits im Katalog: Superphosphat (0+18+0+0)"));
    EXPECT_TRUE(fenster().istGeladen("frmDuengerEingabe"));
    tippen(ed->txtName(), "Mein PK");
    tippen(ed->txtP(), "8");
    tippen(ed->txtK(), "16");
    QTest::mouseClick(ed->cmdOK(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmDuengerEingabe"));
    ASSERT_EQ(gewaehlt(), 1);
    EXPECT_EQ(npk3->trvDuenger(2)->erster()->text(0), "Mein PK (0+8+16+0)");
    EXPECT_EQ(npk3->txtMenge()->text(), "50");
    EXPECT_EQ(npk3->lblMenge()->text(), "Es werden 500\u00A0g Dünger für 10\u00A0m² benötigt.");

    // covered up to the limes: a new fertiliser is saved, not chosen
    klick("Du1001");
    ASSERT_EQ(npk3->katalogstand(), Katalogstand::Kalk);
    DuengerEingabeOeffnen({});
    ed = dialog<frmDuengerEingabe>("frmDuengerEingabe");
    tippen(ed->txtName(), "Mein N");
    tippen(ed->txtN(), "20");
    QTest::mouseClick(ed->cmdOK(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmDuengerEingabe"));
    EXPECT_EQ(gewaehlt(), 2);
    EXPECT_EQ(npk3->katalogstand(), Katalogstand::Kalk);
    EXPECT_TRUE(DuengerDienste::oeffnen(app())->katalog().duengerGleich({"Mein N", 20, 0, 0, 0, false}));
}

// The whole road through the windows: Next builds the plan from the hand-over, the plan page's Back
// brings the step again with the lime entered anew and Next enabled. Box and sentence show one dose
// of the lime, as it is picked, as the page loads with it, and back from the plan.
TEST_F(Seite, WeiterZumPlanUndMitZurueckWieder)
{
    const auto eineDosis = [this](const char* wann) {
        const QRegularExpression satz("^Es werden (\\d+)\u00A0g Kohlensaurer Kalk je\u00A0m² benötigt\\.$");
        const QRegularExpressionMatch m = satz.match(npk3->lblMenge()->text());
        EXPECT_TRUE(m.hasMatch()) << wann << ": " << npk3->lblMenge()->text().toStdString();
        EXPECT_EQ(npk3->txtMenge()->text().toStdString(), m.captured(1).toStdString()) << wann;
    };
    w().sngNBedarfGD = w().sngPBedarf = w().sngKBedarf = 0;
    RestbedarfBerechnen(w());
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    ASSERT_EQ(npk3->katalogstand(), Katalogstand::Kalk);
    klick("Ka1001");
    eineDosis("gewählt");
    fenster().entladen("frmNPK3");
    fenster().zeigen("frmNPK3");
    npk3 = duengerSeite();
    ASSERT_NE(npk3, nullptr);
    eineDosis("geladen");
    ASSERT_TRUE(npk3->cmbWeiter()->isEnabled());
    QTest::mouseClick(npk3->cmbWeiter(), Qt::LeftButton);
    auto* plan = dialog<frmNPK4>("frmNPK4");
    ASSERT_NE(plan, nullptr);
    const QTableWidget* raster = plan->flgReport();
    QStringList zeilen;
    for (int i = 0; i < raster->rowCount(); ++i)
        zeilen << (raster->item(i, 0) ? raster->item(i, 0)->text() : QString());
    EXPECT_TRUE(zeilen.join('|').contains("Kohlensaurer Kalk")) << zeilen.join('|').toStdString();

    QTest::mouseClick(plan->cmbZurueck(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmNPK4"));
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK3");
    npk3 = duengerSeite();
    ASSERT_NE(npk3, nullptr);
    EXPECT_EQ(w().strAktKalkNr, "Ka1001");
    // the dose follows the need the plan page computed again from the stored analysis
    eineDosis("zurück vom Plan");
    EXPECT_EQ(gewaehlt(), 1);
    EXPECT_TRUE(npk3->cmbWeiter()->isEnabled());
}

// One click, one step (tests/requirement/doppelklick_ui_test.cpp for the steps before): a double-click
// or two quick clicks on Next, and on the plan page's Back, move one step; the mouse's time stands
// still unless the test moves it.
TEST_F(Seite, DoppelklickAufWeiterUndZurueckGehtEinenSchritt)
{
    w().sngNBedarfGD = w().sngPBedarf = w().sngKBedarf = 0;
    RestbedarfBerechnen(w());
    app().einstellungen.blnImmerOptimal = true;
    for (const bool doppelklick : {true, false}) {
        SCOPED_TRACE(doppelklick ? "Doppelklick" : "zwei Klicks");
        ASSERT_NO_FATAL_FAILURE(oeffnen());
        klick("Ka1001");
        ASSERT_TRUE(npk3->cmbWeiter()->isEnabled());
        test::Maus maus(haupt.get()); // the page showed long before
        // two clicks at one place and time, or 100 ms apart with the mouse moved a little (no double-click)
        const auto zweimal = [&](QWidget* knopf) {
            const QPoint p = haupt->mapFromGlobal(knopf->mapToGlobal(knopf->rect().center()));
            maus.klick(p);
            if (!doppelklick)
                maus.spaeter(100);
            maus.klick(doppelklick ? p : p + QPoint(QGuiApplication::styleHints()->mouseDoubleClickDistance() + 1, 0));
        };
        zweimal(npk3->cmbWeiter());
        auto* plan = dialog<frmNPK4>("frmNPK4");
        ASSERT_NE(plan, nullptr);
        EXPECT_FALSE(fenster().istGeladen("frmNPK3"));
        EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK4");

        maus.spaeter(QApplication::doubleClickInterval());
        zweimal(plan->cmbZurueck());
        EXPECT_FALSE(fenster().istGeladen("frmNPK4"));
        EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK3");
        EXPECT_NE(duengerSeite(), nullptr);
        EXPECT_FALSE(fenster().istGeladen("frmNPK2b"));
        FormulareEntladen(false);
        zustand();
        w().sngNBedarfGD = w().sngPBedarf = w().sngKBedarf = 0;
        RestbedarfBerechnen(w());
    }
}

// One click, one action in the catalogue: in the phosphate list a click on "PK-Dünger 10+15 mit
// Magnesium" (6th row) picks it and builds the potash list, with the add-new node in its row and
// Kaliumchlorid where Triplesuperphosphat stood. No press within the double-click time after the
// release of the pick acts on the list the pick built (the second click of the double-click, a quick
// click, a third one), however long the pick's button was held; a slow click does, and so does the click
// after the ones not taken, whatever Qt calls it; a double-click on a node that stays (the add-new node
// opens its editor) and the keyboard act at once. Clicks come through the window with their own times,
// which move only with the test.
TEST_F(Seite, NeuerKnotenUnterDerMausNimmtKeinenSchnellenKlick)
{
    app().einstellungen.blnImmerOptimal = true;
    const int zeit = QApplication::doubleClickInterval();
    const struct {
        const char* fall;
        char art;           // D: a double-click there; K: a click on Du1026, then one there; T: Return there
        const char* stelle; // a place in the phosphate list
        int halten;         // how long the first click's button is down (ms)
        int ms;             // from the first click's release to the second click
        int nochmal;        // from the second click to a third one at the same place (0: none)
        const char* gewaehlt;
    } faelle[] = {
        {"Doppelklick", 'D', "Du1026", 0, 0, 0, "Du1026"},
        {"zwei schnelle Klicks", 'K', "Du1011", 0, 100, 0, "Du1026"},
        {"zweiter Klick knapp in der Doppelklickzeit", 'K', "Du1011", 0, zeit - 1, 0, "Du1026"},
        {"langsamer zweiter Klick", 'K', "Du1011", 0, zeit, 0, "Du1026 Du1015"},
        {"Eingabetaste sofort", 'T', "Du1011", 0, 0, 0, "Du1026 Du1015"},
        {"Doppelklick auf den neuen Dünger", 'D', "Grau", 0, 0, 0, ""},
        {"Wiederholung nach dem nicht genommenen Klick", 'K', "Du1011", 0, 300, 300, "Du1026 Du1015"},
        {"dritter schneller Klick", 'K', "Du1011", 0, 100, 100, "Du1026"},
        {"zweiter Klick am selben Ort nach 350 ms", 'K', "Du1026", 0, 350, 0, "Du1026"},
        {"langsame Wahl, schneller Klick nach dem Loslassen", 'K', "Du1011", 1000, zeit - 1, 0, "Du1026"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        FormulareEntladen(false);
        zustand();
        w().sngNBedarfGD = 0;
        RestbedarfBerechnen(w());
        ASSERT_NO_FATAL_FAILURE(oeffnen());
        test::Maus maus(haupt.get()); // the list was built long before
        Duengerbaum* t = npk3->trvDuenger(1);
        const auto stelle = [&](const char* key) { return t->visualItemRect(knoten(1, key)).center(); };
        const auto imFenster = [&](QPoint p) { return haupt->mapFromGlobal(t->viewport()->mapToGlobal(p)); };
        const QPoint p = stelle(f.stelle);
        if (f.art == 'D') {
            maus.klick(imFenster(p));
            maus.klick(imFenster(p));
        } else {
            maus.klick(imFenster(stelle("Du1026")), Qt::LeftButton, f.halten);
            maus.spaeter(f.ms);
            if (f.art == 'K') {
                maus.klick(imFenster(p));
                if (f.nochmal) {
                    maus.spaeter(f.nochmal);
                    maus.klick(imFenster(p));
                }
            } else {
                t->setCurrentItem(t->itemAt(p));
                QTest::keyClick(t, Qt::Key_Return);
            }
        }
        QStringList gewaehlt;
        for (QTreeWidgetItem* it : npk3->trvDuenger(2)->alle())
            gewaehlt << Duengerbaum::key(it);
        EXPECT_EQ(gewaehlt.join(' ').toStdString(), f.gewaehlt);
        EXPECT_EQ(fenster().istGeladen("frmDuengerEingabe"), QLatin1String(f.stelle) == "Grau");
    }
}

// The amount sentence after each pick names the total the plan then gives for that fertiliser: both
// from the whole grams per m² shown in the box (Superphosphat: 22 g on 18,8 m², 415 g, not the
// 420 g of the unrounded 22,2 g).
TEST_F(Seite, MengenSatzWieImPlan)
{
    app().einstellungen.blnImmerOptimal = true;
    w().sngFlaecheGroesse = 18.8f;
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    const QRegularExpression satz("^Es werden (.+) Dünger für 18,8\u00A0m² benötigt\\.$");
    QStringList erwartet;
    for (const char* nr : {"Du1010", "Du1014", "Du1004"}) {
        klick(nr);
        const QRegularExpressionMatch m = satz.match(npk3->lblMenge()->text());
        ASSERT_TRUE(m.hasMatch()) << npk3->lblMenge()->text().toStdString();
        const QString knoten = npk3->trvDuenger(2)->itemVon(nr)->text(0); // name (contents)
        const QString name = knoten.left(knoten.lastIndexOf(" ("));
        erwartet << m.captured(1).replace(QChar(0x00A0), ' ') + ' ' + name + " auf 18,8 m²";
    }
    EXPECT_EQ(erwartet.first(), "415 g Superphosphat auf 18,8 m²");
    klick("Ka1001");
    QTest::mouseClick(npk3->cmbWeiter(), Qt::LeftButton);
    auto* plan = dialog<frmNPK4>("frmNPK4");
    ASSERT_NE(plan, nullptr);
    QStringList zeilen;
    for (int i = 0; i < plan->flgReport()->rowCount(); ++i)
        if (const QTableWidgetItem* it = plan->flgReport()->item(i, 0))
            zeilen << it->text();
    for (const QString& z : erwartet)
        EXPECT_TRUE(zeilen.contains(z)) << z.toStdString() << "\n" << zeilen.join('\n').toStdString();
}

// The page's sentences break lines between words, never inside an amount with its unit ("4,9 g/" |
// "m²", "10" | "m²"), whatever the width.
TEST_F(Seite, KeinUmbruchInMengeUndEinheit)
{
    const QRegularExpression menge("\\d+(,\\d+)?\\W{0,2}(kg|g/\\W?m²|g|m²)");
    const auto getrennt = [&](const QString& text) {
        QStringList stellen;
        QTextBoundaryFinder umbruch(QTextBoundaryFinder::Line, text);
        for (auto it = menge.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            for (int p = m.capturedStart() + 1; p < m.capturedEnd(); ++p)
                if (umbruch.setPosition(p), umbruch.isAtBoundary())
                    stellen << m.captured() + " @" + QString::number(p - m.capturedStart());
        }
        return stellen;
    };
    app().einstellungen.blnImmerOptimal = true;
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    int mengen = 0;
    for (const char* nr : {"Du1010", "Du1014", "Du1001", "Ka1001"}) {
        klick(nr);
        QStringList texte{npk3->lblMenge()->text()};
        for (int i = 1; i <= 4; ++i)
            texte << npk3->lblVersorgung(i)->text();
        for (const QString& t : texte) {
            mengen += int(menge.globalMatch(t).hasNext());
            EXPECT_TRUE(getrennt(t).isEmpty()) << t.toStdString() << ": " << getrennt(t).join(", ").toStdString();
        }
    }
    EXPECT_GE(mengen, 6); // the sentences checked name amounts
}

TEST_F(Seite, WeiterZurueckUndAbbruch)
{
    w().sngPH = 7.1f;
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    QTest::mouseClick(dialog<frmVerfahren>("frmVerfahren")->cmdIgnorant(), Qt::LeftButton);
    klick("Du1029");
    klick("Du1014");
    EXPECT_EQ(npk3->lblDuenger()->text(), kGedeckt);
    EXPECT_EQ(npk3->txtMenge()->text(), "8");
    EXPECT_TRUE(npk3->lblMenge()->text().isEmpty()); // nothing more needed: no amount sentence
    ASSERT_TRUE(npk3->cmbWeiter()->isEnabled());
    QTest::mouseClick(npk3->cmbWeiter(), Qt::LeftButton);
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK4");
    EXPECT_TRUE(fenster().istGeladen("frmNPK4"));
    EXPECT_FALSE(fenster().istGeladen("frmTitel"));
    const auto& liste = *w().rsDuengerAuswahl;
    ASSERT_EQ(liste.size(), 2u);
    EXPECT_TRUE(liste[0].Nr == 1 && liste[0].Menge == 50 && liste[1].Nr == 2 && liste[1].Menge == 8);
    EXPECT_LT(w().sngKSaldo, 2);
    EXPECT_EQ(w().strAktKalkNr, "x");

    // back from the plan: the step again, with its choice; the plan page gives the totals back
    fenster().entladen("frmNPK4");
    EXPECT_FLOAT_EQ(w().sngDuengerK, 8);
    fenster().zeigen("frmTitel");
    fenster().zeigen("frmNPK3");
    npk3 = duengerSeite();
    npk3->KalkDuengerEintragen(w().strAktKalkNr);
    EXPECT_EQ(gewaehlt(), 2);
    EXPECT_EQ(npk3->trvDuenger(2)->erster()->text(0), "Rasendünger, mineralisch 20+5+8 (20+5+8+2)");

    QTest::mouseClick(npk3->cmbZurueck(), Qt::LeftButton);
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK2b");
    EXPECT_TRUE(fenster().istGeladen("frmNPK2b"));
    EXPECT_FALSE(w().rsDuengerAuswahl);
    EXPECT_EQ(w().strAktKulturNr, "Ku1025");

    zustand();
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    QTest::mouseClick(npk3->cmbAbbruch(), Qt::RightButton); // any mouse button
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK");
    EXPECT_TRUE(fenster().istGeladen("frmNPK"));
    EXPECT_TRUE(w().strAktFlaechenNr.isEmpty());
    EXPECT_FALSE(w().rsDuengerAuswahl);
    EXPECT_EQ(haupt->windowTitle(), "Kav - Humavera - Düngerbedarfsberechnung - Flächenauswahl");
}

// The editor keeps the mode it was opened in while the page goes on; no name is no name.
TEST_F(Seite, DuengereditorNeuUndBearbeiten)
{
    app().einstellungen.blnImmerOptimal = true;
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    doppelklick("Grau");
    auto* ed = dialog<frmDuengerEingabe>("frmDuengerEingabe");
    ASSERT_NE(ed, nullptr);
    ASSERT_TRUE(ed->neu());
    QTest::mouseClick(ed->cmdOK(), Qt::LeftButton);
    EXPECT_TRUE(ed->shpName()->isVisible());
    EXPECT_TRUE(ed->txtName()->text().isEmpty());
    EXPECT_EQ(ed->txtName()->placeholderText(), "Keine Bezeichnung eingegeben");
    ed->txtName()->insert(QString("Mist") + QChar(0) + "\n" + QString(60, 'x')); // pasted: cut to 50, no control characters
    EXPECT_TRUE(ed->txtName()->text().startsWith("Mistxx") && ed->txtName()->text().size() <= 50);
    ed->txtName()->clear();
    tippen(ed->txtName(), "Mein PK");
    QTest::mouseClick(ed->cmdOK(), Qt::LeftButton); // no contents: said, nothing saved
    EXPECT_TRUE(protokoll.texte().last().contains("keinen der Nährstoffe"));

    klick("Du1010"); // a pick meanwhile: phosphate covered
    tippen(ed->txtP(), "8");
    tippen(ed->txtK(), "16");
    QTest::mouseClick(ed->cmdOK(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmDuengerEingabe"));
    auto d = DuengerDienste::oeffnen(app());
    ASSERT_TRUE(d->katalog().duenger("Du1046"));
    EXPECT_EQ(d->katalog().duenger("Du1010")->Bezeichnung, "Superphosphat");
    EXPECT_EQ(gewaehlt(), 1); // unsuitable now: named in the notice window, not chosen
    auto* info = dialog<frmDuengerInfo>("frmDuengerInfo");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->lblText()->text(), kUngeeignetText);
    EXPECT_TRUE(w().strAktDuengerNr.isEmpty()); // nothing left waiting to be added

    // a change of a fertiliser that is deleted meanwhile is refused with a message
    klick("Du1046", Qt::RightButton);
    menuePunktKlicken(5, "mnuDuengerEdit");
    ed = dialog<frmDuengerEingabe>("frmDuengerEingabe");
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->duengerNr(), "Du1046");
    EXPECT_TRUE(ed->txtN()->text().isEmpty());
    EXPECT_EQ(ed->txtK()->text(), "16");
    d->katalog().duengerLoeschen("Du1046");
    QTest::mouseClick(ed->cmdOK(), Qt::LeftButton);
    EXPECT_TRUE(protokoll.texte().last().contains("nicht mehr im Katalog"));
    EXPECT_TRUE(fenster().istGeladen("frmDuengerEingabe"));
    EXPECT_FALSE(d->katalog().duenger("Du1046"));
}

// What is typed in an open editor is not lost by a way out of the step (its buttons, the navigation
// bar): asked as on the analysis page. Abbrechen keeps page, editor and typing; Nein drops the
// typing; Ja stores it as OK does. An editor with nothing typed is not asked about.
TEST_F(Seite, EditorEingabenBeimVerlassen)
{
    app().einstellungen.blnImmerOptimal = true;
    const struct {
        const char* weg;
        QMessageBox::StandardButton antwort;
        bool bleibt;
        bool gespeichert;
    } faelle[] = {
        {"cmbZurueck", QMessageBox::Cancel, true, false}, {"cmbAbbruch", QMessageBox::No, false, false},
        {"cmbWeiter", QMessageBox::Yes, false, true},     {"cmbMenu1", QMessageBox::Cancel, true, false},
        {"cmbMenu2", QMessageBox::Yes, false, true},
    };
    auto d = DuengerDienste::oeffnen(app());
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.weg);
        zustand();
        w().sngNBedarfGD = w().sngPBedarf = w().sngKBedarf = 0, w().sngPH = 7.1f;
        w().sngOrgSubMenge = 3; // nothing more needed, compost given: Next goes on
        RestbedarfBerechnen(w());
        ASSERT_NO_FATAL_FAILURE(oeffnen());
        ASSERT_TRUE(npk3->cmbWeiter()->isEnabled());
        DuengerEingabeOeffnen({});
        auto* ed = dialog<frmDuengerEingabe>("frmDuengerEingabe");
        ASSERT_NE(ed, nullptr);
        tippen(ed->txtName(), "Testd");
        QTest::sendKeyEvent(QTest::Click, ed->txtName(), Qt::Key_Udiaeresis, QStringLiteral("ü"), {});
        QTest::keyClicks(ed->txtName(), "nger");
        tippen(ed->txtN(), "9");
        QAbstractButton* weg = QString(f.weg).startsWith("cmbMenu")
                                   ? fenster().fensterAls<frmToolbar>("frmToolbar")->cmbMenu(QString(f.weg).right(1).toInt())
                                   : npk3->findChild<QAbstractButton*>(f.weg);
        ASSERT_NE(weg, nullptr);
        test::Frage frage;
        antworten(f.antwort, &frage);
        QTest::mouseClick(weg, Qt::LeftButton);
        EXPECT_TRUE(frage.gesehen);
        EXPECT_TRUE(frage.text.contains("„Testdünger“")) << frage.text.toStdString();
        EXPECT_EQ(frage.standard, QMessageBox::Yes);
        EXPECT_EQ(fenster().istGeladen("frmNPK3"), f.bleibt);
        EXPECT_EQ(fenster().istGeladen("frmDuengerEingabe"), f.bleibt);
        if (f.bleibt) {
            EXPECT_EQ(ed->txtName()->text(), "Testdünger");
            EXPECT_EQ(ed->txtN()->text(), "9");
            EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK3");
            QTest::mouseClick(ed->cmdAbbruch(), Qt::LeftButton);
        }
        EXPECT_EQ(d->katalog().duengerGleich({"Testdünger", 9, 0, 0, 0, false}).has_value(), f.gespeichert);
        if (f.gespeichert)
            d->katalog().duengerLoeschen(d->katalog().duengerGleich({"Testdünger", 9, 0, 0, 0, false})->DuengerNr);
        if (fenster().istGeladen("frmNPK3"))
            QTest::mouseClick(npk3->cmbAbbruch(), Qt::LeftButton);
    }
    // nothing typed: no question
    zustand();
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    doppelklick("Grau");
    test::Frage frage;
    antworten(QMessageBox::Cancel, &frage);
    QTest::mouseClick(npk3->cmbZurueck(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(frage.gesehen);
    EXPECT_FALSE(fenster().istGeladen("frmDuengerEingabe"));
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK2b");
}

TEST_F(Seite, KalkeditorWaehltImKalkzustand)
{
    w().sngNBedarfGD = w().sngPBedarf = w().sngKBedarf = 0;
    RestbedarfBerechnen(w());
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    ASSERT_EQ(npk3->katalogstand(), Katalogstand::Kalk);
    EXPECT_FALSE(npk3->cmbWeiter()->isEnabled());
    doppelklick("Grau");
    auto* ed = dialog<frmKalkEingabe>("frmKalkEingabe");
    ASSERT_NE(ed, nullptr);
    tippen(ed->txtName(), "Mein Kalk");
    tippen(ed->txtCaCO3(), "65");
    tippen(ed->txtMgCO3(), "25");
    QTest::mouseClick(ed->cmdOK(), Qt::LeftButton);
    EXPECT_EQ(w().strAktKalkNr, "Ka1008");
    EXPECT_EQ(npk3->lblMenge()->text(), "Es werden 165\u00A0g Mein Kalk je\u00A0m² benötigt.");
    EXPECT_TRUE(npk3->cmbWeiter()->isEnabled());

    QTest::mouseClick(npk3->cmbReset(), Qt::LeftButton);
    doppelklick("Grau");
    ed = dialog<frmKalkEingabe>("frmKalkEingabe");
    tippen(ed->txtName(), "mein kalk");
    tippen(ed->txtCaCO3(), "65,0");
    tippen(ed->txtMgCO3(), "25");
    QTest::mouseClick(ed->cmdOK(), Qt::LeftButton);
    EXPECT_EQ(protokoll.meldungen.last().text, "mein kalk mit 65% CaCO3 und 25% MgCO3\nist in der Liste bereits vorhanden.");
    EXPECT_EQ(w().strAktKalkNr, "Ka1008");
    EXPECT_EQ(gewaehlt(), 1);
}

// Each opener of the notice window starts from the designed texts; its link opens the lexicon.
TEST_F(Seite, HinweisfensterBeginntJedesMalNeu)
{
    app().einstellungen.blnImmerOptimal = true;
    w().sngPBedarf = w().sngKBedarf = 0;
    RestbedarfBerechnen(w());
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    klick("Du1001"); // horn meal, crop start in ISO week 16
    auto* info = dialog<frmDuengerInfo>("frmDuengerInfo");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->windowTitle(), "KAV - Horndünger");
    EXPECT_EQ(info->lbltitel()->text(), "Bitte beachten Sie:");
    EXPECT_EQ(gewaehlt(), 1);
    DuengerUngeeignetMelden();
    EXPECT_EQ(info->windowTitle(), kInfoCaption);
    EXPECT_EQ(info->lbltitel()->text(), kInfoTitel);
    QTest::mouseClick(info->lblMehr(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmDuengerInfo"));
    EXPECT_EQ(app().rahmen.strLexikonAnzeige, "AuswahlDuenger");
    EXPECT_TRUE(fenster().istGeladen("frmLexikon"));
}

TEST_F(Seite, ImmerOptimalGiltNachNeustart)
{
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    QTest::mouseClick(dialog<frmVerfahren>("frmVerfahren")->cmdImmerOptimal(), Qt::LeftButton);
    haupt->MDIForm_Unload();
    starten();
    EXPECT_TRUE(app().einstellungen.blnImmerOptimal);
    zustand();
    w().blnOptimal = false;
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    EXPECT_FALSE(fenster().istGeladen("frmVerfahren"));
    EXPECT_TRUE(w().blnOptimal);
}

// A notice opened by a pick takes the keyboard whichever way the pick was made: by Return, or by a
// double click, whose second click goes down in the main window and makes it the active one first
// (the window system does so, the headless platform does not). Escape closes the notice.
TEST_F(Seite, HinweisNimmtDieTastaturBeiJederArtDerWahl)
{
    const auto aktiv = [](QWidget* w) { return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }, 10000); };
    app().einstellungen.blnImmerOptimal = true;
    w().sngPBedarf = w().sngKBedarf = 0;
    RestbedarfBerechnen(w());
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    Duengerbaum* t = npk3->trvDuenger(1);
    for (const bool doppelklick : {false, true}) {
        SCOPED_TRACE(doppelklick ? "Doppelklick" : "Eingabetaste");
        haupt->activateWindow();
        ASSERT_TRUE(aktiv(haupt.get()));
        const QPoint p = mitte(1, "Du1001"); // horn meal, crop start in ISO week 16: a notice
        if (doppelklick) {
            QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, p);
            haupt->activateWindow();
            ASSERT_TRUE(aktiv(haupt.get()));
            QTest::mousePress(t->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseRelease(t->viewport(), Qt::LeftButton, {}, p);
        } else {
            t->setCurrentItem(knoten(1, "Du1001"));
            QTest::keyClick(t, Qt::Key_Return);
        }
        auto* info = dialog<frmDuengerInfo>("frmDuengerInfo");
        ASSERT_TRUE(info && gewaehlt() == 1);
        EXPECT_TRUE(aktiv(info));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : haupt.get(), Qt::Key_Escape);
        EXPECT_FALSE(fenster().istGeladen("frmDuengerInfo"));
        fenster().entladen("frmDuengerInfo");
        QTest::mouseClick(npk3->cmbReset(), Qt::LeftButton); // the horn meal goes again
    }
}

// Texts of the step: the notice names the fertiliser as the catalogue spells it, the back button
// the step by its name.
TEST_F(Seite, TexteDesSchritts)
{
    app().einstellungen.blnImmerOptimal = true;
    w().sngPBedarf = w().sngKBedarf = 0;
    RestbedarfBerechnen(w());
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    klick("Du1003"); // crop start in ISO week 16
    auto* info = dialog<frmDuengerInfo>("frmDuengerInfo");
    ASSERT_NE(info, nullptr);
    const std::pair<QString, QString> texte[] = {
        {info->lblText()->text().section(' ', 0, 0), DuengerDienste::oeffnen(app())->katalog().duenger("Du1003")->Bezeichnung},
        {npk3->cmbZurueck()->toolTip(), "Zurück zu Kompost, Mist"},
    };
    for (const auto& [ist, soll] : texte)
        EXPECT_EQ(ist, soll) << ist.toStdString();
}

} // namespace
