#include "settings/frmfarbwahl.h"

#include "frame/anordnung.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "services/appcontext.h"
#include "frame/dialogplatz.h"
#include "platform/optionsgruppe.h"
#include "settings/farbpalette.h"
#include "settings/frmeinstellungen.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace kav {

using forms::Tw;

namespace {

// The frame drawn around the palette.
class Umriss : public QWidget {
public:
    explicit Umriss(QWidget* eltern) : QWidget(eltern) { setAttribute(Qt::WA_TransparentForMouseEvents); }
    QColor farbe;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(QPen(farbe, 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

frmFarbWahl::frmFarbWahl() : Seite(QStringLiteral("frmFarbWahl"), QString(), Platz::Dialog)
{
    setWindowTitle(QStringLiteral("Kav - Hintergrundfarbe"));
    QFont schrift = QApplication::font();
    schrift.setPointSizeF(9.75);
    setFont(schrift);

    m_shape1 = new Umriss(this);
    m_shape1->setObjectName(QStringLiteral("Shape1"));
    Tw(m_shape1).setRechteck(QRectF(120, 120, 3735, 1815));
    for (int i = 0; i < kFarbFelder; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("lblFarbe%1").arg(i));
        l->setFrameStyle(QFrame::Box | QFrame::Plain);
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
        const int zeile = i / 7;
        const int spalte = i % 7;
        Tw(l).setRechteck(QRectF(360 + 480 * spalte, 360 + 480 * zeile, 375, 375));
        m_lblFarbe.anhaengen(l);
    }
    m_lblAktuell = new QLabel(QStringLiteral("Aktuelle Farbe"), this);
    m_lblAktuell->setObjectName(QStringLiteral("lblAktuell"));
    Tw(m_lblAktuell).setRechteck(QRectF(240, 2040, std::max(1335.0, (m_lblAktuell->sizeHint().width() + 2) * forms::twipsProPixel()), 375));
    m_lblFarbeAktuell = new QLabel(this);
    m_lblFarbeAktuell->setObjectName(QStringLiteral("lblFarbeAktuell"));
    m_lblFarbeAktuell->setFrameStyle(QFrame::Box | QFrame::Plain);
    Tw(m_lblFarbeAktuell).setRechteck(QRectF(345, 2385, 615, 615));
    const auto knopf = [this](const char* name, double links) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        Tw(b).setRechteck(QRectF(links, 2400, 735, 615));
        b->setIconSize(QSize(b->width() - 12, b->height() - 12));
        return b;
    };
    m_cmbAbbruch = knopf("cmbAbbruch", 2160);
    m_cmbOK = knopf("cmbOK", 3120);
    connect(m_cmbAbbruch, &QToolButton::clicked, this, [this] { cmbAbbruch_Click(); });
    connect(m_cmbOK, &QToolButton::clicked, this, [this] { cmbOK_Click(); });
    setStandardKnopf(m_cmbOK);
    setAbbruchKnopf(m_cmbAbbruch);
    // the palette: one tab stop, the arrow keys go through its rows and columns and try each colour
    std::vector<forms::Optionsgruppe::Option> felder;
    for (int i = 0; i < kFarbFelder; ++i)
        felder.push_back({m_lblFarbe(i)});
    new forms::Optionsgruppe(
        this, felder,
        [this] {
            const QColor jetzt = benutzerFarbe(app().einstellungen);
            for (int i = 0; i < kFarbFelder; ++i)
                if (forms::BackColor(m_lblFarbe(i)) == jetzt)
                    return i;
            return -1;
        },
        [this](int i) { lblFarbe_Click(i); }, forms::Optionsgruppe::Art::Optionen, 7);
    setFixedSize(forms::pixelVon(3975), forms::pixelVon(3135));
}

QColor frmFarbWahl::Shape1BorderColor() const { return static_cast<const Umriss*>(m_shape1)->farbe; }

void frmFarbWahl::Form_Load()
{
    m_farbeBeimOeffnen = farbWert(app().einstellungen);
    m_okGedrueckt = false;
    dialogFarbenSetzen();
    frmFarbWahl_FarbpaletteFuellen();
}

void frmFarbWahl::frmFarbWahl_FarbpaletteFuellen()
{
    const auto& palette = farbPalette();
    for (int i = 0; i < kFarbFelder; ++i) {
        const FarbAnteile& f = palette[static_cast<size_t>(i)];
        forms::setBackColor(m_lblFarbe(i), QColor(f.rot, f.gruen, f.blau));
    }
}

void frmFarbWahl::frmFarbWahl_FarbeZerlegen(std::int32_t wert) { FarbeZerlegen(wert, app().einstellungen); }

void frmFarbWahl::dialogFarbenSetzen()
{
    const Einstellungen& e = app().einstellungen;
    const QColor hell = benutzerFarbeHell(e);
    BenutzerverlaufZeichnen(this, e);
    static_cast<Umriss*>(m_shape1)->farbe = hell;
    m_shape1->update();
    forms::setBackColor(m_cmbAbbruch, hell);
    forms::setBackColor(m_cmbOK, hell);
    if (mdiZentral* haupt = ui().haupt.data()) {
        m_cmbAbbruch->setIcon(haupt->imlIcon().bild(QStringLiteral("Abbruch")));
        m_cmbOK->setIcon(haupt->imlIcon().bild(QStringLiteral("Speichern")));
    }
    forms::setBackColor(m_lblFarbeAktuell, benutzerFarbe(e));
    // over the settings window; while that is closed, over the main window
    forms::Fenster* einstellungen = ui().fenster.fenster(QStringLiteral("frmEinstellungen"));
    const QWidget* bezug = einstellungen ? einstellungen->widget() : ui().haupt.data();
    DialogZentrieren(this, bezug);
}

void DialogFarbenSetzen()
{
    if (auto* f = ui().fenster.fensterAls<frmFarbWahl>(QStringLiteral("frmFarbWahl")))
        f->dialogFarbenSetzen();
}

void frmFarbWahl::lblFarbe_Click(int index)
{
    if (!m_lblFarbe.hat(index))
        return;
    forms::setBackColor(m_lblFarbeAktuell, forms::BackColor(m_lblFarbe(index)));
    frmFarbWahl_FarbeZerlegen(farbWert(farbPalette()[static_cast<size_t>(index)]));
    ArbeitsbereichAnordnen(name());
    dialogFarbenSetzen();
    EinstellungenAnordnen();
}

void frmFarbWahl::cmbOK_Click()
{
    m_okGedrueckt = true;
    entladen();
}

void frmFarbWahl::cmbAbbruch_Click()
{
    m_okGedrueckt = false;
    entladen();
}

void frmFarbWahl::Form_Unload()
{
    if (!m_okGedrueckt)
        frmFarbWahl_FarbeZerlegen(m_farbeBeimOeffnen);
    ArbeitsbereichAnordnen(name());
    EinstellungenAnordnen();
    Seite::Form_Unload();
}

bool frmFarbWahl::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
        for (int i = 0; i < kFarbFelder; ++i)
            if (o == m_lblFarbe(i))
                lblFarbe_Click(i);
    return Seite::eventFilter(o, e);
}

} // namespace kav
