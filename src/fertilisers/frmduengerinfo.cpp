#include "fertilisers/frmduengerinfo.h"

#include "fertilisers/duengerbilder.h"
#include "fertilisers/duengerdienste.h"
#include "fertilisers/duengerinfo.h"
#include "frame/anordnung.h"
#include "frame/dialogplatz.h"
#include "frame/links.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "platform/tastenlink.h"
#include "services/appcontext.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kav {

frmDuengerInfo::frmDuengerInfo() : Seite(QStringLiteral("frmDuengerInfo"), QString(), Platz::Dialog)
{
    m_lbltitel = Beschriftung(this, QStringLiteral("lbltitel"), {}, true);
    QFont f = m_lbltitel->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    m_lbltitel->setFont(f);
    m_lblText = Beschriftung(this, QStringLiteral("lblText"), {}, true);
    m_imgAmpel = new forms::Bild(this);
    m_imgAmpel->setObjectName(QStringLiteral("imgAmpel"));
    m_imgAmpel->setFixedSize(48, 48);
    m_lblMehr = new QLabel(QStringLiteral("Mehr..."), this);
    m_lblMehr->setObjectName(QStringLiteral("lblMehr"));
    LinkAussehen(m_lblMehr);
    m_lblMehr->installEventFilter(this);
    new forms::Tastenlink(this, m_lblMehr, [this] { lblMehr_Click(); });

    auto* raster = new QGridLayout(this);
    raster->setContentsMargins(14, 12, 14, 12);
    raster->setHorizontalSpacing(14);
    raster->addWidget(m_lbltitel, 0, 0, 1, 2);
    raster->addWidget(m_imgAmpel, 1, 0, Qt::AlignTop);
    raster->addWidget(m_lblText, 1, 1);
    raster->addWidget(m_lblMehr, 2, 1, Qt::AlignRight);
    raster->setColumnStretch(1, 1);
    m_lblText->setMinimumWidth(380);
    setFixedWidth(480);
}

void frmDuengerInfo::grundzustand()
{
    setWindowTitle(kInfoCaption);
    m_lbltitel->setText(kInfoTitel);
    m_lblText->setText(kInfoText);
    setTag(QString());
    ampelSetzen(QStringLiteral("Rot"));
    forms::inhaltsgroesseFesthalten(this);
}

void frmDuengerInfo::ampelSetzen(const QString& klasse)
{
    const QIcon bild = duengerBilder().bild(klasse);
    m_imgAmpel->setBild(bild);
    m_imgAmpel->setSchluessel(klasse);
    setWindowIcon(bild);
}

void frmDuengerInfo::Form_Load()
{
    Seite::Form_Load();
    grundzustand();
    mitteSetzen();
    BenutzerverlaufZeichnen(this, app().einstellungen);
}

void frmDuengerInfo::Form_Unload()
{
    Seite::Form_Unload();
    if (mdiZentral* h = ui().haupt.data())
        h->activateWindow();
}

void frmDuengerInfo::mitteSetzen() { DialogZentrieren(this, ui().haupt.data()); }

void frmDuengerInfo::zeigen()
{
    forms::inhaltsgroesseFesthalten(this);
    mitteSetzen();
    show();
    raise();
}

void frmDuengerInfo::resizeEvent(QResizeEvent* e)
{
    Seite::resizeEvent(e);
    BenutzerverlaufZeichnen(this, app().einstellungen);
}

void frmDuengerInfo::showEvent(QShowEvent* e)
{
    Seite::showEvent(e);
    if (e->spontaneous()) // shown again by the window system (un-minimised): the focus stays where it was
        return;
    tastaturNehmen();
}

void frmDuengerInfo::tastaturNehmen()
{
    if (!isVisible())
        return;
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void frmDuengerInfo::keyPressEvent(QKeyEvent* e)
{
    const int taste = e->key();
    if (taste == Qt::Key_Return || taste == Qt::Key_Enter || taste == Qt::Key_Escape || taste == Qt::Key_Space) {
        e->accept();
        entladen();
        return;
    }
    Seite::keyPressEvent(e);
}

void frmDuengerInfo::lblMehr_Click()
{
    Rahmen& r = app().rahmen;
    r.strLexikonAnzeige = Tag();
    entladen();
    r.blnLexikonVonAussen = true;
    try {
        ui().fenster.zeigen(QStringLiteral("frmLexikon"));
    } catch (const std::exception&) {
        r.blnLexikonVonAussen = false;
    }
}

bool frmDuengerInfo::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_lblMehr && e->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        lblMehr_Click();
        return true;
    }
    return Seite::eventFilter(o, e);
}

frmDuengerInfo* DuengerInfoOeffnen()
{
    forms::FensterRegister& r = ui().fenster;
    if (auto* offen = r.fensterAls<frmDuengerInfo>(QStringLiteral("frmDuengerInfo"))) {
        offen->grundzustand();
        return offen;
    }
    try {
        return dynamic_cast<frmDuengerInfo*>(r.laden(QStringLiteral("frmDuengerInfo")));
    } catch (const std::exception&) {
        return nullptr;
    }
}

frmDuengerInfo* DuengerInfoAnzeigen(const QString& strKategorie, const QString& strDuengerNr)
{
    frmDuengerInfo* f = DuengerInfoOeffnen();
    auto d = DuengerDienste::oeffnen(app());
    if (!f || !d)
        return f;
    try {
        const std::optional<DuengerZeile> z = d->katalog().duenger(strDuengerNr);
        const DuengerInfoInhalt i = DuengerInfoBestimmen(strKategorie, z, app().bedarf, app().gebiet);
        if (i.caption)
            f->setWindowTitle(*i.caption);
        f->ampelSetzen(strKategorie);
        if (i.titel)
            f->lbltitel()->setText(*i.titel);
        if (const std::optional<QString> text = d->katalog().infoText(i.textNr))
            f->lblText()->setText(*text);
    } catch (const std::exception&) {
        // what could be read stays shown
    }
    return f;
}

void DuengerHinweisZeigen(const Hinweis& h)
{
    frmDuengerInfo* f = DuengerInfoOeffnen();
    if (!f)
        return;
    f->setWindowTitle(h.caption);
    f->lbltitel()->setText(h.titel);
    f->lblText()->setText(h.text);
    f->setTag(h.kapitel);
    f->zeigen();
}

void DuengerUngeeignetMelden()
{
    frmDuengerInfo* f = DuengerInfoOeffnen();
    if (!f)
        return;
    f->lblText()->setText(kUngeeignetText);
    f->setTag(QStringLiteral("AuswahlDuenger"));
    f->zeigen();
}

} // namespace kav
