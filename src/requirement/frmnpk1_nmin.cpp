// The crop step: the calendar and the Nmin value of the plot on the calendar's date, stored per plot
// and day and sent to the data collection.
#include "frame/wartezeiger.h"
#include "plots/wertebereiche.h"
#include "requirement/frmnpk1.h"
#include "requirement/nmindaten.h"
#include "requirement/wizardseiten.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/server.h"
#include "services/sql.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QSignalBlocker>
#include <QToolButton>

namespace kav {

namespace {

const QString kTitelNmin = QStringLiteral("Humavera - Düngeberechnung");

} // namespace

void frmNPK1::kalenderSetzen(const QDate& datum)
{
    if (!datum.isValid())
        return;
    const QSignalBlocker sperre(m_calStart);
    m_calStart->setSelectedDate(datum); // within the calendar's range
    const QDate d = m_calStart->selectedDate();
    m_calStart->setCurrentPage(d.year(), d.month());
    m_lblCal->setText(app().gebiet.locale.monthName(d.month(), QLocale::LongFormat) + QLatin1Char(' ')
                      + QString::number(d.year()));
}

void frmNPK1::einheitWaehlen(int index)
{
    m_comNmin->setCurrentIndex(index >= 0 && index <= 2 ? index : 0);
    app().bedarf.intNminEinheit = static_cast<qint16>(m_comNmin->itemData(m_comNmin->currentIndex()).toInt());
}

void frmNPK1::nminZeigen(const QDate& datum)
{
    AppContext& a = app();
    m_txtNmin->clear();
    einheitWaehlen(0);
    try {
        if (!a.db)
            return;
        if (const std::optional<NminWert> w = NminLesen(a.db->cnDaten(), a.bedarf.strAktFlaechenNr, datum)) {
            m_txtNmin->setText(a.gebiet.zahlText(w->Nmin));
            einheitWaehlen(w->Einheit);
            a.bedarf.sngNminWert = static_cast<float>(w->Nmin);
        }
    } catch (const sql::Error&) {
        // the box stays empty with the first unit
    }
}

void frmNPK1::frmNPK1_NminAnzeigen(const QDate& datum)
{
    app().bedarf.datKulturbeginn = QDateTime(datum, QTime(0, 0));
    nminZeigen(datum);
}

bool frmNPK1::blnNminGesendet() const
{
    return m_gesendet && m_gesendet->flaeche == app().bedarf.strAktFlaechenNr
        && m_gesendet->datum == m_calStart->selectedDate() && m_gesendet->text == m_txtNmin->text().trimmed()
        && m_gesendet->einheit == m_comNmin->currentIndex();
}

bool frmNPK1::frmNPK1_NminSpeichern()
{
    AppContext& a = app();
    WizardState& s = a.bedarf;
    const NminEingabe e = NminTextLesen(m_txtNmin->text(), a.gebiet);
    if (e.art == NminEingabe::Art::Leer) {
        s.sngNminWert = -1;
        return true;
    }
    if (e.art == NminEingabe::Art::KeineZahl)
        return false;
    s.sngNminWert = static_cast<float>(e.wert);
    s.intNminEinheit = static_cast<qint16>(std::max(0, m_comNmin->currentIndex()));
    try {
        if (a.db)
            NminSpeichern(a.db->cnDaten(), s.strAktFlaechenNr, m_calStart->selectedDate(), {e.wert, s.intNminEinheit},
                          a.neueZeilenId());
    } catch (const sql::Error&) {
        // the calculation still uses the value; the user learns that it is not kept
        WizardMelden(Meldung{0, kTitelNmin,
                             datenFehlerText(QStringLiteral("Der Nmin-Wert konnte nicht gespeichert werden. Die "
                                                            "Berechnung verwendet ihn trotzdem.")),
                             Meldung::Symbol::Warnung});
    }
    return true;
}

bool frmNPK1::frmNPK1_NminUebertragen()
{
    AppContext& a = app();
    const WizardState& s = a.bedarf;
    const NminEingabe e = NminTextLesen(m_txtNmin->text(), a.gebiet);
    if (e.art == NminEingabe::Art::Leer)
        return false;
    if (e.art == NminEingabe::Art::KeineZahl) {
        WizardMelden(fehlerMeldungFuer(QStringLiteral("Nmin")));
        return false;
    }
    if (!nminImBereich())
        return false;
    // the local row first: it is kept whatever the server does
    frmNPK1_NminSpeichern();
    NminGesendet g;
    if (a.server) {
        const NminSendung n{s.strAktFlaechenNr, m_calStart->selectedDate(), {e.wert, s.intNminEinheit},
                            s.intFlaecheNutzung, s.intFlaecheKompost};
        const WarteZeiger warten(m_cmbSenden);
        g = NminUebertragen(*a.server, a.einstellungen.strProgrammID, n, *a.uhr);
    } else {
        g.meldung = fehlerMeldungFuer(QStringLiteral("SQL-DB"));
    }
    if (!g.ok()) {
        WizardMelden(g.meldung);
        return false;
    }
    m_gesendet = Gesendet{s.strAktFlaechenNr, m_calStart->selectedDate(), m_txtNmin->text().trimmed(),
                          m_comNmin->currentIndex()};
    return true;
}

bool frmNPK1::nminImBereich()
{
    const std::optional<QString> m = nminAusserhalb(m_comNmin->currentIndex(), m_txtNmin->text(), app().gebiet);
    if (m)
        eingabeZurueckweisen(m_txtNmin, Meldung{0, kTitelNmin, *m, Meldung::Symbol::Warnung});
    return !m;
}

void frmNPK1::cmbSenden_Click()
{
    m_cmbSenden->setEnabled(false);
    frmNPK1_NminUebertragen();
    m_cmbSenden->setEnabled(true);
}

void frmNPK1::calStart_Click()
{
    kalenderSetzen(m_calStart->selectedDate());
    frmNPK1_NminAnzeigen(m_calStart->selectedDate());
}

void frmNPK1::cmbPrevious_Click()
{
    kalenderSetzen(m_calStart->selectedDate().addDays(-30));
    frmNPK1_NminAnzeigen(m_calStart->selectedDate());
}

void frmNPK1::cmbForward_Click()
{
    kalenderSetzen(m_calStart->selectedDate().addDays(30));
    frmNPK1_NminAnzeigen(m_calStart->selectedDate());
}

} // namespace kav
