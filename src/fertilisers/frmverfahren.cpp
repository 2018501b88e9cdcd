#include "fertilisers/frmverfahren.h"

#include "fertilisers/frmnpk3.h"
#include "frame/anordnung.h"
#include "frame/dialogplatz.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "services/appcontext.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace kav {

namespace {

const char16_t* const kTexte[3] = {
    u"Sie haben zwei Möglichkeiten, die notwendige Düngermenge zu berechnen",
    u"1. Die Düngung wird optimal an den Pflanzenbedarf angepasst, dies hat aber zur Folge, dass Sie zur Deckung "
    u"des Stickstoff-, Phosphat- und Kalibedarfs i.d.R. jeweils einen Dünger benötigen.",
    u"2. Die Düngung wird hinsichtlich der Anzahl notwendiger Düngemittel optimiert. Um dies zu erreichen, wird "
    u"akzeptiert, dass eventuell etwas mehr Phosphat und Kalium gedüngt wird, als die Pflanze benötigt. Diese "
    u"akzeptierten Nährstoffüberhänge sind sowohl aus Sicht der Pflanzenernährung als auch aus ökologischer Sicht "
    u"unproblematisch."};

QPushButton* knopf(QWidget* eltern, const QString& name, const QString& text)
{
    auto* b = new QPushButton(text, eltern);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumHeight(32);
    return b;
}

} // namespace

frmVerfahren::frmVerfahren() : Seite(QStringLiteral("frmVerfahren"), QString(), Platz::Dialog)
{
    setWindowTitle(QStringLiteral("Kav - Anpassung der Düngerauswahl"));
    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(16, 14, 16, 14);
    spalte->setSpacing(10);
    for (int i = 0; i <= 2; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("lblMeldung%1").arg(i));
        l->setWordWrap(true);
        if (i == 0) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        m_lblMeldung.anhaengen(l);
        spalte->addWidget(l);
    }
    m_cmdEinmalOptimal = knopf(this, QStringLiteral("cmdEinmalOptimal"), QStringLiteral("Diesmal Optimierung bzgl. Pflanzenbedarf"));
    m_cmdImmerOptimal = knopf(this, QStringLiteral("cmdImmerOptimal"), QStringLiteral("Immer Optimierung bzgl. Pflanzenbedarf"));
    m_cmdIgnorant = knopf(this, QStringLiteral("cmdIgnorant"), QStringLiteral("Diesmal Optimierung bzgl. Düngeranzahl"));
    spalte->addSpacing(6);
    for (QPushButton* b : {m_cmdEinmalOptimal, m_cmdImmerOptimal, m_cmdIgnorant})
        spalte->addWidget(b);
    connect(m_cmdEinmalOptimal, &QPushButton::clicked, this, [this] { cmdEinmalOptimal_Click(); });
    connect(m_cmdImmerOptimal, &QPushButton::clicked, this, [this] { cmdImmerOptimal_Click(); });
    connect(m_cmdIgnorant, &QPushButton::clicked, this, [this] { cmdIgnorant_Click(); });
    setFixedWidth(560);
}

void frmVerfahren::Form_Load()
{
    Seite::Form_Load();
    for (int i = 0; i <= 2; ++i)
        m_lblMeldung(i)->setText(QString::fromUtf16(kTexte[i]));
    const QColor farbe = benutzerFarbe(app().einstellungen);
    for (QPushButton* b : {m_cmdEinmalOptimal, m_cmdImmerOptimal, m_cmdIgnorant})
        forms::setBackColor(b, farbe);
    forms::inhaltsgroesseFesthalten(this);
    DialogZentrieren(this, ui().haupt.data());
    BenutzerverlaufZeichnen(this, app().einstellungen);
}

void frmVerfahren::resizeEvent(QResizeEvent* e)
{
    Seite::resizeEvent(e);
    BenutzerverlaufZeichnen(this, app().einstellungen);
}

bool frmVerfahren::escapetaste()
{
    entladen();
    return true;
}

void frmVerfahren::cmdEinmalOptimal_Click()
{
    app().bedarf.blnOptimal = true;
    entladen();
}

void frmVerfahren::cmdImmerOptimal_Click()
{
    app().einstellungen.blnImmerOptimal = true;
    app().bedarf.blnOptimal = true;
    entladen();
}

void frmVerfahren::cmdIgnorant_Click()
{
    app().bedarf.blnOptimal = false;
    entladen();
}

void frmVerfahren::Form_Unload()
{
    Seite::Form_Unload();
    // only a fertiliser step that is still there is rebuilt
    if (frmNPK3* seite = duengerSeite())
        seite->DuengerBaumFuellen();
}

} // namespace kav
