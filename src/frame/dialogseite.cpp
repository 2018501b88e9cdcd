#include "frame/dialogseite.h"

#include "frame/anordnung.h"
#include "frame/bilder.h"
#include "frame/dialogplatz.h"
#include "frame/hilfe.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "services/appcontext.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScreen>
#include <QToolButton>


namespace kav {

DialogSeite::DialogSeite(const QString& name, const QString& hilfeThema)
    : Seite(name, QString(), Platz::Dialog), m_hilfeThema(hilfeThema)
{
    m_cmbSpeichern = bildKnopf(this, QStringLiteral("cmbSpeichern"), QStringLiteral("Speichern"), QStringLiteral("Speichern"));
    m_cmbHilfe = bildKnopf(this, QStringLiteral("cmbHilfe"), QStringLiteral("Hilfe"), QStringLiteral("Hilfe"));
    m_cmbAbbruch = bildKnopf(this, QStringLiteral("cmbAbbruch"), QStringLiteral("Abbrechen"), QStringLiteral("Abbrechen"));
    connect(m_cmbSpeichern, &QToolButton::clicked, this, [this] { cmbSpeichern_Click(); });
    connect(m_cmbAbbruch, &QToolButton::clicked, this, [this] { cmbAbbruch_Click(); });
    connect(m_cmbHilfe, &QToolButton::clicked, this, [this] { HilfeAufrufen(m_hilfeThema); });
    setStandardKnopf(m_cmbSpeichern);
    setAbbruchKnopf(m_cmbAbbruch);
}

void DialogSeite::cmbAbbruch_Click() { entladen(); }

QHBoxLayout* DialogSeite::knopfZeile() const { return dialogKnoepfe({m_cmbSpeichern, m_cmbHilfe, m_cmbAbbruch}); }

void DialogSeite::knoepfeLaden(const QColor& farbe)
{
    const mdiZentral* h = ui().haupt.data();
    const std::pair<QToolButton*, const char*> bilder[] = {
        {m_cmbAbbruch, "Abbruch"}, {m_cmbHilfe, "Hilfe"}, {m_cmbSpeichern, "Speichern"}};
    for (const auto& [b, bild] : bilder) {
        forms::setBackColor(b, farbe);
        if (h)
            b->setIcon(h->imlIcon().bild(QLatin1String(bild)));
    }
}

void DialogSeite::knoepfeFaerben(const QColor& farbe)
{
    for (QToolButton* b : knoepfe())
        forms::setBackColor(b, farbe);
}

void DialogSeite::knopfHervorheben(QObject* o)
{
    for (QToolButton* b : knoepfe())
        if (o == b)
            Hervorheben(b);
}

void DialogSeite::knoepfeZuruecksetzen()
{
    const Einstellungen& e = app().einstellungen;
    for (QToolButton* b : knoepfe())
        if (forms::BackColor(b) == benutzerFarbeHell(e))
            forms::setBackColor(b, benutzerFarbe(e));
}

void DialogSeite::platzieren(std::optional<int> x, std::optional<int> y)
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect frei = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    const int links = x.value_or(frei.x() + (frei.width() - width()) / 2);
    const int oben = y.value_or(frei.y() + (frei.height() - height()) / 2);
    InsBildschirmRuecken(this, QPoint(links, oben), s);
}

void DialogSeite::resizeEvent(QResizeEvent* e)
{
    Seite::resizeEvent(e);
    BenutzerverlaufZeichnen(this, app().einstellungen);
}

void DialogSeite::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1) {
        HilfeAufrufen(m_hilfeThema);
        e->accept();
        return;
    }
    Seite::keyReleaseEvent(e);
}

} // namespace kav
