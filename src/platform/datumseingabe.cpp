#include "platform/datumseingabe.h"

#include <algorithm>

namespace kav::forms {

namespace {

bool ziffer(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

} // namespace

DatumsEingabe::DatumsEingabe(const QString& format)
{
    // parts of d, M and y (each once) with a separator between them; a separator after the last
    // part is left out while typing
    std::vector<Teil> teile;
    QString token, trenner;
    const auto teilEnde = [&] {
        const QChar art = token.front();
        const int n = int(token.size());
        const bool ok = (art == QLatin1Char('y') && (n == 2 || n == 4)) || (art != QLatin1Char('y') && n <= 2);
        if (!ok || (!teile.empty() && trenner.isEmpty()))
            return false;
        if (!teile.empty())
            teile.back().danach = trenner;
        teile.push_back({art, art == QLatin1Char('y') ? n : 2, token, {}});
        token.clear();
        trenner.clear();
        return true;
    };
    for (const QChar c : format) {
        if (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) {
            if (!token.isEmpty() && token.front() != c && !teilEnde())
                return;
            if (token.isEmpty() && !trenner.isEmpty() && teile.empty())
                return; // text before the first part
            token += c;
        } else if (c.isLetter() || ziffer(c) || c == QLatin1Char('\'')) {
            return;
        } else {
            if (!token.isEmpty() && !teilEnde())
                return;
            trenner += c;
        }
    }
    if ((!token.isEmpty() && !teilEnde()) || teile.size() != 3)
        return;
    for (const QChar art : {QLatin1Char('d'), QLatin1Char('M'), QLatin1Char('y')})
        if (std::count_if(teile.begin(), teile.end(), [art](const Teil& t) { return t.art == art; }) != 1)
            return;
    m_teile = std::move(teile);
    m_trennzeichen = QStringLiteral("./-");
    for (const Teil& t : m_teile)
        m_trennzeichen += t.danach;
}

void DatumsEingabe::setBereich(const QDate& von, const QDate& bis)
{
    m_von = von;
    m_bis = bis;
}

void DatumsEingabe::leeren()
{
    m_ziffern.clear();
    m_teil = -1;
    m_rest.clear();
}

QStringList DatumsEingabe::teileVon(const QDate& datum) const
{
    QStringList z;
    for (const Teil& t : m_teile)
        z << datum.toString(t.token);
    return z;
}

void DatumsEingabe::setDatum(const QDate& datum)
{
    leeren();
    if (!datum.isValid())
        return;
    m_basis = datum;
    m_ziffern = teileVon(datum);
}

void DatumsEingabe::teilTippen(const QDate& datum, QChar art)
{
    setDatum(datum);
    const int i = index(art);
    if (m_ziffern.isEmpty() || i < 0)
        return;
    m_rest = m_ziffern;
    m_ziffern = m_rest.mid(0, i);
    m_ziffern << QString();
    m_teil = i;
}

QChar DatumsEingabe::teilBei(const QDate& datum, int pos) const
{
    int ende = 0;
    for (size_t i = 0; i < m_teile.size(); ++i) {
        ende += int(datum.toString(m_teile[i].token).size());
        if (pos <= ende || i + 1 == m_teile.size())
            return m_teile[i].art;
        ende += int(m_teile[i].danach.size());
    }
    return {};
}

QChar DatumsEingabe::teilNach(QChar art) const
{
    const int i = index(art);
    return i >= 0 && i + 1 < int(m_teile.size()) ? m_teile[size_t(i + 1)].art : QChar();
}

bool DatumsEingabe::teilEnde(const QStringList& z) const
{
    return m_teil >= 0 && (z.size() > m_teil + 1 || voll(z, m_teil));
}

QStringList DatumsEingabe::mitRest(const QStringList& z) const
{
    if (m_teil < 0)
        return z;
    QStringList g = z.mid(0, m_teil + 1); // without the separator that ended the part
    for (int i = int(g.size()); i < m_rest.size(); ++i)
        g << m_rest[i];
    return g;
}

int DatumsEingabe::index(QChar art) const
{
    for (size_t i = 0; i < m_teile.size(); ++i)
        if (m_teile[i].art == art)
            return int(i);
    return -1;
}

bool DatumsEingabe::voll(const QStringList& z, int i) const
{
    const Teil& t = m_teile[size_t(i)];
    const QString& s = z[i];
    if (s.size() >= t.stellen)
        return true;
    if (s.isEmpty() || t.art == QLatin1Char('y'))
        return false;
    // a day or month that no second digit can follow (4 to 9, 2 to 9) is whole
    const int hoechstens = t.art == QLatin1Char('d') ? 31 : 12;
    return s.toInt() * 10 > hoechstens;
}

int DatumsEingabe::jahrAus(const QString& ziffern) const
{
    int jahr = ziffern.toInt();
    if (m_teile[size_t(index(QLatin1Char('y')))].stellen == 2)
        jahr += (m_basis.isValid() ? m_basis.year() : QDate::currentDate().year()) / 100 * 100;
    return jahr;
}

std::optional<QDate> DatumsEingabe::datumAus(const QStringList& z) const
{
    if (!moeglich() || z.size() != int(m_teile.size()))
        return std::nullopt;
    for (const QString& s : z)
        if (s.isEmpty())
            return std::nullopt;
    const int iJahr = index(QLatin1Char('y'));
    if (z[iJahr].size() != m_teile[size_t(iJahr)].stellen)
        return std::nullopt;
    const int jahr = jahrAus(z[iJahr]);
    const QDate d(jahr, z[index(QLatin1Char('M'))].toInt(), z[index(QLatin1Char('d'))].toInt());
    if (jahr == 0 || !d.isValid() || (m_von.isValid() && d < m_von) || (m_bis.isValid() && d > m_bis))
        return std::nullopt;
    return d;
}

std::optional<DatumsAbweisung::Grund> DatumsEingabe::fehler(const QStringList& z, bool alle) const
{
    using Grund = DatumsAbweisung::Grund;
    // a part is final once the next one is begun or no digit can follow
    const auto endgueltig = [&](int i) {
        return i >= 0 && i < z.size() && (alle || i < z.size() - 1 || voll(z, i));
    };
    const int iTag = index(QLatin1Char('d')), iMonat = index(QLatin1Char('M')), iJahr = index(QLatin1Char('y'));
    if (endgueltig(iTag) && !(z[iTag].toInt() >= 1 && z[iTag].toInt() <= 31))
        return Grund::Tag;
    if (endgueltig(iMonat) && !(z[iMonat].toInt() >= 1 && z[iMonat].toInt() <= 12))
        return Grund::Monat;
    if (endgueltig(iTag) && endgueltig(iMonat) && z[iTag].toInt() > QDate(2000, z[iMonat].toInt(), 1).daysInMonth())
        return Grund::TagImMonat;
    if (endgueltig(iTag) && endgueltig(iMonat) && endgueltig(iJahr) && !datumAus(z)) {
        if (z[iJahr].size() != m_teile[size_t(iJahr)].stellen)
            return Grund::Unvollstaendig; // a year ended early by a separator
        const int jahr = jahrAus(z[iJahr]);
        return jahr != 0 && !QDate(jahr, z[iMonat].toInt(), z[iTag].toInt()).isValid() ? Grund::Schaltjahr
                                                                                        : Grund::Bereich;
    }
    return std::nullopt;
}

DatumsAbweisung DatumsEingabe::abweisungAus(DatumsAbweisung::Grund g, const QStringList& z) const
{
    DatumsAbweisung a;
    a.grund = g;
    a.getippt = textAus(z);
    a.von = m_von;
    a.bis = m_bis;
    const auto teil = [&](QChar art) {
        const int i = index(art);
        return i < z.size() ? z[i] : QString();
    };
    a.tag = teil(QLatin1Char('d')).toInt();
    a.monat = teil(QLatin1Char('M')).toInt();
    if (const QString j = teil(QLatin1Char('y')); !j.isEmpty()) {
        a.jahr = jahrAus(j);
        a.jahrStellen = int(j.size());
    }
    for (const Teil& t : m_teile)
        if (teil(t.art).isEmpty())
            a.fehlt += t.art;
    return a;
}

DatumsAbweisung DatumsEingabe::unvollstaendig() const
{
    return abweisungAus(DatumsAbweisung::Grund::Unvollstaendig, mitRest(m_ziffern));
}

std::variant<QDate, DatumsAbweisung> DatumsEingabe::lesen(const QString& text) const
{
    const QString t = text.trimmed();
    DatumsEingabe e(*this);
    e.leeren();
    DatumsAbweisung keinDatum; // Grund::KeinDatum
    keinDatum.getippt = t;
    keinDatum.von = m_von;
    keinDatum.bis = m_bis;
    for (const QChar c : t)
        if (!e.zeichen(c))
            return e.abweisung().value_or(keinDatum);
    if (const std::optional<QDate> d = e.datum())
        return *d;
    if (t.isEmpty())
        return keinDatum;
    DatumsAbweisung a = e.unvollstaendig();
    a.getippt = t;
    return a;
}

bool DatumsEingabe::zeichen(QChar c)
{
    m_abweisung.reset();
    if (!moeglich() || teilEnde(m_ziffern))
        return false;
    QStringList z = m_ziffern;
    const int letzter = int(m_teile.size()) - 1;
    if (ziffer(c)) {
        if (z.isEmpty())
            z << QString();
        if (voll(z, int(z.size()) - 1)) {
            if (z.size() - 1 >= letzter)
                return false;
            z << QString();
        }
        z.last() += c;
    } else if (m_trennzeichen.contains(c)) {
        if (z.isEmpty())
            return false;
        if (z.last().isEmpty())
            return m_teil < 0; // the separator is there already; a part typed alone has nothing to end
        if (z.size() - 1 >= letzter)
            return false;
        z << QString();
    } else {
        return false;
    }
    // a part typed alone and ended: the date with the parts that stay
    const bool ende = teilEnde(z);
    if (const std::optional<DatumsAbweisung::Grund> g = ende ? fehler(mitRest(z), true) : fehler(z, false)) {
        m_abweisung = abweisungAus(*g, ende ? mitRest(z) : z);
        return false;
    }
    m_ziffern = z;
    return true;
}

void DatumsEingabe::zuruecknehmen()
{
    if (m_ziffern.isEmpty() || leer())
        return;
    if (m_ziffern.last().isEmpty())
        m_ziffern.removeLast(); // the separator
    else
        m_ziffern.last().chop(1);
    if (m_teil < 0 && m_ziffern.size() == 1 && m_ziffern.front().isEmpty())
        m_ziffern.clear();
}

bool DatumsEingabe::leer() const
{
    if (m_teil >= 0)
        return m_ziffern.size() == m_teil + 1 && m_ziffern.last().isEmpty();
    return m_ziffern.isEmpty();
}

QString DatumsEingabe::textAus(const QStringList& z) const
{
    QString t;
    for (int i = 0; i < z.size(); ++i) {
        t += z[i];
        if (i < z.size() - 1)
            t += m_teile[size_t(i)].danach;
    }
    return t;
}

QString DatumsEingabe::text() const { return textAus(mitRest(m_ziffern)); }

bool DatumsEingabe::fertig() const
{
    if (m_teil >= 0)
        return teilEnde(m_ziffern);
    // the parts before the last are ended by their separators
    return moeglich() && m_ziffern.size() == int(m_teile.size()) && voll(m_ziffern, int(m_ziffern.size()) - 1);
}

std::optional<QDate> DatumsEingabe::datum() const { return datumAus(mitRest(m_ziffern)); }

} // namespace kav::forms
