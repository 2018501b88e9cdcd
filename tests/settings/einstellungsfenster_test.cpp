// The settings window driven through its controls on the started program.
#include "einstellungsfixture.h"
#include "settings/optionen.h"
#include "plots/frmflaeche.h"

#include "platform/settingsstore.h"
#include "services/datenbanken.h"
#include "services/server.h"
#include "services/sql.h"
#include "testhelpers.h"

#include <QClipboard>

using namespace kav;
using test::EinstellungsTest;

TEST_F(EinstellungsTest, ZeigtDieEinstellungenUndKlicksSetzenSie)
{
    Einstellungen& e = app().einstellungen;
    e.blnImmerOptimal = true;
    e.strUpdatebeiStart = "wahr"; // not exactly "Wahr": off
    e.intDS = 30;
    haupt->move(40, 30);
    frmEinstellungen* f = einstellungen();
    EXPECT_EQ(app().rahmen.strAktivesFenster, "frmEinstellungen");
    EXPECT_TRUE(mittig(f, haupt.get()));
    EXPECT_EQ(QStringList({f->imgOptimal(0)->schluessel(), f->imgOptimal(1)->schluessel(), forms::Tag(f->imgUpdate()),
                           forms::Tag(f->imgSQL()), f->txtIntervall()->text()}),
              QStringList({"opb1", "opb0", "0", "0", "30"}));
    EXPECT_TRUE(forms::FontBold(f->txtStrip1()) && !f->pcbStrip1()->isHidden() && f->pcbStrip2()->isHidden());

    // each click (label and picture alike) and what holds afterwards
    klick(f->txtStrip2());
    const struct { QWidget* w; bool optimal; const char* update; const char* sql; } klicks[] = {
        {f->imgOptimal(1), false, "wahr", "Falsch"}, {f->lblOptimal(0), true, "wahr", "Falsch"},
        {f->lblUpdate(), true, "Wahr", "Falsch"},    {f->imgUpdate(), true, "Falsch", "Falsch"},
        {f->imgSQL(), true, "Falsch", "Wahr"},       {f->lblSQL(), true, "Falsch", "Falsch"},
        {f->lblUpdate(), true, "Wahr", "Falsch"},    {f->imgSQL(), true, "Wahr", "Wahr"},
    };
    for (const auto& k : klicks) {
        klick(k.w);
        EXPECT_TRUE(e.blnImmerOptimal == k.optimal && app().bedarf.blnOptimal == k.optimal) << k.w->objectName().toStdString();
        EXPECT_EQ(QStringList({e.strUpdatebeiStart, e.strDatenAufServer, f->imgOptimal(0)->schluessel(), f->imgSQL()->schluessel()}),
                  QStringList({k.update, k.sql, k.optimal ? "opb1" : "opb0", optionFuer(k.sql).bild}));
    }

    QTest::keyClick(f->pcbStrip2(), Qt::Key_F1);
    EXPECT_EQ(hilfeFenster()->thema(), "Einstellungen.htm");
    f->close();
    EXPECT_TRUE(app().rahmen.strAktivesFenster.isEmpty());
    // the focus back to the main window
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == haupt.get(); }, 10000));
    haupt->MDIForm_Unload();
    starten(); // the next run reads what the shutdown stored
    const Einstellungen& n = app().einstellungen;
    EXPECT_TRUE(n.blnImmerOptimal && n.strUpdatebeiStart == "Wahr" && n.strDatenAufServer == "Wahr" && n.intDS == 30);
    // the update the start set off runs in this test, not in the next one (no server here)
    protokoll.meldungen.clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(protokoll.texte(), QStringList{"Um die Daten zu aktualisieren, benötigen Sie eine aktive Internetverbindung."});
}

TEST_F(EinstellungsTest, WeitergebenVerstecktDieEinzelnenSendeknoepfe)
{
    // any loaded page with the crop step's name and button follows the option
    fenster().klasseAnmelden("frmNPK1", [] {
        auto* s = new Seite("frmNPK1", "NPK1", Seite::Platz::UnterTitel);
        (new QToolButton(s))->setObjectName("cmbSenden");
        return s;
    });
    const auto senden = [this] { return fenster().fenster("frmNPK1")->widget()->findChild<QWidget*>("cmbSenden"); };
    fenster().zeigen("frmNPK1");
    frmEinstellungen* f = einstellungen();
    klick(f->txtStrip2());
    for (const bool an : {true, false, true}) {
        klick(f->imgSQL());
        EXPECT_TRUE(seite->cmbSpeichern()->isHidden() == an && senden()->isHidden() == an);
        EXPECT_FALSE(seite->cmbSpeichern()->isVisible() && seite->cmbSpeichern()->geometry().intersects(seite->cmbSenden()->geometry()));
    }
    fenster().entladen("frmNPK1"); // a page opened later is laid out hidden
    fenster().zeigen("frmNPK1");
    EXPECT_TRUE(senden()->isHidden());
}

TEST_F(EinstellungsTest, IntervallNimmtNurBisZuZweiZiffern)
{
    int& tage = app().einstellungen.intDS;
    tage = 150; // from an edited settings file: shown as it is held
    frmEinstellungen* f = einstellungen();
    klick(f->txtStrip2());
    QLineEdit* t = f->txtIntervall();
    EXPECT_EQ(t->text(), "150");
    t->setFocus();
    QTest::keyClick(t, Qt::Key_9); // no more than the number shown
    EXPECT_TRUE(t->text() == "150" && tage == 150);
    tippen(t, "7");
    EXPECT_EQ(tage, 7);
    QTest::keyClick(t, Qt::Key_Backspace);
    EXPECT_TRUE(tage == 14 && t->text().isEmpty());
    QTest::keyClicks(t, "1a2,3"); // letters beep, the third digit does not fit
    EXPECT_TRUE(piepser == 2 && t->text() == "12" && tage == 12);
    for (const char* text : {"1a", "123", " 5"}) {
        t->selectAll();
        QApplication::clipboard()->setText(text);
        t->paste();
        EXPECT_TRUE(t->text() == "12" && tage == 12) << text;
    }
}

TEST_F(EinstellungsTest, KnoepfeLeuchtenBisDieMausUeberIhreSeiteGeht)
{
    frmEinstellungen* f = einstellungen();
    klick(f->txtStrip2());
    const QColor hell(220, 220, 220);
    maus(f->cmbRepair());
    maus(f->cmdDatenSenden());
    f->pcbStrip_MouseMove(1); // the other page's box leaves them lit
    EXPECT_TRUE(forms::BackColor(f->cmbRepair()) == hell && forms::BackColor(f->cmdDatenSenden()) == hell);
    maus(f->pcbStrip2(), QPoint(3, 3));
    for (QPushButton* b : {f->cmbRepair(), f->cmbUpdate(), f->cmdDatenSenden(), f->cmbHintergrund()})
        EXPECT_EQ(forms::BackColor(b), QColor(188, 188, 188)) << b->objectName().toStdString();
}

// Something in the way of the restore, the only backup too (a folder or a named pipe at Daten.PVQ, a
// folder at the restore's mark): named at once, no question asked, nothing changed. Else the question
// first, and only "Ja" restores.
TEST_F(EinstellungsTest, WiederherstellenFragtErstUndLaedtDieSeiteNeu)
{
    frmEinstellungen* f = einstellungen();
    EXPECT_EQ(f->cmbRepair()->text(), "Letzte Datensicherung wiederherstellen");
    f->cmbRepair()->click();
    EXPECT_EQ(protokoll.texte(), QStringList{kKeineSicherung});
    const auto dateien = [] {
        QByteArrayList b;
        for (const QString& p : {app().db->strPfadKav(), app().db->strPfadDaten(), app().db->sicherungKav(), app().db->sicherungDaten()})
            b << (Dateisystem::art(p) == Dateisystem::Art::Datei ? test::inhalt(p) : QByteArray("keine Datei")); // a pipe is not opened
        return b;
    };
    const QString daten = app().db->sicherungDaten(), marke = app().ordner.daten() + "/Wiederherstellung.laeuft";
    const QString sicherung = "An der Stelle der Sicherungsdatei Daten.PVQ liegt %1. Was dort liegt, liest das Programm "
                              "nicht. Bitte entfernen Sie „Sicherungsdateien/Daten.PVQ“.";
    ASSERT_TRUE(QDir().mkpath(app().ordner.sicherungen()));
    enum { Ordner, Rohr };
    // `gesichert`: with a backup pair (Daten.PVQ set aside meanwhile)
    const struct { QString pfad; int art; bool gesichert; QString grund; } faelle[] = {
        {daten, Ordner, false, sicherung.arg("ein Ordner")},
        {daten, Rohr, false, sicherung.arg("etwas, das keine Datei ist")},
        {daten, Rohr, true, sicherung.arg("etwas, das keine Datei ist")},
        {marke, Ordner, true,
         "An der Stelle „Daten/Wiederherstellung.laeuft“, an der Kav während einer Wiederherstellung der Datensicherung "
         "ihre Markierung ablegt, liegt ein Ordner. Was dort liegt, liest das Programm nicht, und solange es dort liegt, "
         "wird keine Sicherung gemacht oder wiederhergestellt. Bitte entfernen Sie „Daten/Wiederherstellung.laeuft“."},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(testing::Message() << fall.pfad.toStdString() << " " << fall.art << " " << fall.gesichert);
        if (fall.gesichert && !QFile::exists(app().db->sicherungKav())) {
            app().einstellungen.intDS = 0;
            ASSERT_TRUE(app().db->DatenSichern());
        }
        const QString beiseite = daten + ".beiseite";
        ASSERT_TRUE(fall.pfad != daten || !fall.gesichert || QFile::rename(daten, beiseite));
        if (fall.art == Ordner) {
            ASSERT_TRUE(QDir().mkdir(fall.pfad));
        } else {
            ASSERT_NO_FATAL_FAILURE(test::fremdesAnlegen(fall.pfad, test::Fremd::Rohr));
        }
        const QByteArrayList vorher = dateien();
        protokoll.meldungen.clear();
        test::Frage frage;
        antworten(QMessageBox::Yes, &frage);
        f->cmbRepair()->click();
        QCoreApplication::processEvents(); // the answer given to a question, if one came
        EXPECT_FALSE(frage.gesehen) << frage.text.toStdString();
        EXPECT_EQ(protokoll.texte(), QStringList{wiederherstellenFehler(fall.grund, true)});
        EXPECT_EQ(dateien(), vorher);
        EXPECT_EQ(Dateisystem::art(fall.pfad), fall.art == Ordner ? Dateisystem::Art::Ordner : Dateisystem::Art::KeineDatei);
        ASSERT_TRUE(QFile::remove(fall.pfad) || QDir().rmdir(fall.pfad));
        ASSERT_TRUE(!QFile::exists(beiseite) || QFile::rename(beiseite, daten));
    }
    protokoll.meldungen.clear();
    klicken("Fl1000");
    flaeche("Fl1001", "Beet nach der Sicherung");

    const QByteArrayList vorher = dateien();
    app().einstellungen.datLetztesUpdate = QDateTime(QDate(2026, 11, 2), QTime(0, 0));
    test::Frage frage;
    antworten(QMessageBox::No, &frage);
    f->cmbRepair()->click();
    EXPECT_EQ(frage.text, wiederherstellenFrage("06.12.2026 um 09:00 Uhr"));
    EXPECT_TRUE(frage.standard == QMessageBox::No && frage.beschriftungen == QStringList({"Ja", "Nein"}));
    EXPECT_EQ(dateien(), vorher); // not a byte changed
    EXPECT_EQ(anzahl("FlaechenID"), 2);

    antworten(QMessageBox::Yes);
    f->cmbRepair()->click();
    EXPECT_EQ(protokoll.texte().last(), "Gesicherte Dateien wurden wiederhergestellt.");
    EXPECT_EQ(dateien().mid(0, 2), vorher.mid(2, 2)); // both files are the backups
    // the next update fetches everything again, even if this run ends in a crash
    EXPECT_EQ(SettingsStore(ini()).RegistryWertLesen(schluessel::datenbank, "datLetztesUpdate"), "11.02.2010");
    EXPECT_TRUE(app().bedarf.strAktFlaechenNr.isEmpty());
    frmAnalysenWerte* neu = analysenSeite(); // the page anew, from the restored file
    ASSERT_NE(neu, nullptr);
    EXPECT_TRUE(neu->trvFlaechen()->itemVon("Fl1000") && !neu->trvFlaechen()->itemVon("Fl1001"));

    app().rahmen.blnUpdateLaeuft = true;
    EXPECT_TRUE(QTest::qWaitFor([f] { return !f->cmbRepair()->isEnabled(); }, 10000));
}

TEST_F(EinstellungsTest, AktualisierenUndSendenRufenDenAustausch)
{
    frmEinstellungen* f = einstellungen();
    sql::exec(app().db->cnDaten(), "INSERT INTO Nmin (FlaechenNr, Nmin, Einheit, Datum) VALUES ('Fl1000', 12, 1, '2026-03-10')");
    // no server in Server.ini: each button says so under its own title, and nothing is tried;
    // a server that cannot be reached: the exchange says so, the upload under its own title too
    const QString keiner = "ist kein Server eingerichtet: In der Datei „Server.ini“ im Programmordner steht keine Serveradresse.";
    const struct { bool eingerichtet; QPushButton* knopf; const char* titel; QString text; } faelle[] = {
        {false, f->cmbUpdate(), "Humavera - Daten aktualisieren", "Für die Aktualisierung " + keiner + " Die Daten wurden nicht aktualisiert."},
        {false, f->cmdDatenSenden(), "Humavera - Datenübertragung", "Für das Senden " + keiner + " Die Analysen und Nmin-Werte wurden nicht gesendet."},
        {true, f->cmbUpdate(), "Humavera - Daten aktualisieren", "Um die Daten zu aktualisieren, benötigen Sie eine aktive Internetverbindung."},
        {true, f->cmdDatenSenden(), "Humavera - Datenübertragung", "Um die Daten zu übertragen, benötigen Sie eine aktive Internetverbindung."},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.text.toStdString());
        ServerConfig cfg;
        if (fall.eingerichtet) {
            cfg.host = "127.0.0.1";
            cfg.port = test::geschlossenerPort();
        }
        app().server = std::make_unique<Server>(cfg);
        protokoll.meldungen.clear();
        fall.knopf->click();
        ASSERT_EQ(protokoll.meldungen.size(), 1);
        EXPECT_EQ(protokoll.meldungen[0].titel, fall.titel);
        EXPECT_EQ(protokoll.meldungen[0].text, fall.text);
        EXPECT_FALSE(fenster().istGeladen("frmUpdate"));
    }

    QStringList gerufen;
    ui().datenJetztAktualisieren = {};
    ui().datenSenden = {};
    protokoll.meldungen.clear();
    for (int i = 0; i < 2; ++i) { // first with nothing built in: the user is told
        f->cmbUpdate()->click();
        f->cmdDatenSenden()->click();
        ui().datenJetztAktualisieren = [&] { gerufen << "Aktualisieren"; };
        ui().datenSenden = [&] { gerufen << "Senden"; };
    }
    EXPECT_EQ(gerufen, QStringList({"Aktualisieren", "Senden"}));
    EXPECT_EQ(protokoll.meldungen.size(), 2);
}

TEST_F(EinstellungsTest, NichtsUeberdecktOderAbgeschnitten)
{
    frmEinstellungen* f = einstellungen();
    EXPECT_FALSE(f->txtStrip1()->geometry().intersects(f->txtStrip2()->geometry()));
    for (QWidget* s : {f->pcbStrip1(), f->pcbStrip2()}) {
        EXPECT_TRUE(f->rect().contains(s->geometry()));
        const QList<QWidget*> teile = s->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (int i = 0; i < teile.size(); ++i) {
            // texts and buttons have the room they ask for
            const auto* l = qobject_cast<QLabel*>(teile[i]);
            const QSize noetig = l && l->wordWrap() ? QSize(0, l->heightForWidth(l->width()))
                                 : l || qobject_cast<QPushButton*>(teile[i]) ? teile[i]->sizeHint() : QSize();
            EXPECT_TRUE(s->rect().contains(teile[i]->geometry()) && teile[i]->height() >= noetig.height()
                        && teile[i]->width() >= noetig.width())
                << teile[i]->objectName().toStdString();
            for (int j = i + 1; j < teile.size(); ++j)
                EXPECT_FALSE(teile[i]->geometry().intersects(teile[j]->geometry())) << i << " / " << j;
        }
    }
}

// A restore that can put the files neither in nor back leaves both closed until the next start: a plot
// saved then, and the tree read after it, say so instead of calling the file damaged; the restore
// button refuses at once, without asking first.
TEST_F(EinstellungsTest, GeschlosseneDateienNachGescheiterterWiederherstellung)
{
    frmEinstellungen* f = einstellungen();
    app().einstellungen.intDS = 0;
    ASSERT_TRUE(app().db->DatenSichern());
    int u = 0; // Daten.KRN not put in, Kav.KRN not put back
    DateiOperationen ops = DateiOperationen::echte();
    ops.umbenennen = [&u](const QString& von, const QString& nach) {
        return ++u != 4 && u != 5 && DateiOperationen::echtUmbenennen(von, nach);
    };
    app().db->setDateiOperationen(ops);
    antworten(QMessageBox::Yes);
    f->cmbRepair()->click();
    ASSERT_TRUE(app().db->bisZumNeustartGeschlossen());
    f->close();

    protokoll.meldungen.clear();
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl0"));
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(1, "mnuFlaecheE1"));
    auto* d = fenster().fensterAls<frmFlaeche>("frmFlaeche");
    ASSERT_NE(d, nullptr);
    tippen(d->txtBezeichnung(), "Neues Beet");
    QTest::mouseClick(d->cmbSpeichern(), Qt::LeftButton);
    QTest::mouseClick(d->cmbAbbruch(), Qt::LeftButton);
    const QString zu = "\n\n" + kDatenbankenGeschlossen;
    EXPECT_EQ(protokoll.texte(), QStringList({"Die Fläche konnte nicht gespeichert werden." + zu,
                                              "Die Flächen konnten nicht gelesen werden." + zu}));

    f = einstellungen();
    test::Frage frage;
    antworten(QMessageBox::Yes, &frage);
    f->cmbRepair()->click();
    EXPECT_FALSE(frage.gesehen);
    EXPECT_EQ(protokoll.texte().last(), "Die Datensicherung kann jetzt nicht wiederhergestellt werden." + zu);
}
