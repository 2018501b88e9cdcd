#include "frame/links.h"

#include "frame/schritte.h"
#include "platform/shell.h"
#include "services/appcontext.h"
#include "services/meldungen.h"

#include <QUrlQuery>
#include <QWidget>

namespace kav {

namespace {

LinkOeffner& oeffner()
{
    static LinkOeffner o = [](const QUrl& u) { return shell::openUrl(u); };
    return o;
}

DokumentOeffner& dokumentOeffner()
{
    static DokumentOeffner o = [](const QString& datei) { return shell::openFile(datei); };
    return o;
}

void melde(const QString& text)
{
    if (MeldungsAnzeige* m = app().anzeige)
        m->zeige(Meldung{0, kTitel, text, Meldung::Symbol::Warnung});
}

} // namespace

void LinkAussehen(QWidget* beschriftung)
{
    QFont f = beschriftung->font();
    f.setUnderline(true);
    beschriftung->setFont(f);
    QPalette p = beschriftung->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 255));
    beschriftung->setPalette(p);
    beschriftung->setCursor(Qt::PointingHandCursor);
}

bool DokumentOeffnen(const QString& strDatei) { return dokumentOeffner() && dokumentOeffner()(strDatei); }

DokumentOeffner setDokumentOeffner(DokumentOeffner neu)
{
    DokumentOeffner alt = dokumentOeffner();
    dokumentOeffner() = std::move(neu);
    return alt;
}

LinkOeffner setLinkOeffner(LinkOeffner neu)
{
    LinkOeffner alt = oeffner();
    oeffner() = std::move(neu);
    return alt;
}

QUrl webAdresse(const QString& strAdresse)
{
    const QString a = strAdresse.trimmed();
    if (a.isEmpty() || a.contains(QLatin1Char(' ')))
        return {};
    QUrl u(a.contains(QStringLiteral("://")) ? a : QStringLiteral("http://") + a, QUrl::StrictMode);
    if (!u.isValid() || u.host().isEmpty()
        || (u.scheme() != QLatin1String("http") && u.scheme() != QLatin1String("https")))
        return {};
    return u;
}

QUrl mailAdresse(const QString& strAdresse)
{
    QUrl u;
    u.setScheme(QStringLiteral("mailto"));
    u.setPath(strAdresse.trimmed());
    QUrlQuery q;
    q.addQueryItem(QStringLiteral("Subject"), QStringLiteral(" Kav - Humavera"));
    u.setQuery(q);
    return u;
}

void InternetSeiteOeffnen(const QString& strAdresse)
{
    const QUrl u = webAdresse(strAdresse);
    if (u.isEmpty()) {
        melde(QStringLiteral("Seitenladefehler - Die Seite konnte nicht geladen werden. Versuchen Sie es später nochmals."));
        return;
    }
    if (!oeffner() || !oeffner()(u))
        melde(QStringLiteral("Der Browser konnte nicht gestartet werden."));
}

void MailSenden(const QString& strAdresse)
{
    if (!oeffner() || !oeffner()(mailAdresse(strAdresse)))
        melde(QStringLiteral("Das E-Mail-Programm konnte nicht gestartet werden. Sie erreichen uns unter der Adresse %1.")
                  .arg(strAdresse.trimmed()));
}

} // namespace kav
