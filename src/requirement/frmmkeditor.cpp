#include "requirement/frmmkeditor.h"

#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "frame/seitenwechsel.h"
#include "platform/baumansicht.h"
#include "requirement/balkengeometrie.h"
#include "requirement/mischkulturkulturen.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/meldungen.h"
#include "services/meldungsbox.h"
#include "services/sql.h"

#include <QAction>
#include <QFrame>
#include <QHeaderView>
#include <QMessageBox>
#include <QToolButton>
#include <QTreeWidget>

namespace kav {

namespace {

const QString kTitelPlanung = QStringLiteral("Kav - Planung von Mischkulturen");

QToolButton* bildknopf(QWidget* eltern, const QString& name, const QString& hinweis)
{
    auto* b = new QToolButton(eltern);
    b->setObjectName(name);
    b->setToolTip(hinweis);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setMouseTracking(true);
    // a move over the button is the button's: the window's own move would take the highlight back
    b->setAttribute(Qt::WA_NoMousePropagation);
    return b;
}

QColor farbeVon(qint32 c) { return QColor(c & 255, (c >> 8) & 255, (c >> 16) & 255); }
qint32 nummerVon(const QColor& c) { return c.red() + 256 * c.green() + 65536 * c.blue(); }

} // namespace

frmMKEditor* mkEditor() { return ui().fenster.fensterAls<frmMKEditor>(QStringLiteral("frmMKEditor")); }

frmMKEditor::frmMKEditor() : Seite(QStringLiteral("frmMKEditor"), QStringLiteral("MKEditor"), Platz::UnterBrotkrume)
{
    setWindowTitle(kTitelPlanung);
    setMouseTracking(true);
    m_imlTreeview.hinzufuegen(QStringLiteral("Ku1001"), QIcon(QStringLiteral(":/icons/Gemuese.svg")));

    m_lblName = Beschriftung(this, QStringLiteral("lblName"), {}, true);
    m_cmdLoeschen = bildknopf(this, QStringLiteral("cmdLoeschen"), QStringLiteral("Planung löschen"));

    // long names are scrolled to; one the control cuts shows in full when the mouse rests on it
    m_trvKulturen = new forms::Baumansicht(this);
    m_trvKulturen->setObjectName(QStringLiteral("trvKulturen"));
    m_trvKulturen->setToolTip(QStringLiteral("Ziehen Sie eine Kultur mit der Maus auf das Beet"));
    m_trvKulturen->viewport()->installEventFilter(this);

    // the bed: white with a frame; grid lines first, so that the bars lie over them
    auto* feld = new QFrame(this);
    feld->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette rahmen = feld->palette();
    rahmen.setColor(QPalette::WindowText, QColor(96, 96, 96));
    feld->setPalette(rahmen);
    m_pcbFeld = feld;
    m_pcbFeld->setObjectName(QStringLiteral("pcbFeld"));
    forms::setTag(m_pcbFeld, QStringLiteral("0"));
    for (int i = 0; i <= 22; ++i) {
        auto* l = new forms::Linie(m_pcbFeld);
        l->setObjectName(QStringLiteral("linRasterVertikal%1").arg(i));
        m_linRasterVertikal.anhaengen(l);
    }
    for (int i = 0; i <= 2; ++i) {
        auto* l = new forms::Linie(m_pcbFeld);
        l->setObjectName(QStringLiteral("linRastQuer%1").arg(i));
        m_linRastQuer.anhaengen(l);
    }
    QLabel* vorlage = neuerBalken();
    forms::setVisible(vorlage, false);

    for (int i = 0; i <= 11; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("lblMonat%1").arg(i));
        m_lblMonat.anhaengen(l);
    }
    for (int i = 0; i <= 23; ++i) {
        auto* l = new QLabel(i % 2 == 0 ? QStringLiteral("I") : QStringLiteral("II"), this);
        l->setObjectName(QStringLiteral("lblTeil%1").arg(i));
        m_lblTeil.anhaengen(l);
    }

    m_cmdAbbruch = bildknopf(this, QStringLiteral("cmdAbbruch"), QStringLiteral("Düngeberechnung abbrechen"));
    m_cmdDrucken = bildknopf(this, QStringLiteral("cmdDrucken"), QStringLiteral("Planung als PDF-Dokument öffnen"));
    m_cmdSpeichern = bildknopf(this, QStringLiteral("cmdSpeichern"), QStringLiteral("Planung speichern"));
    m_cmdBack = bildknopf(this, QStringLiteral("cmdBack"), QStringLiteral("Zurück zur Kulturauswahl"));
    m_cmdNext = bildknopf(this, QStringLiteral("cmdNext"), QStringLiteral("Weiter zum nächsten Schritt"));
    for (QToolButton* b : {m_cmdLoeschen, m_cmdAbbruch, m_cmdDrucken, m_cmdSpeichern, m_cmdBack, m_cmdNext})
        b->installEventFilter(this);
    connect(m_cmdNext, &QToolButton::clicked, this, [this] { cmdNext_Click(); });
    connect(m_cmdAbbruch, &QToolButton::clicked, this, [this] { cmdAbbruch_Click(); });
    connect(m_cmdSpeichern, &QToolButton::clicked, this, [this] { cmdSpeichern_Click(); });
    connect(m_cmdLoeschen, &QToolButton::clicked, this, [this] { cmdLoeschen_Click(); });
    connect(m_cmdDrucken, &QToolButton::clicked, this, [this] { PlanungDrucken(); });
    // Back acts when the button is released (a click ends with the release)
    connect(m_cmdBack, &QToolButton::clicked, this, [this] { cmdBack_MouseUp(); });
}

frmMKEditor::~frmMKEditor()
{
    for (const auto& v : m_menueVerbindungen)
        disconnect(v);
}

QLabel* frmMKEditor::neuerBalken()
{
    auto* b = new QLabel(m_pcbFeld);
    b->setObjectName(QStringLiteral("txtKulturen%1").arg(m_txtKulturen.Count()));
    b->setAlignment(Qt::AlignCenter);
    b->setTextFormat(Qt::PlainText);
    b->setAutoFillBackground(true);
    b->setMouseTracking(true);
    b->installEventFilter(this);
    if (QLabel* vorlage = m_txtKulturen.oderNull(0)) {
        b->setFont(vorlage->font());
        forms::Tw(b).setRechteck(QRectF(0, 0, 0, forms::Tw(vorlage).Height()));
    }
    m_txtKulturen.anhaengen(b);
    return b;
}

QTreeWidgetItem* frmMKEditor::knoten(const QString& schluessel) const
{
    for (QTreeWidgetItemIterator it(m_trvKulturen); *it; ++it)
        if ((*it)->data(0, kSchluesselRolle).toString() == schluessel)
            return *it;
    return nullptr;
}

// ---------------------------------------------------------------- loading

void frmMKEditor::Form_Load()
{
    Seite::Form_Load(); // step key, breadcrumb, caption, layout pass
    m_cmdNext->setEnabled(false);
    baumFuellen();
    if (mdiZentral* h = ui().haupt.data())
        if (QAction* a = h->menuePunkt(QStringLiteral("mnuKulturLoeschen")))
            m_menueVerbindungen.push_back(connect(a, &QAction::triggered, this, [this] { BalkenLoeschen(); }));
    ZeichnungEinlesen();
    m_blnGeaendert = false;
    m_ungespeichert = false;
}

void frmMKEditor::Form_Unload()
{
    for (const auto& v : m_menueVerbindungen)
        disconnect(v);
    m_menueVerbindungen.clear();
    Seite::Form_Unload();
}

void frmMKEditor::baumFuellen()
{
    m_trvKulturen->clear();
    const QIcon bild = m_imlTreeview.bild(QStringLiteral("Ku1001"));
    for (const MischkulturGruppe& g : kMischkulturGruppen) {
        auto* k = new QTreeWidgetItem(m_trvKulturen, {QString::fromUtf16(g.text)});
        k->setData(0, kSchluesselRolle, QLatin1String(g.schluessel));
        k->setData(0, kTagRolle, QStringLiteral("Grp"));
        k->setIcon(0, bild);
    }
    std::vector<MischkulturKultur> kulturen;
    try {
        if (app().db)
            kulturen = MischkulturKulturenLesen(app().db->cnKav());
    } catch (const sql::Error&) {
        melde(datenFehlerText(QStringLiteral("Die Kulturen für die Mischkultur konnten nicht gelesen werden. "
                                             "Es können keine Kulturen eingeplant werden.")));
    }
    for (const MischkulturKultur& ku : kulturen) {
        QTreeWidgetItem* eltern = ku.Gruppe.isEmpty() ? nullptr : knoten(ku.Gruppe);
        auto* k = eltern ? new QTreeWidgetItem(eltern, {ku.Bezeichnung})
                         : new QTreeWidgetItem(m_trvKulturen, {ku.Bezeichnung});
        k->setData(0, kSchluesselRolle, ku.KulturNr);
        k->setData(0, kTagRolle, QStringLiteral("Kultur"));
        k->setIcon(0, bild);
    }
    KulturFarbenEinlesen(kulturen);
}

void frmMKEditor::KulturFarbenEinlesen(const std::vector<MischkulturKultur>& kulturen)
{
    for (const MischkulturKultur& ku : kulturen)
        if (ku.Farbe)
            if (QTreeWidgetItem* k = knoten(ku.KulturNr))
                k->setData(0, kTagRolle, QString::number(*ku.Farbe));
}

// ---------------------------------------------------------------- bars

void frmMKEditor::ZeichnungEinlesen(bool fokusLassen)
{
    std::vector<MischkulturBalken>& tabelle = app().bedarf.arrMischkulturBalken;
    const int n = m_txtKulturen.Count();
    tabelle.resize(size_t(n));
    tabelle[0] = MischkulturBalken{};
    const forms::Tw feld(m_pcbFeld);
    bool sichtbar = false;
    for (int i = 1; i < n; ++i) {
        QLabel* b = m_txtKulturen(i);
        MischkulturBalken& r = tabelle[size_t(i)];
        r.KulturID = forms::Tag(b);
        r.Kultur = b->text();
        r.Farbe = nummerVon(forms::BackColor(b));
        balkenAusTwips(r, forms::Tw(b).rechteck(), feld.Width(), feld.Height());
        sichtbar = sichtbar || !b->isHidden();
    }
    for (QToolButton* k : {m_cmdNext, m_cmdSpeichern, m_cmdDrucken})
        k->setEnabled(sichtbar);
    if (isVisible() && !fokusLassen)
        m_pcbFeld->setFocus();
}

void frmMKEditor::BalkenEinfaerben(const QString& Farbe, int index)
{
    if (!m_txtKulturen.hat(index) || index < 1)
        return;
    const qint32 c = farbeAusText(Farbe).value_or(kKulturOhneFarbe);
    const QString text = m_txtKulturen(index)->text();
    for (int i = 1; i < m_txtKulturen.Count(); ++i) {
        QLabel* b = m_txtKulturen(i);
        if (b->text() != text)
            continue;
        forms::setBackColor(b, farbeVon(c));
        QPalette p = b->palette();
        p.setColor(QPalette::WindowText, farbeVon(SchriftFarbe(c)));
        b->setPalette(p);
    }
    ZeichnungEinlesen();
}

void frmMKEditor::BalkenLoeschen()
{
    const int i = app().bedarf.intAktBalken;
    if (i < 1 || !m_txtKulturen.hat(i))
        return;
    QLabel* b = m_txtKulturen(i);
    forms::setVisible(b, false);
    forms::Tw(b).setRechteck(QRectF(0, 0, 0, 0));
    m_blnGeaendert = m_ungespeichert = true;
    ZeichnungEinlesen();
}

// ---------------------------------------------------------------- navigation

void frmMKEditor::melde(const QString& text) const
{
    if (MeldungsAnzeige* m = app().anzeige)
        m->zeige(Meldung{0, kTitelPlanung, text, Meldung::Symbol::Warnung});
}

bool frmMKEditor::aenderungenVerwerfen()
{
    if (!m_ungespeichert)
        return true;
    return JaNeinFrage(kTitelPlanung,
                       QStringLiteral("Die Änderungen an der Planung sind noch nicht gespeichert.\n\n"
                                      "Sollen sie verworfen werden?"),
                       QMessageBox::No, ui().haupt.data())
        == QMessageBox::Yes;
}

void frmMKEditor::cmdNext_Click()
{
    AppContext& a = app();
    WizardState& s = a.bedarf;
    if (m_blnGeaendert && !PlanungSpeichern(forms::Tag(m_lblName).isEmpty()))
        return;
    s.strAktKulturNr = forms::Tag(m_lblName);
    // the requirement of the plan is calculated by the green-manure step's Next
    forms::FensterRegister& reg = ui().fenster;
    FormulareEntladen();
    reg.zeigen(QStringLiteral("frmTitel"));
    a.rahmen.strFensterZeigen = QStringLiteral("NPK2");
    reg.zeigen(QStringLiteral("frmNPK2"));
}

void frmMKEditor::cmdBack_MouseUp()
{
    if (!aenderungenVerwerfen())
        return;
    BedarfVariablenZuruecksetzen(app().bedarf, 2);
    FormulareEntladen();
    app().rahmen.strFensterZeigen = QStringLiteral("NPK1");
    ui().fenster.zeigen(QStringLiteral("frmNPK1"));
}

void frmMKEditor::cmdAbbruch_Click()
{
    if (!aenderungenVerwerfen())
        return;
    FormulareEntladen();
    BedarfVariablenZuruecksetzen(app().bedarf, 0);
    FormulareEntladen();
    app().rahmen.strFensterZeigen = QStringLiteral("NPK");
    ui().fenster.zeigen(QStringLiteral("frmNPK"));
    TitelSetzen();
}

frmMKEditor* MischkulturPlanerOeffnen(const QString& planName, const QString& planId)
{
    FormulareEntladen();
    auto* f = dynamic_cast<frmMKEditor*>(ui().fenster.laden(QStringLiteral("frmMKEditor")));
    if (!f)
        return nullptr;
    f->lblName()->setText(planName);
    forms::setTag(f->lblName(), planId);
    if (!planId.isEmpty()) {
        f->MischkulturEintragen(planId);
        f->ZeichnungEinlesen();
    }
    app().rahmen.strFensterZeigen = QStringLiteral("MKEditor");
    f->show();
    return f;
}

} // namespace kav
