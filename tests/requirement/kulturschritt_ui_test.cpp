// The crop step on a started program as the gardener types and reads it: the area with at most two
// decimals and only within the range of a plot, the bed likewise, the Nmin value shown as typed, and
// the crop tree with the room the page has and the full name of a cut node on hover; a resize from
// the smallest window to any size that ends with every control on the page; the Nmin value within its
// unit's range; the dates typed here and on the analysis page.
#include "tastatur.h"

#include "anordnungspruefung.h"
#include "frame/anordnung.h"
#include "platform/datumsfeld.h"

#include "services/meldungsbox.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

using namespace kav;

namespace {

using test::WizardTest;

QString lesbar(QString t) { return t.replace(QChar(0x00A0), QLatin1Char(' ')); }

QLineEdit* zeileVon(QDateEdit* feld) { return feld->findChild<QLineEdit*>(); }

// Types `t` key by key (on the number pad with Qt::KeypadModifier); '<' is Backspace, '>' Delete.
void tasten(QWidget* w, const char* t, Qt::KeyboardModifiers mod = Qt::NoModifier)
{
    for (; *t; ++t)
        if (*t == '<' || *t == '>')
            QTest::keyClick(w, *t == '<' ? Qt::Key_Backspace : Qt::Key_Delete);
        else
            QTest::keyClick(w, *t, mod);
}

// The messages shown, one after the other.
std::string gemeldet(const test::MeldungsProtokoll& p) { return p.texte().join("|").toStdString(); }

// The message of a sampling date refused for `warum`, `bleibt` kept; none without a reason.
std::string probe(const QString& warum, const QDate& bleibt = QDate(2026, 12, 6))
{
    const QString bleibtSatz = " Das Datum der Probennahme bleibt der " + bleibt.toString("dd.MM.yyyy") + ".";
    return warum.isEmpty() ? "" : (warum + bleibtSatz).toStdString();
}

// Why a date left unfinished is refused: its text and what it lacks.
QString unfertig(const QString& getippt, const char* fehlt)
{
    return QString("Das Datum „%1“ ist unvollständig: %2 (TT.MM.JJJJ).").arg(getippt, fehlt);
}
const char* const kJahrKurz = "Das Jahr braucht vier Ziffern";
const char* const kOhneJahr = "Es fehlt das Jahr";

// The box's context menu opened as the menu key opens it, and its "Einfügen" clicked.
void perMenueEinfuegen(QDateEdit* feld)
{
    QAction* einfuegen = nullptr;
    QTimer::singleShot(0, [&] {
        auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* a : m ? m->actions() : QList<QAction*>())
            if (a->isEnabled() && (a->text().contains("Paste") || a->text().contains("Einfügen")))
                einfuegen = a;
        if (einfuegen)
            QTest::mouseClick(m, Qt::LeftButton, {}, m->actionGeometry(einfuegen).center());
        else if (m)
            m->close();
    });
    QContextMenuEvent e(QContextMenuEvent::Keyboard, QPoint(5, 5), feld->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(feld, &e);
    ASSERT_TRUE(einfuegen) << "kein Einfügen im Kontextmenü";
}

// The tip that resting the mouse on `item` shows; empty when none shows.
QString tipVon(NPKBaumAnsicht* t, QTreeWidgetItem* item)
{
    QToolTip::hideText();
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 10000));
    const QPoint p = t->visualItemRect(item).center();
    QHelpEvent e(QEvent::ToolTip, p, t->viewport()->mapToGlobal(p));
    QApplication::sendEvent(t->viewport(), &e);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

TEST_F(WizardTest, FlaecheMitHoechstensZweiStellenUndImBereichEinerFlaeche)
{
    sql::exec(db(), "UPDATE FlaechenID SET Laenge = 7.5, Breite = 2.5, Flaeche = 18.8 WHERE FlaechenNr = 'Fl1001'");
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), ""));
    EXPECT_EQ(npk1()->txtFlaeche()->text(), "18,8");
    groesse(1280, 1024);
    ArbeitsbereichAnordnen();
    test::anordnungJetztPruefen(npk1(), "1280 x 1024");

    // larger than a plot can be: said on the page, the typing kept and marked, nothing taken
    for (const char* zuGross : {"99999999999999", "100000000,01"}) {
        tippen(npk1()->txtFlaeche(), zuGross);
        npk1()->txtNmin()->setFocus();
        QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
        ASSERT_NE(npk1(), nullptr) << zuGross;
        EXPECT_EQ(lesbar(protokoll.texte().last()),
                  QString("Die Flächengröße %1 m² liegt außerhalb des möglichen Bereichs von mehr als 0 bis 100000000 m². "
                          "Bitte korrigieren Sie Ihre Eingabe.")
                      .arg(zuGross));
        EXPECT_EQ(npk1()->txtFlaeche()->selectedText(), zuGross);
        EXPECT_EQ(w().sngFlaecheGroesse, 18.8f);
        EXPECT_EQ(anzahl("Nmin"), 0);
    }
    tippen(npk1()->txtFlaeche(), "100000000");
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    ASSERT_NE(npk2(), nullptr);
    EXPECT_EQ(w().sngFlaecheGroesse, 1e8f);

    // the bed: a side longer than a plot's is refused the same way
    QTest::mouseClick(npk2()->cmbBack(), Qt::LeftButton);
    ASSERT_NO_FATAL_FAILURE(baumKlick(npk1()->trvNPK(), "Ku1090"));
    tippen(npk1()->txtLaenge(), "10000,5");
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    EXPECT_TRUE(lesbar(protokoll.texte().last())
                    .startsWith("Die Länge des Beetes 10000,5 m liegt außerhalb des möglichen Bereichs von mehr als 0 bis "
                                "10000 m."));
    EXPECT_FALSE(fenster().istGeladen("frmMKEditor"));
    tippen(npk1()->txtLaenge(), "10000");
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    EXPECT_TRUE(fenster().istGeladen("frmMKEditor"));
    EXPECT_EQ(w().sngBeetLaenge, 10000.0f);
}

// A date typed key by key into the sampling date (from its first part as Tab leaves it, or over the
// whole text) or into the crop's calendar, with or without the points, on the number pad too, is the
// date typed; Backspace takes it back to nothing and the date typed then is taken the same way.
TEST_F(WizardTest, DatumGetipptWieGetipptMitUndOhnePunkteRueckschrittBisZumAnfang)
{
    const std::pair<const char*, QDate> faelle[] = {
        {"01.01.1900", QDate(1900, 1, 1)}, {"01011900", QDate(1900, 1, 1)}, {"15.03.2031", QDate(2031, 3, 15)},
        {"15032031", QDate(2031, 3, 15)},  {"1.3.2031", QDate(2031, 3, 1)},  {"4072025", QDate(2025, 7, 4)},
    };
    const auto zurueck = [](QWidget* w) {
        for (int i = 0; i < 12; ++i)
            QTest::keyClick(w, Qt::Key_Backspace);
    };
    const auto iso = [](const QDate& d) { return d.toString(Qt::ISODate).toStdString(); };
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    QDateEdit* feld = seite->dtpProbenahme();
    for (const auto& [getippt, datum] : faelle) {
        SCOPED_TRACE(getippt);
        feld->clearFocus();
        feld->setFocus(Qt::TabFocusReason);
        tasten(feld, getippt);
        EXPECT_EQ(iso(feld->date()), iso(datum));
        feld->setDate(QDate(2026, 12, 6));
        QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
        tasten(feld, getippt);
        EXPECT_EQ(iso(feld->date()), iso(datum));
        zurueck(feld);
        EXPECT_EQ(feld->text().toStdString(), "");
        tasten(feld, getippt);
        EXPECT_EQ(iso(feld->date()), iso(datum));
        EXPECT_EQ(feld->text().toStdString(), datum.toString("dd.MM.yyyy").toStdString());
    }
    QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
    tasten(feld, "15032031", Qt::KeypadModifier);
    EXPECT_EQ(iso(feld->date()), "2031-03-15");

    // the crop's calendar takes a start from one year before today (06.12.2026) to three years after it
    const std::pair<const char*, QDate> kulturbeginne[] = {
        {"06.12.2025", QDate(2025, 12, 6)}, {"06122029", QDate(2029, 12, 6)}, {"15.03.2027", QDate(2027, 3, 15)},
        {"15032027", QDate(2027, 3, 15)},   {"1.3.2028", QDate(2028, 3, 1)},  {"4072028", QDate(2028, 7, 4)},
    };
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), ""));
    QWidget* kalender = npk1()->calStart()->focusProxy();
    ASSERT_NE(kalender, nullptr);
    kalender->setFocus();
    for (const auto& [getippt, datum] : kulturbeginne) {
        SCOPED_TRACE(getippt);
        tasten(kalender, getippt);
        EXPECT_EQ(iso(npk1()->calStart()->selectedDate()), iso(datum));
        zurueck(kalender);
        tasten(kalender, getippt);
        EXPECT_EQ(iso(npk1()->calStart()->selectedDate()), iso(datum));
        EXPECT_EQ(iso(w().datKulturbeginn.date()), iso(datum));
    }
    tasten(kalender, "15032027", Qt::KeypadModifier);
    EXPECT_EQ(iso(npk1()->calStart()->selectedDate()), "2027-03-15");
}

// An Nmin value beyond what a soil laboratory reports in its unit is refused on Next with the range,
// marked for correction and not stored; the largest value of each unit is taken.
TEST_F(WizardTest, NminNurImBereichSeinerEinheit)
{
    const struct {
        int einheit;
        const char* wert;
        const char* bereich; // nullptr: taken
    } faelle[] = {
        {0, "99999", "0 bis 500 mg NO3/l"}, {0, "500,1", "0 bis 500 mg NO3/l"}, {0, "500", nullptr},
        {1, "50,01", "0 bis 50 g N/m²"},    {1, "50", nullptr},                  {2, "500,5", "0 bis 500 kg N/ha"},
        {2, "500", nullptr},
    };
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    QString gespeichert;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.wert);
        ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), f.wert));
        npk1()->comNmin()->setCurrentIndex(f.einheit);
        QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
        if (f.bereich) {
            ASSERT_NE(npk1(), nullptr);
            EXPECT_EQ(protokoll.texte().last().toStdString(),
                      QString("Der Nmin-Wert %1 %2 liegt außerhalb des möglichen Bereichs von %3. Bitte korrigieren Sie "
                              "Ihre Eingabe; es wurde nichts gespeichert.")
                          .arg(f.wert, npk1()->comNmin()->currentText(), f.bereich)
                          .toStdString());
            EXPECT_EQ(npk1()->txtNmin()->selectedText().toStdString(), f.wert);
        } else {
            ASSERT_NE(npk2(), nullptr);
            gespeichert = QString("%1 %2").arg(f.wert).arg(f.einheit);
            QTest::mouseClick(npk2()->cmbBack(), Qt::LeftButton);
        }
        EXPECT_EQ(wert("SELECT group_concat(printf('%g %d', Nmin, Einheit)) FROM Nmin").toString().toStdString(),
                  gespeichert.toStdString());
    }
}

TEST_F(WizardTest, NminWertNachDerRueckkehrWieGetippt)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), "2,3"));
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    ASSERT_NE(npk2(), nullptr);
    QTest::mouseClick(npk2()->cmbBack(), Qt::LeftButton);
    ASSERT_NE(npk1(), nullptr);
    EXPECT_EQ(npk1()->txtNmin()->text(), "2,3");
    // the bed view keeps its value the same way
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1090", {}, "0,7"));
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    ASSERT_TRUE(fenster().istGeladen("frmMKEditor"));
    EXPECT_EQ(forms::Tag(ui().fenster.fenster("frmMKEditor")->widget()->findChild<QLabel*>("lblName")), ""); // a new plan
    auto* zurueck = ui().fenster.fenster("frmMKEditor")->widget()->findChild<QToolButton*>("cmdBack");
    ASSERT_NE(zurueck, nullptr);
    QTest::mouseClick(zurueck, Qt::LeftButton);
    ASSERT_NE(npk1(), nullptr);
    EXPECT_EQ(npk1()->txtNmin()->text(), "0,7");
}

TEST_F(WizardTest, GespeichertePlanungOeffnetDenPlanerDerOrdnerWaehltNichts)
{
    sql::exec(db(), "INSERT INTO MischkulturID VALUES ('ID010320260800001234', '2026-03-01 08:00:00', 'Fl1001')");
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), ""));
    // the folder of the plans is no crop: nothing changes
    ASSERT_NO_FATAL_FAILURE(baumKlick(npk1()->trvNPK(), "Fl1001"));
    EXPECT_EQ(w().strAktKulturNr + "|" + npk1()->txtNPK()->text(), "Ku1026|Blumenkohl");
    EXPECT_TRUE(npk1()->calStart()->isVisible());
    // the plan, with the area box left empty: the choice goes through with the area known before, shows
    // the plan's bed and opens the planner with the plan
    tippen(npk1()->txtFlaeche(), "");
    ASSERT_NO_FATAL_FAILURE(baumKlick(npk1()->trvNPK(), "ID010320260800001234"));
    EXPECT_TRUE(w().strAktKulturNr == "ID010320260800001234" && w().sngFlaecheGroesse == 12);
    EXPECT_EQ(npk1()->txtNPK()->text(), "Planung vom 01.03.2026");
    EXPECT_TRUE(npk1()->txtLaenge()->isVisible() && npk1()->calStart()->isHidden());
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    ASSERT_TRUE(fenster().istGeladen("frmMKEditor"));
    QWidget* planer = ui().fenster.fenster("frmMKEditor")->widget();
    EXPECT_EQ(forms::Tag(planer->findChild<QLabel*>("lblName")), "ID010320260800001234");
    EXPECT_EQ(app().rahmen.strFensterZeigen, "MKEditor");
}

TEST_F(WizardTest, KulturbaumNutztDenPlatzDerSeiteUndZeigtAbgeschnitteneNamen)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    groesse(1280, 1024);
    ArbeitsbereichAnordnen();
    NPKBaumAnsicht* t = npk1()->trvNPK();
    t->expandAll();
    QCoreApplication::processEvents();
    // every name in full, none to scroll to
    EXPECT_EQ(t->horizontalScrollBar()->maximum(), 0);
    for (QTreeWidgetItem* it : t->alle())
        EXPECT_LE(t->visualItemRect(it).right(), t->viewport()->width()) << it->text(0).toStdString();
    test::anordnungJetztPruefen(npk1(), "1280 x 1024");
    QTreeWidgetItem* kraeuter = t->itemVon("Ku1052");
    ASSERT_NE(kraeuter, nullptr);
    EXPECT_EQ(tipVon(t, kraeuter), ""); // shown in full: no tip

    // a name longer than the page has room for: its full text on hover
    const QString lang = "Küchenkräuter, einjährig, für Balkonkästen, Hochbeete und Töpfe auf der Fensterbank";
    sql::exec(app().db->cnKav(), "UPDATE KulturID SET Bezeichnung = ? WHERE KulturNr = 'Ku1052'", {lang});
    npk1()->baumFuellen();
    ArbeitsbereichAnordnen();
    ASSERT_NO_FATAL_FAILURE(baumKlick(t, "Ku1052"));
    kraeuter = t->itemVon("Ku1052");
    t->scrollToItem(kraeuter);
    t->horizontalScrollBar()->setValue(0);
    EXPECT_EQ(tipVon(t, kraeuter), lang);
    EXPECT_EQ(tipVon(t, t->itemVon("Ku1026")), ""); // "Blumenkohl"
}

// A resize lays out twice, first with the font of the new size and the page of the old one. Made as small
// as it goes and then brought to any size up to 2560 x 1600, the page ends each pass with every control on
// it and the value typed kept, beside the calendar and beside the bed.
TEST_F(WizardTest, JedeGroesseNachDerKleinstenEndetMitAllemAufDerSeite)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    for (const char* kultur : {"Ku1026", "Ku1090"}) {
        ASSERT_NO_FATAL_FAILURE(kulturWaehlen(kultur, {}, "12,5"));
        for (int i = 0; i < 49; ++i) {
            const QSize groesse(std::max(1, i % 7 * 2560 / 6), std::max(1, i / 7 * 1600 / 6));
            for (const QSize g : {QSize(1, 1), groesse}) {
                haupt->resize(g);
                haupt->timResize_Timer();
            }
            const std::string wo = std::string(kultur) + " " + std::to_string(groesse.width()) + "x"
                                   + std::to_string(groesse.height());
            EXPECT_EQ(ui().uebersprungeneAnweisungen, 0) << wo;
            for (const QWidget* w : npk1()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                EXPECT_TRUE(w->isHidden() || npk1()->rect().contains(w->geometry()))
                    << w->objectName().toStdString() << " " << wo;
        }
        EXPECT_EQ(npk1()->txtNmin()->text(), "12,5");
    }
}

// A date that does not exist, or a crop start outside one year before today (06.12.2026) to three years
// after it, is refused as a whole when its digit is typed: the message names it and says why, the date
// before stays, and the next date is typed afresh.
TEST_F(WizardTest, DatumDasEsNichtGibtGanzAbgewiesenMitMeldung)
{
    const QString probe = " Das Datum der Probennahme bleibt der 06.12.2026.";
    const QString kultur = " Der Kulturbeginn bleibt der 19.04.2027.";
    const QString bereich =
        "liegt außerhalb des möglichen Bereichs vom 06.12.2025 bis 06.12.2029 (ein Jahr vor bis drei Jahre nach heute).";
    const struct {
        bool kalender;
        const char* tasten;
        QString meldung;
    } faelle[] = {
        {false, "31.11", "Einen 31. November gibt es nicht: Der November hat 30 Tage." + probe},
        {false, "29.02.2023", "Einen 29. Februar 2023 gibt es nicht: 2023 ist kein Schaltjahr." + probe},
        {false, "32", "Einen Tag 32 gibt es in keinem Monat." + probe},
        {false, "1.13", "Einen Monat 13 gibt es nicht: Die Monate zählen von 1 bis 12." + probe},
        {true, "3104", "Einen 31. April gibt es nicht: Der April hat 30 Tage." + kultur},
        {true, "29022027", "Einen 29. Februar 2027 gibt es nicht: 2027 ist kein Schaltjahr." + kultur},
        {true, "01.01.2031", "Der Kulturbeginn 01.01.2031 " + bereich + kultur},
        {true, "5122025", "Der Kulturbeginn 5.12.2025 " + bereich + kultur},
    };
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    QDateEdit* feld = seite->dtpProbenahme();
    for (const auto& f : faelle) {
        if (f.kalender)
            continue;
        SCOPED_TRACE(f.tasten);
        feld->setFocus(Qt::TabFocusReason);
        QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
        protokoll.meldungen.clear();
        tasten(feld, f.tasten);
        EXPECT_EQ(gemeldet(protokoll), f.meldung.toStdString());
        EXPECT_EQ(feld->date(), QDate(2026, 12, 6));
        EXPECT_EQ(zeileVon(feld)->selectedText(), "06.12.2026"); // to be typed anew
        QTest::keyClick(feld, Qt::Key_Tab);
        EXPECT_EQ(feld->date(), QDate(2026, 12, 6));
    }
    feld->setFocus(Qt::TabFocusReason);
    tasten(feld, "31.11");
    tasten(feld, "30.11.2025");
    EXPECT_EQ(feld->date(), QDate(2025, 11, 30));

    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), ""));
    QWidget* kalender = npk1()->calStart()->focusProxy();
    const auto* zeile = npk1()->calStart()->findChild<QLabel*>("kavDatumGetippt");
    ASSERT_TRUE(kalender && zeile);
    kalender->setFocus();
    for (const auto& f : faelle) {
        if (!f.kalender)
            continue;
        SCOPED_TRACE(f.tasten);
        protokoll.meldungen.clear();
        tasten(kalender, f.tasten);
        EXPECT_EQ(gemeldet(protokoll), f.meldung.toStdString());
        EXPECT_EQ(npk1()->calStart()->selectedDate(), QDate(2027, 4, 19));
        EXPECT_FALSE(zeile->isVisible());
    }
    tasten(kalender, "31.11");
    tasten(kalender, "30.11.2027");
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    EXPECT_EQ(w().datKulturbeginn.date(), QDate(2027, 11, 30));
}

// In the sampling date a separator that begins no date leaves the focus in the box, a digit with the
// cursor inside the date is typed into the part there, and a date pasted is taken whole or refused
// saying why.
TEST_F(WizardTest, DatumsfeldTrennerZifferInDerMitteUndEinfuegen)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    QDateEdit* feld = seite->dtpProbenahme();
    feld->setFocus(Qt::TabFocusReason);
    for (const Qt::KeyboardModifiers mod : {Qt::ControlModifier, Qt::NoModifier}) {
        if (mod)
            QTest::keyClick(feld, Qt::Key_A, mod); // the whole text selected, else its first part
        QTest::keyClick(feld, '.');
        EXPECT_EQ(QApplication::focusWidget(), feld);
        EXPECT_EQ(feld->date(), QDate(2026, 12, 6));
    }
    const struct {
        int cursor;
        const char* tasten;
        QDate datum;
    } mitte[] = {{4, "5", QDate(2026, 5, 6)}, {8, "2025", QDate(2025, 12, 6)}};
    for (const auto& m : mitte) {
        SCOPED_TRACE(m.tasten);
        feld->setDate(QDate(2026, 12, 6));
        zeileVon(feld)->setCursorPosition(m.cursor);
        tasten(feld, m.tasten);
        EXPECT_EQ(feld->date(), m.datum);
    }
    const struct {
        const char* text;
        QDate datum;
        std::string meldung;
    } einfuegen[] = {
        {"1.1.2024", QDate(2024, 1, 1), ""},
        {"1.1.24", QDate(2024, 1, 1), probe(unfertig("1.1.24", kJahrKurz), QDate(2024, 1, 1))},
        {"1.1", QDate(2024, 1, 1), probe(unfertig("1.1", kOhneJahr), QDate(2024, 1, 1))},
    };
    for (const auto& e : einfuegen) {
        SCOPED_TRACE(e.text);
        protokoll.meldungen.clear();
        QGuiApplication::clipboard()->setText(e.text);
        QTest::keyClick(feld, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(feld->date(), e.datum);
        EXPECT_EQ(gemeldet(protokoll), e.meldung);
    }
}

// A date left unfinished is refused with the message its paste gets, however the box is left: the date
// before stays, a click that ended it does nothing more, and where the user stays in the box the date is
// selected, to be typed anew. Nothing typed, a date whole, or Escape: no word.
TEST_F(WizardTest, UnfertigesDatumAbgewiesenWieEingefuegtWieAuchImmerVerlassen)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    QDateEdit* feld = seite->dtpProbenahme();
    const auto taste = [&](Qt::Key k) { return [&, k] { QTest::keyClick(feld, k); }; };
    const struct {
        const char* wie;
        std::function<void()> verlassen;
        bool bleibtImFeld;
        const char *tasten, *fehlt; // fehlt: nullptr for no word
    } wege[] = {
        {"Tab", taste(Qt::Key_Tab), true, "010225", kJahrKurz},
        {"Return", taste(Qt::Key_Return), true, "01.02.202", kJahrKurz},
        {"Klick in den Baum", [&] { fensterKlick(trv->viewport(), sichtbar(knoten("Fl1002")).center()); }, true, "0102",
         kOhneJahr},
        {"Klick in das Datum", [&] { fensterKlick(zeileVon(feld)); }, true, "01.02.", kOhneJahr},
        {"Fokus woanders", [&] { seite->txtWert(3)->setFocus(); }, false, "1.1.24", kJahrKurz},
        {"Klick, Fokus zuerst", [&] { QTest::mouseClick(seite->txtWert(2), Qt::LeftButton); }, false, "010225", kJahrKurz},
        {"nichts getippt", taste(Qt::Key_Tab), false, "", nullptr},
        {"bis nichts zurück", taste(Qt::Key_Tab), false, "0102<<<<<", nullptr},
        {"ganzes Datum", taste(Qt::Key_Tab), false, "06.12.2026", nullptr},
        {"Escape", taste(Qt::Key_Escape), true, "0102", nullptr},
    };
    for (const auto& w : wege) {
        SCOPED_TRACE(w.wie);
        feld->clearFocus();
        feld->setFocus(Qt::TabFocusReason);
        tasten(feld, w.tasten);
        const QString gezeigt = feld->text();
        protokoll.meldungen.clear();
        w.verlassen();
        QCoreApplication::processEvents();
        EXPECT_EQ(gemeldet(protokoll), w.fehlt ? probe(unfertig(gezeigt, w.fehlt)) : "");
        EXPECT_EQ(feld->text(), "06.12.2026");
        EXPECT_EQ(trv->currentItem(), knoten("Fl1001")); // the click did nothing more
        EXPECT_EQ(QApplication::focusWidget() == feld, w.bleibtImFeld);
        if (w.bleibtImFeld) {
            EXPECT_EQ(zeileVon(feld)->selectedText(), "06.12.2026");
        }
    }
    // another window in front and back again leaves the typing as it is: typed on, taken without a word
    feld->setFocus(Qt::TabFocusReason);
    tasten(feld, "01.02.");
    protokoll.meldungen.clear();
    QWidget anderes;
    anderes.show();
    ASSERT_NO_FATAL_FAILURE(test::aktivieren(&anderes));
    ASSERT_NO_FATAL_FAILURE(test::aktivieren(haupt.get()));
    tasten(feld, "2026");
    EXPECT_EQ(gemeldet(protokoll), "");
    EXPECT_EQ(feld->date().toString(Qt::ISODate).toStdString(), "2026-02-01");
}

// The message of a date left unfinished in a real message box: shown once, whatever the box takes
// from the focus, however the date was left; the date before stays.
TEST_F(WizardTest, UnfertigesDatumEineMeldungOhneFokusPingPong)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    QDateEdit* feld = seite->dtpProbenahme();
    struct Boxen : MeldungsAnzeige {
        int anzahl = 0;
        void zeige(const Meldung& m) override
        {
            ++anzahl;
            QTimer::singleShot(50, [] { // answered as the user does, once the box is up
                if (QWidget* box = QApplication::activeModalWidget())
                    box->close();
            });
            MeldungsBox(ui().haupt.data()).zeige(m);
        }
    } boxen;
    app().anzeige = &boxen;
    const std::function<void()> wege[] = {
        [&] { QTest::keyClick(feld, Qt::Key_Tab); },
        [&] { fensterKlick(seite->txtWert(2)); },
        [&] { seite->txtWert(3)->setFocus(); },
        [&] { fensterKlick(seite->cmbSpeichern()); },
    };
    for (size_t i = 0; i < std::size(wege); ++i) {
        SCOPED_TRACE(i);
        ASSERT_NO_FATAL_FAILURE(test::aktivieren(haupt.get()));
        feld->setFocus(Qt::TabFocusReason);
        tasten(feld, "010225");
        boxen.anzahl = 0;
        wege[i]();
        // the box came and was answered; what its closing sets off (the focus back, a box again)
        // is delivered within a few rounds of the event loop
        ASSERT_TRUE(QTest::qWaitFor([&] { return boxen.anzahl > 0 && !QApplication::activeModalWidget(); }, 10000));
        for (int runde = 0; runde < 5; ++runde)
            QCoreApplication::processEvents();
        EXPECT_EQ(boxen.anzahl, 1);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(feld->date(), QDate(2026, 12, 6));
    }
    app().anzeige = &protokoll;
}

// A date that does not exist comes into the box by no road: a part typed alone (the cursor in it or
// the part selected) or a paste by Ctrl+V, Shift+Insert or the context menu's "Einfügen" is refused at
// once with the message the whole date typed gets, the date before kept and selected. A part typed alone
// into a date that exists is taken with the others; Backspace or Delete empty the part, left so silently.
TEST_F(WizardTest, DatumDasEsNichtGibtAufKeinemWeg)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    QDateEdit* feld = seite->dtpProbenahme();
    const QString februar31 = "Einen 31. Februar gibt es nicht: Der Februar hat höchstens 29 Tage.";
    const QString schaltjahr = "Einen 29. Februar 2023 gibt es nicht: 2023 ist kein Schaltjahr.";
    const auto monat = [&] { zeileVon(feld)->setCursorPosition(4); };
    const auto jahr = [&] { feld->setSelectedSection(QDateTimeEdit::YearSection); };
    const struct {
        QDate vorher;
        std::function<void()> teil; // the cursor or the selection put into it
        const char* tasten;
        QString gezeigt, warum;
    } teile[] = {
        {QDate(2024, 1, 31), monat, "02", "31.01.2024", februar31},
        {QDate(2024, 2, 29), jahr, "2023", "29.02.2024", schaltjahr},
        {QDate(2024, 2, 29), jahr, "202\t", "29.02.2024", unfertig("29.02.202", kJahrKurz)},
        {QDate(2024, 1, 15), monat, "12", "15.12.2024", ""},
        {QDate(2024, 1, 15), [&] { feld->setSelectedSection(QDateTimeEdit::MonthSection); }, "32025", "15.03.2025", ""},
        {QDate(2024, 1, 15), monat, "<", "15..2024", ""},
        {QDate(2024, 1, 15), monat, ">", "15..2024", ""},
        {QDate(2024, 1, 15), monat, "<\t", "15.01.2024", ""},
    };
    for (const auto& t : teile) {
        SCOPED_TRACE(std::string(t.tasten) + " in " + t.vorher.toString(Qt::ISODate).toStdString());
        feld->setFocus();
        feld->setDate(t.vorher);
        t.teil();
        protokoll.meldungen.clear();
        tasten(feld, t.tasten);
        EXPECT_EQ(feld->text(), t.gezeigt);
        EXPECT_EQ(gemeldet(protokoll), probe(t.warum, t.vorher));
        if (!t.warum.isEmpty()) {
            EXPECT_EQ(zeileVon(feld)->selectedText(), t.gezeigt); // to be typed anew
        }
    }

    const std::pair<const char*, std::function<void()>> wege[] = {
        {"Ctrl+V", [&] { QTest::keyClick(feld, Qt::Key_V, Qt::ControlModifier); }},
        {"Shift+Einfg", [&] { QTest::keyClick(feld, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"Kontextmenü", [&] { ASSERT_NO_FATAL_FAILURE(perMenueEinfuegen(feld)); }},
    };
    const std::pair<const char*, QString> eingefuegt[] = {
        {"31.02.2024", februar31}, {"29.02.2023", schaltjahr}, {" 15.03.2026\n", ""}};
    for (const auto& [wie, einfuegen] : wege) {
        for (const auto& [text, warum] : eingefuegt) {
            SCOPED_TRACE(std::string(wie) + " " + text);
            feld->setDate(QDate(2024, 3, 31));
            QGuiApplication::clipboard()->setText(text);
            protokoll.meldungen.clear();
            einfuegen();
            EXPECT_EQ(feld->text(), warum.isEmpty() ? "15.03.2026" : "31.03.2024");
            EXPECT_EQ(gemeldet(protokoll), probe(warum, QDate(2024, 3, 31)));
        }
    }
}

// The crop's calendar: a date typed and left unfinished, by the focus set elsewhere, Return or a click
// anywhere, is refused with the message its paste gets (Escape drops it without a word); the day chosen
// stays, the click does nothing more, and what is typed next is a date of its own ("5.03.2027" is the
// 5th, not the 15th). Ctrl+V and Shift+Insert choose a date pasted whole, or refuse it saying why.
TEST_F(WizardTest, KalenderTippenEndetBeimVerlassenUndNimmtEingefuegtes)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), ""));
    QCalendarWidget* k = npk1()->calStart();
    QWidget* kalender = k->focusProxy();
    const auto* zeile = k->findChild<QLabel*>("kavDatumGetippt");
    ASSERT_TRUE(kalender && zeile);
    const struct {
        const char* wie;
        std::function<void()> verlassen;
        bool fokusBleibt, meldet;
    } wege[] = {
        {"Fokus woanders", [&] { npk1()->txtNmin()->setFocus(); }, false, true},
        {"Klick in das Nmin-Feld", [&] { fensterKlick(npk1()->txtNmin()); }, true, true},
        {"Klick auf Weiter", [&] { fensterKlick(npk1()->cmbNext()); }, true, true},
        {"Klick auf einen Tag", [&] { fensterKlick(kalender, kalender->rect().center()); }, true, true},
        {"Return", [&] { QTest::keyClick(kalender, Qt::Key_Return); }, true, true},
        {"Escape", [&] { QTest::keyClick(kalender, Qt::Key_Escape); }, true, false},
    };
    for (const auto& w : wege) {
        SCOPED_TRACE(w.wie);
        k->setSelectedDate(QDate(2027, 4, 19));
        kalender->setFocus();
        tasten(kalender, "1");
        protokoll.meldungen.clear();
        w.verlassen();
        QCoreApplication::processEvents();
        ASSERT_NE(npk1(), nullptr);
        EXPECT_EQ(gemeldet(protokoll), w.meldet ? "Das Datum „1“ ist unvollständig: Es fehlen Monat und Jahr (TT.MM.JJJJ). "
                                                  "Der Kulturbeginn bleibt der 19.04.2027." : "");
        EXPECT_EQ(k->selectedDate(), QDate(2027, 4, 19));
        EXPECT_FALSE(zeile->isVisible());
        EXPECT_EQ(QApplication::focusWidget() == kalender, w.fokusBleibt);
        kalender->setFocus();
        tasten(kalender, "5.03.2027");
        QTest::keyClick(kalender, Qt::Key_Return);
        EXPECT_EQ(k->selectedDate(), QDate(2027, 3, 5));
    }

    for (const auto& [taste, mod] :
         {std::pair{Qt::Key_V, Qt::ControlModifier}, std::pair{Qt::Key_Insert, Qt::ShiftModifier}}) {
        SCOPED_TRACE(int(taste));
        k->setSelectedDate(QDate(2027, 4, 19));
        protokoll.meldungen.clear();
        for (const char* text : {" 15.03.2026\n", "31.02.2027"}) {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(kalender, taste, mod);
        }
        EXPECT_EQ(w().datKulturbeginn.date(), QDate(2026, 3, 15));
        EXPECT_EQ(npk1()->lblCal()->text(), "März 2026");
        EXPECT_EQ(gemeldet(protokoll), "Einen 31. Februar gibt es nicht: Der Februar hat höchstens 29 Tage. Der "
                                       "Kulturbeginn bleibt der 15.03.2026.");
    }
}

// "Einen Monat zurück" and "Einen Monat weiter" stop at the ends of the crop start's range (one year
// before today, 06.12.2026, to three years after it), and the month line always names the month shown.
TEST_F(WizardTest, MonatsknoepfeHaltenAnDenEndenUndDieZeileNenntDenMonat)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(), ""));
    const QCalendarWidget* k = npk1()->calStart();
    const QLocale deutsch(QLocale::German);
    const std::tuple<QToolButton*, int, QDate> richtungen[] = {{npk1()->cmbPrevious(), 14, QDate(2025, 12, 6)},
                                                                {npk1()->cmbForward(), 50, QDate(2029, 12, 6)}};
    for (const auto& [knopf, mal, ende] : richtungen) {
        for (int i = 0; i < mal; ++i) {
            QTest::mouseClick(knopf, Qt::LeftButton);
            const QString monat = deutsch.toString(k->selectedDate(), "MMMM yyyy");
            ASSERT_EQ(npk1()->lblCal()->text(), monat) << i;
            ASSERT_EQ(deutsch.toString(QDate(k->yearShown(), k->monthShown(), 1), "MMMM yyyy"), monat) << i;
        }
        EXPECT_EQ(k->selectedDate(), ende);
    }
}

// The line of a date typed in the crop's calendar takes a row of its own under the weeks at every window
// size, and goes when Backspace takes the typing back to nothing.
TEST_F(WizardTest, KalenderzeileUeberdecktKeineWoche)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 3, 31), "")); // the 31st in the sixth row
    QCalendarWidget* k = npk1()->calStart();
    const auto* zeile = k->findChild<QLabel*>("kavDatumGetippt");
    ASSERT_NE(zeile, nullptr);
    for (const QSize g : test::pruefgroessen()) {
        const std::string wo = std::to_string(g.width()) + " x " + std::to_string(g.height());
        test::hauptfensterGroesse(g);
        ArbeitsbereichAnordnen();
        k->focusProxy()->setFocus();
        QTest::keyClick(k->focusProxy(), '1');
        EXPECT_TRUE(zeile->isVisible()) << wo;
        test::anordnungJetztPruefen(npk1(), wo + ", getippt");
        QTest::keyClick(k->focusProxy(), Qt::Key_Backspace);
        EXPECT_FALSE(zeile->isVisible()) << wo;
        test::anordnungJetztPruefen(npk1(), wo + ", zurückgenommen");
        QTest::keyClick(k->focusProxy(), Qt::Key_Escape);
    }
}

// Whatever side the layout gives the calendar's frame (no number, 0, below its rows, any size), the
// calendar keeps its smallest size in the font it settles on; the frame of a side is wider than high only
// where even the smallest font is too wide: a calendar too wide in the page's font takes a smaller one.
TEST_F(WizardTest, KalenderSchriftUndGroesseBeiJederSeite)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), ""));
    Anordnung a(*haupt, ui().fenster, app(), 14);
    std::vector<double> seiten = {std::nan(""), -3000, 0, 1};
    for (double s = 500; s <= 15000; s += 250)
        seiten.push_back(s);
    bool kleiner = false;
    for (const double seitenlaenge : seiten) {
        SCOPED_TRACE(seitenlaenge);
        npk1()->kalenderEinpassen(a, seitenlaenge);
        const QCalendarWidget* k = npk1()->calStart();
        const QSize mindest = forms::kalenderMindestgroesse(k);
        EXPECT_GE(k->height(), mindest.height());
        EXPECT_GE(k->width(), mindest.width());
        const double schrift = k->font().pointSizeF();
        const bool quadrat = npk1()->shpCal()->width() <= npk1()->shpCal()->height() + 1; // the pixels rounded
        EXPECT_TRUE(quadrat || schrift == 6 || std::isnan(seitenlaenge)) << schrift;
        kleiner = kleiner || (schrift > 6 && schrift < 14);
    }
    EXPECT_TRUE(kleiner) << "keine Seite, bei der eine kleinere Schrift passt";
}

// The crop already chosen, chosen again by a click, a double click or Space on it or on one of its
// single crops: what is typed for it stays, the Nmin unit too.
TEST_F(WizardTest, DieselbeKulturNochmalGewaehltBehaeltDasGetippte)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    NPKBaumAnsicht* t = npk1()->trvNPK();
    const std::tuple<QString, QString, QLineEdit*, const char*> faelle[] = {
        {"Ku1025", "Ku1025", npk1()->txtNmin(), "80"}, // Kohlrabi
        {"Ku1012", "Ku1091", npk1()->txtNmin(), "80"}, // Pflücksalat under Schnitt- und Pflücksalate
        {kNeueMischkultur, kNeueMischkultur, npk1()->txtLaenge(), "3"}};
    for (const auto& [key, nochmal, box, text] : faelle) {
        SCOPED_TRACE(nochmal.toStdString());
        ASSERT_NO_FATAL_FAILURE(baumKlick(t, key));
        tippen(box, text);
        npk1()->comNmin()->setFocus();
        QTest::keyClick(npk1()->comNmin(), Qt::Key_Down); // the second unit
        ASSERT_EQ(npk1()->comNmin()->currentIndex(), 1);
        ASSERT_NO_FATAL_FAILURE(baumKlick(t, nochmal));
        const QPoint p = t->visualItemRect(t->itemVon(nochmal)).center();
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, p);
        QTest::keyClick(t, Qt::Key_Space);
        EXPECT_EQ(box->text().toStdString(), text);
        EXPECT_EQ(npk1()->comNmin()->currentIndex(), 1);
    }
}

// The Nmin caption with the keyboard: its focus mark covers nothing of the page but its second line,
// in a crop's form and in a mixed culture's, at every window size.
TEST_F(WizardTest, FokusDerNminBeschriftungLaesstDieBoxFrei)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    for (const QString& key : {QStringLiteral("Ku1026"), kNeueMischkultur}) {
        ASSERT_NO_FATAL_FAILURE(baumKlick(npk1()->trvNPK(), key));
        for (const QSize& g : test::pruefgroessen()) {
            groesse(g.width(), g.height());
            ArbeitsbereichAnordnen();
            ASSERT_NO_FATAL_FAILURE(test::tabBis(npk1()->lblNmin(0)));
            const QWidget* ring = haupt->findChild<QWidget*>("kavFokusrahmen");
            ASSERT_TRUE(ring && ring->isVisible());
            for (const QWidget* w : npk1()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (w->isVisible() && w != npk1()->lblNmin(0) && w != npk1()->lblNmin(1)) {
                    const QRect r(w->mapTo(ring->parentWidget(), QPoint(0, 0)), w->size());
                    EXPECT_FALSE(ring->geometry().intersects(r)) << w->objectName().toStdString() << " " << g.width();
                }
        }
    }
}

} // namespace
