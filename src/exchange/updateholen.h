#pragma once
// Fetching a data update: everything that is due is read from the update database and every file
// is downloaded into a staging folder, checked and held in memory. Nothing local is changed here;
// this runs in a worker thread with a database connection of its own, closed at its end.
#include "exchange/updatedaten.h"
#include "platform/remoteconnection.h"
#include "services/gebietsschema.h"

#include <atomic>
#include <functional>
#include <memory>

namespace kav::exchange {

// The largest lexicon files taken from the server. The shipped chapter texts are below 2 KB, the
// full-size pictures below 2 MB and the thumbnails near 120 KB: a file far beyond these is refused
// while it downloads, before anything reads it into memory.
inline constexpr qint64 kKapitelHoechstBytes = 1024 * 1024;  // 1 MB
inline constexpr qint64 kBildHoechstBytes = 32 * 1024 * 1024; // 32 MB

struct Kapiteltext {
    qlonglong nr = 0;
    QString text;
    QVariant letzteAenderung;
};

// A row of `lexikonbilder`: BilderNr, BildDatei, Quelle, Verweis, Reihenfolge.
using Bildzeile = QVariantList;

struct UpdatePaket {
    enum class Ergebnis {
        Geholt,          // due areas fetched and checked
        NichtsZuTun,     // `LetzteAenderung` older than the last update
        KeineVerbindung, // the update database could not be opened
        Fehler,          // refused: `grund` says why
        Abgebrochen,
    };
    Ergebnis ergebnis = Ergebnis::Fehler;
    QString grund;
    UpdateStand stand;
    QVector<Tabellendaten> tabellen; // in the order they are written
    bool lexikon = false;            // the lexicon area is due
    QVector<Kapiteltext> kapitel;
    QVector<Bildzeile> bilder;
    QString bilderOrdner;            // holds Vorschau/ and Vollbild/ with every picture
};

struct HolAuftrag {
    ServerConfig server;
    QDateTime datLetztesUpdate;
    QHash<QString, Tabellenbild> lokal; // from lokaleTabellen()
    Gebietsschema gebiet;               // numbers in the reasons for a refusal
    QString arbeitsordner;              // an existing, empty folder on the file system of Lexikon/
    int pauseMs = 500;                  // a stage text stays at least this long, so that it can be read
    // The run's database connection is registered here while it is open, so that Cancel breaks off a
    // statement waiting for a hung server at once.
    std::shared_ptr<VerbindungsAbbruch> abbruch;
    // Tests: called after each table read and each file fetched, with its name.
    std::function<void(const QString&)> pruefpunkt;
};

struct HolFortschritt {
    QString text; // empty: the text stays
    int wert = 0;
    int maximum = 0;
};

UpdatePaket UpdateHolen(const HolAuftrag& auftrag, const std::atomic<bool>& abbrechen,
                        const std::function<void(const HolFortschritt&)>& melden);

} // namespace kav::exchange
