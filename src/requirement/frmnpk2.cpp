#include "requirement/frmnpk2.h"

#include "frame/anordnung.h"
#include "frame/bilder.h"
#include "frame/seitenwechsel.h"
#include "platform/optionsgruppe.h"
#include "platform/tastenlink.h"
#include "requirement/bedarfsquellen.h"
#include "requirement/wizardschritte.h"
#include "requirement/wizardseiten.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"

#include <QMouseEvent>
#include <QToolButton>

namespace kav {

namespace {

const char* const kAntworten[6] = {"Nein",
                                   "Gründüngung, Aufwuchs unter 5 cm",
                                   "Gründüngung, Aufwuchs 5 bis 15 cm",
                                   "Gründüngung, Aufwuchs 15-30 cm",
                                   "Gründüngung, Aufwuchs über 30 cm",
                                   "Erntereste"};

} // namespace

frmNPK2::frmNPK2() : Seite(QStringLiteral("frmNPK2"), QStringLiteral("NPK2"), Platz::UnterTitel)
{
    setMouseTracking(true);
    m_imlEinstellungen = checkListe();
    m_lblFrageGD = new QLabel(QStringLiteral("Haben Sie vor kurzem frische Gründüngungspflanzen bzw. Erntereste auf "
                                             "dieser Fläche eingearbeitet?"),
                              this);
    m_lblFrageGD->setObjectName(QStringLiteral("lblFrageGD"));
    m_lblFrageGD->setWordWrap(true);
    m_lblFrageGD->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblFrageGD->setCursor(Qt::WhatsThisCursor);
    m_lblFrageGD->installEventFilter(this);
    new forms::Tastenlink(this, m_lblFrageGD, [this] { lblFrageGD_Click(); });
    for (int i = 0; i <= 5; ++i) {
        auto* b = new forms::Bild(this);
        b->setObjectName(QStringLiteral("imbGruenduengung%1").arg(i));
        b->setCursor(Qt::PointingHandCursor);
        b->installEventFilter(this);
        m_img.anhaengen(b);
        auto* l = new QLabel(QString::fromUtf8(kAntworten[i]), this);
        l->setObjectName(QStringLiteral("lblGruenduengung%1").arg(i));
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
        m_lbl.anhaengen(l);
    }
    std::vector<forms::Optionsgruppe::Option> antworten;
    for (int i = 0; i <= 5; ++i)
        antworten.push_back({m_img(i), m_lbl(i)});
    new forms::Optionsgruppe(this, antworten, [this] { return gewaehlt(); }, [this](int i) { imbGruenduengung_Click(i); });
    m_knoepfe = new Schrittknoepfe(this, {QStringLiteral("cmbAbbruch"), QStringLiteral("Berechnung abbrechen")},
                                   {QStringLiteral("cmbBack"), QStringLiteral("Zurück zur Flächen- und Kulturauswahl")},
                                   {QStringLiteral("cmbNext"), QStringLiteral("Weiter zum nächsten Schritt")});
    m_knoepfe->beiAbbruch = [this] { cmbAbbruch_MouseUp(); };
    m_knoepfe->beiZurueck = [this] { cmbBack_MouseUp(); };
    m_knoepfe->beiWeiter = [this] { cmbNext_MouseUp(); };
}

void frmNPK2::Form_Load()
{
    Seite::Form_Load(); // step key "NPK2", breadcrumb, caption, layout
    int index = 0;
    for (int i = 0; i <= 5; ++i)
        if (app().bedarf.sngZuschlagGD == kGruenduengungZuschlag[i])
            index = i;
    markieren(index);
}

int frmNPK2::gewaehlt() const
{
    for (int i = 0; i <= 5; ++i)
        if (m_img(i)->schluessel() == QLatin1String("opb1"))
            return i;
    return -1;
}

void frmNPK2::markieren(int index)
{
    for (int i = 0; i <= 5; ++i) {
        const QString k = i == index ? QStringLiteral("opb1") : QStringLiteral("opb0");
        m_img(i)->setBild(m_imlEinstellungen.bild(k));
        m_img(i)->setSchluessel(k);
    }
}

void frmNPK2::imbGruenduengung_Click(int index)
{
    if (index < 0 || index > 5)
        return;
    markieren(index);
    app().bedarf.sngZuschlagGD = kGruenduengungZuschlag[index];
}

void frmNPK2::lblFrageGD_Click() { LexikonZeigen(QStringLiteral("Gruenduengung")); }

void frmNPK2::cmbNext_MouseUp()
{
    AppContext& a = app();
    if (!a.db)
        return;
    const SqlQuellen q(a.db->cnKav(), a.db->cnDaten());
    const Neuberechnung r = BedarfNeuBerechnen(a.bedarf, q.bedarf(), *a.uhr);
    WizardMelden(r.meldung);
    if (!r.ok)
        return;
    FormulareEntladen();
    SeiteZeigen(QStringLiteral("frmTitel"));
    a.rahmen.strFensterZeigen = QStringLiteral("NPK2b");
    SeiteZeigen(QStringLiteral("frmNPK2b"));
}

void frmNPK2::cmbBack_MouseUp()
{
    AppContext& a = app();
    BedarfVariablenZuruecksetzen(a.bedarf, 2);
    FormulareEntladen();
    // the crop step shows no title strip: it would cover its heading
    a.rahmen.strFensterZeigen = QStringLiteral("NPK1");
    SeiteZeigen(QStringLiteral("frmNPK1"));
}

void frmNPK2::cmbAbbruch_MouseUp() { BerechnungAbbrechen(); }

void frmNPK2::mouseMoveEvent(QMouseEvent* e)
{
    m_knoepfe->Form_MouseMove();
    Seite::mouseMoveEvent(e);
}

bool frmNPK2::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        if (o == m_lblFrageGD) {
            lblFrageGD_Click();
            return true;
        }
        for (int i = 0; i <= 5; ++i)
            if (o == m_img(i) || o == m_lbl(i)) {
                imbGruenduengung_Click(i);
                return true;
            }
    }
    return Seite::eventFilter(o, e);
}

void frmNPK2::anordnen(Anordnung& a)
{
    using namespace forms;
    platzSetzen(a);
    const auto H = [this] { return Tw(this).Height(); };
    const auto SW = [this] { return Tw(this).ScaleWidth(); };
    const int F = a.F();
    QLabel* frage = m_lblFrageGD;
    a.tu([&] { Tw(frage).setTop(H() / 40); });
    a.tu([&] { Tw(frage).setLeft(SW() / 12); });
    a.tu([&] { Tw(frage).setWidth(a.B(1).Width() * 5); });
    a.tu([&] { setFontSize(frage, F); });
    a.tu([&] {
        const double text = (frage->heightForWidth(frage->width()) + 2) * twipsProPixel();
        Tw(frage).setHeight(std::max(H() / 9, text));
    });
    // the options in one column under the question, one question height apart; each picture as high as a line
    for (int i = 0; i <= 5; ++i) {
        Bild* b = m_img(i);
        QLabel* l = m_lbl(i);
        a.tu([&] { setFontSize(l, F); });
        a.tu([&] {
            const double seite = (l->fontMetrics().height() + 2) * twipsProPixel();
            Tw(b).setWidth(seite);
            Tw(b).setHeight(seite);
        });
        a.tu([&] { Tw(b).setLeft(Tw(frage).Left()); });
        a.tu([&] {
            const double abstand = std::max(Tw(frage).Height(), 1.6 * Tw(b).Height());
            Tw(b).setTop(Tw(frage).Top() + Tw(frage).Height() + 0.5 * abstand + i * abstand);
        });
        a.tu([&] { Tw(l).setLeft(Tw(b).Left() + Tw(b).Width() + 25); });
        a.tu([&] { Tw(l).setTop(Tw(b).Top() + Tw(b).Height() * 0.075); });
        a.tu([&] { l->adjustSize(); });
    }
    m_knoepfe->anordnen(a, 10);
    a.tu([&] { a.farbverlauf(this); });
}

} // namespace kav
