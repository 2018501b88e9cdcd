// The crop step on a started program as the gardener types and reads it: the area with at most two
// decimals and only within the range of a plot, the bed likewise, the Nmin value shown as typed, and
// the crop tree with the room the page has and the full name of a cut node on hover; a resize from
// the smallest window to any size that ends with every control on the page; the Nmin value within its
// unit's range; the dates typed here and on the analysis page.
#include "wizardfixture.h"

#include <QDateEdit>
#include <QScrollBar>
#include <QToolTip>

using namespace kav;

namespace {

using test::WizardTest;

QString lesbar(QString t) { return t.replace(QChar(0x00A0), QLatin1Char(' ')); }

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
    const auto tasten = [](QWidget* w, const char* t) {
        for (; *t; ++t)
            QTest::keyClick(w, *t);
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

    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), ""));
    QWidget* kalender = npk1()->calStart()->focusProxy();
    ASSERT_NE(kalender, nullptr);
    kalender->setFocus();
    for (const auto& [getippt, datum] : faelle) {
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

} // namespace
