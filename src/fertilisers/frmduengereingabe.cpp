#include "fertilisers/frmduengereingabe.h"

#include "fertilisers/duengerdienste.h"
#include "fertilisers/frmnpk3.h"
#include "fertilisers/katalogeingabe.h"
#include "frame/oberflaeche.h"
#include "services/appcontext.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>

namespace kav {

frmDuengerEingabe::frmDuengerEingabe()
    : Katalogdialog(QStringLiteral("frmDuengerEingabe"), QStringLiteral("Kav - Neuen Dünger hinzufügen"),
                    QStringLiteral("Nährstoffverhältnis:"), QStringLiteral("EinteilungDuengerNaehrstoffe"))
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
    auto* norg = new QHBoxLayout;
    norg->addWidget(m_imgNorg);
    norg->addWidget(m_lblNorg, 1);
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

bool frmDuengerEingabe::oeffnen(const QString& duengerNr)
{
    m_nr = duengerNr;
    if (m_nr.isEmpty())
        return true;
    auto d = DuengerDienste::oeffnen(app());
    std::optional<DuengerZeile> z;
    try {
        if (d)
            z = d->katalog().duenger(m_nr);
    } catch (const std::exception&) {
        z.reset();
    }
    if (!z) {
        melden(QStringLiteral("Dieser Dünger ist nicht mehr im Katalog und kann nicht bearbeitet werden."));
        return false;
    }
    const auto text = [](double v) { return v > 0 ? app().gebiet.zahlText(v) : QString(); };
    txtName()->setText(z->Bezeichnung);
    m_txtN->setText(text(z->N));
    m_txtP->setText(text(z->P2O5));
    m_txtK->setText(text(z->K2O));
    m_txtMg->setText(text(z->Mg));
    norgSetzen(z->Norg == 1);
    return true;
}

void frmDuengerEingabe::cmdOK_Click()
{
    AppContext& a = app();
    const DuengerPruefung p = DuengerEingabePruefen(
        txtName()->text(), {m_txtN->text(), m_txtP->text(), m_txtK->text(), m_txtMg->text()},
        forms::Tag(m_imgNorg) == QLatin1String("1"), a.gebiet);
    if (p.ohneName) {
        nameFehlt();
        return;
    }
    if (!p.daten) {
        melden(p.meldung);
        return;
    }
    auto d = DuengerDienste::oeffnen(a);
    if (!d)
        return;
    QString nr = m_nr;
    try {
        if (neu()) {
            if (const auto gleich = d->katalog().duengerGleich(*p.daten)) {
                melden(QStringLiteral("Diesen Dünger gibt es bereits im Katalog: %1. Er wird nicht noch einmal "
                                      "gespeichert.")
                           .arg(DuengerKnotenText(*gleich, a.gebiet)));
                return;
            }
            nr = d->katalog().duengerNeu(*p.daten);
            m_nr = nr; // saved: a further OK would change it
        } else if (!d->katalog().duengerAendern(nr, *p.daten)) {
            melden(QStringLiteral("Dieser Dünger ist nicht mehr im Katalog. Ihre Änderungen können nicht gespeichert "
                                  "werden."));
            return;
        }
    } catch (const std::exception&) {
        melden(QStringLiteral("Der Dünger konnte nicht gespeichert werden. Der Katalog ist unverändert."));
        return;
    }
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
