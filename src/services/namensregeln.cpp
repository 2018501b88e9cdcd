#include "services/namensregeln.h"

#include <algorithm>

namespace kav {

namespace {

bool steuerzeichen(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

bool hatSteuerzeichen(const QString& name) { return std::any_of(name.cbegin(), name.cend(), steuerzeichen); }

QString ohneSteuerzeichen(const QString& name)
{
    QString out = name;
    out.removeIf(steuerzeichen);
    return out;
}

QValidator::State NamensFilter::validate(QString& eingabe, int& pos) const
{
    // the cursor stays after what was put in, less what was left out before it
    pos -= static_cast<int>(std::count_if(eingabe.cbegin(), eingabe.cbegin() + std::clamp<qsizetype>(pos, 0, eingabe.size()),
                                          steuerzeichen));
    eingabe = ohneSteuerzeichen(eingabe);
    return Acceptable;
}

} // namespace kav
