#pragma once
// Downloads over FTP (libcurl): one connection per object, passive mode, the account given as
// user name and password (never in the address), time-outs for connecting and for a stalled
// transfer. A file is written under a temporary name and renamed when it is complete, so a failed
// or cancelled transfer never leaves a partial file at the local path. Every call has a result.
// Account and files travel encrypted where the server offers TLS (AUTH TLS before the password, else
// in clear); with a CA file named, TLS is required and the server's certificate and name are checked.
#include <QString>

#include <atomic>

namespace kav {

struct CurlBibliothek;

struct FtpKonto {
    QString host;
    int port = 21;
    QString user;
    QString password;
    int connectTimeoutS = 5;
    int antwortTimeoutS = 15;   // waiting for one answer of the server
    int langsamBytes = 64;      // a transfer slower than this many bytes per second ...
    int langsamSekunden = 15;   // ... for this long is ended
    QString caDatei{};          // PEM file of the authority that signed the server's certificate, or empty
};

struct FtpErgebnis {
    enum class Art {
        Ok,
        NichtErreichbar,    // no connection, or it broke off
        AnmeldungAbgelehnt, // wrong account
        NichtGesichert,     // a CA file is named, but the server offers no TLS or its certificate fails
        DateiFehlt,         // file or folder not on the server
        LokalerFehler,      // the local file could not be written
        Abgebrochen,        // cancelled by the caller
        ZuGross,            // larger than the caller allows: ended before it was all fetched
        Fehler,             // any other failure
    };
    Art art = Art::Fehler;
    long antwortCode = 0; // last FTP response code
    qint64 groesse = -1;  // ZuGross: the size the server gives; -1 when it gives none or more came
    QString technisch;    // libcurl's text, for diagnosis only
    bool ok() const { return art == Art::Ok; }
};

class FtpVerbindung {
public:
    explicit FtpVerbindung(FtpKonto konto);
    ~FtpVerbindung();
    FtpVerbindung(const FtpVerbindung&) = delete;
    FtpVerbindung& operator=(const FtpVerbindung&) = delete;

    // A flag that cancels the running and every later transfer when it becomes true (may be set
    // from another thread).
    void setAbbruch(const std::atomic<bool>* abbrechen) { m_abbrechen = abbrechen; }

    // Connects and logs in; later transfers reuse the connection.
    FtpErgebnis FTPVerbinden();
    // `verzeichnis` is the folder on the server ("/Kav/Vollbild"), `serverDatei` a name in it. A file
    // of more than `hoechstBytes` bytes (0: any size) is refused as ZuGross as soon as that shows: at
    // once when the server gives its size, else once that many bytes have come.
    // Binary transfer: the bytes as stored.
    FtpErgebnis FTPDateiHolen(const QString& verzeichnis, const QString& serverDatei, const QString& lokaleDatei,
                              qint64 hoechstBytes = 0);
    // Text transfer: line ends CR LF become LF.
    FtpErgebnis FTPTextHolen(const QString& verzeichnis, const QString& serverDatei, const QString& lokaleDatei,
                             qint64 hoechstBytes = 0);

    // The address of a file (without the account), path parts percent-encoded.
    QString adresse(const QString& verzeichnis, const QString& serverDatei) const;

private:
    FtpErgebnis holen(const QString& verzeichnis, const QString& serverDatei, const QString& lokaleDatei, bool text,
                      qint64 hoechstBytes);
    FtpErgebnis ausfuehren(int code);
    int ausfuehrenMitWarten(); // runs the prepared transfer; a libcurl result code
    bool abgebrochen() const { return m_abbrechen && m_abbrechen->load(); }

    FtpKonto m_konto;
    const CurlBibliothek* m_lib = nullptr; // nullptr: libcurl could not be loaded
    void* m_multi = nullptr;
    void* m_curl = nullptr;
    const std::atomic<bool>* m_abbrechen = nullptr;
};

// Turns CR LF into LF in a stream of chunks: a CR at the end of a chunk waits for the next one.
class ZeilenendeWandler {
public:
    QByteArray wandeln(const char* daten, size_t laenge);
    QByteArray ende(); // what is still held back
private:
    bool m_cr = false;
};

} // namespace kav
