#include "exchange/frmupdate.h"

#include "exchange/aktualisieren.h"
#include "exchange/ladeanimation.h"
#include "frame/dialogplatz.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "services/appcontext.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

namespace kav::exchange {

namespace {
// Designed sizes in twips.
constexpr double kBreite = 6000;
constexpr double kAnimationOben = 240, kAnimationBreite = 4800, kAnimationHoehe = 1200;
constexpr double kBalkenHoehe = 300;
constexpr double kKnopfBreite = 780, kKnopfHoehe = 660;

QToolButton* knopf(QWidget* eltern, const char* name, const QString& tipp)
{
    auto* k = new QToolButton(eltern);
    k->setObjectName(QLatin1String(name));
    k->setToolTip(tipp);
    k->setAccessibleName(tipp);
    k->setIconSize(QSize(32, 32));
    k->setAutoRaise(false);
    return k;
}
} // namespace

frmUpdate::frmUpdate() : Seite(QStringLiteral("frmUpdate"), QString(), Platz::Dialog)
{
    setWindowTitle(kUpdateFensterTitel);
    using forms::Tw;
    m_anc = new LadeAnimation(this);
    m_anc->setObjectName(QStringLiteral("ancKopieren"));
    Tw(m_anc).setRechteck(QRectF(0, kAnimationOben, kAnimationBreite, kAnimationHoehe));

    m_prb = new QProgressBar(this);
    m_prb->setObjectName(QStringLiteral("prbUpdate"));
    m_prb->setRange(0, 0);

    m_lbl = Beschriftung(this, QStringLiteral("lblUpdate"), {}, true); // values of the server as they stand
    m_lbl->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_cmdOK = knopf(this, "cmdOK", QStringLiteral("OK"));
    m_cmdAbbrechen = knopf(this, "cmdAbbrechen", QStringLiteral("Abbrechen"));
    Tw(m_cmdOK).setRechteck(QRectF(0, 0, kKnopfBreite, kKnopfHoehe));
    Tw(m_cmdAbbrechen).setRechteck(QRectF(0, 0, kKnopfBreite, kKnopfHoehe));
    connect(m_cmdOK, &QToolButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_cmdAbbrechen, &QToolButton::clicked, this, [this] { cmdAbbrechen_Click(); });
    setStandardKnopf(m_cmdOK);
}

// The window leaves strAktivesFenster alone: the help button keeps the topic of the page or of the
// settings window, from which the update was started.
void frmUpdate::Form_Load()
{
    using forms::Tw;
    const Einstellungen& e = app().einstellungen;
    const QColor hell = benutzerFarbeHell(e);
    forms::setBackColor(this, hell);
    forms::setBackColor(m_anc, hell);
    forms::setBackColor(m_cmdOK, benutzerFarbe(e));
    forms::setBackColor(m_cmdAbbrechen, benutzerFarbe(e));

    // the animation centred; the text line two animation heights below its top, as wide as it;
    // the progress bar in the middle of the gap between them
    const Tw anc(m_anc);
    anc.setLeft((kBreite - anc.Width()) / 2);
    const Tw lbl(m_lbl);
    lbl.setRechteck(QRectF(anc.Left(), anc.Top() + 2 * anc.Height(), anc.Width(), anc.Height()));
    Tw(m_prb).setRechteck(QRectF(anc.Left(), anc.Top() + anc.Height() + (anc.Height() - kBalkenHoehe) / 2, anc.Width(), kBalkenHoehe));
    // OK flush with the text line's right edge, 50 below it; Cancel in its place until the end
    for (QToolButton* k : {m_cmdOK, m_cmdAbbrechen}) {
        const Tw t(k);
        t.setLeft(lbl.Left() + lbl.Width() - t.Width());
        t.setTop(lbl.Top() + lbl.Height() + 50);
    }
    const Tw ok(m_cmdOK);
    setFixedSize(forms::pixelVon(kBreite), forms::pixelVon(ok.Top() + 2 * ok.Height()));

    if (mdiZentral* h = ui().haupt.data()) {
        m_cmdOK->setIcon(h->imlIcon().bild(QStringLiteral("OK")));
        m_cmdAbbrechen->setIcon(h->imlIcon().bild(QStringLiteral("Abbruch")));
        setWindowIcon(h->windowIcon());
        DialogZentrieren(this, h);
    }

    // what the run has shown so far
    const DatenAktualisierung& lauf = laufendeAktualisierung();
    m_cmdOK->hide();
    m_cmdAbbrechen->show();
    m_anc->oeffnen(LadeAnimation::Clip::Verbinden);
    zeigeFortschritt(lauf.text(), lauf.wert(), lauf.maximum());
    if (lauf.ende())
        zeigeEnde(*lauf.ende());
}

void frmUpdate::zeigeFortschritt(const QString& text, int wert, int maximum)
{
    if (!text.isEmpty())
        m_lbl->setText(text);
    if (maximum > 0 && m_anc->clip() == LadeAnimation::Clip::Verbinden)
        m_anc->oeffnen(LadeAnimation::Clip::Kopieren);
    m_prb->setRange(0, qMax(0, maximum));
    m_prb->setValue(qBound(0, wert, qMax(0, maximum)));
}

void frmUpdate::zeigeEnde(const UpdateEnde& e)
{
    m_lbl->setText(e.text);
    m_anc->oeffnen(LadeAnimation::Clip::Ruhe);
    // a run that changed nothing shows no progress
    const bool fertig = e.art == UpdateEnde::Art::Aktualisiert || e.art == UpdateEnde::Art::NichtsZuTun;
    m_prb->setRange(0, 1);
    m_prb->setValue(fertig ? 1 : 0);
    m_cmdAbbrechen->hide();
    m_cmdOK->show();
    m_cmdOK->setFocus();
}

void frmUpdate::cmdOK_Click()
{
    entladen();
    // back to the settings window when the update was started there
    if (forms::Fenster* f = ui().fenster.fenster(QStringLiteral("frmEinstellungen"))) {
        f->widget()->raise();
        f->widget()->activateWindow();
    }
}

void frmUpdate::cmdAbbrechen_Click()
{
    laufendeAktualisierung().abbrechen();
    entladen();
}

bool frmUpdate::escapetaste()
{
    close();
    return true;
}

void frmUpdate::closeEvent(QCloseEvent* e)
{
    DatenAktualisierung& lauf = laufendeAktualisierung();
    if (lauf.laeuft())
        lauf.abbrechen();
    Seite::closeEvent(e);
}

} // namespace kav::exchange
