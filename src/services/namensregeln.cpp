#include "services/namensregeln.h"

#include <algorithm>

namespace kav {

namespace {

bool steuerzeichen(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// True when `name` holds a control character (NUL, tab, line break, ...).
bool hatSteuerzeichen(const QString& name) { return std::any_of(name.cbegin(), name.cend(), steuerzeichen); }

} // namespace

Namenspruefung namePruefen(const QString& eingabe, int hoechstens)
{
    const auto leer = [](QChar c) { return c.isSpace() && !steuerzeichen(c); };
    qsizetype von = 0, bis = eingabe.size();
    while (von < bis && leer(eingabe[von]))
        ++von;
    while (bis > von && leer(eingabe[bis - 1]))
        --bis;
    Namenspruefung p{eingabe.mid(von, bis - von)};
    if (p.name.isEmpty())
        p.fehler = Namenspruefung::Fehler::Leer;
    else if (p.name.size() > hoechstens)
        p.fehler = Namenspruefung::Fehler::ZuLang;
    else if (hatSteuerzeichen(p.name))
        p.fehler = Namenspruefung::Fehler::Steuerzeichen;
    return p;
}

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
