#include "requirement/frmnpk2b.h"

#include "frame/bilder.h"
#include "frame/oberflaeche.h"
#include "frame/seitenwechsel.h"
#include "platform/optionsgruppe.h"
#include "platform/tastenlink.h"
#include "requirement/bedarfsquellen.h"
#include "requirement/organischesubstanz.h"
#include "requirement/wizardschritte.h"
#include "requirement/wizardseiten.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/sql.h"

#include <QMouseEvent>
#include <QToolButton>

#include <cstdlib>

namespace kav {

namespace {

const QString kTitelOrgSub = QStringLiteral("Humavera - Düngeberechnung");

forms::Bild* optionsBild(QWidget* eltern, const QString& name)
{
    auto* b = new forms::Bild(eltern);
    b->setObjectName(name);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

} // namespace

frmNPK2b::frmNPK2b() : Seite(QStringLiteral("frmNPK2b"), QStringLiteral("NPK2b"), Platz::UnterTitel)
{
    setMouseTracking(true);
    m_imlEinstellungen = checkListe();
    m_lblUeberschrift = Beschriftung(this, QStringLiteral("lblUeberschrift"));
    m_lblUeberschrift->setWordWrap(true);
    m_lblUeberschrift->setCursor(Qt::WhatsThisCursor);
    m_lblUeberschrift->installEventFilter(this);
    new forms::Tastenlink(this, m_lblUeberschrift, [this] { lblUeberschrift_Click(); });
    const char* const jaNein[2] = {"   Ja", "   Nein"};
    for (int i = 0; i <= 1; ++i) {
        m_imgJaNein.anhaengen(optionsBild(this, QStringLiteral("imgJaNein%1").arg(i)));
        m_lblJaNein.anhaengen(Beschriftung(this, QStringLiteral("lblJaNein%1").arg(i), QLatin1String(jaNein[i])));
    }
    m_linTrennung = new forms::Linie(this);
    m_linTrennung->setObjectName(QStringLiteral("linTrennung"));
    m_lblArtMenge = Beschriftung(this, QStringLiteral("lblArtMenge"));
    m_lblArtMenge->setWordWrap(true);
    for (int i = 1; i <= 6; ++i) {
        m_imgOS.anhaengen(optionsBild(this, QStringLiteral("imgOS%1").arg(i)));
        m_lblOS.anhaengen(Beschriftung(this, QStringLiteral("lblOS%1").arg(i)));
    }
    m_lblMeldung = Beschriftung(this, QStringLiteral("lblMeldung"));
    m_lblMeldung->setWordWrap(true);
    for (int i = 0; i <= 1; ++i) {
        m_imgJaNein(i)->installEventFilter(this);
        m_lblJaNein(i)->installEventFilter(this);
        m_lblJaNein(i)->setCursor(Qt::PointingHandCursor);
    }
    for (int i = 1; i <= 6; ++i) {
        m_imgOS(i)->installEventFilter(this);
        m_lblOS(i)->installEventFilter(this);
        m_lblOS(i)->setCursor(Qt::PointingHandCursor);
    }
    // the answer and the material, each a group the arrow keys move through
    new forms::Optionsgruppe(
        this, {{m_imgJaNein(0), m_lblJaNein(0)}, {m_imgJaNein(1), m_lblJaNein(1)}},
        [] {
            const int a = app().bedarf.intOrgSubAntwort;
            return a == kAntwortJa || a == kAntwortNein ? a : -1;
        },
        [this](int i) { imgJaNein_Click(i); });
    std::vector<forms::Optionsgruppe::Option> materialien;
    for (int i = 1; i <= 6; ++i)
        materialien.push_back({m_imgOS(i), m_lblOS(i)});
    new forms::Optionsgruppe(
        this, materialien,
        [this] {
            for (int i = 1; i <= 6; ++i)
                if (m_imgOS(i)->schluessel() == QLatin1String("opb1"))
                    return i - 1;
            return -1;
        },
        [this](int i) { imgOS_Click(i + 1); });
    m_knoepfe = new Schrittknoepfe(this, {QStringLiteral("cmbAbbruch"), QStringLiteral("Berechnung abbrechen")},
                                   {QStringLiteral("cmbBack"), QStringLiteral("Zurück zur Flächen- und Kulturauswahl")},
                                   {QStringLiteral("cmbNext"), QStringLiteral("Weiter zum nächsten Schritt")});
    m_knoepfe->beiAbbruch = [this] { cmbAbbruch_MouseUp(); };
    m_knoepfe->beiZurueck = [this] { cmbBack_MouseUp(); };
    m_knoepfe->beiWeiter = [this] { cmbNext_MouseUp(); };
}

void frmNPK2b::option(forms::Bild* b, bool an)
{
    const QString k = an ? QStringLiteral("opb1") : QStringLiteral("opb0");
    b->setBild(m_imlEinstellungen.bild(k));
    b->setSchluessel(k);
}

int frmNPK2b::antwort() const { return std::abs(forms::Tag(m_imgJaNein(0)).toInt() - 1); }

void frmNPK2b::Form_Load()
{
    const WizardState& s = app().bedarf;
    for (int i = 0; i <= 1; ++i) {
        option(m_imgJaNein(i), false);
        forms::setTag(m_imgJaNein(i), QStringLiteral("0"));
    }
    for (int i = 1; i <= 6; ++i) {
        forms::setVisible(m_imgOS(i), false);
        forms::setVisible(m_lblOS(i), false);
        option(m_imgOS(i), false);
    }
    forms::setVisible(m_lblArtMenge, false);
    forms::setVisible(m_lblMeldung, false);

    // an earlier answer and material again (back from the fertiliser step)
    const int ant = s.intOrgSubAntwort;
    if (ant == kAntwortJa || ant == kAntwortNein) {
        option(m_imgJaNein(ant), true);
        forms::setTag(m_imgJaNein(ant), QStringLiteral("1"));
        forms::setTag(m_imgJaNein(1 - ant), QStringLiteral("0"));
        const QString nr = s.strAktOrgSubNr;
        const int index = nr.isEmpty() || nr == QLatin1String("x") ? 0 : nr.right(1).toInt();
        if (index >= 1 && index <= 6) {
            MaterialListeAnzeigen(ant);
            option(m_imgOS(index), true);
            AufwandmengeBerechnen(index, ant);
        }
    }
    Seite::Form_Load(); // step key "NPK2b", breadcrumb, caption, layout
}

void frmNPK2b::imgJaNein_Click(int index)
{
    if (index < 0 || index > 1)
        return;
    option(m_imgJaNein(index), true);
    option(m_imgJaNein(1 - index), false);
    forms::setTag(m_imgJaNein(index), QStringLiteral("1"));
    forms::setTag(m_imgJaNein(1 - index), QStringLiteral("0"));
    cmbNext()->setEnabled(index == kAntwortNein);
    MaterialListeAnzeigen(index);
    ArbeitsbereichAnordnen(name());
}

void frmNPK2b::MaterialListeAnzeigen(int intAntwort)
{
    AppContext& a = app();
    WizardState& s = a.bedarf;
    const int anzahl = OrgSubAnzahl(intAntwort, s.sngPFaktor);
    bool fehler = false;
    for (int i = 1; i <= 6; ++i) {
        option(m_imgOS(i), false);
        std::optional<OrgSubZeile> z;
        try {
            if (a.db && i <= anzahl)
                z = OrgSubLesen(a.db->cnKav(), OrgSubNummer(i));
        } catch (const sql::Error&) {
            fehler = true;
        }
        // a material without its row is not offered
        forms::setVisible(m_imgOS(i), z.has_value());
        forms::setVisible(m_lblOS(i), z.has_value());
        m_lblOS(i)->setText(z ? QStringLiteral("   ") + z->Bezeichnung : QString());
    }
    if (fehler)
        WizardMelden(Meldung{0, kTitelOrgSub,
                             datenFehlerText(
                                 QStringLiteral("Die Bodenverbesserungsmittel konnten nicht gelesen werden.")),
                             Meldung::Symbol::Warnung});
    m_lblArtMenge->setText(OrgSubHinweis(intAntwort, s.sngPFaktor));
    if (intAntwort == kAntwortJa)
        cmbNext()->setEnabled(false);
    else if (s.sngPFaktor != 0.0f)
        cmbNext()->setEnabled(true);
    s.intOrgSubAntwort = static_cast<qint16>(intAntwort);
    s.strAktOrgSubNr = QStringLiteral("x");
    forms::setVisible(m_lblArtMenge, true);
    forms::setVisible(m_lblMeldung, false);
}

void frmNPK2b::imgOS_Click(int index)
{
    if (index < 1 || index > 6 || m_imgOS(index)->isHidden())
        return;
    for (int i = 1; i <= 6; ++i)
        option(m_imgOS(i), i == index);
    AufwandmengeBerechnen(index, antwort());
    ArbeitsbereichAnordnen(name());
}

void frmNPK2b::AufwandmengeBerechnen(int intNr, int intAntwort)
{
    AppContext& a = app();
    std::optional<OrgSubZeile> z;
    try {
        if (a.db)
            z = OrgSubLesen(a.db->cnKav(), OrgSubNummer(intNr));
    } catch (const sql::Error&) {
    }
    if (!z) {
        WizardMelden(Meldung{0, kTitelOrgSub,
                             datenFehlerText(
                                 QStringLiteral("Dieses Bodenverbesserungsmittel konnte nicht gelesen werden.")),
                             Meldung::Symbol::Warnung});
        option(m_imgOS(intNr), false);
        return;
    }
    const std::optional<QString> rat = kav::AufwandmengeBerechnen(a.bedarf, *z, intAntwort, a.gebiet);
    if (!rat) {
        WizardMelden(Meldung{0, kTitelOrgSub, OrgSubLueckenMeldung(*z), Meldung::Symbol::Warnung});
        option(m_imgOS(intNr), false);
        return;
    }
    m_lblMeldung->setText(*rat);
    forms::setVisible(m_lblMeldung, true);
    cmbNext()->setEnabled(true);
}

void frmNPK2b::lblUeberschrift_Click() { LexikonZeigen(QStringLiteral("WirtschaftsduengerAllgemein")); }

void frmNPK2b::cmbNext_MouseUp()
{
    AppContext& a = app();
    if (!a.db)
        return;
    // computed on a copy: the page and the state stay as they are when it fails
    WizardState t = a.bedarf;
    if (t.strAktOrgSubNr.isEmpty() || t.strAktOrgSubNr == QLatin1String("x"))
        OrgSubOhneMaterial(t);
    const SqlQuellen q(a.db->cnKav(), a.db->cnDaten());
    const Neuberechnung r = BedarfNeuBerechnen(t, q.bedarf(), *a.uhr);
    WizardMelden(r.meldung);
    if (!r.ok)
        return;
    a.bedarf = std::move(t);
    if (ui().duengerauswahlOeffnen)
        ui().duengerauswahlOeffnen();
}

void frmNPK2b::cmbBack_MouseUp()
{
    AppContext& a = app();
    BedarfVariablenZuruecksetzen(a.bedarf, 3);
    const QString schritt = OrgSubZurueckSchritt(a.bedarf);
    FormulareEntladen();
    if (schritt != QLatin1String("NPK1"))
        SeiteZeigen(QStringLiteral("frmTitel")); // the crop step shows none
    a.rahmen.strFensterZeigen = schritt;
    SeiteZeigen(QStringLiteral("frm") + schritt);
}

void frmNPK2b::cmbAbbruch_MouseUp() { BerechnungAbbrechen(); }

void frmNPK2b::mouseMoveEvent(QMouseEvent* e)
{
    m_knoepfe->Form_MouseMove();
    Seite::mouseMoveEvent(e);
}

bool frmNPK2b::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        if (o == m_lblUeberschrift) {
            lblUeberschrift_Click();
            return true;
        }
        for (int i = 0; i <= 1; ++i)
            if (o == m_imgJaNein(i) || o == m_lblJaNein(i)) {
                imgJaNein_Click(i);
                return true;
            }
        for (int i = 1; i <= 6; ++i)
            if (o == m_imgOS(i) || o == m_lblOS(i)) {
                imgOS_Click(i);
                return true;
            }
    }
    return Seite::eventFilter(o, e);
}

} // namespace kav
