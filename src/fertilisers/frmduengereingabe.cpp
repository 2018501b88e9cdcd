#include "fertilisers/frmduengereingabe.h"

#include "fertilisers/frmnpk3.h"
#include "fertilisers/katalogeingabe.h"
#include "frame/oberflaeche.h"
#include "platform/fokusrahmen.h"
#include "platform/optionsgruppe.h"
#include "platform/tastenlink.h"
#include "services/appcontext.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>

namespace kav {

frmDuengerEingabe::frmDuengerEingabe()
    : Katalogdialog(QStringLiteral("frmDuengerEingabe"), QStringLiteral("Kav - Neuen Dünger hinzufügen"),
                    QStringLiteral("Nährstoffverhältnis:"), QStringLiteral("EinteilungDuengerNaehrstoffe"),
                    QStringLiteral("Dünger"))
{
    m_txtN = gehaltFeld(QStringLiteral("txtN"), QStringLiteral("N      :"));
    m_txtP = gehaltFeld(QStringLiteral("txtP"), QStringLiteral("P2O5   :"));
    m_txtK = gehaltFeld(QStringLiteral("txtK"), QStringLiteral("K2O    :"));
    m_txtMg = gehaltFeld(QStringLiteral("txtMg"), QStringLiteral("MgO"));
    m_imlNorg.hinzufuegen(QStringLiteral("Wahr"), QIcon(QStringLiteral(":/icons/chb1.svg")));
    m_imlNorg.hinzufuegen(QStringLiteral("Falsch"), QIcon(QStringLiteral(":/icons/chb0.svg")));
    m_imgNorg = new forms::Bild(this);
    m_imgNorg->setObjectName(QStringLiteral("imgNorg"));
    m_imgNorg->setFixedSize(18, 18);
    m_imgNorg->installEventFilter(this);
    m_lblNorg = new QLabel(QStringLiteral("Dünger enthält Stickstoff in organischer Form"), this);
    m_lblNorg->setObjectName(QStringLiteral("lblNorg"));
    m_lblNorg->setCursor(Qt::PointingHandCursor);
    m_lblNorg->installEventFilter(this);
    // the box switches, its caption is a link into the lexicon: two stops, each with its own mark
    new forms::Tastenlink(this, m_lblNorg, [this] { lexikonOeffnen(QStringLiteral("Horn")); });
    new forms::Optionsgruppe(this, {{m_imgNorg}}, {}, [this](int) { imgNorg_Click(); },
                             forms::Optionsgruppe::Art::Schalter);
    auto* norg = new QHBoxLayout;
    norg->setSpacing(2 * forms::kFokusrahmenBreite); // room for the focus marks of the box and of its caption
    norg->addWidget(m_imgNorg);
    norg->addWidget(m_lblNorg, 1, Qt::AlignLeft);
    raster()->addLayout(norg, raster()->rowCount(), 0, 1, 3);
    fertigstellen();
}

void frmDuengerEingabe::Form_Load()
{
    norgSetzen(false);
    Katalogdialog::Form_Load();
}

void frmDuengerEingabe::norgSetzen(bool an)
{
    forms::setTag(m_imgNorg, an ? QStringLiteral("1") : QStringLiteral("0"));
    const QString k = an ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
    m_imgNorg->setBild(m_imlNorg.bild(k));
    m_imgNorg->setSchluessel(k);
}

void frmDuengerEingabe::imgNorg_Click() { norgSetzen(forms::Tag(m_imgNorg).toDouble() == 0); }

QStringList frmDuengerEingabe::eingaben() const { return Katalogdialog::eingaben() << forms::Tag(m_imgNorg); }

bool frmDuengerEingabe::zeileLesen(const Duengerkatalog& k, const QString& nr)
{
    const std::optional<DuengerZeile> z = k.duenger(nr);
    if (!z)
        return false;
    txtName()->setText(z->Bezeichnung);
    m_txtN->setText(gehaltText(z->N));
    m_txtP->setText(gehaltText(z->P2O5));
    m_txtK->setText(gehaltText(z->K2O));
    m_txtMg->setText(gehaltText(z->Mg));
    norgSetzen(z->Norg == 1);
    return true;
}

Katalogdialog::Pruefung frmDuengerEingabe::pruefen()
{
    DuengerPruefung p = DuengerEingabePruefen(txtName()->text(),
                                              {m_txtN->text(), m_txtP->text(), m_txtK->text(), m_txtMg->text()},
                                              forms::Tag(m_imgNorg) == QLatin1String("1"), app().gebiet);
    m_daten = std::move(p.daten);
    return {p.ohneName, m_daten.has_value(), p.meldung};
}

Katalogdialog::Gleich frmDuengerEingabe::gleichBehandeln(const Duengerkatalog& k)
{
    const std::optional<DuengerZeile> gleich = k.duengerGleich(*m_daten);
    if (!gleich)
        return Gleich::Keins;
    melden(QStringLiteral("Diesen Dünger gibt es bereits im Katalog: %1. Er wird nicht noch einmal gespeichert.")
               .arg(DuengerKnotenText(*gleich, app().gebiet)));
    return Gleich::Bleibt;
}

QString frmDuengerEingabe::neuSpeichern(Duengerkatalog& k) { return k.duengerNeu(*m_daten); }

bool frmDuengerEingabe::aendern(Duengerkatalog& k, const QString& nr) { return k.duengerAendern(nr, *m_daten); }

void frmDuengerEingabe::gespeichert(const QString& nr)
{
    // taken into the choice only while the step asks for fertilisers
    if (frmNPK3* seite = duengerSeite(); seite && seite->katalogstand() == Katalogstand::Klassen) {
        seite->NeuenDuengerUebernehmen(nr);
        m_uebernommen = true;
    }
    entladen();
}

void frmDuengerEingabe::Form_Unload()
{
    Katalogdialog::Form_Unload();
    if (frmNPK3* seite = duengerSeite(); seite && !m_uebernommen)
        seite->DuengerBaumFuellen();
}

bool frmDuengerEingabe::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        if (o == m_imgNorg) {
            imgNorg_Click();
            return true;
        }
        if (o == m_lblNorg) {
            lexikonOeffnen(QStringLiteral("Horn"));
            return true;
        }
    }
    return Katalogdialog::eventFilter(o, e);
}

void DuengerEingabeOeffnen(const QString& duengerNr)
{
    KatalogdialogOeffnen(QStringLiteral("frmDuengerEingabe"), duengerNr);
}

} // namespace kav
