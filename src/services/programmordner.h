#pragma once
// The folders beside the program file.
#include <QString>

namespace kav {

struct Programmordner {
    QString basis; // folder of the executable

    QString daten() const { return basis + QStringLiteral("/Daten"); }
    QString kavDatei() const { return daten() + QStringLiteral("/Kav.KRN"); }
    QString datenDatei() const { return daten() + QStringLiteral("/Daten.KRN"); }
    // Pristine reference file shipped with the program, used when Kav.KRN and its backup are lost.
    QString kavStandard() const { return daten() + QStringLiteral("/Standard/Kav.KRN"); }
    QString sicherungen() const { return basis + QStringLiteral("/Sicherungsdateien"); }
    QString bilder() const { return basis + QStringLiteral("/Bilder"); }
    QString hilfe() const { return basis + QStringLiteral("/Hilfe"); }
    QString lexikon() const { return basis + QStringLiteral("/Lexikon"); }
    QString lexikonVorschau() const { return basis + QStringLiteral("/Lexikon/Bilder/Vorschau"); }
    QString lexikonVollbild() const { return basis + QStringLiteral("/Lexikon/Bilder/Vollbild"); }
    QString serverKonfiguration() const { return basis + QStringLiteral("/Server.ini"); }
};

} // namespace kav
