#include "settings/frmueberkav.h"

#include "frame/anordnung.h"
#include "frame/kontakt.h"
#include "frame/links.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "services/appcontext.h"
#include "services/programmstart.h"
#include "frame/dialogplatz.h"
#include "platform/tastenlink.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace kav {

namespace {

QLabel* text(QWidget* eltern, const char* name, const QString& inhalt, double punkte, bool fett)
{
    auto* l = new QLabel(inhalt, eltern);
    l->setObjectName(QLatin1String(name));
    QFont f = QApplication::font();
    f.setPointSizeF(punkte);
    f.setBold(fett);
    l->setFont(f);
    return l;
}

// A picture of `hoehe` pixels, as wide as its proportions ask.
forms::Bild* bild(QWidget* eltern, const char* name, int hoehe)
{
    auto* b = new forms::Bild(eltern);
    b->setObjectName(QLatin1String(name));
    b->setFixedSize(hoehe, hoehe);
    return b;
}

} // namespace

frmUeberKav::frmUeberKav() : Seite(QStringLiteral("frmUeberKav"), QString(), Platz::Dialog)
{
    setWindowTitle(QStringLiteral("Über Humavera..."));
    setMouseTracking(true);

    m_lblTitel = text(this, "lblTitel", QStringLiteral("Kav -"), 16, true);
    m_lblTitel2 = text(this, "lblTitel2", QStringLiteral("Humavera"), 22, true);
    m_lblVersion = text(this, "lblVersion", QString(), 9.75, false);
    m_lblDank = text(this, "lblDank",
                     QStringLiteral("Humavera berät Sie bei der Düngung Ihres Hausgartens: von der Bodenuntersuchung "
                                    "über den Nährstoffbedarf Ihrer Kulturen bis zum Düngeplan."),
                     9.75, false);
    m_lblDank->setWordWrap(true);
    m_lblMitwirkende = text(this, "lblMitwirkende",
                            QStringLiteral("Fachliche Grundlagen, Texte und Bilder: das Humavera-Team\n"
                                           "Programm: das Humavera-Team"),
                            9.75, false);
    m_lblMitwirkende->setWordWrap(true);
    m_lblInternet = text(this, "lblInternet", kHerstellerWeb, 9.75, true);
    m_lblInternet->setToolTip(QStringLiteral("Zur Homepage der KRN"));
    LinkAussehen(m_lblInternet);
    m_lblInternet->installEventFilter(this);
    new forms::Tastenlink(this, m_lblInternet, [this] { lblInternet_Click(); });

    m_imgLogo = bild(this, "imgLogo", 96);
    m_imgBild = bild(this, "imgBild", 72);
    m_imgBild->setBild(QIcon(QStringLiteral(":/icons/Gemuese.svg")));

    const auto knopf = [this](const char* name, const QString& hinweis) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hinweis);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setIconSize(QSize(32, 32));
        b->setFixedSize(52, 44);
        b->setMouseTracking(true);
        // a move over a button stays with the button: the window's own move handler would undo the highlight
        b->setAttribute(Qt::WA_NoMousePropagation);
        b->installEventFilter(this);
        return b;
    };
    m_cmbEmail = knopf("cmbEmail", QStringLiteral("E-Mail an die Autoren"));
    m_cmbOK = knopf("cmbOK", QStringLiteral("Fenster schließen"));
    connect(m_cmbEmail, &QToolButton::clicked, this, [this] { cmbEmail_Click(); });
    connect(m_cmbOK, &QToolButton::clicked, this, [this] { cmbOK_Click(); });
    setStandardKnopf(m_cmbOK);
    setAbbruchKnopf(m_cmbOK);

    auto* titel = new QVBoxLayout;
    titel->addWidget(m_lblTitel);
    titel->addWidget(m_lblTitel2);
    titel->addWidget(m_lblVersion);
    titel->addStretch(1);
    auto* raster = new QGridLayout;
    raster->setHorizontalSpacing(16);
    raster->addWidget(m_imgLogo, 0, 0, Qt::AlignTop);
    raster->addLayout(titel, 0, 1);
    raster->addWidget(m_lblDank, 1, 1);
    raster->addWidget(m_imgBild, 2, 0, Qt::AlignTop | Qt::AlignHCenter);
    raster->addWidget(m_lblMitwirkende, 2, 1, Qt::AlignTop);
    raster->addWidget(m_lblInternet, 3, 1, Qt::AlignLeft); // the link as wide as its text
    raster->setColumnMinimumWidth(1, 300);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(m_cmbEmail);
    knoepfe->addWidget(m_cmbOK);
    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(16, 16, 16, 12);
    spalte->addLayout(raster);
    spalte->addSpacing(8);
    spalte->addLayout(knoepfe);
}

void frmUeberKav::Form_Load()
{
    Seite::Form_Load(); // names itself as the active window
    if (mdiZentral* haupt = ui().haupt.data()) {
        setWindowIcon(haupt->imlIcon().bild(QStringLiteral("Info")));
        m_cmbEmail->setIcon(haupt->imlIcon().bild(QStringLiteral("eMail")));
        m_cmbOK->setIcon(haupt->imlIcon().bild(QStringLiteral("OK")));
    }
    m_lblVersion->setText(QStringLiteral("Version ") + programmVersion());
    const QString logo = app().ordner.bilder() + QStringLiteral("/Logo_Kav.gif");
    const QSize s = QImageReader(logo).size();
    if (s.isValid() && s.height() > 0)
        m_imgLogo->setFixedSize(96 * s.width() / s.height(), 96);
    m_imgLogo->setBild(QPixmap(logo));
    setFixedSize(sizeHint());
    farbenSetzen();
    DialogZentrieren(this, ui().haupt.data());
    m_cmbOK->setFocus();
}

void frmUeberKav::farbenSetzen()
{
    const Einstellungen& e = app().einstellungen;
    forms::setBackColor(m_cmbEmail, benutzerFarbe(e));
    forms::setBackColor(m_cmbOK, benutzerFarbe(e));
    BenutzerverlaufZeichnen(this, e);
}

void frmUeberKav::anordnen(Anordnung& a)
{
    a.tu([&] { farbenSetzen(); });
}

void frmUeberKav::cmbEmail_Click() { MailSenden(kHerstellerMail); }
void frmUeberKav::lblInternet_Click() { InternetSeiteOeffnen(kHerstellerWeb); }
void frmUeberKav::cmbOK_Click() { entladen(); }

void frmUeberKav::Form_MouseMove()
{
    const Einstellungen& e = app().einstellungen;
    for (QToolButton* b : {m_cmbEmail, m_cmbOK})
        if (forms::BackColor(b) == benutzerFarbeHell(e))
            forms::setBackColor(b, benutzerFarbe(e));
}

void frmUeberKav::mouseMoveEvent(QMouseEvent* e)
{
    Form_MouseMove();
    Seite::mouseMoveEvent(e);
}

bool frmUeberKav::eventFilter(QObject* o, QEvent* e)
{
    const QEvent::Type t = e->type();
    if ((t == QEvent::MouseMove || t == QEvent::Enter) && (o == m_cmbEmail || o == m_cmbOK))
        Hervorheben(static_cast<QWidget*>(o));
    else if (t == QEvent::MouseButtonRelease && o == m_lblInternet
             && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
        lblInternet_Click();
    return Seite::eventFilter(o, e);
}

} // namespace kav
