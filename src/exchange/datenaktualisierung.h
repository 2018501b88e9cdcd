#pragma once
// One run of the data update: the fetch in a worker thread, the apply on the thread of this
// object (the thread of the local database connection). Cancel works until the apply begins; a
// cancelled, refused or failed run changes no table, no file and not the date of the last update.
#include "exchange/updateholen.h"

#include <QObject>
#include <QTemporaryDir>

#include <atomic>
#include <memory>

class QThread;

namespace kav {
struct AppContext;
}

namespace kav::exchange {

struct UpdateEnde {
    enum class Art {
        Aktualisiert,    // areas applied (text "Alle Daten wurden aktualisiert." ...)
        NichtsZuTun,     // "Es müssen keine Daten aktualisiert werden." ...
        KeineVerbindung, // the update database could not be opened (message 1002)
        Fehlgeschlagen,  // refused or failed: nothing changed
        Abgebrochen,
    };
    Art art = Art::Fehlgeschlagen;
    QString text;
};

class DatenAktualisierung : public QObject {
    Q_OBJECT
public:
    explicit DatenAktualisierung(QObject* eltern = nullptr);
    ~DatenAktualisierung() override; // cancels a running fetch and waits for its end

    // Starts a run with the server, database, folders, last update date and clock of `a`;
    // false while a run is going on. A stage text stays at least `pauseMs` ms. Rahmen::blnUpdateLaeuft
    // of `a` is set from the start until the run has ended, however it ends.
    bool starten(AppContext& a, int pauseMs = 500);
    // The state a new run begins with (the contact text, no progress, no end), for a window shown
    // before the run starts; nothing while a run is going on.
    void vorbereiten();
    // Cancels the run: a statement waiting for the server is broken off at once, so the run ends soon
    // (a connection being made ends within the connect time-out of Server.ini).
    void abbrechen();
    bool laeuft() const { return m_laeuft; }
    bool abbruchVerlangt() const { return m_abbrechen && m_abbrechen->load(); }

    // The state so far, for a window that opens while the run goes on.
    QString text() const { return m_text; }
    int wert() const { return m_wert; }
    int maximum() const { return m_maximum; }
    const std::optional<UpdateEnde>& ende() const { return m_ende; }

    // Tests: called in the worker after each table and file.
    void setPruefpunkt(std::function<void(const QString&)> p) { m_pruefpunkt = std::move(p); }

Q_SIGNALS:
    void fortschritt(const QString& text, int wert, int maximum);
    void beendet(const kav::exchange::UpdateEnde& ende);

private:
    void gemeldet(const HolFortschritt& f);
    void geholt(const UpdatePaket& p);
    void beenden(UpdateEnde e);

    AppContext* m_app = nullptr;
    QThread* m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_abbrechen;
    std::shared_ptr<VerbindungsAbbruch> m_verbindung; // the fetch's database connection
    std::unique_ptr<QTemporaryDir> m_arbeit;
    std::function<void(const QString&)> m_pruefpunkt;
    bool m_laeuft = false;
    QString m_text;
    int m_wert = 0, m_maximum = 0;
    std::optional<UpdateEnde> m_ende;
};

} // namespace kav::exchange
