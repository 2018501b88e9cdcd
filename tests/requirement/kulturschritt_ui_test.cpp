// The crop step on a started program as the gardener types and reads it: the area with at most two
// decimals and only within the range of a plot, the bed likewise, the Nmin value shown as typed, and
// the crop tree with the room the page has and the full name of a cut node on hover; a resize from
// the smallest window to any size that ends with every control on the page; the Nmin value within its
// unit's range; the dates typed here and on the analysis page.
#include "tastatur.h"

#include "anordnungspruefung.h"
#include "frame/anordnung.h"
#include "platform/datumsfeld.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QDateEdit>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolTip>

using namespace kav;

namespace {

using test::WizardTest;

QString lesbar(QString t) { return t.replace(QChar(0x00A0), QLatin1Char(' ')); }

QLineEdit* zeileVon(QDateEdit* feld) { return feld->findChild<QLineEdit*>(); }

void tasten(QWidget* w, const char* t)
{
    for (; *t; ++t)
        QTest::keyClick(w, *t);
}

// The tip that resting the mouse on `item` shows; empty when none shows.
QString tipVon(NPKBaumAnsicht* t, QTreeWidgetItem* item)
{
    QToolTip::hideText();
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
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
// whole text) or into the crop's calendar, with or without the points, is the date typed; Backspace
// takes it back to nothing and the date typed then is taken the same way.
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
        EXPECT_EQ(protokoll.texte(), QStringList{f.meldung});
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
        EXPECT_EQ(protokoll.texte(), QStringList{f.meldung});
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
        QString meldung;
    } einfuegen[] = {
        {"1.1.2024", QDate(2024, 1, 1), ""},
        {"1.1.24", QDate(2024, 1, 1),
         "Das Datum „1.1.24“ ist unvollständig: Das Jahr braucht vier Ziffern (TT.MM.JJJJ). Das Datum der "
         "Probennahme bleibt der 01.01.2024."},
        {"1.1", QDate(2024, 1, 1),
         "Das Datum „1.1“ ist unvollständig: Es braucht Tag, Monat und Jahr in der Form TT.MM.JJJJ. Das Datum der "
         "Probennahme bleibt der 01.01.2024."},
    };
    for (const auto& e : einfuegen) {
        SCOPED_TRACE(e.text);
        protokoll.meldungen.clear();
        QGuiApplication::clipboard()->setText(e.text);
        QTest::keyClick(feld, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(feld->date(), e.datum);
        EXPECT_EQ(protokoll.texte().join(""), e.meldung);
    }
}

// A date half typed ("15.0") and left by a click elsewhere, by the focus set elsewhere or by a click
// into the box gives way to the date before, and the next digit typed begins a date afresh.
TEST_F(WizardTest, HalbGetipptesDatumWeichtBeimVerlassen)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    QDateEdit* feld = seite->dtpProbenahme();
    const std::function<void()> verlassen[] = {
        [&] { QTest::mouseClick(seite->txtWert(2), Qt::LeftButton); },
        [&] { seite->txtWert(3)->setFocus(); },
        [&] { QTest::mouseClick(zeileVon(feld), Qt::LeftButton); },
    };
    for (size_t i = 0; i < std::size(verlassen); ++i) {
        SCOPED_TRACE(i);
        feld->clearFocus();
        feld->setFocus(Qt::TabFocusReason);
        tasten(feld, "15.0");
        ASSERT_EQ(feld->text(), "15.0");
        verlassen[i]();
        EXPECT_EQ(feld->text(), "06.12.2026");
        EXPECT_EQ(feld->date(), QDate(2026, 12, 6));
        feld->clearFocus();
        feld->setFocus(Qt::TabFocusReason);
        tasten(feld, "2");
        EXPECT_EQ(feld->text(), "2");
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
