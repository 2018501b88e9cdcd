#include "services/dateioperationen.h"

#include "platform/dateisystem.h"
#include "platform/localdatabase.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <filesystem>


namespace kav {

bool DateiOperationen::echtSchreiben(const QString& pfad, const QByteArray& inhalt)
{
    return Dateisystem::neuAnlegen(pfad, inhalt);
}

bool DateiOperationen::echtEntfernen(const QString& pfad) { return QFile::remove(pfad); }

bool DateiOperationen::echtUmbenennen(const QString& von, const QString& nach)
{
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(von).toStdString(), QFile::encodeName(nach).toStdString(), ec);
    if (ec)
        qWarning().noquote() << von << "->" << nach << QString::fromStdString(ec.message());
    return !ec;
}

bool DateiOperationen::echtAufDieDisk(const QString& pfad) { return Dateisystem::flush(pfad); }

DateiOperationen DateiOperationen::echte()
{
    DateiOperationen o;
    o.umbenennen = &echtUmbenennen;
    o.kopieren = [](const QString& von, const QString& nach) { return QFile::copy(von, nach); };
    return o;
}

bool DateiOperationen::umbenennenMitGrund(const QString& von, const QString& nach, QString* why) const
{
    if (umbenennen(von, nach))
        return true;
    if (why)
        *why = QStringLiteral("%1 konnte nicht in %2 umbenannt werden").arg(dateiname(von), dateiname(nach));
    return false;
}

bool DateiOperationen::mitJournalUmbenennen(const QString& von, const QString& nach, QString* why) const
{
    if (!umbenennenMitGrund(von, nach, why))
        return false;
    const QStringList alt = LocalDatabase::companions(von), neu = LocalDatabase::companions(nach);
    for (int i = 0; i < alt.size(); ++i) {
        if (QFileInfo::exists(alt[i]) && !umbenennenMitGrund(alt[i], neu[i], why)) {
            // the file alone must not go: both back to where they were
            for (int j = i - 1; j >= 0; --j)
                if (QFileInfo::exists(neu[j]))
                    umbenennen(neu[j], alt[j]);
            umbenennen(nach, von);
            return false;
        }
    }
    return true;
}

bool DateiOperationen::kopieAnlegen(const QString& von, const QString& nach) const
{
    if (!entfernenFallsDa(nach) || !kopieren(von, nach))
        return false;
    QFile(nach).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return aufDieDisk(nach);
}

bool DateiOperationen::entfernenFallsDa(const QString& pfad) const
{
    return !QFileInfo::exists(pfad) || entfernen(pfad);
}

bool DateiOperationen::entfernenWennDatei(const QString& pfad) const
{
    return Dateisystem::art(pfad) != Dateisystem::Art::Datei || entfernen(pfad);
}

bool DateiOperationen::journalEntfernen(const QString& pfad) const
{
    bool ok = true;
    for (const QString& b : LocalDatabase::companions(pfad))
        ok = entfernenFallsDa(b) && ok;
    return ok;
}

bool DateiOperationen::verwaistesJournalNachziehen(const QString& pfad, const QString& zu) const
{
    if (QFileInfo::exists(pfad))
        return true; // it belongs to its file
    const QStringList hier = LocalDatabase::companions(pfad), dort = LocalDatabase::companions(zu);
    const bool zuDa = !zu.isEmpty() && QFileInfo::exists(zu);
    for (int i = 0; i < hier.size(); ++i) {
        if (!QFileInfo::exists(hier[i]))
            continue;
        const bool ok = zuDa && !QFileInfo::exists(dort[i]) ? umbenennen(hier[i], dort[i]) : entfernen(hier[i]);
        if (!ok)
            return false;
    }
    return true;
}

QString dateiname(const QString& pfad) { return QFileInfo(pfad).fileName(); }

QString wasDortLiegt(const QString& pfad)
{
    switch (Dateisystem::art(pfad)) {
    case Dateisystem::Art::Ordner:
        return QStringLiteral("ein Ordner");
    case Dateisystem::Art::Verknuepfung:
        return QStringLiteral("eine Verknüpfung");
    default:
        return QStringLiteral("etwas, das keine Datei ist");
    }
}

QString hindernisBitte(const QString& name, LocalDatabase::FileFault fehler, Stelle stelle, bool neustart)
{
    using F = LocalDatabase::FileFault;
    QString bitte;
    bool nebensatz = false; // the sentence ends in a clause: a comma before the request to start again
    switch (fehler) {
    case F::NoReadRight:
        bitte = QStringLiteral("Bitte sorgen Sie dafür, dass Sie die Datei „%1“ lesen und beschreiben dürfen");
        nebensatz = true;
        break;
    case F::Unreadable:
        bitte = QStringLiteral("Bitte sorgen Sie dafür, dass die Datei „%1“ gelesen werden kann");
        nebensatz = true;
        break;
    case F::NoWriteRight:
        bitte = QStringLiteral("Bitte sorgen Sie dafür, dass Sie die Datei „%1“ beschreiben und löschen dürfen");
        nebensatz = true;
        break;
    case F::Link:
        // A journal that a link leads to may be another database's: it is kept, and not put in here.
        nebensatz = stelle == Stelle::Datenbank || stelle == Stelle::Sicherung;
        bitte = stelle == Stelle::Journal
                    ? QStringLiteral("Bitte verschieben Sie die Verknüpfung „%1“ an einen anderen Ort (die Datei, auf "
                                     "die sie verweist, behalten Sie)")
                : nebensatz ? QStringLiteral("Bitte legen Sie an die Stelle der Verknüpfung „%1“ die Datei, auf die sie "
                                             "verweist")
                            : QStringLiteral("Bitte entfernen Sie die Verknüpfung „%1“");
        break;
    case F::None:
    case F::NotAFile:
        bitte = stelle == Stelle::Datenbank
                    ? QStringLiteral("Bitte bringen Sie die Datenbank wieder an die Stelle „%1“ (oder entfernen Sie, was "
                                     "dort liegt: Dann ersetzt das Programm sie aus der Datensicherung, soweit es eine "
                                     "gibt)")
                    : QStringLiteral("Bitte entfernen Sie „%1“");
        break;
    }
    bitte = bitte.arg(name);
    if (!neustart)
        return bitte + QLatin1Char('.');
    return bitte + (nebensatz ? QStringLiteral(", und starten Sie Kav dann neu.") : QStringLiteral(" und starten Sie Kav dann neu."));
}

QString freierName(const QString& basis, const QStringList& endungen)
{
    const auto belegt = [&endungen](const QString& name) {
        for (const QString& n : LocalDatabase::companions(name) + QStringList{name})
            if (Dateisystem::art(n) != Dateisystem::Art::Fehlt)
                return true;
        for (const QString& e : endungen)
            if (Dateisystem::art(name + e) != Dateisystem::Art::Fehlt)
                return true;
        return false;
    };
    QString name = basis;
    for (int i = 2; belegt(name); ++i)
        name = basis + QStringLiteral("-%1").arg(i);
    return name;
}

} // namespace kav
