#include "requirement/frmnpk1.h"

#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "frame/seitenwechsel.h"
#include "platform/datumsfeld.h"
#include "platform/tastenlink.h"
#include "plots/flaechendaten.h"
#include "requirement/bedarfsquellen.h"
#include "requirement/kulturschrittwerte.h"
#include "requirement/frmmkeditor.h"
#include "requirement/nmindaten.h"
#include "requirement/npkanordnung.h"
#include "requirement/npkauswahl.h"
#include "requirement/npkbaumansicht.h"
#include "requirement/wizardschritte.h"
#include "requirement/wizardseiten.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/sql.h"
#include "services/zahlenfilter.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>

namespace kav {

namespace {

const QString kTitelWaehlen = QStringLiteral("Wählen Sie die Kultur aus, die Sie düngen möchten");
const QString kTitelBeet = QStringLiteral(
    "Geben Sie die Länge und Breite der Fläche ein, auf der Sie die Mischkultur planen wollen, und wenn Sie einen "
    "aktuellen Nmin-Wert der Fläche haben, tragen Sie diesen ebenfalls ein:");

QLineEdit* zahlenfeld(QWidget* eltern, const QString& name)
{
    auto* t = new QLineEdit(eltern);
    t->setObjectName(name);
    t->setAlignment(Qt::AlignRight);
    ZahlenFilter::installieren(t, app().gebiet.strDezimalZeichen);
    return t;
}

} // namespace

frmNPK1* kulturSeite() { return ui().fenster.fensterAls<frmNPK1>(QStringLiteral("frmNPK1")); }

frmNPK1::frmNPK1() : Seite(QStringLiteral("frmNPK1"), QStringLiteral("NPK1"), Platz::UnterBrotkrume)
{
    setMouseTracking(true);
    const std::pair<const char*, const char*> bilder[] = {{"Ku1001", "Gemuese"}, {"Ku1002", "Blumen"},
                                                          {"Ku1003", "Zierstraucher"}, {"Ku1004", "Stauden"},
                                                          {"Ku1005", "Rasen"}, {"Ku1006", "Obst"},
                                                          {"Ku1008", "Gemuese"}};
    for (const auto& [key, datei] : bilder)
        m_imlNPK.hinzufuegen(QLatin1String(key), QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(datei))));

    m_lblTitel = Beschriftung(this, QStringLiteral("lblTitel"), kTitelWaehlen);
    m_lblTitel->setWordWrap(true);
    m_trvNPK = new NPKBaumAnsicht(this);
    m_trvNPK->setObjectName(QStringLiteral("trvNPK"));
    connect(m_trvNPK, &NPKBaumAnsicht::gewaehlt, this, [this](QTreeWidgetItem* i) { frmNPK1_KulturKnotenGewaehlt(i); });

    m_txtNPK = NPKAnzeigefeld(this);

    m_lblFlaeche = Beschriftung(this, QStringLiteral("lblFlaeche"), QStringLiteral("Flächengröße"));
    m_txtFlaeche = zahlenfeld(this, QStringLiteral("txtFlaeche"));
    m_lblQM = Beschriftung(this, QStringLiteral("lblQM"), QStringLiteral("m²"));
    m_imgBeet = new forms::Bild(this);
    m_imgBeet->setObjectName(QStringLiteral("imgBeet"));
    m_txtLaenge = zahlenfeld(this, QStringLiteral("txtLaenge"));
    m_txtLaenge->setToolTip(QStringLiteral("Länge des Beetes in m"));
    m_txtBreite = zahlenfeld(this, QStringLiteral("txtBreite"));
    m_txtBreite->setToolTip(QStringLiteral("Breite des Beetes in m"));

    // the calendar with its month line and month buttons in a coloured frame
    m_lblDatum = Beschriftung(this, QStringLiteral("lblDatum"), QStringLiteral("Kulturbeginn"));
    m_shpCal = new QFrame(this);
    m_shpCal->setObjectName(QStringLiteral("shpCal"));
    m_shpCal->setAutoFillBackground(true);
    m_calStart = new QCalendarWidget(m_shpCal);
    m_calStart->setObjectName(QStringLiteral("calStart"));
    m_calStart->setToolTip(QStringLiteral("Datum durch Anklicken auswählen"));
    m_calStart->setNavigationBarVisible(false);
    m_calStart->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calStart->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    m_calStart->setLocale(app().gebiet.locale);
    forms::kalenderTippbar(m_calStart, app().gebiet.datumsFormat(), [this](const forms::DatumsAbweisung& ab) {
        const AppContext& a = app();
        WizardMelden(kulturbeginnAbgewiesen(ab, a.uhr->today(), m_calStart->selectedDate(), a.gebiet));
    });
    m_lblCal = Beschriftung(m_shpCal, QStringLiteral("lblCal"), QStringLiteral("mmmm yyyy"));
    m_cmbPrevious = WizardKnopf(m_shpCal, QStringLiteral("cmbPrevious"), QStringLiteral("Einen Monat zurück"));
    m_cmbForward = WizardKnopf(m_shpCal, QStringLiteral("cmbForward"), QStringLiteral("Einen Monat weiter"));
    connect(m_calStart, &QCalendarWidget::selectionChanged, this, [this] { calStart_Click(); });
    connect(m_cmbPrevious, &QToolButton::clicked, this, [this] { cmbPrevious_Click(); });
    connect(m_cmbForward, &QToolButton::clicked, this, [this] { cmbForward_Click(); });

    m_lblNmin.anhaengen(Beschriftung(this, QStringLiteral("lblNmin0"), QStringLiteral("Nmin-Wert")));
    m_lblNmin.anhaengen(Beschriftung(this, QStringLiteral("lblNmin1"), QStringLiteral("zu Kulturbeginn:")));
    for (int i = 0; i <= 1; ++i) {
        m_lblNmin(i)->setCursor(Qt::WhatsThisCursor);
        m_lblNmin(i)->setToolTip(QStringLiteral("Mehr dazu im Lexikon"));
        m_lblNmin(i)->installEventFilter(this);
    }
    new forms::Tastenlink(this, m_lblNmin(0), [this] { lblNmin_Click(); }, m_lblNmin(1)); // one link of two lines
    m_txtNmin = zahlenfeld(this, QStringLiteral("txtNmin"));
    m_comNmin = new QComboBox(this);
    m_comNmin->setObjectName(QStringLiteral("comNmin"));
    for (int i = 0; i <= 2; ++i)
        m_comNmin->addItem(QString::fromUtf16(kNminEinheiten[i]), i);
    connect(m_comNmin, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            app().bedarf.intNminEinheit = static_cast<qint16>(m_comNmin->itemData(i).toInt());
    });

    m_cmbSenden = WizardKnopf(this, QStringLiteral("cmbSenden"),
                              QStringLiteral("Nmin-Wert an die zentrale Datenbank übertragen (Internetverbindung "
                                             "erforderlich)"));
    connect(m_cmbSenden, &QToolButton::clicked, this, [this] { cmbSenden_Click(); });
    m_knoepfe = new Schrittknoepfe(this, {QStringLiteral("cmbAbbruch"), QStringLiteral("Berechnung abbrechen")},
                                   {QStringLiteral("cmbBack"), QStringLiteral("Zurück zur Flächenauswahl")},
                                   {QStringLiteral("cmbNext"), QStringLiteral("Weiter zum nächsten Schritt")});
    m_knoepfe->beiAbbruch = [this] { cmbAbbruch_Click(); };
    m_knoepfe->beiZurueck = [this] { cmbBack_MouseUp(); };
    m_knoepfe->beiWeiter = [this] { cmbNext_MouseUp(); };
    cmbNext()->setEnabled(false);

    for (QWidget* w : std::initializer_list<QWidget*>{m_txtNmin, m_txtFlaeche, m_txtLaenge, m_txtBreite, m_cmbSenden,
                                                      m_cmbPrevious, m_cmbForward})
        w->installEventFilter(this);
}

// ---------------------------------------------------------------- loading

void frmNPK1::Form_Load()
{
    AppContext& a = app();
    WizardState& s = a.bedarf;
    // entered from the analysis page, which hands over the analysis and its values only: the soil
    // group and the plot's area, compost and usage are read here
    if (a.rahmen.strFensterZeigen == QLatin1String("Analysenwerte") && a.db) {
        try {
            if (const std::optional<AnalysenZeile> z = analysenZeileLesen(a.db->cnDaten(), s.strAktAnalysenNr))
                BodenwerteUebernehmen(s, *z);
            FlaechenWerteLesen(a.db->cnDaten(), s);
        } catch (const sql::Error&) {
        }
    }
    // the calendar starts at today once; a relayout never resets it
    m_laedt = true;
    m_calStart->setDateRange(kulturbeginnAb(a.uhr->today()), kulturbeginnBis(a.uhr->today()));
    kalenderSetzen(a.uhr->today());
    baumFuellen();
    DauerKultur();
    m_txtFlaeche->setText(FlaechenText(s.sngFlaecheGroesse, a.gebiet));
    if (!s.strAktKulturNr.isEmpty()) {
        m_txtNPK->clear();
        if (QTreeWidgetItem* it = m_trvNPK->pfadAufklappen(s.strAktKulturNr, true)) {
            QStringList glieder;
            for (int i = 0; i < it->childCount(); ++i)
                glieder << it->child(i)->text(0);
            m_txtNPK->setText(KombinierterText(it->text(0), glieder));
        }
        cmbNext()->setEnabled(true);
        if (!DauerKultur()) {
            const QDate beginn = s.datKulturbeginn.isValid() ? s.datKulturbeginn.date() : a.uhr->today();
            kalenderSetzen(beginn);
            s.datKulturbeginn = QDateTime(m_calStart->selectedDate(), QTime(0, 0));
            einheitWaehlen(s.intNminEinheit);
            if (s.sngNminWert != -1.0f)
                m_txtNmin->setText(SingleText(s.sngNminWert, a.gebiet));
        }
    } else {
        m_txtNPK->clear();
    }
    m_gesendet.reset();
    if (IstMischkultur(s.strAktKulturNr)) {
        frmNPK1_BeetmasseEinlesen();
        // the bed view keeps the Nmin value it was left with
        einheitWaehlen(s.intNminEinheit);
        if (s.sngNminWert != -1.0f)
            m_txtNmin->setText(SingleText(s.sngNminWert, a.gebiet));
    }
    a.rahmen.strLexikonAnzeige = QStringLiteral("NaehrstoffbedarfAllgemein");
    m_laedt = false;
    Seite::Form_Load(); // step key "NPK1", breadcrumb, caption, layout
}

void frmNPK1::baumFuellen()
{
    AppContext& a = app();
    NPKBaumDaten d;
    try {
        if (a.db)
            d = KulturBaumLesen(a.db->cnKav(), a.db->cnDaten(), a.bedarf.strAktFlaechenNr, a.gebiet);
    } catch (const sql::Error&) {
        WizardMelden(Meldung{0, QStringLiteral("Humavera - Düngeberechnung"),
                             datenFehlerText(QStringLiteral("Die Kulturen konnten nicht gelesen werden.")),
                             Meldung::Symbol::Warnung});
    }
    m_trvNPK->fuellen(d, m_imlNPK);
}

void frmNPK1::sichtbar(std::initializer_list<QWidget*> w, bool ja)
{
    for (QWidget* x : w)
        forms::setVisible(x, ja);
}

bool frmNPK1::DauerKultur()
{
    const AppContext& a = app();
    WizardState& s = app().bedarf;
    bool dauer = s.strAktKulturNr.isEmpty();
    QTreeWidgetItem* it = s.strAktKulturNr.isEmpty() ? nullptr : m_trvNPK->itemVon(s.strAktKulturNr);
    if (it) {
        dauer = DauerKulturTest(s.strAktKulturNr, NPKBaumAnsicht::elternKey(it));
        m_trvNPK->pfadAufklappen(s.strAktKulturNr, false);
    }
    sichtbar({m_txtFlaeche, m_lblQM}, true);
    sichtbar({m_lblCal, m_txtNmin, m_lblDatum, m_lblNmin(0), m_lblNmin(1), m_comNmin, m_shpCal, m_calStart,
              m_cmbForward, m_cmbPrevious},
             !dauer);
    sichtbar({m_cmbSenden}, !dauer && a.einstellungen.strDatenAufServer != QLatin1String("Wahr"));
    sichtbar({m_txtBreite, m_txtLaenge, m_imgBeet}, false);
    const QString name = it ? it->text(0) : QString();
    if (!it) // no crop, or one the tree no longer holds
        m_lblTitel->setText(kTitelWaehlen);
    else if (dauer)
        m_lblTitel->setText(QStringLiteral("Gewählte Kultur: ") + name);
    else
        m_lblTitel->setText(QStringLiteral("Gewählte Kultur: ") + name
                            + QStringLiteral(", geben Sie noch den Kulturbeginn an. Wenn Sie einen aktuellen Nmin-Wert "
                                             "der Fläche haben, tragen Sie diesen ebenfalls ein:"));
    s.blnDauerKultur = dauer;
    return dauer;
}

// ---------------------------------------------------------------- the crop

void frmNPK1::frmNPK1_KulturKnotenGewaehlt(QTreeWidgetItem* item)
{
    AppContext& a = app();
    WizardState& s = a.bedarf;
    if (!item)
        return;
    const QString key = NPKBaumAnsicht::key(item);
    const QString tag = NPKBaumAnsicht::tag(item);
    const QString eltern = NPKBaumAnsicht::elternKey(item);
    const bool plan = !s.strAktFlaechenNr.isEmpty() && eltern == s.strAktFlaechenNr && tag != kTagPlanOrdner;
    // the crop chosen before, chosen again (or by one of its single crops): what is typed for it stays
    const QString kultur = tag == kTagEinzel && item->parent() ? NPKBaumAnsicht::key(item->parent()) : key;
    const bool andere = kultur != s.strAktKulturNr;
    if (key == kNeueMischkultur || plan) {
        m_txtNPK->setText(plan ? item->text(0) : QStringLiteral("Neue Planung am ") + a.gebiet.datumText(a.uhr->today()));
        s.strAktKulturNr = key;
        if (const std::optional<float> f = flaecheNehmbar())
            s.sngFlaecheGroesse = *f;
        cmbNext()->setEnabled(true);
        if (andere) {
            frmNPK1_BeetmasseEinlesen();
            einheitWaehlen(0);
        }
        return;
    }
    if (tag == kTagKultur) {
        s.strAktKulturNr = key;
        QStringList glieder;
        for (int i = 0; i < item->childCount(); ++i)
            glieder << item->child(i)->text(0);
        m_txtNPK->setText(KombinierterText(item->text(0), glieder));
        if (item->childCount() > 0)
            item->setExpanded(true);
    } else if (tag == kTagEinzel && item->parent()) {
        // a single crop chooses its combined crop
        QTreeWidgetItem* k = item->parent();
        s.strAktKulturNr = NPKBaumAnsicht::key(k);
        QStringList glieder;
        for (int i = 0; i < k->childCount(); ++i)
            glieder << k->child(i)->text(0);
        m_txtNPK->setText(KombinierterText(k->text(0), glieder));
    } else {
        return; // groups and the folder of the plans are no crops
    }
    if (!DauerKultur() && andere) {
        m_txtNmin->clear();
        einheitWaehlen(0);
        nminZeigen(m_calStart->selectedDate());
    }
    cmbNext()->setEnabled(true);
    ArbeitsbereichAnordnen(name()); // the instruction line may need another line
}

void frmNPK1::frmNPK1_BeetmasseEinlesen()
{
    AppContext& a = app();
    DauerKultur();
    sichtbar({m_txtNmin, m_lblNmin(0), m_lblNmin(1), m_comNmin, m_txtBreite, m_txtLaenge, m_imgBeet}, true);
    sichtbar({m_lblCal, m_lblDatum, m_shpCal, m_calStart, m_cmbForward, m_cmbPrevious, m_cmbSenden, m_txtFlaeche, m_lblQM},
             false);
    std::optional<FlaechenZeile> f;
    try {
        if (a.db)
            f = kav::flaecheLesen(a.db->cnDaten(), a.bedarf.strAktFlaechenNr);
    } catch (const sql::Error&) {
    }
    const auto mass = [&](double v) {
        return v > 0 ? a.gebiet.locale.toString(v, 'f', 1) : QString();
    };
    m_txtBreite->setText(f ? mass(f->Breite) : QString());
    m_txtLaenge->setText(f ? mass(f->Laenge) : QString());
    m_lblTitel->setText(kTitelBeet);
    if (!m_laedt)
        ArbeitsbereichAnordnen(name());
}

// ---------------------------------------------------------------- mouse and keys

void frmNPK1::Form_MouseMove()
{
    m_knoepfe->Form_MouseMove();
    ZurueckFaerben(m_cmbSenden);
}

void frmNPK1::mouseMoveEvent(QMouseEvent* e)
{
    Form_MouseMove();
    Seite::mouseMoveEvent(e);
}

bool frmNPK1::eventFilter(QObject* o, QEvent* e)
{
    const QEvent::Type typ = e->type();
    if (typ == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton
        && (o == m_lblNmin(0) || o == m_lblNmin(1))) {
        lblNmin_Click();
        return true;
    }
    if ((typ == QEvent::MouseMove || typ == QEvent::Enter) && o == m_cmbSenden)
        Hervorheben(m_cmbSenden);
    if (typ == QEvent::FocusOut && o == m_txtFlaeche)
        txtFlaeche_LostFocus();
    if (typ == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(e)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            QWidget* ziel = nullptr;
            if (o == m_txtNmin)
                ziel = m_comNmin;
            else if (o == m_txtFlaeche)
                ziel = app().bedarf.blnDauerKultur ? static_cast<QWidget*>(cmbNext()) : m_calStart;
            else if (o == m_txtLaenge)
                ziel = m_txtBreite;
            else if (o == m_txtBreite)
                ziel = cmbNext();
            if (ziel) {
                ziel->setFocus();
                return true;
            }
        }
    }
    return Seite::eventFilter(o, e);
}

} // namespace kav
