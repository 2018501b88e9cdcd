#include "requirement/frmnpk.h"

#include "frame/klicksperre.h"
#include "frame/oberflaeche.h"
#include "frame/seitenwechsel.h"
#include "platform/tastenlink.h"
#include "plots/frmalteanalyse.h"
#include "requirement/npkanordnung.h"
#include "requirement/npkauswahl.h"
#include "requirement/npkbaumansicht.h"
#include "requirement/restbedarf.h"
#include "requirement/wizardseiten.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/sql.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

namespace kav {

namespace {

const char* const kWertTexte[6] = {"Bodenart:", "Organische Substanz:", "Phosphat-Gehalt:", "Kalium-Gehalt:",
                                   "Magnesium-Gehalt:", "pH-Wert:"};
const char* const kEinheiten[4] = {"%", "mg P2O5/ 100g", "mg K2O/ 100g", "mg Mg/ 100g"};
const char* const kKapitel[6] = {"Bodenart", "organischeSubstanz", "GehaltsklassenPhosphat", "GehaltsklassenKalium",
                                 "GehaltsklassenMagnesium", "pHundKalk"};
const QString kTitelBerechnung = QStringLiteral("Humavera - Düngeberechnung");

} // namespace

frmNPK* flaechenSeite() { return ui().fenster.fensterAls<frmNPK>(QStringLiteral("frmNPK")); }

frmNPK::frmNPK() : Seite(QStringLiteral("frmNPK"), QStringLiteral("NPK"), Platz::UnterBrotkrume)
{
    setMouseTracking(true);
    m_imlNPK.hinzufuegen(QStringLiteral("Grp"), QIcon(QStringLiteral(":/icons/Grp.svg")));

    m_lblTitel = Beschriftung(this, QStringLiteral("lblTitel"),
                              QStringLiteral("Wählen Sie die zu düngende Fläche aus der untenstehenden Liste aus:"));
    m_lblTitel->setWordWrap(true);
    m_trvNPK = new NPKBaumAnsicht(this);
    m_trvNPK->setObjectName(QStringLiteral("trvNPK"));
    connect(m_trvNPK, &NPKBaumAnsicht::gewaehlt, this, [this](QTreeWidgetItem* i) { trvNPK_Click(i); });

    // the plot's name and the date of its analysis, in a box the user reads only
    m_txtNPK = NPKAnzeigefeld(this);

    for (int i = 0; i <= 5; ++i) {
        QLabel* l = Beschriftung(this, QStringLiteral("lblWert%1").arg(i), QString::fromUtf8(kWertTexte[i]));
        l->setCursor(Qt::WhatsThisCursor);
        l->setToolTip(QStringLiteral("Mehr dazu im Lexikon"));
        l->installEventFilter(this);
        new forms::Tastenlink(this, l, [this, i] { lblWert_Click(i); });
        m_lblWert.anhaengen(l);
        auto* t = new QLineEdit(this);
        t->setObjectName(QStringLiteral("txtWert%1").arg(i));
        t->setReadOnly(true);
        t->setFocusPolicy(Qt::NoFocus);
        m_txtWert.anhaengen(t);
    }
    for (int i = 0; i <= 3; ++i)
        m_lblEinheit.anhaengen(Beschriftung(this, QStringLiteral("lblEinheit%1").arg(i), QString::fromUtf8(kEinheiten[i])));

    m_cmbKompost = WizardKnopf(this, QStringLiteral("cmbKompost"),
                               QStringLiteral("Empfehlung zur Ausbringung von Bodenverbesserungsmitteln"));
    m_cmbWeiter = WizardKnopf(this, QStringLiteral("cmbWeiter"), QStringLiteral("Weiter zum nächsten Schritt"));
    for (QToolButton* b : {m_cmbKompost, m_cmbWeiter})
        b->installEventFilter(this);
    Klicksperre::schuetzen(m_cmbWeiter); // a step button: one click, one step
    connect(m_cmbKompost, &QToolButton::clicked, this, [this] { cmbKompost_Click(); });
    connect(m_cmbWeiter, &QToolButton::clicked, this, [this] { cmbWeiter_MouseUp(); });
    knoepfeFreigeben(false);
}

// ---------------------------------------------------------------- loading

void frmNPK::Form_Load()
{
    AppContext& a = app();
    Seite::Form_Load(); // step key "NPK", breadcrumb, caption, layout
    baumFuellen();
    WizardState& s = a.bedarf;
    if (!s.strAktAnalysenNr.isEmpty()) {
        // back on this page with a plot chosen: its path opened and its latest analysis shown again
        // (a plot that is not in the tree leaves the state as it is; Next stays disabled)
        QTreeWidgetItem* it = m_trvNPK->pfadAufklappen(s.strAktFlaechenNr, false);
        if (it && NPKBaumAnsicht::tag(it) == QStringLiteral("Flaeche")) {
            try {
                if (a.db)
                    FlaechenWerteLesen(a.db->cnDaten(), s);
            } catch (const sql::Error&) {
            }
            if (!analyseZeigen(it->text(0)))
                s.strAktAnalysenNr.clear();
        }
    }
    a.rahmen.strLexikonAnzeige = QStringLiteral("Bodenuntersuchung");
}

void frmNPK::baumFuellen()
{
    AppContext& a = app();
    NPKBaumDaten d;
    bool gelesen = true;
    try {
        if (a.db)
            d = FlaechenBaumLesen(a.db->cnDaten());
    } catch (const sql::Error&) {
        gelesen = false;
    }
    m_trvNPK->fuellen(d, m_imlNPK);
    if (QTreeWidgetItem* wurzel = m_trvNPK->topLevelItem(0))
        wurzel->setExpanded(true);
    if (!gelesen)
        zurAnalysenSeite(datenFehlerText(QStringLiteral("Die Flächen konnten nicht gelesen werden. Die "
                                                        "Düngeberechnung kann deshalb nicht beginnen.")));
    else if (d.knoten.empty())
        zurAnalysenSeite(QStringLiteral("Es gibt noch keine Fläche mit einer Bodenuntersuchung."));
}

void frmNPK::zurAnalysenSeite(const QString& text)
{
    // the page that is loading is not unloaded under its caller: the switch follows once the load is done
    QPointer<frmNPK> seite(this);
    QTimer::singleShot(0, qApp, [seite, text] {
        if (!seite || !ui().fenster.istGeladen(QStringLiteral("frmNPK")))
            return;
        FormulareEntladen();
        BedarfVariablenZuruecksetzen(app().bedarf, 0);
        app().rahmen.strFensterZeigen = QStringLiteral("Analysenwerte");
        SeiteZeigen(QStringLiteral("frmAnalysenWerte"));
        TitelSetzen();
        WizardMelden(Meldung{0, kTitelBerechnung, text, Meldung::Symbol::Information});
    });
}

// ---------------------------------------------------------------- the plot and its analysis

void frmNPK::leeren()
{
    m_txtNPK->clear();
    for (int i = 0; i <= 5; ++i)
        m_txtWert(i)->clear();
    m_gezeigt.clear();
    m_analyse.reset();
    knoepfeFreigeben(false);
}

void frmNPK::knoepfeFreigeben(bool frei)
{
    m_cmbWeiter->setEnabled(frei);
    m_cmbKompost->setEnabled(frei);
}

bool frmNPK::analyseZeigen(const QString& knotenText)
{
    AppContext& a = app();
    WizardState& s = a.bedarf;
    leeren();
    std::optional<AnalysenZeile> analyse;
    try {
        if (a.db)
            analyse = NeuesteAnalyseLesen(a.db->cnDaten(), s.strAktFlaechenNr);
    } catch (const sql::Error&) {
        WizardMelden(Meldung{0, kTitelBerechnung,
                             datenFehlerText(
                                 QStringLiteral("Die Bodenuntersuchung dieser Fläche konnte nicht gelesen werden.")),
                             Meldung::Symbol::Warnung});
        return false;
    }
    if (!analyse)
        return false;
    s.strAktAnalysenNr = analyse->AnalysenNr;
    const AnalysenAnzeige z = AnalyseAnzeigen(*analyse, a.gebiet);
    m_txtNPK->setText(knotenText + QLatin1Char('\n') + z.datumZeile);
    for (int i = 0; i <= 5; ++i)
        m_txtWert(i)->setText(z.txtWert[static_cast<size_t>(i)]);
    m_gezeigt = s.strAktFlaechenNr;
    m_analyse = analyse;
    knoepfeFreigeben(true);
    ArbeitsbereichAnordnen(name()); // a long name makes the box higher
    return true;
}

void frmNPK::trvNPK_Click(QTreeWidgetItem* item)
{
    AppContext& a = app();
    WizardState& s = a.bedarf;
    if (NPKBaumAnsicht::tag(item) != QStringLiteral("Flaeche"))
        return; // groups and the root leave the plot shown as it is
    const QString key = NPKBaumAnsicht::key(item);
    if (key == m_gezeigt)
        return;
    s.strAktFlaechenNr = key;
    try {
        if (a.db)
            FlaechenWerteLesen(a.db->cnDaten(), s);
    } catch (const sql::Error&) {
    }
    if (!analyseZeigen(item->text(0))) {
        s.strAktAnalysenNr.clear();
        return;
    }
    AlteAnalyseMelden(m_analyse->Datum);
}

void frmNPK::cmbWeiter_MouseUp()
{
    AppContext& a = app();
    WizardState& s = a.bedarf;
    if (s.strAktFlaechenNr.isEmpty() || !m_analyse) {
        WizardMelden(fehlerMeldungFuer(QStringLiteral("Flaeche")));
        return;
    }
    if (!BodenwerteUebernehmen(s, *m_analyse)) {
        WizardMelden(analysenwerteFehlen(fehlendeAnalysenwerte(*m_analyse)));
        return;
    }
    RestbedarfBerechnen(s);
    FormulareEntladen();
    a.rahmen.strFensterZeigen = QStringLiteral("NPK1");
    SeiteZeigen(QStringLiteral("frmNPK1"));
}

void frmNPK::cmbKompost_Click()
{
    forms::FensterRegister& r = ui().fenster;
    r.entladen(QStringLiteral("frmKompost"));
    if (SeiteZeigen(QStringLiteral("frmKompost")))
        if (forms::Fenster* f = r.fenster(QStringLiteral("frmKompost")))
            f->widget()->raise();
}

void frmNPK::lblWert_Click(int index)
{
    LexikonZeigen(index >= 0 && index <= 5 ? QString::fromLatin1(kKapitel[index]) : QString());
}

// ---------------------------------------------------------------- mouse

void frmNPK::Form_MouseMove()
{
    for (QToolButton* b : {m_cmbKompost, m_cmbWeiter})
        ZurueckFaerben(b);
}

void frmNPK::mouseMoveEvent(QMouseEvent* e)
{
    Form_MouseMove();
    Seite::mouseMoveEvent(e);
}

bool frmNPK::eventFilter(QObject* o, QEvent* e)
{
    const QEvent::Type typ = e->type();
    if (typ == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        for (int i = 0; i <= 5; ++i)
            if (o == m_lblWert(i)) {
                lblWert_Click(i);
                return true;
            }
    } else if (typ == QEvent::MouseMove || typ == QEvent::Enter) {
        for (QToolButton* b : {m_cmbKompost, m_cmbWeiter})
            if (o == b)
                Hervorheben(b);
    }
    return Seite::eventFilter(o, e);
}

} // namespace kav
