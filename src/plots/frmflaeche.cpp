#include "plots/frmflaeche.h"

#include "frame/anordnung.h"
#include "frame/links.h"
#include "frame/oberflaeche.h"
#include "platform/optionsgruppe.h"
#include "platform/tastenlink.h"
#include "plots/flaechenbaumansicht.h"
#include "plots/flaechendaten.h"
#include "plots/flaechentexte.h"
#include "plots/frmanalysenwerte.h"
#include "plots/wertebereiche.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/meldungen.h"
#include "services/zahleneingabe.h"
#include "services/zahlenfilter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace kav {

namespace {

QLabel* text(QWidget* eltern, const QString& name, const QString& t)
{
    auto* l = new QLabel(t, eltern);
    l->setObjectName(name);
    return l;
}

// A size box; its hint names the range.
QLineEdit* masseFeld(QWidget* eltern, const QString& name, Groesse g)
{
    auto* t = new QLineEdit(eltern);
    t->setObjectName(name);
    t->setToolTip(QStringLiteral("Möglich: ") + groesseBereich(g, app().gebiet));
    t->setAlignment(Qt::AlignRight);
    t->setMaximumWidth(90);
    ZahlenFilter::installieren(t, app().gebiet.strDezimalZeichen);
    return t;
}

} // namespace

void FlaecheDialogOeffnen(bool neu) { flaechenDialogOeffnen(QStringLiteral("frmFlaeche"), neu); }

frmFlaeche::frmFlaeche() : FlaechenDialog(QStringLiteral("frmFlaeche"))
{
    setWindowTitle(QStringLiteral("Kav - Neue Fläche"));
    setMouseTracking(true);

    m_lblBezeichnung.anhaengen(text(this, QStringLiteral("lblBezeichnung1"), QStringLiteral("Name der Fläche:")));

    m_lblNutzung = text(this, QStringLiteral("lblNutzung"), QStringLiteral("Überwiegende Nutzung der Fläche:"));
    m_comNutzung = new QComboBox(this);
    m_comNutzung->setObjectName(QStringLiteral("comNutzung"));

    m_txtLaenge = masseFeld(this, QStringLiteral("txtLaenge"), Groesse::Laenge);
    m_txtBreite = masseFeld(this, QStringLiteral("txtBreite"), Groesse::Breite);
    m_txtFlaeche = masseFeld(this, QStringLiteral("txtFlaeche"), Groesse::Flaeche);
    connect(m_txtLaenge, &QLineEdit::textChanged, this, [this] { masseGeaendert(m_txtLaenge, m_txtBreite); });
    connect(m_txtBreite, &QLineEdit::textChanged, this, [this] { masseGeaendert(m_txtBreite, m_txtLaenge); });
    connect(m_txtFlaeche, &QLineEdit::textEdited, this, [this](const QString& t) { flaecheBearbeitet(t); });
    connect(m_txtFlaeche, &QLineEdit::textChanged, this, [this](const QString& t) { m_flaecheVorher = t; });

    auto* kompost = text(this, QStringLiteral("lblBezeichnung2"), QStringLiteral("Einsatz von Kompost, Stallmist o.ä.:"));
    LinkAussehen(kompost);
    new forms::Tastenlink(this, kompost, [this] { lblBezeichnung_Click(); });
    m_lblBezeichnung.anhaengen(kompost);
    const QString kompostTexte[2] = {
        QStringLiteral("Auf der Fläche wurde in den letzten Jahren regelmäßig Kompost o.ä. ausgebracht"),
        QStringLiteral("Auf der Fläche wurde in den letzten Jahren kein Kompost o.ä. ausgebracht")};
    for (int i = 0; i <= 1; ++i) {
        auto* img = new forms::Bild(this);
        img->setObjectName(QStringLiteral("imgKompost%1").arg(i));
        img->setFixedSize(16, 16);
        forms::setTag(img, i == 0 ? QStringLiteral("1") : QStringLiteral("0"));
        m_imgKompost.anhaengen(img);
        auto* l = text(this, QStringLiteral("lblKompost%1").arg(i), kompostTexte[i]);
        l->setWordWrap(true);
        m_lblKompost.anhaengen(l);
    }
    new forms::Optionsgruppe(
        this, {{m_imgKompost(0), m_lblKompost(0)}, {m_imgKompost(1), m_lblKompost(1)}},
        [this] { return forms::Tag(m_imgKompost(0)) == QLatin1String("1") ? 0 : forms::Tag(m_imgKompost(1)) == QLatin1String("1") ? 1 : -1; },
        [this](int i) { imgKompost_Click(i); });
    for (QObject* o : std::initializer_list<QObject*>{m_imgKompost(0), m_imgKompost(1), m_lblKompost(0),
                                                      m_lblKompost(1), m_lblBezeichnung(1), m_lblBezeichnung(2)})
        o->installEventFilter(this);
    for (QToolButton* b : knoepfe())
        b->installEventFilter(this);

    // name; usage; length m X width m = area m²; compost; current flag; buttons
    auto* raster = new QGridLayout;
    raster->addWidget(m_lblBezeichnung(1), 0, 0);
    raster->addWidget(m_txtBezeichnung, 0, 1);
    raster->addWidget(m_lblMax, 0, 2);
    raster->addWidget(m_lblNutzung, 1, 0);
    raster->addWidget(m_comNutzung, 1, 1, 1, 2);

    auto* masse = new QGridLayout;
    masse->addWidget(text(this, QStringLiteral("lblLaenge"), QStringLiteral("Länge  ")), 0, 0);
    masse->addWidget(text(this, QStringLiteral("lblBreite"), QStringLiteral("Breite")), 0, 2);
    masse->addWidget(text(this, QStringLiteral("lblFlaeche"), QStringLiteral("Fläche")), 0, 4);
    masse->addWidget(m_txtLaenge, 1, 0);
    masse->addWidget(text(this, QStringLiteral("lblMalZeichen"), QStringLiteral("m  X")), 1, 1);
    masse->addWidget(m_txtBreite, 1, 2);
    masse->addWidget(text(this, QStringLiteral("lblGleichZeichen"), QStringLiteral("m  =")), 1, 3);
    masse->addWidget(m_txtFlaeche, 1, 4);
    masse->addWidget(text(this, QStringLiteral("lblQuadratmeter"), QStringLiteral("m²")), 1, 5);
    masse->setColumnStretch(6, 1);

    auto* optionen = new QGridLayout;
    optionen->addWidget(m_lblBezeichnung(2), 0, 0, 1, 2, Qt::AlignLeft); // the link as wide as its text
    for (int i = 0; i <= 1; ++i) {
        optionen->addWidget(m_imgKompost(i), i + 1, 0, Qt::AlignTop);
        optionen->addWidget(m_lblKompost(i), i + 1, 1);
    }
    optionen->addWidget(m_imgAktuellerDatensatz, 3, 0);
    optionen->addWidget(m_lblAktuellerDatensatz, 3, 1);
    optionen->setColumnStretch(1, 1);

    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(raster);
    spalte->addSpacing(8);
    spalte->addLayout(masse);
    spalte->addSpacing(8);
    spalte->addLayout(optionen);
    spalte->addSpacing(8);
    spalte->addLayout(knopfZeile());
}

void frmFlaeche::Form_Load()
{
    FlaechenDialog::Form_Load(); // strAktivesFenster
    AppContext& a = app();
    modusLesen();
    knoepfeLaden(benutzerFarbe(a.einstellungen));

    if (a.db) {
        try {
            for (const auto& [id, nutzung] : nutzungenLesen(a.db->cnKav()))
                m_comNutzung->addItem(nutzung, id);
        } catch (const std::exception&) {
            // no usages to choose from: the plot is stored with usage 0
        }
    }
    if (m_comNutzung->count() > 0)
        m_comNutzung->setCurrentIndex(0);
    KompostAnzeigen(0);

    // the mode is read here, once: later activations keep what the user typed
    if (const auto z = eintragLaden(false)) {
        m_txtBreite->setText(masseText(z->Breite, true, a.gebiet));
        m_txtLaenge->setText(masseText(z->Laenge, true, a.gebiet));
        // a plot stored without an area shows an empty box, as its sides do
        m_txtFlaeche->setText(masseText(z->Flaeche, true, a.gebiet));
        const int i = m_comNutzung->findData(z->Nutzung);
        if (i >= 0)
            m_comNutzung->setCurrentIndex(i);
        KompostAnzeigen(z->Kompost == 1 ? 0 : 1);
        a.bedarf.intFlaecheKompost = static_cast<qint16>(z->Kompost);
    }
    forms::inhaltsgroesseFesthalten(this);
    amBaumPlatzieren(false);
    BenutzerverlaufZeichnen(this, a.einstellungen);
}

void frmFlaeche::KompostAnzeigen(int index)
{
    for (int i = 0; i <= 1; ++i) {
        const bool gewaehlt = i == index;
        const QString k = gewaehlt ? QStringLiteral("opb1") : QStringLiteral("opb0");
        m_imgKompost(i)->setBild(m_imlCheck.bild(k));
        m_imgKompost(i)->setSchluessel(k);
        forms::setTag(m_imgKompost(i), gewaehlt ? QStringLiteral("1") : QStringLiteral("0"));
    }
}

void frmFlaeche::imgKompost_Click(int index)
{
    if (index < 0 || index > 1)
        return;
    KompostAnzeigen(index);
    app().bedarf.intFlaecheKompost = index == 0 ? 1 : 0;
}

void frmFlaeche::lblBezeichnung_Click() { app().rahmen.strLexikonAnzeige = QStringLiteral("WirtschaftsduengerAllgemein"); }

void frmFlaeche::masseGeaendert(QLineEdit* geaendert, QLineEdit* anderer)
{
    const auto f = flaecheAusMassen(geaendert->text(), anderer->text(), app().gebiet);
    if (f)
        m_txtFlaeche->setText(app().gebiet.zahlText(*f));
}

void frmFlaeche::flaecheBearbeitet(const QString& t)
{
    // typing an area empties length and width; deleting empties nothing
    const bool laenger = t.size() > m_flaecheVorher.size();
    if (laenger && istZahlText(t, app().gebiet.strDezimalZeichen)) {
        m_txtLaenge->clear();
        m_txtBreite->clear();
    }
}

FlaechenEingabe frmFlaeche::eingabe() const
{
    // an empty box is no size given (stored as 0); a 0 typed is refused with the range
    FlaechenEingabe e;
    e.Bezeichnung = bezeichnung();
    e.Nutzung = m_comNutzung->currentIndex() >= 0 ? m_comNutzung->currentData().toInt() : 0;
    e.txtLaenge = m_txtLaenge->text();
    e.txtBreite = m_txtBreite->text();
    e.txtFlaeche = m_txtFlaeche->text();
    e.Kompost = forms::Tag(m_imgKompost(0)) == QLatin1String("1") ? 1 : 0;
    e.AktuellerDatensatz = aktuellerDatensatz();
    return e;
}

void frmFlaeche::cmbSpeichern_Click()
{
    AppContext& a = app();
    const FlaechenEingabe e = eingabe();
    if (!a.db)
        return;
    FlaechenDaten d(a.db->cnDaten(), a.gebiet, *a.uhr, a.zufall);
    const Schreibergebnis r = m_neu ? d.flaecheNeu(e, m_gruppierungNr) : d.flaecheAendern(m_flaechenNr, e);
    if (!r.ok) {
        // nothing stored; the dialog stays open with what was typed
        if (a.anzeige)
            a.anzeige->zeige(r.meldung);
        return;
    }
    if (m_neu) {
        m_flaechenNr = r.FlaechenNr;
        a.bedarf.sngFlaecheGroesse = r.sngFlaecheGroesse;
    }
    entladen();
}

void frmFlaeche::Form_Unload()
{
    AppContext& a = app();
    FlaechenDialog::Form_Unload();
    a.rahmen.blnToolbarAktiv = true;
    a.bedarf.intFlaecheKompost = forms::Tag(m_imgKompost(0)) == QLatin1String("1") ? 1 : 0;
    a.bedarf.strAktFlaechenNr = m_flaechenNr;
    frmAnalysenWerte* seite = analysenSeite();
    if (!seite)
        return;
    seite->FlaechenBaumFuellen();
    seite->trvFlaechen()->pfadAufklappen(m_flaechenNr, true, true, true);
    seite->NodeClick();
}

void frmFlaeche::Form_MouseMove() { knoepfeZuruecksetzen(); }

void frmFlaeche::mouseMoveEvent(QMouseEvent* e)
{
    Form_MouseMove();
    FlaechenDialog::mouseMoveEvent(e);
}

bool frmFlaeche::eventFilter(QObject* o, QEvent* e)
{
    const QEvent::Type typ = e->type();
    if (typ == QEvent::MouseMove || typ == QEvent::Enter) {
        knopfHervorheben(o);
    } else if (typ == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        for (int i = 0; i <= 1; ++i)
            if (o == m_imgKompost(i) || o == m_lblKompost(i))
                imgKompost_Click(i);
        if (o == m_lblBezeichnung(1) || o == m_lblBezeichnung(2))
            lblBezeichnung_Click();
    }
    return FlaechenDialog::eventFilter(o, e);
}

} // namespace kav
