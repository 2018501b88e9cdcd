#include "frame/frmtoolbar.h"

#include "frame/anordnung.h"
#include "frame/hilfe.h"
#include "frame/kontakt.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "frame/schritte.h"
#include "frame/seitenwechsel.h"
#include "services/appcontext.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>

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
        b->setFocusPolicy(Qt::NoFocus);
        b->installEventFilter(this);
        // a move over a button stays with the button: the bar's own move handler would undo the highlight
        b->setAttribute(Qt::WA_NoMousePropagation);
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
    // a caption too wide for its button goes on two lines; a word still too wide makes that
    // button's font smaller (never below 6 points) instead of being cut; all pictures get the
    // same size, from the room that the captions leave
    int zeilen = 1;
    int zeilenHoehe = 0;
    for (int index = 1; index <= 7; ++index) {
        QToolButton* b = m_cmbMenu(index);
        const QString text = QString::fromUtf8(kTexte[index - 1]);
        const int platz = b->width() - 12;
        // the size the layout gave, unless the font is still the one fitted here
        const double ist = b->font().pointSizeF();
        const double angepasst = b->property(kSchriftAngepasst).toDouble();
        const double soll = angepasst > 0 && ist == angepasst ? b->property(kSchriftSoll).toDouble() : ist;
        QFont f = b->font();
        f.setPointSizeF(soll);
        QString anzeige = umbrochen(f, text, platz);
        double groesse = soll;
        while (platz > 0 && groesse > 6.0 && breitesteZeile(f, anzeige) > platz) {
            groesse = std::max(6.0, groesse - 0.5);
            f.setPointSizeF(groesse);
            anzeige = umbrochen(f, text, platz);
        }
        if (groesse != ist) {
            b->setFont(f);
            b->setProperty(kSchriftSoll, soll);
            b->setProperty(kSchriftAngepasst, groesse == soll ? 0.0 : groesse);
        } else if (groesse == soll) {
            b->setProperty(kSchriftAngepasst, 0.0);
        }
        if (anzeige.contains(QLatin1Char('\n')))
            zeilen = 2;
        zeilenHoehe = std::max(zeilenHoehe, QFontMetrics(b->font()).height());
        if (b->text() != anzeige)
            b->setText(anzeige);
    }
    const QToolButton* b = m_cmbMenu(1);
    const int seite = std::max(8, std::min(b->height() - zeilen * zeilenHoehe - 8, b->width() * 3 / 5));
    for (int index = 1; index <= 7; ++index)
        if (m_cmbMenu(index)->iconSize() != QSize(seite, seite))
            m_cmbMenu(index)->setIconSize(QSize(seite, seite));
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
