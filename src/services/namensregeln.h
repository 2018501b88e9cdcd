#pragma once
// Names the user types (plots, groups, fertilisers, limes) hold no control characters: a NUL cuts
// the name where it is shown, a line break or a tab breaks the tree and the documents.
#include <QString>
#include <QValidator>

namespace kav {

// True when `name` holds a control character (NUL, tab, line break, ...).
bool hatSteuerzeichen(const QString& name);
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
