#include "platform/ftp.h"

#include "platform/curlbibliothek.h"

#include <QFile>
#include <QSaveFile>
#include <QUrl>

namespace kav {

namespace {

struct Ziel {
    QSaveFile* datei = nullptr;
    ZeilenendeWandler* wandler = nullptr; // text transfers only
    const std::atomic<bool>* abbrechen = nullptr;
    qint64 hoechstBytes = 0; // 0: any size
    qint64 empfangen = 0;
    qint64 angekuendigt = -1; // the size the server gives
    bool schreibfehler = false;
    bool zuGross = false;
};

size_t schreiben(char* daten, size_t groesse, size_t anzahl, void* nutzer)
{
    auto* z = static_cast<Ziel*>(nutzer);
    const size_t laenge = groesse * anzahl;
    if (z->abbrechen && z->abbrechen->load())
        return 0;
    z->empfangen += static_cast<qint64>(laenge);
    if (z->hoechstBytes > 0 && z->empfangen > z->hoechstBytes) {
        z->zuGross = true;
        if (z->angekuendigt <= z->hoechstBytes)
            z->angekuendigt = -1; // more came than the server stated: its size is not known
        return 0;
    }
    if (!z->datei)
        return laenge;
    const QByteArray teil = z->wandler ? z->wandler->wandeln(daten, laenge) : QByteArray::fromRawData(daten, static_cast<qsizetype>(laenge));
    if (!teil.isEmpty() && z->datei->write(teil) != teil.size()) {
        z->schreibfehler = true;
        return 0;
    }
    return laenge;
}

// The server's answers: "213 <bytes>" answers the SIZE asked before a transfer.
size_t antwort(char* daten, size_t groesse, size_t anzahl, void* nutzer)
{
    auto* z = static_cast<Ziel*>(nutzer);
    const size_t laenge = groesse * anzahl;
    const QByteArray zeile = QByteArray(daten, static_cast<qsizetype>(laenge)).trimmed();
    bool ok = false;
    if (const qint64 bytes = zeile.startsWith("213 ") ? zeile.mid(4).toLongLong(&ok) : -1; ok && bytes >= 0)
        z->angekuendigt = bytes;
    // a size the server gives ends the transfer before its first byte
    if (z->hoechstBytes > 0 && z->angekuendigt > z->hoechstBytes) {
        z->zuGross = true;
        return 0;
    }
    return laenge;
}

int fortschritt(void* nutzer, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* z = static_cast<const Ziel*>(nutzer);
    return z->abbrechen && z->abbrechen->load() ? 1 : 0;
}

FtpErgebnis::Art artVon(CURLcode c)
{
    switch (c) {
    case CURLE_OK:
        return FtpErgebnis::Art::Ok;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_ACCEPT_TIMEOUT:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
        return FtpErgebnis::Art::NichtErreichbar;
    case CURLE_LOGIN_DENIED:
        return FtpErgebnis::Art::AnmeldungAbgelehnt;
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
        return FtpErgebnis::Art::NichtGesichert;
    case CURLE_REMOTE_ACCESS_DENIED: // the folder cannot be entered
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FTP_COULDNT_RETR_FILE:
        return FtpErgebnis::Art::DateiFehlt;
    case CURLE_WRITE_ERROR:
        return FtpErgebnis::Art::LokalerFehler;
    case CURLE_ABORTED_BY_CALLBACK:
        return FtpErgebnis::Art::Abgebrochen;
    default:
        return FtpErgebnis::Art::Fehler;
    }
}

} // namespace

QByteArray ZeilenendeWandler::wandeln(const char* daten, size_t laenge)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(laenge) + 1);
    for (size_t i = 0; i < laenge; ++i) {
        const char c = daten[i];
        if (m_cr && c != '\n')
            out.append('\r');
        m_cr = c == '\r';
        if (!m_cr)
            out.append(c);
    }
    return out;
}

QByteArray ZeilenendeWandler::ende()
{
    const bool cr = m_cr;
    m_cr = false;
    return cr ? QByteArray("\r") : QByteArray();
}

FtpVerbindung::FtpVerbindung(FtpKonto konto) : m_konto(std::move(konto))
{
    m_lib = curlBibliothek();
    if (!m_lib)
        return; // every transfer fails as one that could not start
    m_multi = m_lib->multi_init();
    CURL* c = m_multi ? m_lib->easy_init() : nullptr;
    m_curl = c;
    if (!c)
        return;
    const QByteArray user = m_konto.user.toUtf8(), pw = m_konto.password.toUtf8();
    m_lib->easy_setopt(c, CURLOPT_USERNAME, user.constData()); // libcurl keeps its own copies
    m_lib->easy_setopt(c, CURLOPT_PASSWORD, pw.constData());
    m_lib->easy_setopt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(m_konto.connectTimeoutS));
    m_lib->easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(m_konto.antwortTimeoutS));
    m_lib->easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, static_cast<long>(m_konto.langsamBytes));
    m_lib->easy_setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(m_konto.langsamSekunden));
    m_lib->easy_setopt(c, CURLOPT_NOSIGNAL, 1L); // runs in a worker thread
    m_lib->easy_setopt(c, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    m_lib->easy_setopt(c, CURLOPT_PROTOCOLS_STR, "ftp");
    // AUTH TLS before the account is sent; a server that refuses it gets the account in clear, unless a
    // CA file is named: then nothing goes without TLS and a certificate that does not chain to it
    m_lib->easy_setopt(c, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
    if (m_konto.caDatei.isEmpty()) {
        m_lib->easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
        m_lib->easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 0L);
        m_lib->easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 0L);
    } else {
        const QByteArray ca = QFile::encodeName(m_konto.caDatei);
        m_lib->easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
        m_lib->easy_setopt(c, CURLOPT_CAINFO, ca.constData());
        m_lib->easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
        m_lib->easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    }
    // passive mode: no PORT command (libcurl's default, stated here)
    m_lib->easy_setopt(c, CURLOPT_FTPPORT, nullptr);
    m_lib->easy_setopt(c, CURLOPT_FTP_USE_EPSV, 1L);
    m_lib->easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    m_lib->easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &fortschritt);
    m_lib->easy_setopt(c, CURLOPT_WRITEFUNCTION, &schreiben);
    m_lib->easy_setopt(c, CURLOPT_HEADERFUNCTION, &antwort);
    // libcurl is not told a file's size: it would stop reading there, and a server that sends more
    // than it stated would look like a broken connection; the size is asked before the transfer
    // (holen) and the limit counts what comes
    m_lib->easy_setopt(c, CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
}

FtpVerbindung::~FtpVerbindung()
{
    if (m_curl)
        m_lib->easy_cleanup(static_cast<CURL*>(m_curl));
    if (m_multi)
        m_lib->multi_cleanup(static_cast<CURLM*>(m_multi)); // closes the kept connection
}

int FtpVerbindung::ausfuehrenMitWarten()
{
    // The transfer is driven here rather than by curl_easy_perform, whose wait for the data
    // connection of a reused FTP connection can stall for a second per file; waking every 10 ms
    // also lets a cancel end the transfer at once. The multi handle keeps the connection.
    auto* m = static_cast<CURLM*>(m_multi);
    auto* c = static_cast<CURL*>(m_curl);
    if (m_lib->multi_add_handle(m, c) != CURLM_OK)
        return CURLE_FAILED_INIT;
    CURLcode ergebnis = CURLE_OK;
    int laufend = 1;
    while (laufend) {
        if (m_lib->multi_perform(m, &laufend) != CURLM_OK) {
            ergebnis = CURLE_RECV_ERROR;
            break;
        }
        if (!laufend)
            break;
        if (abgebrochen()) {
            ergebnis = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        m_lib->multi_poll(m, nullptr, 0, 10, nullptr);
    }
    int rest = 0;
    while (CURLMsg* msg = m_lib->multi_info_read(m, &rest))
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == c)
            ergebnis = msg->data.result;
    m_lib->multi_remove_handle(m, c);
    return ergebnis;
}

QString FtpVerbindung::adresse(const QString& verzeichnis, const QString& serverDatei) const
{
    // "%2F" makes the path absolute on the server, whatever the account's home folder is
    QString pfad = QStringLiteral("/%2F");
    QStringList teile = verzeichnis.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!serverDatei.isEmpty())
        teile << serverDatei;
    QStringList kodiert;
    for (const QString& t : teile)
        kodiert << QString::fromLatin1(QUrl::toPercentEncoding(t));
    pfad += kodiert.join(QLatin1Char('/'));
    if (serverDatei.isEmpty())
        pfad += QLatin1Char('/');
    return QStringLiteral("ftp://%1:%2%3").arg(m_konto.host).arg(m_konto.port).arg(pfad);
}

FtpErgebnis FtpVerbindung::ausfuehren(int code)
{
    FtpErgebnis r;
    auto* c = static_cast<CURL*>(m_curl);
    long antwort = 0;
    m_lib->easy_getinfo(c, CURLINFO_RESPONSE_CODE, &antwort);
    r.antwortCode = antwort;
    r.art = abgebrochen() ? FtpErgebnis::Art::Abgebrochen : artVon(static_cast<CURLcode>(code));
    if (code != CURLE_OK)
        r.technisch = QString::fromUtf8(m_lib->easy_strerror(static_cast<CURLcode>(code)));
    return r;
}

FtpErgebnis FtpVerbindung::FTPVerbinden()
{
    FtpErgebnis r;
    if (!m_curl || m_konto.host.isEmpty()) {
        r.art = FtpErgebnis::Art::NichtErreichbar;
        return r;
    }
    if (abgebrochen()) {
        r.art = FtpErgebnis::Art::Abgebrochen;
        return r;
    }
    auto* c = static_cast<CURL*>(m_curl);
    const QByteArray url = adresse(QStringLiteral("/"), QString()).toUtf8();
    m_lib->easy_setopt(c, CURLOPT_URL, url.constData());
    m_lib->easy_setopt(c, CURLOPT_NOBODY, 1L); // log in and enter the folder, list nothing
    m_lib->easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L);
    Ziel z;
    z.abbrechen = m_abbrechen;
    m_lib->easy_setopt(c, CURLOPT_XFERINFODATA, &z);
    m_lib->easy_setopt(c, CURLOPT_WRITEDATA, &z);
    m_lib->easy_setopt(c, CURLOPT_HEADERDATA, &z);
    const int code = ausfuehrenMitWarten();
    m_lib->easy_setopt(c, CURLOPT_NOBODY, 0L);
    return ausfuehren(code);
}

FtpErgebnis FtpVerbindung::FTPDateiHolen(const QString& verzeichnis, const QString& serverDatei, const QString& lokaleDatei,
                                         qint64 hoechstBytes)
{
    return holen(verzeichnis, serverDatei, lokaleDatei, false, hoechstBytes);
}

FtpErgebnis FtpVerbindung::FTPTextHolen(const QString& verzeichnis, const QString& serverDatei, const QString& lokaleDatei,
                                        qint64 hoechstBytes)
{
    return holen(verzeichnis, serverDatei, lokaleDatei, true, hoechstBytes);
}

FtpErgebnis FtpVerbindung::holen(const QString& verzeichnis, const QString& serverDatei, const QString& lokaleDatei,
                                 bool text, qint64 hoechstBytes)
{
    FtpErgebnis r;
    if (!m_curl) {
        r.art = FtpErgebnis::Art::Fehler;
        return r;
    }
    if (abgebrochen()) {
        r.art = FtpErgebnis::Art::Abgebrochen;
        return r;
    }
    QSaveFile datei(lokaleDatei);
    if (!datei.open(QIODevice::WriteOnly)) {
        r.art = FtpErgebnis::Art::LokalerFehler;
        r.technisch = datei.errorString();
        return r;
    }
    ZeilenendeWandler wandler;
    Ziel z;
    z.datei = &datei;
    z.wandler = text ? &wandler : nullptr;
    z.abbrechen = m_abbrechen;
    z.hoechstBytes = hoechstBytes;

    auto* c = static_cast<CURL*>(m_curl);
    const QByteArray url = adresse(verzeichnis, serverDatei).toUtf8();
    m_lib->easy_setopt(c, CURLOPT_URL, url.constData());
    // always binary on the wire: the bytes come as stored and the line ends are converted here
    m_lib->easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L);
    m_lib->easy_setopt(c, CURLOPT_WRITEDATA, &z);
    m_lib->easy_setopt(c, CURLOPT_XFERINFODATA, &z);
    m_lib->easy_setopt(c, CURLOPT_HEADERDATA, &z);
    // "*": a file the server does not know is told by RETR; a name with a line break is refused by
    // libcurl before any command
    curl_slist* groesse = nullptr;
    if (hoechstBytes > 0 && !serverDatei.contains(QLatin1Char('\r')) && !serverDatei.contains(QLatin1Char('\n')))
        groesse = m_lib->slist_append(nullptr, (QByteArrayLiteral("*SIZE ") + serverDatei.toUtf8()).constData());
    m_lib->easy_setopt(c, CURLOPT_PREQUOTE, groesse);
    r = ausfuehren(ausfuehrenMitWarten());
    m_lib->easy_setopt(c, CURLOPT_PREQUOTE, static_cast<curl_slist*>(nullptr));
    m_lib->slist_free_all(groesse);
    if (z.schreibfehler && r.art != FtpErgebnis::Art::Abgebrochen)
        r.art = FtpErgebnis::Art::LokalerFehler;
    if (z.zuGross && !abgebrochen()) {
        r.art = FtpErgebnis::Art::ZuGross;
        r.groesse = z.angekuendigt;
    }
    if (r.ok() && text) {
        const QByteArray rest = wandler.ende();
        if (datei.write(rest) != rest.size())
            r.art = FtpErgebnis::Art::LokalerFehler;
    }
    if (r.ok() && !datei.commit()) {
        r.art = FtpErgebnis::Art::LokalerFehler;
        r.technisch = datei.errorString();
    }
    if (!r.ok())
        datei.cancelWriting();
    return r;
}

} // namespace kav
