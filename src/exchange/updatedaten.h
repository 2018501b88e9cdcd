#pragma once
// What the data update reads from the update database and how it fits the local tables of
// Kav.KRN: the state row, the texts, the copied tables with their columns matched by name, values
// checked against the local column types and the ranges of the reference data, the keys that may
// not repeat, the fixed keys the program relies on, the version remark.
#include <QDateTime>
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <optional>

namespace kav {
struct Gebietsschema;
}

namespace kav::exchange {

// Texts of the update.
inline const QString kUpdateTitel = QStringLiteral("Humavera - Daten aktualisieren");
inline const QString kUpdateNichtErreichbar =
    QStringLiteral("Um die Daten zu aktualisieren, benötigen Sie eine aktive Internetverbindung.");
inline const QString kStufeKontakt = QStringLiteral("Update-Server wird kontaktiert....");
inline const QString kStufeDuenger = QStringLiteral("Daten über Düngemittel werden aktualisiert....");
inline const QString kStufeKulturen = QStringLiteral("Daten über Kulturen werden aktualisiert....");
inline const QString kStufeOrgSub = QStringLiteral("Daten über organische Substanzen werden aktualisiert....");
inline const QString kStufeLexikon = QStringLiteral("Lexikon wird aktualisiert....");
inline const QString kStufeBilder = QStringLiteral("Bilder im Lexikon werden aktualisiert....");
inline const QString kAlleAktualisiert = QStringLiteral("Alle Daten wurden aktualisiert.");
inline const QString kNichtsZuTun = QStringLiteral("Es müssen keine Daten aktualisiert werden.");
inline const QString kHinweisNachUpdate = QStringLiteral(" Und zudem steht eine aktuellere Programmversion zum Download unter ");
inline const QString kHinweisOhneUpdate = QStringLiteral(" Allerdings steht eine aktuellere Programmversion zum Download unter ");
// "Die Daten konnten nicht aktualisiert werden: <grund> Es wurde nichts geändert."
QString fehlschlagText(const QString& grund);

// The row of `updatemanager`. A date without value is null.
struct UpdateStand {
    QDateTime letzteAenderung, duenger, kultur, orgsub, lexikon;
    QVariant major, minor, revision;
};

// An area is fetched unless its date is older than the last update; no date is not older.
bool aelter(const QDateTime& datum, const QDateTime& datLetztesUpdate);

// True when major, minor, revision (compared in this order) are higher than "a.b.c"; a missing
// number ends the comparison as not higher.
bool hoehereVersion(const QVariant& major, const QVariant& minor, const QVariant& revision, const QString& programmVersion);
// `text` & address & " bereit." for a higher version, else one blank.
QString versionsHinweis(const UpdateStand& s, const QString& programmVersion, const QString& text,
                        const QString& downloadSeite);

// A column of a local table.
struct Spalte {
    enum class Art { Text, Ganzzahl, Zahl };
    QString name;
    Art art = Art::Text;
    bool pflicht = false; // NOT NULL
};
using Tabellenbild = QVector<Spalte>;

// The columns of the local tables the update writes, in their stored order; throws sql::Error.
QHash<QString, Tabellenbild> lokaleTabellen(const QSqlDatabase& cnKav);

// The server's value as it is stored in the local column, or nothing when it does not fit (text in
// a number column, a fraction in a whole-number column, no value in a required column). Dates
// become ISO text; an empty text counts as no value.
std::optional<QVariant> wertFuer(const QVariant& wert, const Spalte& spalte);

// A picture's file name: not empty, no folder part, nothing hidden, no control characters.
bool einfacherDateiname(const QString& name);

// True when the picture file decodes to its end: the whole image data is read (a file cut short
// with a valid header fails), and a JPEG or GIF, whose decoders fill a missing end silently, ends
// with its end marker.
bool vollstaendigesBild(const QString& pfad);

// A copied table: remote name, local name, first local column written. The columns are matched
// by name; the update leaves the local columns before `ab` to the local table and ignores as many
// columns at the start of the remote table.
struct Kopie {
    QString quelle;
    QString ziel;
    int ab = 0;
};
inline const Kopie kDuenger{QStringLiteral("duengerid"), QStringLiteral("DuengerID"), 0};
inline const Kopie kKalk{QStringLiteral("kalkid"), QStringLiteral("KalkID"), 0};
inline const QVector<Kopie> kKulturen{{QStringLiteral("kulturid"), QStringLiteral("KulturID"), 0},
                                      {QStringLiteral("reihenabstand"), QStringLiteral("Reihenabstand"), 0},
                                      {QStringLiteral("mkfarben"), QStringLiteral("MKFarben"), 0}};
inline const Kopie kOrgSub{QStringLiteral("orgsubid"), QStringLiteral("OrgSubID"), 0};
inline const Kopie kKapitel{QStringLiteral("lexikonkapitel"), QStringLiteral("LexikonKapitel"), 0};
inline const Kopie kSuchbegriffe{QStringLiteral("lexikonsuchbegriff"), QStringLiteral("LexikonSuchbegriff"), 1};

// For each local column from `k.ab` on, the index of the remote column of the same name (compared
// without case); `fehler` names a local column the server lacks or a remote column the local table
// does not know.
struct Zuordnung {
    QVector<int> quelle;
    QString fehler;
};
Zuordnung spaltenZuordnen(const QStringList& serverSpalten, const Tabellenbild& bild, const Kopie& k);

// Rows for one local table, already converted to the local column types, one value per local
// column from `ab` on.
struct Tabellendaten {
    QString quelle, ziel;
    int ab = 0;
    QVector<QVariantList> zeilen;
};

// Why the rows cannot be taken, or nothing: a table the program cannot work without is empty, a
// key repeats, a value lies outside the range of its column, the contents of a row add up to more
// than 100 %. The message names table, row and value.
std::optional<QString> unplausibel(const Tabellendaten& t, const Tabellenbild& bild, const Gebietsschema& g);
// The first value of column `spalte` that two rows share (compared without case), or nothing.
std::optional<QString> doppelterWert(const QVector<QVariantList>& zeilen, int spalte);
// "In der Tabelle <t> des Servers kommt der Wert „<w>“ der Spalte <s> mehrfach vor."
QString doppeltText(const QString& quelle, const QString& wert, const QString& spalte);

// Keys the program names in its code, by remote table (first column), compared without case.
QStringList festeSchluessel(const QString& quelle);
// The lexicon chapters the program opens by key (each needs its row and its text).
const QStringList& festeKapitel();

// The lexicon's placeholder picture: part of the program, kept when the pictures are replaced.
inline const QString kKeinBild = QStringLiteral("KeinBild.jpg");

// The server's folders of the lexicon files, below the configured prefix.
QString ftpOrdner(const QString& praefix, const QString& unterordner); // ("a", "Lexikon") -> "/a/Kav/Lexikon"

} // namespace kav::exchange
