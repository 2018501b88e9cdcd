#include "plots/frmflaechegruppe.h"

#include "frame/anordnung.h"
#include "frame/hilfe.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "plots/flaechenbaumansicht.h"
#include "plots/flaechendaten.h"
#include "plots/frmanalysenwerte.h"
#include "plots/plotbilder.h"
#include "plots/plotknoepfe.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/meldungen.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace kav {

void GruppeDialogOeffnen(bool neu) { plotDialogOeffnen(QStringLiteral("frmFlaecheGruppe"), neu); }

frmFlaecheGruppe::frmFlaecheGruppe() : Seite(QStringLiteral("frmFlaecheGruppe"), QString(), Platz::Dialog)
{
    setWindowTitle(QStringLiteral("Kav - Gruppe"));
    m_imlcheck = plotCheckListe();

    m_lblBezeichnung = new QLabel(QStringLiteral("Bezeichnung:"), this);
    m_lblBezeichnung->setObjectName(QStringLiteral("lblBezeichnung"));
    forms::setFontBold(m_lblBezeichnung, true);
    m_txtBezeichnung = new QLineEdit(this);
    m_txtBezeichnung->setObjectName(QStringLiteral("txtBezeichnung"));
    m_txtBezeichnung->setMaxLength(kNameLaengeMax);
    m_txtBezeichnung->setMinimumWidth(m_txtBezeichnung->fontMetrics().averageCharWidth() * (kNameLaengeMax + 4));
    m_lblMax = new QLabel(QStringLiteral("[max. 20 Zeichen]"), this);
    m_lblMax->setObjectName(QStringLiteral("lblMax"));
    m_imgAktuellerDatensatz = new forms::Bild(this);
    m_imgAktuellerDatensatz->setObjectName(QStringLiteral("imgAktuellerDatensatz"));
    m_imgAktuellerDatensatz->setFixedSize(16, 16);
    m_lblAktuellerDatensatz = new QLabel(QStringLiteral("  Aktueller Datensatz"), this);
    m_lblAktuellerDatensatz->setObjectName(QStringLiteral("lblAktuellerDatensatz"));
    m_imgAktuellerDatensatz->installEventFilter(this);
    m_lblAktuellerDatensatz->installEventFilter(this);

    m_cmbSpeichern = bildKnopf(this, QStringLiteral("cmbSpeichern"), QStringLiteral("Speichern"), QStringLiteral("Speichern"));
    m_cmbAbbruch = bildKnopf(this, QStringLiteral("cmbAbbruch"), QStringLiteral("Abbrechen"), QStringLiteral("Abbrechen"));
    m_cmbHilfe = bildKnopf(this, QStringLiteral("cmbHilfe"), QStringLiteral("Hilfe"), QStringLiteral("Hilfe"));
    connect(m_cmbSpeichern, &QToolButton::clicked, this, [this] { cmbSpeichern_Click(); });
    connect(m_cmbAbbruch, &QToolButton::clicked, this, [this] { cmbAbbruch_Click(); });
    // the group dialog shares the plot dialog's help topic
    connect(m_cmbHilfe, &QToolButton::clicked, this, [] { HilfeAufrufen(QStringLiteral("frmFlaeche")); });

    auto* raster = new QGridLayout;
    raster->addWidget(m_lblBezeichnung, 0, 0);
    raster->addWidget(m_txtBezeichnung, 0, 1);
    raster->addWidget(m_lblMax, 0, 2);
    auto* flagge = new QHBoxLayout;
    flagge->addWidget(m_imgAktuellerDatensatz);
    flagge->addWidget(m_lblAktuellerDatensatz);
    flagge->addStretch(1);
    raster->addLayout(flagge, 1, 1, 1, 2);
    auto* knoepfe = dialogKnoepfe({m_cmbSpeichern, m_cmbHilfe, m_cmbAbbruch});
    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(raster);
    spalte->addSpacing(8);
    spalte->addLayout(knoepfe);

    setTabOrder(m_txtBezeichnung, m_cmbHilfe);
    setTabOrder(m_cmbHilfe, m_cmbAbbruch);
    setTabOrder(m_cmbAbbruch, m_cmbSpeichern);
}

void frmFlaecheGruppe::Form_Load()
{
    AppContext& a = app();
    // help shows the plot dialog's topic
    a.rahmen.strAktivesFenster = QStringLiteral("frmFlaeche");
    m_neu = a.rahmen.blnNeuerDatensatz;
    m_flaechenNr = a.bedarf.strAktFlaechenNr;
    m_gruppierungNr = a.bedarf.strAktGruppierungNr;

    if (mdiZentral* h = ui().haupt.data()) {
        m_cmbAbbruch->setIcon(h->imlIcon().bild(QStringLiteral("Abbruch")));
        m_cmbHilfe->setIcon(h->imlIcon().bild(QStringLiteral("Hilfe")));
        m_cmbSpeichern->setIcon(h->imlIcon().bild(QStringLiteral("Speichern")));
    }
    forms::setTag(m_lblAktuellerDatensatz, QStringLiteral("1"));
    AktuellerDatensatzAnzeigen(1);
    for (QToolButton* b : {m_cmbSpeichern, m_cmbAbbruch, m_cmbHilfe})
        forms::setBackColor(b, benutzerFarbeHell(app().einstellungen));

    // the mode is read here, once
    if (!m_neu && a.db) {
        std::optional<FlaechenZeile> z;
        try {
            z = flaecheLesen(a.db->cnDaten(), m_flaechenNr);
        } catch (const std::exception&) {
            z.reset();
        }
        if (z && z->Gliederungspunkt) {
            m_txtBezeichnung->setText(z->Bezeichnung);
            setWindowTitle(QStringLiteral("Änderungen an ") + z->Bezeichnung + QStringLiteral(" vornehmen"));
            forms::setTag(m_lblAktuellerDatensatz, z->AktuellerDatensatz ? QStringLiteral("1") : QStringLiteral("0"));
            AktuellerDatensatzAnzeigen(z->AktuellerDatensatz ? 1 : 0);
        }
    }
    adjustSize();
    platzieren();
    BenutzerverlaufZeichnen(this, a.einstellungen);
}

void frmFlaecheGruppe::platzieren()
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect flaeche = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    int x = flaeche.x() + (flaeche.width() - width()) / 2;
    int y = flaeche.y() + (flaeche.height() - height()) / 2;
    if (frmAnalysenWerte* seite = analysenSeite()) {
        const QWidget* trv = seite->trvFlaechen();
        const QPoint oben = trv->mapToGlobal(QPoint(trv->width() / 2, 0));
        x = oben.x();
        y = oben.y() - trv->y() + 4 * trv->y();
    }
    move(std::clamp(x, flaeche.left(), std::max(flaeche.left(), flaeche.right() - width())),
         std::clamp(y, flaeche.top(), std::max(flaeche.top(), flaeche.bottom() - height())));
}

void frmFlaecheGruppe::resizeEvent(QResizeEvent* e)
{
    Seite::resizeEvent(e);
    BenutzerverlaufZeichnen(this, app().einstellungen);
}

void frmFlaecheGruppe::changeEvent(QEvent* e)
{
    Seite::changeEvent(e);
    // the buttons take the light shade whenever the dialog becomes active; nothing typed is touched
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        for (QToolButton* b : {m_cmbSpeichern, m_cmbAbbruch, m_cmbHilfe})
            forms::setBackColor(b, benutzerFarbeHell(app().einstellungen));
}

void frmFlaecheGruppe::AktuellerDatensatzAnzeigen(int wert)
{
    const QString k = wert == 1 ? QStringLiteral("chb1") : QStringLiteral("chb0");
    m_imgAktuellerDatensatz->setBild(m_imlcheck.bild(k));
    m_imgAktuellerDatensatz->setSchluessel(k);
}

void frmFlaecheGruppe::imgAktuellerDatensatz_Click()
{
    const bool an = forms::Tag(m_lblAktuellerDatensatz) == QLatin1String("1");
    forms::setTag(m_lblAktuellerDatensatz, an ? QStringLiteral("0") : QStringLiteral("1"));
    AktuellerDatensatzAnzeigen(an ? 0 : 1);
}

void frmFlaecheGruppe::cmbSpeichern_Click()
{
    AppContext& a = app();
    if (!a.db)
        return;
    FlaechenDaten d(a.db->cnDaten(), a.gebiet, *a.uhr, a.zufall);
    const QString name = m_txtBezeichnung->text();
    const Schreibergebnis r =
        m_neu ? d.gruppeNeu(name, m_gruppierungNr)
              : d.gruppeAendern(m_flaechenNr, name, forms::Tag(m_lblAktuellerDatensatz) == QLatin1String("1"));
    if (!r.ok) {
        if (a.anzeige)
            a.anzeige->zeige(r.meldung);
        return;
    }
    m_flaechenNr = r.FlaechenNr;
    entladen();
}

void frmFlaecheGruppe::cmbAbbruch_Click() { entladen(); }

void frmFlaecheGruppe::Form_Unload()
{
    AppContext& a = app();
    if (a.rahmen.strAktivesFenster == QLatin1String("frmFlaeche")
        && !ui().fenster.istGeladen(QStringLiteral("frmFlaeche")))
        a.rahmen.strAktivesFenster.clear();
    a.rahmen.blnToolbarAktiv = true;
    a.bedarf.strAktFlaechenNr = m_flaechenNr;
    frmAnalysenWerte* seite = analysenSeite();
    if (!seite)
        return;
    seite->baumAuffrischen();
    seite->trvFlaechen()->pfadAufklappen(m_flaechenNr, false, true, true);
}

void frmFlaecheGruppe::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1) {
        HilfeAufrufen(QStringLiteral("frmFlaeche"));
        e->accept();
        return;
    }
    Seite::keyReleaseEvent(e);
}

bool frmFlaecheGruppe::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton
        && (o == m_imgAktuellerDatensatz || o == m_lblAktuellerDatensatz))
        imgAktuellerDatensatz_Click();
    return Seite::eventFilter(o, e);
}

} // namespace kav
