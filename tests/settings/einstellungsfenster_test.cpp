// The settings window driven through its controls on the started program.
#include "einstellungsfixture.h"
#include "frame/hilfe.h"
#include "platform/settingsstore.h"
#include "settings/optionen.h"

#include <QClipboard>

using namespace kav;
using test::EinstellungsTest;

namespace {

QByteArray inhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST_F(EinstellungsTest, ZeigtDieEinstellungenUndKlicksSetzenSie)
{
    Einstellungen& e = app().einstellungen;
    e.blnImmerOptimal = true;
    e.strUpdatebeiStart = "wahr"; // not exactly "Wahr": off
    e.strDatenAufServer = "Falsch";
    e.intDS = 30;
    haupt->move(40, 30);
    frmEinstellungen* f = einstellungen();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(app().rahmen.strAktivesFenster, "frmEinstellungen");
    EXPECT_TRUE(mittig(f, haupt.get()));
    EXPECT_EQ(f->imgOptimal(0)->schluessel(), "opb1");
    EXPECT_EQ(f->imgOptimal(1)->schluessel(), "opb0");
    EXPECT_EQ(f->txtIntervall()->text(), "30");
    EXPECT_TRUE(forms::FontBold(f->txtStrip1()) && !f->pcbStrip1()->isHidden() && f->pcbStrip2()->isHidden());

    // each click and what holds afterwards: always optimal, update at start, pass results on
    klick(f->txtStrip2());
    const struct { QWidget* w; bool optimal; const char* update; const char* sql; } klicks[] = {
        {f->imgOptimal(1), false, "wahr", "Falsch"}, {f->lblOptimal(0), true, "wahr", "Falsch"},
        {f->lblUpdate(), true, "Wahr", "Falsch"},    {f->imgUpdate(), true, "Falsch", "Falsch"},
        {f->imgSQL(), true, "Falsch", "Wahr"},       {f->lblSQL(), true, "Falsch", "Falsch"},
        {f->lblUpdate(), true, "Wahr", "Falsch"},    {f->imgSQL(), true, "Wahr", "Wahr"},
    };
    for (const auto& k : klicks) {
        SCOPED_TRACE(k.w->objectName().toStdString());
        klick(k.w);
        EXPECT_EQ(e.blnImmerOptimal, k.optimal);
        EXPECT_EQ(app().bedarf.blnOptimal, k.optimal);
        EXPECT_EQ(e.strUpdatebeiStart, k.update);
        EXPECT_EQ(e.strDatenAufServer, k.sql);
        EXPECT_EQ(f->imgSQL()->schluessel(), optionFuer(k.sql).bild);
    }

    QTest::keyClick(f->pcbStrip2(), Qt::Key_F1);
    EXPECT_EQ(hilfeFenster()->thema(), "Einstellungen.htm");
    f->close();
    EXPECT_TRUE(app().rahmen.strAktivesFenster.isEmpty());
    haupt->MDIForm_Unload();
    starten(); // the next run reads what the shutdown stored
    EXPECT_TRUE(app().einstellungen.blnImmerOptimal);
    EXPECT_EQ(app().einstellungen.strUpdatebeiStart, "Wahr");
    EXPECT_EQ(app().einstellungen.strDatenAufServer, "Wahr");
    EXPECT_EQ(app().einstellungen.intDS, 30);
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
        EXPECT_EQ(seite->cmbSpeichern()->isHidden(), an);
        EXPECT_EQ(senden()->isHidden(), an);
        EXPECT_FALSE(seite->cmbSpeichern()->isVisible() && seite->cmbSpeichern()->geometry().intersects(seite->cmbSenden()->geometry()));
    }
    fenster().entladen("frmNPK1"); // a page opened later is laid out hidden
    fenster().zeigen("frmNPK1");
    EXPECT_TRUE(senden()->isHidden());
}

TEST_F(EinstellungsTest, IntervallNimmtNurBisZuZweiZiffern)
{
    frmEinstellungen* f = einstellungen();
    klick(f->txtStrip2());
    QLineEdit* t = f->txtIntervall();
    int& tage = app().einstellungen.intDS;
    tippen(t, "7");
    EXPECT_EQ(tage, 7);
    QTest::keyClick(t, Qt::Key_Backspace);
    EXPECT_EQ(tage, 14);
    EXPECT_EQ(t->text(), "");
    QTest::keyClicks(t, "1a2,3");
    EXPECT_EQ(piepser, 2);
    EXPECT_EQ(t->text(), "12"); // letters beep, the third digit does not fit
    EXPECT_EQ(tage, 12);
    for (const char* text : {"1a", "123", " 5"}) {
        t->selectAll();
        QApplication::clipboard()->setText(text);
        t->paste();
        EXPECT_EQ(t->text(), "12") << text;
        EXPECT_EQ(tage, 12) << text;
    }
}

TEST_F(EinstellungsTest, KnoepfeLeuchtenBisDieMausUeberIhreSeiteGeht)
{
    frmEinstellungen* f = einstellungen();
    klick(f->txtStrip2());
    const QColor normal(188, 188, 188), hell(220, 220, 220);
    maus(f->cmbRepair());
    maus(f->cmdDatenSenden());
    EXPECT_EQ(forms::BackColor(f->cmbRepair()), hell);
    EXPECT_EQ(forms::BackColor(f->cmdDatenSenden()), hell);
    f->pcbStrip_MouseMove(1); // the other page's box leaves them lit
    EXPECT_EQ(forms::BackColor(f->cmbRepair()), hell);
    maus(f->pcbStrip2(), QPoint(3, 3));
    for (QPushButton* b : {f->cmbRepair(), f->cmbUpdate(), f->cmdDatenSenden(), f->cmbHintergrund()})
        EXPECT_EQ(forms::BackColor(b), normal) << b->objectName().toStdString();
}

TEST_F(EinstellungsTest, WiederherstellenFragtUndSetztBeideDateienEin)
{
    frmEinstellungen* f = einstellungen();
    klick(f->txtStrip2());
    const Programmordner o = app().ordner;
    f->cmbRepair()->click();
    EXPECT_EQ(protokoll.texte(), QStringList{kKeineSicherung});

    app().einstellungen.intDS = 0;
    app().einstellungen.datLetzteDS = {};
    ASSERT_TRUE(app().db->DatenSichern());
    klicken("Fl1000");
    flaeche("Fl1001", "Beet nach der Sicherung");
    app().bedarf.strAktFlaechenNr = "Fl1001";
    const QByteArray vorher = inhalt(o.datenDatei());

    test::Frage frage;
    antworten(QMessageBox::No, &frage);
    f->cmbRepair()->click();
    EXPECT_EQ(frage.text, wiederherstellenFrage("06.12.2026"));
    EXPECT_EQ(frage.standard, QMessageBox::No);
    EXPECT_EQ(frage.beschriftungen, QStringList({"Ja", "Nein"}));
    EXPECT_EQ(inhalt(o.datenDatei()), vorher);

    antworten(QMessageBox::Yes);
    f->cmbRepair()->click();
    EXPECT_EQ(protokoll.texte().last(), kWiederhergestellt);
    EXPECT_EQ(inhalt(o.datenDatei()), inhalt(app().db->sicherungDaten()));
    EXPECT_EQ(QDir(o.daten()).entryList({"*.vor-Wiederherstellung-*"}).size(), 2);
    EXPECT_TRUE(app().bedarf.strAktFlaechenNr.isEmpty());
    frmAnalysenWerte* neu = analysenSeite(); // the page anew, from the restored file
    ASSERT_NE(neu, nullptr);
    EXPECT_NE(neu->trvFlaechen()->itemVon("Fl1000"), nullptr);
    EXPECT_EQ(neu->trvFlaechen()->itemVon("Fl1001"), nullptr);

    // a damaged backup: asked, nothing replaced, told why
    test::schreibeDatei(app().db->sicherungDaten(), "kaputt");
    const QByteArray jetzt = inhalt(o.datenDatei());
    antworten(QMessageBox::Yes);
    f->cmbRepair()->click();
    EXPECT_EQ(protokoll.texte().last(), wiederherstellenFehler("Die Sicherungsdatei Daten.PVQ ist beschädigt."));
    EXPECT_EQ(inhalt(o.datenDatei()), jetzt);

    app().rahmen.blnUpdateLaeuft = true;
    QTest::qWait(300);
    EXPECT_FALSE(f->cmbRepair()->isEnabled());
    app().rahmen.blnUpdateLaeuft = false;
    QTest::qWait(300);
    EXPECT_TRUE(f->cmbRepair()->isEnabled());
}

TEST_F(EinstellungsTest, AktualisierenUndSendenRufenDenAustausch)
{
    frmEinstellungen* f = einstellungen();
    f->cmbUpdate()->click();
    f->cmdDatenSenden()->click();
    EXPECT_EQ(protokoll.meldungen.size(), 2); // nothing built in: the user is told
    QStringList gerufen;
    ui().datenAktualisieren = [&] { gerufen << "Aktualisieren"; };
    ui().datenSenden = [&] { gerufen << "Senden"; };
    f->cmbUpdate()->click();
    f->cmdDatenSenden()->click();
    EXPECT_EQ(gerufen, QStringList({"Aktualisieren", "Senden"}));
    EXPECT_EQ(protokoll.meldungen.size(), 2);
}

TEST_F(EinstellungsTest, NichtsUeberdecktOderAbgeschnitten)
{
    frmEinstellungen* f = einstellungen();
    for (QWidget* s : {f->pcbStrip1(), f->pcbStrip2()}) {
        const QList<QWidget*> teile = s->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (int i = 0; i < teile.size(); ++i) {
            const std::string name = teile[i]->objectName().toStdString();
            EXPECT_TRUE(s->rect().contains(teile[i]->geometry())) << name;
            if (auto* l = qobject_cast<QLabel*>(teile[i])) {
                EXPECT_GE(l->height(), l->wordWrap() ? l->heightForWidth(l->width()) : l->sizeHint().height()) << name;
            }
            if (auto* b = qobject_cast<QPushButton*>(teile[i])) {
                EXPECT_GE(b->width(), b->sizeHint().width()) << name;
            }
            for (int j = i + 1; j < teile.size(); ++j)
                EXPECT_FALSE(teile[i]->geometry().intersects(teile[j]->geometry())) << name << " / " << teile[j]->objectName().toStdString();
        }
        EXPECT_TRUE(f->rect().contains(s->geometry()));
    }
    EXPECT_FALSE(f->txtStrip1()->geometry().intersects(f->txtStrip2()->geometry()));
}
