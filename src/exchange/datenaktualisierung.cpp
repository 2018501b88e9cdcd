#include "exchange/datenaktualisierung.h"

#include "exchange/updateanwenden.h"
#include "frame/kontakt.h"
#include "platform/clock.h"
#include "services/appcontext.h"
#include "services/bildertausch.h"
#include "services/datenbanken.h"
#include "services/meldungen.h"
#include "services/programmstart.h"
#include "services/server.h"

#include <QDir>
#include <QThread>
#include <QTimer>

#include <exception>

namespace kav::exchange {

namespace {

QString downloadSeite(const ServerConfig& c)
{
    return c.downloadSeite.isEmpty() ? kHerstellerWeb + QStringLiteral("/download") : c.downloadSeite;
}

// Staging folders left behind by a run that never ended (the program was killed); one whose swap of
// the pictures is still open holds the old pictures and stays.
void alteArbeitsordnerEntfernen(const QString& lexikon)
{
    const QDir d(lexikon);
    for (const QString& n : d.entryList({kAktualisierungsPraefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
        if (!bildertauschOffen(d.filePath(n)))
            QDir(d.filePath(n)).removeRecursively();
}

} // namespace

DatenAktualisierung::DatenAktualisierung(QObject* eltern) : QObject(eltern) {}

DatenAktualisierung::~DatenAktualisierung()
{
    abbrechen();
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

bool DatenAktualisierung::starten(AppContext& a, int pauseMs)
{
    if (m_laeuft)
        return false;
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    }
    vorbereiten();
    m_app = &a;
    m_laeuft = true;
    a.rahmen.blnUpdateLaeuft = true; // the settings window holds the restore back meanwhile
    m_abbrechen = std::make_shared<std::atomic<bool>>(false);
    m_verbindung = std::make_shared<VerbindungsAbbruch>();

    HolAuftrag auftrag;
    auftrag.pauseMs = pauseMs;
    auftrag.abbruch = m_verbindung;
    auftrag.pruefpunkt = m_pruefpunkt;
    auftrag.datLetztesUpdate = a.einstellungen.datLetztesUpdate;
    auftrag.gebiet = a.gebiet;
    QString fehler;
    try {
        if (!a.server || !a.db)
            throw std::runtime_error("keine Dienste");
        auftrag.server = a.server->config();
        auftrag.lokal = lokaleTabellen(a.db->cnKav());
    } catch (const std::exception&) {
        fehler = QStringLiteral("Die Datenbank Kav.KRN kann nicht gelesen werden.");
    }
    if (fehler.isEmpty()) {
        QDir().mkpath(a.ordner.lexikon());
        alteArbeitsordnerEntfernen(a.ordner.lexikon());
        m_arbeit = std::make_unique<QTemporaryDir>(a.ordner.lexikon() + QLatin1Char('/') + kAktualisierungsPraefix
                                                   + QStringLiteral("XXXXXX"));
        if (!m_arbeit->isValid())
            fehler = QStringLiteral("Im Ordner Lexikon kann kein Ordner angelegt werden.");
        else
            auftrag.arbeitsordner = m_arbeit->path();
    }
    if (!fehler.isEmpty()) {
        // reported once the caller has returned and shown its window
        QTimer::singleShot(0, this, [this, fehler] {
            beenden({UpdateEnde::Art::Fehlgeschlagen, datenFehlerText(fehlschlagText(fehler))});
        });
        return true;
    }

    const std::shared_ptr<std::atomic<bool>> flag = m_abbrechen;
    m_thread = QThread::create([this, auftrag, flag] {
        const UpdatePaket p = UpdateHolen(auftrag, *flag, [this](const HolFortschritt& f) {
            QMetaObject::invokeMethod(this, [this, f] { gemeldet(f); }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(this, [this, p] { geholt(p); }, Qt::QueuedConnection);
    });
    m_thread->start();
    return true;
}

void DatenAktualisierung::vorbereiten()
{
    if (m_laeuft)
        return;
    m_ende.reset();
    m_text = kStufeKontakt;
    m_wert = m_maximum = 0;
}

void DatenAktualisierung::abbrechen()
{
    if (m_abbrechen)
        m_abbrechen->store(true);
    if (m_verbindung)
        m_verbindung->abbrechen();
}

void DatenAktualisierung::gemeldet(const HolFortschritt& f)
{
    if (!m_laeuft || abbruchVerlangt())
        return;
    if (!f.text.isEmpty())
        m_text = f.text;
    m_wert = f.wert;
    m_maximum = f.maximum;
    Q_EMIT fortschritt(m_text, m_wert, m_maximum);
}

void DatenAktualisierung::geholt(const UpdatePaket& p)
{
    if (m_thread)
        m_thread->wait(); // it posted this as its last act
    if (m_abbrechen->load() || p.ergebnis == UpdatePaket::Ergebnis::Abgebrochen)
        return beenden({UpdateEnde::Art::Abgebrochen, QString()});
    AppContext& a = *m_app;
    const QString version = programmVersion();
    switch (p.ergebnis) {
    case UpdatePaket::Ergebnis::KeineVerbindung:
        return beenden({UpdateEnde::Art::KeineVerbindung, fehlerMeldungFuer(QStringLiteral("SQL-DB")).text});
    case UpdatePaket::Ergebnis::Fehler:
        return beenden({UpdateEnde::Art::Fehlgeschlagen, fehlschlagText(p.grund)});
    case UpdatePaket::Ergebnis::NichtsZuTun:
        a.einstellungen.datLetztesUpdate = a.uhr->now();
        return beenden({UpdateEnde::Art::NichtsZuTun,
                        kNichtsZuTun + versionsHinweis(p.stand, version, kHinweisOhneUpdate, downloadSeite(a.server->config()))});
    default:
        break;
    }
    const QDateTime jetzt = a.uhr->now();
    const AnwendenErgebnis r = UpdateAnwenden(a.db->cnKav(), p, a.ordner, jetzt);
    if (!r.ok)
        return beenden({UpdateEnde::Art::Fehlgeschlagen, fehlschlagText(r.grund)});
    a.einstellungen.datLetztesUpdate = jetzt;
    beenden({UpdateEnde::Art::Aktualisiert,
             kAlleAktualisiert + versionsHinweis(p.stand, version, kHinweisNachUpdate, downloadSeite(a.server->config()))});
}

void DatenAktualisierung::beenden(UpdateEnde e)
{
    m_laeuft = false;
    if (m_app)
        m_app->rahmen.blnUpdateLaeuft = false;
    // the staging folder goes, with the replaced pictures in it, unless they could not be put back
    if (m_arbeit && bildertauschOffen(m_arbeit->path()))
        m_arbeit->setAutoRemove(false);
    m_arbeit.reset();
    if (!e.text.isEmpty())
        m_text = e.text;
    m_ende = e;
    Q_EMIT beendet(e);
}

} // namespace kav::exchange
