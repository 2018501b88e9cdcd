#include "plots/frmalteanalyse.h"

#include "frame/anordnung.h"
#include "frame/dialogplatz.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "plots/alteanalyse.h"
#include "services/appcontext.h"

#include <algorithm>
#include <QLabel>
#include <QToolButton>

namespace kav {

bool AlteAnalyseMelden(const QDate& datum)
{
    if (!alteAnalyseHinweis(datum, *app().uhr))
        return false;
    try {
        forms::Fenster* f = ui().fenster.zeigen(QStringLiteral("frmAlteAnalyse"));
        f->widget()->raise();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

frmAlteAnalyse::frmAlteAnalyse() : Seite(QStringLiteral("frmAlteAnalyse"), QString(), Platz::Dialog)
{
    using forms::Tw;
    setWindowTitle(kAlteAnalyseTitel);
    // a fixed window: client area 4830 x 2535 twips, wider where its caption needs it (a title
    // bar too narrow cuts the caption in its middle)
    const double tpp = forms::twipsProPixel();
    const int breite = std::max(forms::pixelVon(4830), forms::titelleistenBreite(kAlteAnalyseTitel));
    setFixedSize(breite, forms::pixelVon(2535));

    m_lblMeldung = new QLabel(this);
    m_lblMeldung->setObjectName(QStringLiteral("lblMeldung"));
    m_lblMeldung->setWordWrap(true);
    m_lblMeldung->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont f = m_lblMeldung->font();
    f.setPointSize(12);
    f.setBold(true);
    m_lblMeldung->setFont(f);
    Tw(m_lblMeldung).setRechteck(QRectF(120, 120, breite * tpp - 240, 1500));

    m_cmdOK = new QToolButton(this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setToolTip(QStringLiteral("OK"));
    m_cmdOK->setIconSize(QSize(32, 32));
    // below the label, at the right
    Tw(m_cmdOK).setRechteck(QRectF(breite * tpp - 120 - 52 * tpp, 120 + 1500 + 180, 52 * tpp, 44 * tpp));
    connect(m_cmdOK, &QToolButton::clicked, this, [this] { cmdOK_Click(); });
    setStandardKnopf(m_cmdOK);
    setAbbruchKnopf(m_cmdOK);
}

void frmAlteAnalyse::Form_Load()
{
    Seite::Form_Load();
    // a notice: the title bar has a close button only, which leaves its caption the room
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    BenutzerverlaufZeichnen(this, app().einstellungen);
    forms::setBackColor(m_cmdOK, benutzerFarbeHell(app().einstellungen));
    if (mdiZentral* h = ui().haupt.data())
        m_cmdOK->setIcon(h->imlIcon().bild(QStringLiteral("OK")));
    m_lblMeldung->setText(kAlteAnalyseText);
    DialogZentrieren(this, ui().haupt.data());
    m_cmdOK->setFocus(); // Enter, Escape and Space close the notice
}

void frmAlteAnalyse::cmdOK_Click() { entladen(); }

} // namespace kav
