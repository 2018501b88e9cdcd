#include "frame/hilfe.h"

#include "frame/dialogplatz.h"
#include "frame/hilfethemen.h"
#include "frame/links.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "services/appcontext.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

namespace kav {

namespace {
QPointer<HilfeFenster>& fensterZeiger()
{
    static QPointer<HilfeFenster> f;
    return f;
}
} // namespace

HilfeFenster::HilfeFenster(QWidget* eltern) : QWidget(eltern, Qt::Window)
{
    setObjectName(QStringLiteral("frmHilfe"));
    setWindowTitle(QStringLiteral("Kav - Humavera - Hilfe"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* zurueck = m_zurueck = new QPushButton(QStringLiteral("Zurück"), this);
    zurueck->setObjectName(QStringLiteral("cmdZurueck"));
    zurueck->setEnabled(false);
    auto* inhalt = new QPushButton(QStringLiteral("Inhalt"), this);
    auto* schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenLinks(false);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(zurueck);
    knoepfe->addWidget(inhalt);
    knoepfe->addStretch(1);
    knoepfe->addWidget(schliessen);
    auto* l = new QVBoxLayout(this);
    l->addLayout(knoepfe);
    l->addWidget(m_browser, 1);
    for (QPushButton* b : {zurueck, inhalt, schliessen})
        b->setAutoDefault(true); // Enter presses the button that has the focus
    connect(zurueck, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, this, &HilfeFenster::zurueckMoeglich);
    connect(inhalt, &QPushButton::clicked, this,
            [this] { themaZeigen(app().ordner.hilfe(), QStringLiteral("index.htm")); });
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HilfeFenster::linkGeklickt);
    resize(760, 600);
    m_browser->setFocus(); // the text to read, and to page through by keys
}

void HilfeFenster::zurueckMoeglich(bool moeglich)
{
    // a Zurück that goes out while focused hands the focus to the text, not to the next button
    const bool hatteFokus = focusWidget() == m_zurueck;
    m_zurueck->setEnabled(moeglich);
    if (hatteFokus && !moeglich)
        m_browser->setFocus();
}

void HilfeFenster::themaZeigen(const QString& ordner, const QString& thema)
{
    m_thema = thema;
    QString datei = hilfeDateiFuer(ordner, thema);
    QString hinweis;
    if (!QFileInfo(datei).isFile()) {
        const QString index = hilfeDateiFuer(ordner, QStringLiteral("index.htm"));
        hinweis = QStringLiteral("Die Hilfeseite „%1“ ist nicht vorhanden.").arg(thema);
        datei = QFileInfo(index).isFile() ? index : QString();
    }
    m_datei = datei;
    if (datei.isEmpty()) {
        m_browser->setHtml(QStringLiteral("<h2>Hilfe nicht gefunden</h2><p>%1</p><p>Im Ordner „Hilfe“ des Programms "
                                          "fehlen die Hilfeseiten. Bitte installieren Sie das Programm neu.</p>")
                               .arg(hinweis.toHtmlEscaped()));
        return;
    }
    m_browser->setSearchPaths({ordner});
    m_browser->setSource(QUrl::fromLocalFile(datei));
    if (!hinweis.isEmpty()) {
        // the index instead, with a line that says why
        QTextCursor c(m_browser->document());
        c.movePosition(QTextCursor::Start);
        c.insertHtml(QStringLiteral("<p><b>%1 Es wird das Inhaltsverzeichnis gezeigt.</b></p>").arg(hinweis.toHtmlEscaped()));
        c.insertBlock();
    }
}

void HilfeFenster::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

void HilfeFenster::linkGeklickt(const QUrl& u)
{
    if (u.scheme() == QLatin1String("mailto"))
        MailSenden(u.path());
    else if (u.scheme() == QLatin1String("http") || u.scheme() == QLatin1String("https"))
        InternetSeiteOeffnen(u.toString());
    else if (u.isRelative() || u.isLocalFile())
        m_browser->setSource(u);
}

void HilfeThemaAnzeigen(const QString& strThema)
{
    QPointer<HilfeFenster>& f = fensterZeiger();
    if (!f) {
        mdiZentral* haupt = ui().haupt.data();
        f = new HilfeFenster(haupt);
        if (haupt) {
            // smaller than the main window, so that the window it explains stays in view around it
            QSize g = haupt->size() * 0.8;
            if (const QScreen* s = haupt->screen())
                g = g.boundedTo(s->availableGeometry().size() * 0.9);
            f->resize(g.expandedTo(QSize(400, 300)));
        }
        DialogZentrieren(f, haupt);
    }
    f->themaZeigen(app().ordner.hilfe(), strThema);
    f->show();
    f->raise();
    f->activateWindow();
}

void HilfeAufrufen(const QString& strFormular) { HilfeThemaAnzeigen(hilfeThemaFuer(strFormular)); }

HilfeFenster* hilfeFenster() { return fensterZeiger().data(); }

void HilfeSchliessen()
{
    if (HilfeFenster* f = fensterZeiger().data())
        f->close();
}

} // namespace kav
