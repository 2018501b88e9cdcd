#pragma once
// Names the user types (plots, groups, fertilisers, limes) hold no control characters: a NUL cuts
// the name where it is shown, a line break or a tab breaks the tree and the documents.
#include <QString>
#include <QValidator>

namespace kav {

// The one rule for every name the user gives (plots, groups, fertilisers, limes): spaces around it
// are not part of it; what is left must not be empty, be longer than `hoechstens` or hold a control
// character anywhere, at its ends too (a line break is refused, never cut away unseen).
struct Namenspruefung {
    enum class Fehler { Keiner, Leer, ZuLang, Steuerzeichen };
    QString name; // as it is stored
    Fehler fehler = Fehler::Keiner;
};
Namenspruefung namePruefen(const QString& eingabe, int hoechstens);
// `name` without its control characters.
QString ohneSteuerzeichen(const QString& name);

// The filter of a name box: control characters typed, pasted or dropped are left out.
class NamensFilter final : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& eingabe, int& pos) const override;
};

} // namespace kav
