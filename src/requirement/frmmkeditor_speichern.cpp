// The planner's plan in Daten.KRN: saving, loading, deleting and printing it.
#include "frame/dokumentkopie.h"
#include "frame/links.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "frame/seitenwechsel.h"
#include "requirement/balkengeometrie.h"
#include "requirement/frmmkeditor.h"
#include "requirement/mischkulturplaene.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/meldungsbox.h"
#include "services/sql.h"

#include <QMessageBox>

namespace kav {

namespace {

const QString kTitelPlanung = QStringLiteral("Kav - Planung von Mischkulturen");

MischkulturPlaene plaene()
{
    AppContext& a = app();
    if (!a.db)
        throw sql::Error(QStringLiteral("Die Datenbank ist nicht geöffnet."));
    return MischkulturPlaene(a.db->cnDaten(), [] { return app().neueZeilenId(); });
}

} // namespace

bool frmMKEditor::PlanungSpeichern(bool blnNeu)
{
    AppContext& a = app();
    ZeichnungEinlesen();
    std::vector<MischkulturBalken> sichtbare;
    for (int i = 1; i < m_txtKulturen.Count(); ++i)
        if (!m_txtKulturen(i)->isHidden())
            sichtbare.push_back(a.bedarf.arrMischkulturBalken[size_t(i)]);
    try {
        const QString id = plaene().speichern(blnNeu ? QString() : forms::Tag(m_lblName), a.bedarf.strAktFlaechenNr,
                                              sichtbare, a.uhr->now());
        forms::setTag(m_lblName, id);
        a.bedarf.strAktKulturNr = id;
        m_ungespeichert = false;
        return true;
    } catch (const sql::Error&) {
        melde(datenFehlerText(QStringLiteral("Die Planung konnte nicht gespeichert werden. Eine schon gespeicherte "
                                             "Planung ist unverändert geblieben; die Kulturen bleiben auf dem Beet.")));
        return false;
    }
}

bool frmMKEditor::MischkulturEintragen(const QString& strMKID)
{
    std::vector<MischkulturBalken> gespeichert;
    try {
        gespeichert = plaene().laden(strMKID);
    } catch (const sql::Error&) {
        melde(datenFehlerText(QStringLiteral("Die Mischkulturplanung konnte nicht geladen werden. Es wurden keine "
                                             "Kulturen eingetragen.")));
        return false;
    }
    // the records first: they hold the bars' places even before the bed has its size
    std::vector<MischkulturBalken>& tabelle = app().bedarf.arrMischkulturBalken;
    tabelle.resize(size_t(m_txtKulturen.Count()));
    const forms::Tw feld(m_pcbFeld);
    for (const MischkulturBalken& r : gespeichert) {
        tabelle.push_back(r);
        QLabel* b = neuerBalken();
        forms::Tw(b).setRechteck(balkenTwips(r, feld.Width(), feld.Height()));
        forms::setTag(b, r.KulturID);
        b->setText(r.Kultur);
        forms::setBackColor(b, QColor(r.Farbe & 255, (r.Farbe >> 8) & 255, (r.Farbe >> 16) & 255));
        QPalette p = b->palette();
        const qint32 schrift = SchriftFarbe(r.Farbe);
        p.setColor(QPalette::WindowText, QColor(schrift & 255, (schrift >> 8) & 255, (schrift >> 16) & 255));
        b->setPalette(p);
        forms::setVisible(b, true);
    }
    return true;
}

void frmMKEditor::cmdSpeichern_Click()
{
    if (m_txtKulturen.Count() <= 1)
        return;
    if (forms::Tag(m_lblName).isEmpty()) {
        PlanungSpeichern(true);
        return;
    }
    const auto antwort =
        JaNeinFrage(kTitelPlanung,
                    QStringLiteral("Sollen die ") + m_lblName->text() + QStringLiteral(" geändert werden?\n")
                        + QStringLiteral("Bei 'Ja' wird die geänderte Planung gespeichert.\n")
                        + QStringLiteral("Bei 'Nein' wird die Mischkultur als neue Planung gespeichert."),
                    QMessageBox::Yes, ui().haupt.data());
    PlanungSpeichern(antwort != QMessageBox::Yes);
}

void frmMKEditor::cmdLoeschen_Click()
{
    const QString id = forms::Tag(m_lblName);
    if (JaNeinFrage(kTitelPlanung,
                    QStringLiteral("Soll die ") + m_lblName->text()
                        + QStringLiteral(" gelöscht werden?\nBei 'Ja' werden die Planung und alle ihre Kulturen "
                                         "gelöscht."),
                    QMessageBox::No, ui().haupt.data())
        != QMessageBox::Yes)
        return;
    if (!id.isEmpty()) {
        try {
            plaene().loeschen(id);
        } catch (const sql::Error&) {
            melde(datenFehlerText(
                QStringLiteral("Die Planung konnte nicht gelöscht werden; sie ist unverändert gespeichert.")));
            return;
        }
    }
    BedarfVariablenZuruecksetzen(app().bedarf, 1);
    FormulareEntladen();
    app().rahmen.strFensterZeigen = QStringLiteral("NPK1");
    ui().fenster.zeigen(QStringLiteral("frmNPK1"));
}

void frmMKEditor::PlanungDrucken()
{
    if ((m_ungespeichert || forms::Tag(m_lblName).isEmpty()) && !PlanungSpeichern(forms::Tag(m_lblName).isEmpty()))
        return;
    QString fehler;
    const QString pfad = ui().planungDrucken ? ui().planungDrucken(forms::Tag(m_lblName), fehler) : QString();
    if (pfad.isEmpty()) {
        melde(fehler.isEmpty() ? QStringLiteral("Das PDF-Dokument konnte nicht geschrieben werden.") : fehler);
        return;
    }
    if (!DokumentOeffnen(pfad))
        KopieAnbieten(pfad, QStringLiteral("Mischkulturplanung"), kTitelPlanung);
}

} // namespace kav
