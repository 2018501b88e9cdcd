#include "requirement/frmkompost.h"

#include "frame/anordnung.h"
#include "frame/dialogplatz.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "platform/tastenlink.h"
#include "requirement/frmnpk.h"
#include "requirement/kompostrat.h"
#include "requirement/npkbaumansicht.h"
#include "requirement/wizardseiten.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/sql.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kav {

namespace {
const QString kTagMaterial = QStringLiteral("orgSub");
} // namespace

frmKompost::frmKompost() : Seite(QStringLiteral("frmKompost"), QString(), Platz::Dialog)
{
    setWindowTitle(QStringLiteral("Kav - Empfehlenswerte Mengen an Kompost, Stallmist..."));
    setMouseTracking(true);
    for (const char* k : {"Gruen", "Rot", "orgSub"})
        m_imlKompost.hinzufuegen(QLatin1String(k), QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(k))));

    m_lblTitel = new QLabel(QStringLiteral("Wählen Sie aus, ob Sie Kompost oder Mist auf der Fläche ausbringen wollen:"),
                            this);
    m_lblTitel->setObjectName(QStringLiteral("lblTitel"));
    m_lblTitel->setWordWrap(true);
    m_lblTitel->setCursor(Qt::WhatsThisCursor);
    m_lblTitel->setToolTip(QStringLiteral("Mehr dazu im Lexikon"));
    QFont f = m_lblTitel->font();
    f.setBold(true);
    m_lblTitel->setFont(f);
    m_lblTitel->installEventFilter(this);
    new forms::Tastenlink(this, m_lblTitel, [this] { lblTitel_Click(); });
    m_trvKompost = new NPKBaumAnsicht(this);
    m_trvKompost->setObjectName(QStringLiteral("trvKompost"));
    connect(m_trvKompost, &NPKBaumAnsicht::gewaehlt, this, [this](QTreeWidgetItem* i) { trvKompost_Click(i); });
    connect(m_trvKompost, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* i, int) { trvKompost_Click(i); });
    m_lblMeldung = Beschriftung(this, QStringLiteral("lblMeldung"), {}, true);
    m_lblMeldung->setMinimumHeight(m_lblMeldung->fontMetrics().lineSpacing() * 4);
    m_cmdOK = WizardKnopf(this, QStringLiteral("cmdOK"), QStringLiteral("Empfehlungsfenster schließen"));
    m_cmdOK->setIconSize(QSize(32, 32));
    m_cmdOK->setMinimumSize(56, 48);
    m_cmdOK->installEventFilter(this);
    connect(m_cmdOK, &QToolButton::clicked, this, [this] { cmdOK_Click(); });
    setStandardKnopf(m_cmdOK);
    setAbbruchKnopf(m_cmdOK);

    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(14, 12, 14, 12);
    spalte->addWidget(m_lblTitel);
    spalte->addWidget(m_trvKompost, 1);
    spalte->addWidget(m_lblMeldung);
    auto* zeile = new QHBoxLayout;
    zeile->addStretch(1);
    zeile->addWidget(m_cmdOK);
    spalte->addLayout(zeile);
    setFixedSize(std::max(520, forms::titelleistenBreite(windowTitle())), 440); // a dialog: no edge to drag
}

void frmKompost::Form_Load()
{
    Seite::Form_Load();
    const Einstellungen& e = app().einstellungen;
    BenutzerverlaufZeichnen(this, e);
    forms::setBackColor(m_cmdOK, benutzerFarbe(e));
    if (mdiZentral* h = ui().haupt.data()) {
        m_cmdOK->setIcon(h->imlIcon().bild(QStringLiteral("OK")));
        DialogZentrieren(this, h);
    }
    m_trvKompost->clear();
    m_lblMeldung->clear();
    KompostBaumFuellen();
}

void frmKompost::KompostBaumFuellen()
{
    AppContext& a = app();
    m_trvKompost->fuellen({}, m_imlKompost);
    const frmNPK* seite = flaechenSeite();
    const std::optional<KompostBoden> boden =
        seite ? KompostBodenLesen(seite->txtWert(1)->text(), seite->txtWert(2)->text(), a.gebiet) : std::nullopt;
    if (!boden) {
        m_lblMeldung->setText(kKompostOhneWerte);
        return;
    }
    std::vector<OrgSubZeile> alle;
    try {
        if (a.db)
            alle = OrgSubAlleLesen(a.db->cnKav());
    } catch (const sql::Error&) {
        m_lblMeldung->setText(QStringLiteral("Die Bodenverbesserungsmittel konnten nicht gelesen werden."));
        return;
    }
    const KompostBaumInhalt inhalt = KompostBaumEinteilen(alle, *boden);
    NPKBaumDaten d;
    d.knoten.push_back({kKlasseGruen, kKompostGruenText, kKlasseGruen, kKlasseGruen, -1});
    for (const OrgSubZeile& z : inhalt.gruen)
        d.knoten.push_back({z.OrgSubNr, z.Bezeichnung, kTagMaterial, kTagMaterial, 0});
    if (!inhalt.rot.empty()) {
        const int rot = static_cast<int>(d.knoten.size());
        d.knoten.push_back({kKlasseRot, kKompostRotText, kKlasseRot, kKlasseRot, -1});
        for (const OrgSubZeile& z : inhalt.rot)
            d.knoten.push_back({z.OrgSubNr, z.Bezeichnung, kTagMaterial, kTagMaterial, rot});
    }
    m_trvKompost->fuellen(d, m_imlKompost);
    for (int i = 0; i < m_trvKompost->topLevelItemCount(); ++i)
        m_trvKompost->topLevelItem(i)->setExpanded(true);
    if (!alle.empty())
        a.bedarf.strKategorie = KompostKlasse(alle.back().OrgSubNr, *boden);
    m_lblMeldung->setText(inhalt.meldung);
}

void frmKompost::trvKompost_Click(QTreeWidgetItem* item)
{
    AppContext& a = app();
    if (!item)
        return;
    if (NPKBaumAnsicht::tag(item) != kTagMaterial) {
        item->setExpanded(true);
        return;
    }
    const frmNPK* seite = flaechenSeite();
    const std::optional<KompostBoden> boden =
        seite ? KompostBodenLesen(seite->txtWert(1)->text(), seite->txtWert(2)->text(), a.gebiet) : std::nullopt;
    std::optional<OrgSubZeile> z;
    try {
        if (a.db)
            z = OrgSubLesen(a.db->cnKav(), NPKBaumAnsicht::key(item));
    } catch (const sql::Error&) {
    }
    if (!boden || !z) {
        m_lblMeldung->setText(!boden ? kKompostOhneWerte
                                     : QStringLiteral("Dieses Bodenverbesserungsmittel konnte nicht gelesen werden."));
        return;
    }
    m_lblMeldung->setText(KompostRat(NPKBaumAnsicht::elternKey(item), *boden, item->text(0), *z, a.gebiet));
}

void frmKompost::cmdOK_Click() { entladen(); }

void frmKompost::lblTitel_Click()
{
    hide();
    entladen();
    LexikonZeigen(QStringLiteral("WirtschaftsduengerAllgemein"));
}

void frmKompost::mouseMoveEvent(QMouseEvent* e)
{
    ZurueckFaerben(m_cmdOK);
    Seite::mouseMoveEvent(e);
}

void frmKompost::resizeEvent(QResizeEvent* e)
{
    Seite::resizeEvent(e);
    BenutzerverlaufZeichnen(this, app().einstellungen);
}

bool frmKompost::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_lblTitel && e->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        lblTitel_Click();
        return true;
    }
    if (o == m_cmdOK && (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter))
        Hervorheben(m_cmdOK);
    return Seite::eventFilter(o, e);
}

} // namespace kav
