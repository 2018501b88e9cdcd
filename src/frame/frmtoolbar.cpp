#include "frame/frmtoolbar.h"

#include "frame/anordnung.h"
#include "frame/hilfe.h"
#include "frame/klicksperre.h"
#include "frame/kontakt.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "frame/schritte.h"
#include "frame/seitenwechsel.h"
#include "services/appcontext.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>

#include <array>

namespace kav {

namespace {

const char* const kTexte[7] = {"Analysenwerte eintragen", "Düngeberechnung starten", "Lexikon starten", "Hilfe aufrufen",
                               "Einstellungen", "Über Humavera...", "Programm beenden"};
const char* const kHinweise[7] = {
    "Hier können Sie die Ergebnisse der Bodenuntersuchung eingeben",
    "Bodenprobe genommen, Ergebnisse eingetragen? Hier bekommen Sie die Düngeempfehlung.",
    "Haben Sie Fragen? Schauen Sie ins Lexikon.",
    "Hier bekommen Sie Hilfe zur Benutzung des Programms.",
    "Hier können Sie Einstellungen vornehmen und Daten verwalten.",
    "Fragen, Anregungen, Lob, Kritik? Hier finden Sie den Ansprechpartner.",
    "Programm beenden",
};

QColor normal() { return benutzerFarbe(app().einstellungen); }
QColor hell() { return benutzerFarbeHell(app().einstellungen); }

void statusText(const QString& t)
{
    if (mdiZentral* h = ui().haupt.data())
        h->setPanelText(t);
}

} // namespace

frmToolbar::frmToolbar() : forms::Formular(QStringLiteral("frmToolbar"))
{
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    for (int i = 1; i <= 7; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("cmbMenu%1").arg(i));
        b->setText(QString::fromUtf8(kTexte[i - 1]));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setMouseTracking(true);
        // reached by Tab (Enter and Space press it); a click leaves the focus where it is
        b->setFocusPolicy(Qt::TabFocus);
        b->installEventFilter(this);
        // a move over a button stays with the button: the bar's own move handler would undo the highlight
        b->setAttribute(Qt::WA_NoMousePropagation);
        // the clicks after the first of a double or triple click on a button whose page just opened are
        // not taken
        Klicksperre::schuetzen(b);
        connect(b, &QToolButton::clicked, this, [this, i] {
            try {
                cmbMenu_Click(i);
            } catch (...) {
                // a page that fails to open leaves the frame as it is
            }
        });
        m_cmbMenu.anhaengen(b);
    }
}

QString frmToolbar::hinweis(int index)
{
    return index >= 1 && index <= 7 ? QString::fromUtf8(kHinweise[index - 1]) : QString();
}

void frmToolbar::Form_Load() { ArbeitsbereichAnordnen(name()); }

void frmToolbar::setBild(int index, const QString& schluessel)
{
    QToolButton* b = m_cmbMenu(index);
    b->setProperty("Bild", schluessel);
    mdiZentral* h = ui().haupt.data();
    b->setIcon(h ? h->imlIcon().bild(schluessel) : QIcon());
    beschriftungenAnpassen();
}

QString frmToolbar::bildSchluessel(int index) const { return m_cmbMenu(index)->property("Bild").toString(); }

namespace {

// Widest line of a caption in a font.
int breitesteZeile(const QFont& f, const QString& text)
{
    const QFontMetrics fm(f);
    int breite = 0;
    for (const QString& zeile : text.split(QLatin1Char('\n')))
        breite = std::max(breite, fm.horizontalAdvance(zeile));
    return breite;
}

// A caption too wide for its button goes on two lines, split at the blank nearest the middle.
QString umbrochen(const QFont& f, const QString& text, int platz)
{
    if (QFontMetrics(f).horizontalAdvance(text) <= platz)
        return text;
    int beste = -1;
    for (int i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char(' ') && (beste < 0 || std::abs(i - text.size() / 2) < std::abs(beste - text.size() / 2)))
            beste = i;
    return beste > 0 ? text.left(beste) + QLatin1Char('\n') + text.mid(beste + 1) : text;
}

const char* const kSchriftSoll = "kavSchriftSoll";
const char* const kSchriftAngepasst = "kavSchriftAngepasst";

} // namespace

void frmToolbar::beschriftungenAnpassen()
{
    // A caption too wide for its button goes on two lines; a word still too wide makes that
    // button's font smaller (never below 6 points) instead of being cut. All pictures get the same
    // size, from the room that the captions leave. On a bar low for its font (1280 x 720, a full-HD
    // screen at scale 1.5) that room would leave the pictures small beside large captions: then
    // every caption gets a smaller font, half a point at a time, until the pictures are at least
    // 1¼ caption lines high, the proportion the bar has at its smallest size. The fitting starts from
    // 72 points at most (the layout gives 16 at most), so that it ends whatever font a button holds.
    constexpr double kBildZuZeile = 1.25;
    constexpr double kKleinsteSchrift = 6.0;
    constexpr double kGroessteSchrift = 72.0;
    struct Knopf {
        double soll = 0;       // the size the layout gave
        double groesse = 0;    // the size fitted here
        QString anzeige;
    };
    std::array<Knopf, 7> k;
    double grenze = 0;
    for (int index = 1; index <= 7; ++index) {
        const QToolButton* b = m_cmbMenu(index);
        // the size the layout gave, unless the font is still the one fitted here
        const double ist = b->font().pointSizeF();
        const double angepasst = b->property(kSchriftAngepasst).toDouble();
        k[index - 1].soll = angepasst > 0 && ist == angepasst ? b->property(kSchriftSoll).toDouble() : ist;
        grenze = std::max(grenze, std::min(k[index - 1].soll, kGroessteSchrift));
    }
    const QToolButton* erster = m_cmbMenu(1);
    int seite = 8;
    for (;;) {
        int zeilen = 1;
        int zeilenHoehe = 0;
        for (int index = 1; index <= 7; ++index) {
            const QToolButton* b = m_cmbMenu(index);
            Knopf& kn = k[index - 1];
            const QString text = QString::fromUtf8(kTexte[index - 1]);
            const int platz = b->width() - 12;
            QFont f = b->font();
            kn.groesse = std::min(kn.soll, grenze);
            f.setPointSizeF(kn.groesse);
            kn.anzeige = umbrochen(f, text, platz);
            while (platz > 0 && kn.groesse > kKleinsteSchrift && breitesteZeile(f, kn.anzeige) > platz) {
                kn.groesse = std::max(kKleinsteSchrift, kn.groesse - 0.5);
                f.setPointSizeF(kn.groesse);
                kn.anzeige = umbrochen(f, text, platz);
            }
            if (kn.anzeige.contains(QLatin1Char('\n')))
                zeilen = 2;
            zeilenHoehe = std::max(zeilenHoehe, QFontMetrics(f).height());
        }
        const int raum = erster->height() - zeilen * zeilenHoehe - 8;
        seite = std::max(8, std::min(raum, erster->width() * 3 / 5));
        if (erster->height() <= 0 || raum >= kBildZuZeile * zeilenHoehe || grenze <= kKleinsteSchrift)
            break;
        grenze = std::max(kKleinsteSchrift, grenze - 0.5);
    }
    for (int index = 1; index <= 7; ++index) {
        QToolButton* b = m_cmbMenu(index);
        const Knopf& kn = k[index - 1];
        if (kn.groesse != b->font().pointSizeF()) {
            QFont f = b->font();
            f.setPointSizeF(kn.groesse);
            b->setFont(f);
        }
        b->setProperty(kSchriftSoll, kn.soll);
        b->setProperty(kSchriftAngepasst, kn.groesse == kn.soll ? 0.0 : kn.groesse);
        if (b->text() != kn.anzeige)
            b->setText(kn.anzeige);
        if (b->iconSize() != QSize(seite, seite))
            b->setIconSize(QSize(seite, seite));
    }
}

void frmToolbar::resizeEvent(QResizeEvent* e)
{
    forms::Formular::resizeEvent(e);
    beschriftungenAnpassen();
}

void frmToolbar::cmbMenu_Click(int index)
{
    Rahmen& r = app().rahmen;
    forms::FensterRegister& reg = ui().fenster;
    // a page that holds unsaved input may keep the user on it
    if (index < 5 && index != 4 && !FormulareEntladen())
        return;
    switch (index) {
    case 1:
        reg.zeigen(QStringLiteral("frmAnalysenWerte"));
        r.strFensterZeigen = QStringLiteral("Analysenwerte");
        BedarfVariablenZuruecksetzen(app().bedarf, 0);
        break;
    case 2:
        BedarfVariablenZuruecksetzen(app().bedarf, r.strFensterZeigen == QLatin1String("Analysenwerte") ? 1 : 0);
        reg.zeigen(QStringLiteral("frmNPK"));
        r.strFensterZeigen = QStringLiteral("NPK");
        break;
    case 3:
        if (!r.blnLexikonVonAussen) {
            FormulareEntladen();
            r.strFensterZeigen = QStringLiteral("Lexikon");
            reg.zeigen(QStringLiteral("frmLexikon"));
        } else {
            r.blnLexikonVonAussen = false;
            reg.entladen(QStringLiteral("frmLexikon"));
        }
        break;
    case 4:
        HilfeAufrufen(r.strAktivesFenster.isEmpty() ? hilfeFensterFuer(r.strFensterZeigen) : r.strAktivesFenster);
        break;
    case 5:
        reg.zeigen(QStringLiteral("frmEinstellungen"));
        break;
    case 6:
        reg.zeigen(QStringLiteral("frmUeberKav"));
        break;
    case 7:
        if (mdiZentral* h = ui().haupt.data())
            h->close();
        return;
    default:
        return;
    }
    TitelSetzen();
}

void frmToolbar::cmbMenu_MouseMove(int index)
{
    if (app().rahmen.blnToolbarAktiv)
        ButtonHervorheben(index);
}

void frmToolbar::ButtonHervorheben(int index)
{
    if (!m_cmbMenu.hat(index) || forms::BackColor(m_cmbMenu(index)) == hell())
        return;
    for (int i = 1; i <= 7; ++i)
        forms::setBackColor(m_cmbMenu(i), normal());
    forms::setBackColor(m_cmbMenu(index), hell());
    setBild(7, index == 7 ? QStringLiteral("Ende2") : QStringLiteral("Ende1"));
    statusText(hinweis(index));
}

void frmToolbar::Form_MouseMove()
{
    if (app().rahmen.blnToolbarAktiv)
        for (int i = 1; i <= 7; ++i)
            forms::setBackColor(m_cmbMenu(i), normal());
    statusText(infoText());
}

bool frmToolbar::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter) {
        for (int i = 1; i <= 7; ++i)
            if (o == m_cmbMenu.oderNull(i))
                cmbMenu_MouseMove(i);
    }
    return forms::Formular::eventFilter(o, e);
}

void frmToolbar::mouseMoveEvent(QMouseEvent* e)
{
    Form_MouseMove();
    forms::Formular::mouseMoveEvent(e);
}

void frmToolbar::leaveEvent(QEvent* e)
{
    for (int i = 1; i <= 7; ++i)
        forms::setBackColor(m_cmbMenu(i), normal());
    if (bildSchluessel(7) != QLatin1String("Ende1"))
        setBild(7, QStringLiteral("Ende1"));
    statusText(infoText());
    forms::Formular::leaveEvent(e);
}

void frmToolbar::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1)
        HilfeAufrufen(name());
    forms::Formular::keyReleaseEvent(e);
}

} // namespace kav
