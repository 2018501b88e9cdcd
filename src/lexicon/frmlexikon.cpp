#include "lexicon/frmlexikon.h"

#include "frame/frmtoolbar.h"
#include "frame/hilfe.h"
#include "frame/links.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "lexicon/frmvollbild.h"
#include "lexicon/lexikontext.h"
#include "lexicon/lexikonverlauf.h"
#include "lexicon/verweise.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <utility>

namespace kav {

namespace {

const QString kStartKapitel = QStringLiteral("Einleitung");
const QString kKeinBild = QStringLiteral("KeinBild.jpg");
const QString kUnsichtbar = QStringLiteral("Unsichtbar");

// Mouse moves over a control stay with the control: the window's own handler is for its background.
template <class W>
W* eigeneMaus(W* w)
{
    w->setAttribute(Qt::WA_NoMousePropagation);
    return w;
}

} // namespace

frmLexikon::frmLexikon() : Seite(QStringLiteral("frmLexikon"), QStringLiteral("Lexikon"), Platz::Lexikon)
{
    setMouseTracking(true);

    // the heading first: the Back button lies over its right end
    m_lblUeberschrift = eigeneMaus(Beschriftung(this, QStringLiteral("lblUeberschrift")));
    m_lblUeberschrift->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_lblUeberschrift->setMouseTracking(true);
    m_lblUeberschrift->installEventFilter(this);

    m_rtfBegriff = eigeneMaus(new QLineEdit(this));
    m_rtfBegriff->setObjectName(QStringLiteral("rtfBegriff"));
    m_rtfBegriff->installEventFilter(this);
    connect(m_rtfBegriff, &QLineEdit::textEdited, this, [this] { rtfBegriff_BegriffSuchen(); });

    m_lstBegriff = eigeneMaus(new QListWidget(this));
    m_lstBegriff->setObjectName(QStringLiteral("lstBegriff"));
    m_lstBegriff->setSelectionMode(QAbstractItemView::SingleSelection);
    // no tab stop: a term chosen in the list gives the focus to the search box, whose arrow keys move
    // through the list (the list reached by Tab would send the focus straight back)
    m_lstBegriff->setFocusPolicy(Qt::ClickFocus);
    connect(m_lstBegriff, &QListWidget::currentRowChanged, this, [this](int) { lstBegriff_Click(); });
    // a click on the entry already chosen shows its chapter again when the page has moved on
    connect(m_lstBegriff, &QListWidget::itemClicked, this, [this] {
        const int z = m_lstBegriff->currentRow();
        if (z >= 0 && z < static_cast<int>(m_begriffe.size()) && m_begriffe[static_cast<size_t>(z)].verweis != m_kapitelNr)
            lstBegriff_Click();
    });

    m_rtfLexikon = eigeneMaus(new LexikonText(this));
    m_rtfLexikon->setObjectName(QStringLiteral("rtfLexikon"));
    m_rtfLexikon->viewport()->setAttribute(Qt::WA_NoMousePropagation);
    m_rtfLexikon->installEventFilter(this);
    m_lstBegriff->installEventFilter(this);
    m_rtfLexikon->setLexikonOrdner(app().ordner.lexikon());
    connect(m_rtfLexikon, &LexikonText::geklickt, this, [this](const QString& v) { rtfLexikon_VerweisFolgen(v); });

    // the strip: its frame lets the mouse through to the window's background
    m_shpBilder = new QFrame(this);
    m_shpBilder->setObjectName(QStringLiteral("shpBilder"));
    m_shpBilder->setFrameShape(QFrame::Box);
    m_shpBilder->setFrameShadow(QFrame::Plain);
    m_shpBilder->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (int i = 1; i <= kBilderSlots; ++i) {
        auto* slot = eigeneMaus(new QLabel(this));
        slot->setObjectName(QStringLiteral("imgLexikon%1").arg(i));
        slot->setFrameShape(QFrame::Box);
        slot->setFrameShadow(QFrame::Plain);
        slot->setAlignment(Qt::AlignCenter);
        slot->setMouseTracking(true);
        slot->installEventFilter(this);
        slot->hide();
        m_imgLexikon.anhaengen(slot);
    }

    m_cmdZurueck = eigeneMaus(new QToolButton(this));
    m_cmdZurueck->setObjectName(QStringLiteral("cmdZurueck"));
    m_cmdZurueck->setToolTip(QStringLiteral("Ein Kapitel zurückblättern"));
    m_cmdZurueck->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_cmdZurueck->setAutoFillBackground(true);
    m_cmdZurueck->setMouseTracking(true);
    m_cmdZurueck->installEventFilter(this);
    connect(m_cmdZurueck, &QToolButton::clicked, this, [this] { cmdZurueck_Click(); });

    m_vscBilder = eigeneMaus(new QScrollBar(Qt::Vertical, this));
    m_vscBilder->setObjectName(QStringLiteral("vscBilder"));
    m_vscBilder->setRange(0, 2 * kStreifenMitte);
    m_vscBilder->setSingleStep(1);
    m_vscBilder->setPageStep(1);
    m_vscBilder->setValue(kStreifenMitte);
    m_vscBilder->resize(17, 100);
    m_vscBilder->hide();
    connect(m_vscBilder, &QScrollBar::valueChanged, this, [this](int v) { vscBilder_Change(v); });
}

LexikonDaten frmLexikon::daten() const
{
    AppContext& a = app();
    if (!a.db)
        throw std::runtime_error("keine Datenbank");
    return LexikonDaten(a.db->cnKav());
}

// ---------------------------------------------------------------- loading

void frmLexikon::Form_Load()
{
    Seite::Form_Load();
    Rahmen& r = app().rahmen;
    if (mdiZentral* h = ui().haupt.data()) {
        const QPixmap hand = h->imlCursor().pixmap(QStringLiteral("ZeigerInfo"), QSize(32, 32));
        if (!hand.isNull())
            m_rtfLexikon->setHand(QCursor(hand, 11, 3));
    }
    try {
        m_begriffe = daten().begriffsliste();
    } catch (const std::exception&) {
        m_begriffe.clear();
    }
    m_begriffTexte.clear();
    for (const LexikonSuchbegriff& b : m_begriffe)
        m_begriffTexte.append(b.suchbegriff);
    {
        const QSignalBlocker sperre(m_lstBegriff);
        m_lstBegriff->clear();
        m_lstBegriff->addItems(m_begriffTexte);
    }
    if (r.strLexikonAnzeige.isEmpty())
        r.strLexikonAnzeige = kStartKapitel;
    // a key without a chapter (an old setting, a chapter gone with a data update) shows the start
    if (!LexikonSeiteAufbauen(r.strLexikonAnzeige, true))
        LexikonSeiteAufbauen(kStartKapitel, true);
    show();
    raise();
    m_rtfBegriff->setFocus();
}

void frmLexikon::Form_Unload()
{
    Rahmen& r = app().rahmen;
    r.strLexikonVerlauf.clear();
    vollbildSchliessen();
    r.blnVollbildOffen = false;
    Seite::Form_Unload();
}

// ---------------------------------------------------------------- Back and the highlights

void frmLexikon::cmdZurueck_Click()
{
    Rahmen& r = app().rahmen;
    const VerlaufZurueck z = verlaufZurueck(r.strLexikonVerlauf);
    switch (z.schritt) {
    case VerlaufZurueck::Schritt::Nichts:
        return;
    case VerlaufZurueck::Schritt::LetzterEintrag:
        // the lexicon as a page stays; opened over a page it closes
        if (r.strFensterZeigen == QLatin1String("Lexikon"))
            return;
        r.blnLexikonVonAussen = false;
        hide();
        entladen();
        return;
    case VerlaufZurueck::Schritt::Kapitel:
        break;
    }
    r.strLexikonVerlauf = z.verlauf;
    try {
        if (const auto k = daten().kapitelNr(z.kapitelNr))
            LexikonSeiteAufbauen(k->kapitel, true);
    } catch (const std::exception&) {
        // the chapter cannot be read: the page stays
    }
}

void frmLexikon::Form_MouseMove()
{
    Rahmen& r = app().rahmen;
    const Einstellungen& e = app().einstellungen;
    if (forms::BackColor(m_cmdZurueck) == benutzerFarbeHell(e)) {
        forms::setBackColor(m_cmdZurueck, benutzerFarbe(e));
        return;
    }
    if (auto* tb = ui().fenster.fensterAls<frmToolbar>(QStringLiteral("frmToolbar"))) {
        for (int i = 1; i <= 7; ++i) {
            if (forms::BackColor(tb->cmbMenu(i)) == benutzerFarbeHell(e)) {
                forms::setBackColor(tb->cmbMenu(i), benutzerFarbe(e));
                break;
            }
        }
    }
    if (r.blnVollbildOffen)
        vollbildSchliessen();
    r.blnVollbildOffen = false;
}

void frmLexikon::mouseMoveEvent(QMouseEvent* e)
{
    Form_MouseMove();
    Seite::mouseMoveEvent(e);
}

// ---------------------------------------------------------------- term list and search box

void frmLexikon::eintragWaehlen(int zeile)
{
    const QSignalBlocker sperre(m_lstBegriff);
    m_lstBegriff->setCurrentRow(zeile);
}

void frmLexikon::lstBegriff_Click()
{
    const int z = m_lstBegriff->currentRow();
    if (z < 0 || z >= m_begriffTexte.size())
        return;
    {
        const QSignalBlocker sperre(m_rtfBegriff);
        m_rtfBegriff->setText(m_begriffTexte[z]);
    }
    m_rtfBegriff->setFocus();
    BegriffAnzeigen();
}

void frmLexikon::rtfBegriff_BegriffSuchen()
{
    const QString t = m_rtfBegriff->text();
    if (t.isEmpty())
        return;
    const int i = ersterTreffer(m_begriffTexte, t);
    if (i >= 0) {
        eintragWaehlen(i);
        // typing on completes to the entry; a deletion keeps what is left, or the text could never shrink
        if (!std::exchange(m_loeschtaste, false)) {
            const QSignalBlocker sperre(m_rtfBegriff);
            m_rtfBegriff->setText(m_begriffTexte[i]);
            m_rtfBegriff->setSelection(static_cast<int>(t.size()), static_cast<int>(m_begriffTexte[i].size() - t.size()));
        }
    }
    BegriffAnzeigen();
}

bool frmLexikon::rtfBegriff_ListeBlaettern(int taste)
{
    ListenTaste t;
    switch (taste) {
    case Qt::Key_End: t = ListenTaste::Ende; break;
    case Qt::Key_Home: t = ListenTaste::Pos1; break;
    case Qt::Key_Left:
    case Qt::Key_Up: t = ListenTaste::Zurueck; break;
    case Qt::Key_Right:
    case Qt::Key_Down: t = ListenTaste::Vor; break;
    default: return false;
    }
    const int neu = listenSchritt(m_lstBegriff->currentRow(), m_lstBegriff->count(), t);
    if (neu >= 0 && neu != m_lstBegriff->currentRow())
        m_lstBegriff->setCurrentRow(neu); // the list's handler copies the entry and opens its chapter
    return true;
}

void frmLexikon::BegriffAnzeigen()
{
    const int z = m_lstBegriff->currentRow();
    if (z < 0 || z >= static_cast<int>(m_begriffe.size()))
        return;
    try {
        if (const auto k = daten().kapitelNr(m_begriffe[static_cast<size_t>(z)].verweis))
            LexikonSeiteAufbauen(k->kapitel, true);
    } catch (const std::exception&) {
        // the term's chapter cannot be read: the page stays
    }
}

// ---------------------------------------------------------------- links

void frmLexikon::rtfLexikon_VerweisFolgen(const QString& verweis)
{
    const VerweisZiel z = verweisZiel(verweis);
    if (z.art == VerweisZiel::Art::Web) {
        InternetSeiteOeffnen(z.adresse);
        return;
    }
    if (z.art == VerweisZiel::Art::Kapitel) {
        try {
            // a link to a chapter that is gone does nothing
            if (const auto k = daten().kapitelNr(z.kapitelNr)) {
                app().rahmen.strLexikonAnzeige = k->kapitel;
                LexikonSeiteAufbauen(k->kapitel, true);
            }
        } catch (const std::exception&) {
        }
    }
    m_rtfBegriff->setFocus();
}

// ---------------------------------------------------------------- thumbnails and full-size view

void frmLexikon::vollbildOeffnen()
{
    forms::FensterRegister& reg = ui().fenster;
    try {
        if (auto* v = dynamic_cast<frmVollbild*>(reg.fenster(QStringLiteral("frmVollbild")))) {
            v->AnzeigeAktualisieren();
            v->show();
            return;
        }
        reg.laden(QStringLiteral("frmVollbild"))->widget()->show();
    } catch (const std::exception&) {
        // no full-size view: the lexicon goes on
    }
}

void frmLexikon::vollbildSchliessen() { ui().fenster.entladen(QStringLiteral("frmVollbild")); }

bool frmLexikon::vollbildEscape(const QKeyEvent* e)
{
    if (e->key() != Qt::Key_Escape || e->modifiers() != Qt::NoModifier)
        return false;
    auto* v = ui().fenster.fensterAls<frmVollbild>(QStringLiteral("frmVollbild"));
    if (!v)
        return false;
    v->imgEnde_Click();
    return true;
}

void frmLexikon::imgLexikon_MouseMove(int index)
{
    Rahmen& r = app().rahmen;
    const QString datei = forms::Tag(m_imgLexikon(index));
    if (r.blnVollbildOffen || datei.isEmpty() || datei == kUnsichtbar || datei == kKeinBild)
        return;
    r.strVollbildDatei = datei;
    vollbildOeffnen();
}

void frmLexikon::imgLexikon_Click(int) { app().rahmen.blnVollbildOffen = false; }

void frmLexikon::vscBilder_Change(int wert)
{
    Rahmen& r = app().rahmen;
    const int anzahl = static_cast<int>(m_imlBilderLexikon.size());
    if (anzahl == 0)
        return;
    const int k = streifenStart(wert, anzahl);
    BilderleisteFuellen(k);
    const QString datei = m_imlBilderLexikon[static_cast<size_t>(k - 1)].datei;
    r.strVollbildDatei = datei;
    // an open view follows the strip; the placeholder opens none
    if (r.blnVollbildOffen) {
        if (auto* offen = ui().fenster.fensterAls<frmVollbild>(QStringLiteral("frmVollbild")))
            offen->AnzeigeAktualisieren();
    } else if (datei != kKeinBild) {
        vollbildOeffnen();
    }
}

// ---------------------------------------------------------------- events

void frmLexikon::keyPressEvent(QKeyEvent* e)
{
    if (!vollbildEscape(e))
        Seite::keyPressEvent(e);
}

bool frmLexikon::eventFilter(QObject* o, QEvent* e)
{
    const QEvent::Type typ = e->type();
    if ((typ == QEvent::KeyRelease) && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1
        && (o == m_rtfBegriff || o == m_lstBegriff || o == m_rtfLexikon)) {
        HilfeAufrufen(name());
        return true;
    }
    if (typ == QEvent::KeyPress && vollbildEscape(static_cast<QKeyEvent*>(e)))
        return true;
    if (o == m_rtfBegriff && typ == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(e)->key();
        m_loeschtaste = taste == Qt::Key_Backspace || taste == Qt::Key_Delete;
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            BegriffAnzeigen();
            return true;
        }
        if (rtfBegriff_ListeBlaettern(taste))
            return true;
    } else if (typ == QEvent::MouseMove || typ == QEvent::Enter) {
        if (o == m_cmdZurueck) {
            Hervorheben(m_cmdZurueck);
        } else if (o == m_lblUeberschrift) {
            const Einstellungen& s = app().einstellungen;
            if (forms::BackColor(m_cmdZurueck) == benutzerFarbeHell(s))
                forms::setBackColor(m_cmdZurueck, benutzerFarbe(s));
        } else {
            for (int i = 1; i <= kBilderSlots; ++i)
                if (o == m_imgLexikon(i))
                    imgLexikon_MouseMove(i);
        }
    } else if (typ == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        for (int i = 1; i <= kBilderSlots; ++i)
            if (o == m_imgLexikon(i))
                imgLexikon_Click(i);
    }
    return Seite::eventFilter(o, e);
}

} // namespace kav
