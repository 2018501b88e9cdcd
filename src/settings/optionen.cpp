#include "settings/optionen.h"

#include "services/appcontext.h" // the wizard state

namespace kav {

namespace {
const QString kAn = QStringLiteral("opb1");
const QString kAus = QStringLiteral("opb0");
} // namespace

OptionsBild optionFuer(const QString& einstellung)
{
    return einstellung == QLatin1String("Wahr") ? OptionsBild{kAn, QStringLiteral("1")} : OptionsBild{kAus, QStringLiteral("0")};
}

std::optional<QString> optionUmschalten(const QString& tag)
{
    if (tag == QLatin1String("0"))
        return QStringLiteral("Wahr");
    if (tag == QLatin1String("1"))
        return QStringLiteral("Falsch");
    return std::nullopt;
}

QString verfahrenBild(int index, bool immerOptimal) { return (index == 0) == immerOptimal ? kAn : kAus; }

void verfahrenWaehlen(int index, Einstellungen& e, WizardState& w)
{
    e.blnImmerOptimal = index == 0;
    w.blnOptimal = index == 0;
}

std::optional<int> intervallAusText(const QString& text)
{
    if (text.isEmpty())
        return 14;
    if (text.size() > 2)
        return std::nullopt;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return text.toInt();
}

QString wiederherstellenFrage(const QString& datum)
{
    return QStringLiteral("Sollen die Dateien der letzten Datensicherung vom %1 wiederhergestellt werden? "
                          "Alle Änderungen seit dieser Sicherung gehen verloren.")
        .arg(datum);
}

QString wiederherstellenFehler(const QString& grund, bool unveraendert)
{
    return QStringLiteral("Die Datensicherung konnte nicht wiederhergestellt werden: %1\n\n%2")
        .arg(grund, unveraendert ? QStringLiteral("Beide Dateien sind unverändert.")
                                 : QStringLiteral("Die beiden Datenbanken sind jetzt nicht auf demselben Stand; keine "
                                                  "Datei wurde gelöscht. Bitte beenden Sie das Programm: Beim nächsten "
                                                  "Start bringt es beide wieder auf einen gemeinsamen Stand und sagt, "
                                                  "auf welchen."));
}

} // namespace kav
