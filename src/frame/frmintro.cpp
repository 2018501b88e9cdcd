#include "frame/frmintro.h"

#include "frame/hilfe.h"
#include "frame/kontakt.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "frame/schritte.h"
#include "frame/seitenwechsel.h"
#include "services/appcontext.h"

#include <QDir>
#include <QFrame>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>

#include <future>
#include <mutex>
void T(const char*);

namespace kav {

namespace {

QImage lesen(const QString& datei)
{
    QImageReader leser(datei);
    leser.setDecideFormatFromContent(true);
    QImage bild = leser.read();
    // in the form a picture on the screen takes, so that making it one is a mere copy
    bild.convertTo(bild.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return bild;
}

// The logo being read ahead, and its file.
struct Voraus {
    std::mutex m;
    QString datei;
    std::future<QImage> bild;
};

Voraus& voraus()
{
    static Voraus v;
    return v;
}

} // namespace

void logoVorausLesen(const QString& datei)
{
    Voraus& v = voraus();
    const std::lock_guard<std::mutex> sperre(v.m);
    if (v.bild.valid() && v.datei == datei)
        return; // already on its way
    v.datei = datei;
    v.bild = std::async(std::launch::async, [datei] { return lesen(datei); });
}

void logoVorausVerwerfen()
{
    Voraus& v = voraus();
    const std::lock_guard<std::mutex> sperre(v.m);
    if (v.bild.valid())
        v.bild.wait();
    v.bild = {};
    v.datei.clear();
}

QImage logoLesen(const QString& datei)
{
    Voraus& v = voraus();
    {
        const std::lock_guard<std::mutex> sperre(v.m);
        if (v.bild.valid() && v.datei == datei) {
            v.datei.clear();
            return v.bild.get();
        }
    }
    return lesen(datei);
}

frmIntro::frmIntro() : forms::Formular(QStringLiteral("frmIntro"))
{
    setFocusPolicy(Qt::StrongFocus);
    const QString hinweis = QStringLiteral("Programm durch Doppelklick starten");
    setToolTip(hinweis);
    m_pic = new forms::Bild(this);
    m_pic->setObjectName(QStringLiteral("picIntro"));
    m_pic->setToolTip(hinweis);
    m_rahmen = new QFrame(this);
    m_rahmen->setObjectName(QStringLiteral("shpRahmen"));
    m_rahmen->setFrameShape(QFrame::Box);
    m_rahmen->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_lbl = new QLabel(this);
    m_lbl->setObjectName(QStringLiteral("lblIntro"));
    m_lbl->setWordWrap(true);
    m_lbl->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_lbl->setToolTip(hinweis);
    connect(m_pic, &forms::Bild::doppelklick, this, [] { ProgrammStarten(); });
    m_timer.setSingleShot(true);
    m_timer.setInterval(10000);
    connect(&m_timer, &QTimer::timeout, this, [] { ProgrammStarten(); });
}

QString frmIntro::creditsText()
{
    return QStringLiteral(
        "Humavera berät Sie bei der Düngung Ihres Hausgartens: Aus Ihrer Bodenuntersuchung, der Kultur und "
        "den Nährstoffen aus Gründüngung, Kompost und Mist berechnet das Programm, was Ihre Beete brauchen, "
        "und schlägt passende Dünger mit Mengen und Terminen vor.");
}

void frmIntro::Form_Load()
{
    ArbeitsbereichAnordnen(name());
    m_timer.start();
}

void frmIntro::Form_Unload() { m_timer.stop(); }

void frmIntro::showEvent(QShowEvent* e)
{
    forms::Formular::showEvent(e);
    setFocus();
}

void frmIntro::mouseDoubleClickEvent(QMouseEvent* e)
{
    e->accept();
    ProgrammStarten();
}

void frmIntro::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_F1:
        HilfeAufrufen(name());
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        // what the double-click does
        e->accept();
        ProgrammStarten();
        return;
    default:
        forms::Formular::keyPressEvent(e);
    }
}

void frmIntro::anordnen(Anordnung& a)
{
    using namespace forms;
    const Rahmen& r = a.rahmen();
    a.tu([&] { Tw(this).setTop(0); });
    a.tu([&] { Tw(this).setLeft(0); });
    a.tu([&] { Tw(this).setWidth(r.sngBreiteStart); });
    a.tu([&] { Tw(this).setHeight(r.sngHoeheStart); });
    a.tu([&] { a.rahmenSchreiben().strBilderPfad = a.app().ordner.bilder() + QLatin1Char('/'); });

    const auto H = [this] { return Tw(this).Height(); };
    const auto W = [this] { return Tw(this).Width(); };
    a.tu([&] {
        const double breite = r.sngBreiteStart > r.sngHoeheStart ? H() * 0.75 : W() * 0.75;
        Tw(m_pic).setWidth(breite);
        Tw(m_pic).setHeight(breite * 22.14 / 23.81);
    });
    a.tu([&] { Tw(m_pic).setLeft((W() - Tw(m_pic).Width()) / 2); });
    a.tu([&] { Tw(m_pic).setTop((H() - Tw(m_pic).Height()) / 5); });
    a.tu([&] {
        // the logo is read once; a later layout pass only places it
        const QString datei = a.rahmen().strBilderPfad + QStringLiteral("Logo_Kav.gif");
        if (datei != m_logoDatei) {
            m_pic->leeren();
            m_logoDatei = datei;
            m_logo = QPixmap::fromImage(logoLesen(datei));
        }
        if (m_logo.isNull())
            throw FormsFehler(QStringLiteral("Logo fehlt"));
        m_pic->setStretch(true);
        m_pic->setBild(m_logo);
    });
    a.tu([&] { forms::setVisible(m_pic, true); });
    a.tu([&] { Tw(m_rahmen).setRechteck(Tw(m_pic).rechteck()); });
    a.tu([&] { forms::setVisible(m_rahmen, true); });

    a.tu([&] { Tw(m_lbl).setWidth(W() * 0.9); });
    a.tu([&] { Tw(m_lbl).setHeight(H() * 0.2); });
    a.tu([&] { Tw(m_lbl).setLeft((W() - Tw(m_lbl).Width()) / 2); });
    a.tu([&] { Tw(m_lbl).setTop(Tw(m_pic).Top() + Tw(m_pic).Height() + (H() - Tw(m_pic).Height()) / 5); });
    a.tu([&] { setFontSize(m_lbl, a.F() + 2); });
    a.tu([&] { setFontBold(m_lbl, true); });
    a.tu([&] { m_lbl->setText(creditsText()); });
    a.tu([&] { a.haupt().setPanelText(infoText()); });
    a.tu([&] { a.haupt().setWindowTitle(kTitel); });
    a.tu([&] { a.farbverlauf(this); });
}

namespace {

void starten(Rahmen& r)
{
    forms::FensterRegister& reg = ui().fenster;
    const QString& s = r.strFensterZeigen;
    auto toolbar = [&] {
        reg.zeigen(QStringLiteral("frmToolbar"));
        r.blnToolbarAktiv = true;
    };
    if (s == QLatin1String("Kein") || s == QLatin1String("Analysenwerte")) {
        toolbar();
        reg.zeigen(QStringLiteral("frmAnalysenWerte"));
    } else if (s == QLatin1String("NPK") || s == QLatin1String("NPK2") || s == QLatin1String("NPK2b")
               || s == QLatin1String("NPK3") || s == QLatin1String("NPK4")) {
        toolbar();
        reg.zeigen(QStringLiteral("frmNPK"));
        r.strFensterZeigen = QStringLiteral("NPK");
    } else if (s == QLatin1String("Lexikon")) {
        toolbar();
        reg.zeigen(QStringLiteral("frmLexikon"));
    }
}

} // namespace

void ProgrammStarten()
{
    // the start runs once: a timer tick or a double-click while it runs (a message box of a
    // start page lets events through) must not start it a second time
    static bool laeuft = false;
    if (laeuft)
        return;
    laeuft = true;
    const struct Ende {
        ~Ende() { laeuft = false; }
    } ende;
    Rahmen& r = app().rahmen;
    try {
        starten(r);
    } catch (...) {
        // once more from a clean start on the analysis page; a second failure leaves the frame as it is
        r.strFensterZeigen = QStringLiteral("Kein");
        try {
            FormulareEntladen();
            starten(r);
        } catch (...) {
        }
    }
    ui().fenster.entladen(QStringLiteral("frmIntro"));
    TitelSetzen();
}

} // namespace kav
