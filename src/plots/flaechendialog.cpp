#include "plots/flaechendialog.h"

#include "frame/bilder.h"
#include "frame/oberflaeche.h"
#include "platform/fenster.h"
#include "platform/optionsgruppe.h"
#include "plots/flaechenbaumansicht.h"
#include "services/datenbanken.h"
#include "services/meldungen.h"
#include "services/namensregeln.h"
#include "plots/frmanalysenwerte.h"
#include "services/appcontext.h"

#include <QMouseEvent>

namespace kav {

void flaechenDialogOeffnen(const QString& name, bool neu)
{
    AppContext& a = app();
    Rahmen& r = a.rahmen;
    forms::FensterRegister& reg = ui().fenster;
    // one plot or group dialog at a time: a second request says which one is open
    for (const char* offenerName : {"frmFlaeche", "frmFlaecheGruppe"}) {
        auto* offen = reg.fensterAls<FlaechenDialog>(QLatin1String(offenerName));
        if (!offen)
            continue;
        const bool gleich = offen->name() == name && offen->neu() == neu
                            && (neu ? offen->gruppierungNr() == a.bedarf.strAktGruppierungNr
                                    : offen->flaechenNr() == a.bedarf.strAktFlaechenNr);
        if (!gleich && a.anzeige)
            a.anzeige->zeige(Meldung{0, QStringLiteral("Humavera"),
                                     QStringLiteral("Das Fenster „%1“ ist noch geöffnet. Bitte speichern Sie dort "
                                                    "oder brechen Sie ab, bevor Sie eine weitere Fläche oder Gruppe "
                                                    "anlegen oder ändern.")
                                         .arg(offen->windowTitle()),
                                     Meldung::Symbol::Information});
        offen->show();
        offen->raise();
        offen->activateWindow();
        return;
    }
    r.blnNeuerDatensatz = neu;
    r.blnToolbarAktiv = false;
    try {
        reg.zeigen(name);
    } catch (const std::exception&) {
        r.blnToolbarAktiv = true;
    }
}

FlaechenDialog::FlaechenDialog(const QString& name)
    : DialogSeite(name, QStringLiteral("frmFlaeche")) // the group dialog shares the plot dialog's help topic
{
    m_imlCheck = checkListe();
    m_txtBezeichnung = new QLineEdit(this);
    m_txtBezeichnung->setObjectName(QStringLiteral("txtBezeichnung"));
    m_txtBezeichnung->setMaxLength(kNameLaengeMax);
    m_txtBezeichnung->setValidator(new NamensFilter(m_txtBezeichnung));
    // room for a name of the full length
    m_txtBezeichnung->setMinimumWidth(m_txtBezeichnung->fontMetrics().horizontalAdvance(QString(kNameLaengeMax, QLatin1Char('n'))) + 12);
    // the same hint beside the name box of a plot and of a group
    m_lblMax = new QLabel(QStringLiteral("[maximal %1 Zeichen]").arg(kNameLaengeMax), this);
    m_lblMax->setObjectName(QStringLiteral("lblMax"));

    m_imgAktuellerDatensatz = new forms::Bild(this);
    m_imgAktuellerDatensatz->setObjectName(QStringLiteral("imgAktuellerDatensatz"));
    m_imgAktuellerDatensatz->setFixedSize(16, 16);
    m_lblAktuellerDatensatz = new QLabel(QStringLiteral("  Aktueller Datensatz"), this);
    m_lblAktuellerDatensatz->setObjectName(QStringLiteral("lblAktuellerDatensatz"));
    m_imgAktuellerDatensatz->installEventFilter(this);
    m_lblAktuellerDatensatz->installEventFilter(this);
    new forms::Optionsgruppe(this, {{m_imgAktuellerDatensatz, m_lblAktuellerDatensatz}}, {},
                             [this](int) { imgAktuellerDatensatz_Click(); }, forms::Optionsgruppe::Art::Schalter);
}

void FlaechenDialog::modusLesen()
{
    AppContext& a = app();
    m_neu = a.rahmen.blnNeuerDatensatz;
    m_flaechenNr = a.bedarf.strAktFlaechenNr;
    m_gruppierungNr = a.bedarf.strAktGruppierungNr;
    AktuellerDatensatzSetzen(true);
}

std::optional<FlaechenZeile> FlaechenDialog::eintragLaden(bool gruppe)
{
    AppContext& a = app();
    if (m_neu || !a.db)
        return std::nullopt;
    std::optional<FlaechenZeile> z;
    try {
        z = flaecheLesen(a.db->cnDaten(), m_flaechenNr);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (!z || z->Gliederungspunkt != gruppe)
        return std::nullopt;
    m_txtBezeichnung->setText(z->Bezeichnung);
    // the name marked from its end back to its start: typing replaces it, and it shows from its start
    m_txtBezeichnung->setSelection(m_txtBezeichnung->text().size(), -m_txtBezeichnung->text().size());
    setWindowTitle(QStringLiteral("Änderungen an ") + z->Bezeichnung + QStringLiteral(" vornehmen"));
    AktuellerDatensatzSetzen(z->AktuellerDatensatz);
    return z;
}

void FlaechenDialog::AktuellerDatensatzAnzeigen(bool an)
{
    const QString k = an ? QStringLiteral("chb1") : QStringLiteral("chb0");
    m_imgAktuellerDatensatz->setBild(m_imlCheck.bild(k));
    m_imgAktuellerDatensatz->setSchluessel(k);
}

void FlaechenDialog::AktuellerDatensatzSetzen(bool an)
{
    forms::setTag(m_lblAktuellerDatensatz, an ? QStringLiteral("1") : QStringLiteral("0"));
    AktuellerDatensatzAnzeigen(an);
}

QString FlaechenDialog::bezeichnung() const { return namePruefen(m_txtBezeichnung->text(), kNameLaengeMax).name; }

bool FlaechenDialog::aktuellerDatensatz() const { return forms::Tag(m_lblAktuellerDatensatz) == QLatin1String("1"); }

void FlaechenDialog::imgAktuellerDatensatz_Click() { AktuellerDatensatzSetzen(!aktuellerDatensatz()); }

void FlaechenDialog::amBaumPlatzieren(bool unterDemBaum)
{
    std::optional<int> x, y;
    if (frmAnalysenWerte* seite = analysenSeite()) {
        const QWidget* trv = seite->trvFlaechen();
        const QPoint oben = trv->mapToGlobal(QPoint(trv->width() / 2, 0));
        x = oben.x();
        if (unterDemBaum)
            y = oben.y() + 3 * trv->y();
    }
    platzieren(x, y);
}

bool FlaechenDialog::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton
        && (o == m_imgAktuellerDatensatz || o == m_lblAktuellerDatensatz))
        imgAktuellerDatensatz_Click();
    return DialogSeite::eventFilter(o, e);
}

} // namespace kav
