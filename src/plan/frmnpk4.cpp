#include "plan/frmnpk4.h"

#include "frame/klicksperre.h"
#include "frame/oberflaeche.h"
#include "frame/seitenwechsel.h"
#include "plan/planangaben.h"
#include "requirement/bedarf.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/meldungen.h"
#include "services/sql.h"

#include <QEvent>
#include <QMouseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>

namespace kav {

namespace {

QToolButton* bildKnopf(QWidget* eltern, const QString& name, const QString& hinweis)
{
    auto* b = new QToolButton(eltern);
    b->setObjectName(name);
    b->setToolTip(hinweis);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setAutoRaise(false);
    b->setMouseTracking(true);
    return b;
}

// The plan has no cell to stand on (the keys scroll it): the cell that would be current is drawn as
// every other.
class OhneZellfokus : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& i) const override
    {
        QStyledItemDelegate::initStyleOption(o, i);
        o->state &= ~QStyle::State_HasFocus;
    }
};

} // namespace

frmNPK4::frmNPK4() : Seite(QStringLiteral("frmNPK4"), QStringLiteral("NPK4"), Platz::Empfehlung)
{
    setMouseTracking(true);
    m_cmbZurueck = bildKnopf(this, QStringLiteral("cmbZurueck"), QStringLiteral("Einen Schritt zurück"));
    m_flgReport = new QTableWidget(this);
    m_flgReport->setObjectName(QStringLiteral("flgReport"));
    m_flgReport->setColumnCount(Empfehlungsraster::kSpalten);
    m_flgReport->horizontalHeader()->hide();
    m_flgReport->verticalHeader()->hide();
    m_flgReport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_flgReport->setSelectionMode(QAbstractItemView::NoSelection);
    // reached by Tab, it scrolls by the keys (no cell to move to: the keys move the plan)
    m_flgReport->setFocusPolicy(Qt::StrongFocus);
    m_flgReport->setTabKeyNavigation(false);
    m_flgReport->setItemDelegate(new OhneZellfokus(m_flgReport));
    m_flgReport->installEventFilter(this);
    m_flgReport->setShowGrid(false);
    m_flgReport->setWordWrap(true);
    m_flgReport->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_cmbDrucken = bildKnopf(this, QStringLiteral("cmbDrucken"),
                             QStringLiteral("Düngeempfehlung als PDF-Dokument öffnen und drucken"));
    m_cmbAbbruch = bildKnopf(this, QStringLiteral("cmbAbbruch"), QStringLiteral("Berechnung abbrechen"));

    for (QToolButton* b : {m_cmbZurueck, m_cmbDrucken, m_cmbAbbruch})
        b->installEventFilter(this);
    // the step buttons: one click, one step
    Klicksperre::schuetzen(m_cmbZurueck);
    Klicksperre::schuetzen(m_cmbAbbruch);
    connect(m_cmbDrucken, &QToolButton::clicked, this, [this] { cmbDrucken_Click(); });
    connect(m_cmbZurueck, &QToolButton::clicked, this, [this] { cmbZurueck_MouseUp(); });
    connect(m_cmbAbbruch, &QToolButton::clicked, this, [this] { cmbAbbruch_Click(); });
}

void frmNPK4::melden(const QString& text) const
{
    if (MeldungsAnzeige* m = app().anzeige)
        m->zeige(Meldung{0, QStringLiteral("Kav - Humavera"), text, Meldung::Symbol::Warnung});
}

void frmNPK4::Form_Load()
{
    AppContext& a = app();
    m_eingang = PlanEingang::aus(a.bedarf);
    a.rahmen.strFensterZeigen = schritt();
    BrotkrumeAktualisieren(schritt());
    TitelSetzen();
    if (a.db) {
        try {
            const SqlQuellen q(a.db->cnKav(), a.db->cnDaten());
            BedarfBerechnen(a.bedarf, a.bedarf.strAktKulturNr, a.bedarf.strAktAnalysenNr, q.bedarf(), *a.uhr);
        } catch (const sql::Error&) {
            melden(datenFehlerText(QStringLiteral("Der Bedarf konnte nicht neu berechnet werden, weil die Daten nicht "
                                                  "gelesen werden konnten. Die Düngeempfehlung zeigt den zuletzt "
                                                  "berechneten Bedarf.")));
        }
    }
    DuengeplanErstellen();
    ArbeitsbereichAnordnen(name());
}

void frmNPK4::Form_Unload()
{
    m_eingang.zurueckgeben(app().bedarf);
    Seite::Form_Unload();
}

void frmNPK4::DuengeplanErstellen()
{
    AppContext& a = app();
    m_planDa = false;
    try {
        if (!a.db)
            throw sql::Error(QStringLiteral("keine Datenbank"));
        const SqlQuellen q(a.db->cnKav(), a.db->cnDaten());
        const SqlPlanAngaben angaben(a.db->cnKav(), a.db->cnDaten());
        const PlanErgebnis e = kav::DuengeplanErstellen(
            a.bedarf, m_eingang, {q.kulturen, q.duenger, q.plaene, angaben}, a.gebiet, a.uhr->today(), m_raster);
        m_planDa = e.ok;
    } catch (const sql::Error&) {
        m_eingang.zurueckgeben(a.bedarf);
        m_raster.leeren();
        m_raster.fehler(0, QStringLiteral("Die Düngeempfehlung kann nicht erstellt werden, weil die Daten nicht "
                                          "gelesen werden konnten."));
    }
    m_cmbDrucken->setEnabled(m_planDa);
}

void frmNPK4::cmbZurueck_MouseUp()
{
    AppContext& a = app();
    FormulareEntladen();
    a.rahmen.strFensterZeigen = QStringLiteral("NPK3");
    forms::FensterRegister& r = ui().fenster;
    try {
        r.zeigen(QStringLiteral("frmNPK3"));
        r.zeigen(QStringLiteral("frmTitel"));
    } catch (const std::exception&) {
        return;
    }
    // The fertiliser page shows the chosen lime again and enables its Next button.
    if (ui().kalkDuengerEintragen)
        ui().kalkDuengerEintragen(a.bedarf.strAktKalkNr);
}

void frmNPK4::cmbAbbruch_Click()
{
    AppContext& a = app();
    FormulareEntladen();
    BedarfVariablenZuruecksetzen(a.bedarf, 0);
    a.rahmen.strFensterZeigen = QStringLiteral("NPK");
    try {
        ui().fenster.zeigen(QStringLiteral("frmNPK"));
    } catch (const std::exception&) {
        // the navigation bar still leads on
    }
    TitelSetzen();
}

void frmNPK4::Form_MouseMove()
{
    const Einstellungen& e = app().einstellungen;
    for (QToolButton* b : {m_cmbDrucken, m_cmbAbbruch, m_cmbZurueck}) {
        if (forms::BackColor(b) == benutzerFarbeHell(e)) {
            forms::setBackColor(b, benutzerFarbe(e));
            return;
        }
    }
}

void frmNPK4::mouseMoveEvent(QMouseEvent* e)
{
    // moves over a button reach the page too: only the page's own surface sets a button back
    if (!childAt(e->position().toPoint()))
        Form_MouseMove();
    Seite::mouseMoveEvent(e);
}

bool frmNPK4::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_flgReport && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        const std::pair<int, QAbstractSlider::SliderAction> tasten[] = {
            {Qt::Key_Up, QAbstractSlider::SliderSingleStepSub},   {Qt::Key_Down, QAbstractSlider::SliderSingleStepAdd},
            {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub}, {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
            {Qt::Key_Home, QAbstractSlider::SliderToMinimum},     {Qt::Key_End, QAbstractSlider::SliderToMaximum},
        };
        for (const auto& [taste, schritt] : tasten)
            if (k->key() == taste && (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
                m_flgReport->verticalScrollBar()->triggerAction(schritt);
                return true;
            }
    }
    if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter) {
        for (QToolButton* b : {m_cmbZurueck, m_cmbDrucken, m_cmbAbbruch})
            if (o == b)
                Hervorheben(b);
    }
    return Seite::eventFilter(o, e);
}

} // namespace kav
