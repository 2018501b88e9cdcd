#pragma once
// The rules of the settings window's options: what each option shows and what a click sets.
#include <QString>

#include <optional>

namespace kav {

struct Einstellungen;
struct WizardState;

// An on/off option as it shows: the picture ("opb1" chosen, "opb0" not) and its Tag ("1", "0").
struct OptionsBild {
    QString bild;
    QString tag;
    bool operator==(const OptionsBild&) const = default;
};

// The option of a "Wahr"/"Falsch" setting: only "Wahr" (exactly) is on.
OptionsBild optionFuer(const QString& einstellung);
// A click on an on/off option with this Tag: the new setting text ("Wahr" for Tag "0", "Falsch"
// for Tag "1"); nothing for any other Tag.
std::optional<QString> optionUmschalten(const QString& tag);

// The pictures of the selection-method pair (index 0: always optimal, index 1: ask each time).
QString verfahrenBild(int index, bool immerOptimal);
// A click on the pair's option `index`: index 0 sets always optimal, any other asks each time;
// blnImmerOptimal and the method of the current calculation change together.
void verfahrenWaehlen(int index, Einstellungen& e, WizardState& w);

// Backup interval of the text in its box: empty gives 14 days, one or two digits their value;
// anything else (pasted letters, signs, blanks, more digits) gives nothing and the interval stays.
std::optional<int> intervallAusText(const QString& text);

// Texts of the restore of the last backup.
inline const QString kKeineSicherung = QStringLiteral("Es gibt noch keine Datensicherung.");
inline const QString kWiederhergestellt = QStringLiteral("Gesicherte Dateien wurden wiederhergestellt.");
QString wiederherstellenFrage(const QString& datum);
// `unveraendert`: both files are as they were; else the next start puts them together.
QString wiederherstellenFehler(const QString& grund, bool unveraendert);

} // namespace kav
