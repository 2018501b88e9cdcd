#include "plan/empfehlungsraster.h"

#include <stdexcept>

namespace kav {

namespace {
const Empfehlungsraster::Zeile kLeereZeile{};
} // namespace

bool Empfehlungsraster::Zeile::leer() const
{
    for (const Zelle& z : zellen)
        if (!z.text.isEmpty())
            return false;
    return true;
}

Empfehlungsraster::Zeile& Empfehlungsraster::zeile(int r)
{
    if (r < 0)
        throw std::out_of_range("Zeile des Rasters unter 0");
    if (r >= Rows())
        m_zeilen.resize(static_cast<size_t>(r) + 1);
    return m_zeilen[static_cast<size_t>(r)];
}

const Empfehlungsraster::Zeile& Empfehlungsraster::zeile(int r) const
{
    return r >= 0 && r < Rows() ? m_zeilen[static_cast<size_t>(r)] : kLeereZeile;
}

const QString& Empfehlungsraster::TextMatrix(int r, int c) const
{
    static const QString leer;
    return c >= 0 && c < kSpalten ? zeile(r).zellen[static_cast<size_t>(c)].text : leer;
}

Empfehlungsraster::Zeile& Empfehlungsraster::textZeile(int r, const QString& text)
{
    Zeile& z = zeile(r);
    z.verbunden = true;
    for (Zelle& c : z.zellen)
        c.text = text;
    return z;
}

void Empfehlungsraster::titel(int r, const QString& text) { textZeile(r, text); }

void Empfehlungsraster::leererTitel(int r) { zeile(r).verbunden = true; }

void Empfehlungsraster::aussage(int r, const QString& text)
{
    for (Zelle& c : textZeile(r, text).zellen)
        c.fett = true;
}

void Empfehlungsraster::ueberschrift(int r, const QString& text)
{
    for (Zelle& c : textZeile(r, text).zellen)
        c.unterstrichen = true;
}

void Empfehlungsraster::menge(int r, const QString& text)
{
    for (Zelle& c : textZeile(r, text).zellen)
        c.hinterfarbe = kFarbeHellgelb;
}

void Empfehlungsraster::kalk(int r, const QString& text)
{
    const float oben = r > 0 ? zeile(r - 1).hoehe : 1.0f;
    textZeile(r, text).hoehe = 4 * oben;
}

void Empfehlungsraster::warnung(int r, const QString& text)
{
    const float oben = r > 0 ? zeile(r - 1).hoehe : 1.0f;
    Zeile& z = textZeile(r, text);
    z.hoehe = 2 * oben;
    for (Zelle& c : z.zellen)
        c.textfarbe = kFarbeRot;
}

void Empfehlungsraster::ende(int r)
{
    Zeile& z = zeile(r);
    z.ende = true;
    Zelle& c = z.zellen[0];
    c.textfarbe = kFarbeWeiss;
    c.schriftgroesse = 1;
    c.text = QStringLiteral("XXX");
}

void Empfehlungsraster::fehler(int r, const QString& text)
{
    Zeile& z = textZeile(r, text);
    z.hoehe = 3;
    z.fehler = true;
    for (Zelle& c : z.zellen) {
        c.textfarbe = kFarbeRot;
        c.fett = true;
    }
}

bool operator==(const Empfehlungsraster::Zelle& a, const Empfehlungsraster::Zelle& b)
{
    return a.text == b.text && a.hinterfarbe == b.hinterfarbe && a.textfarbe == b.textfarbe && a.fett == b.fett
           && a.unterstrichen == b.unterstrichen && a.schriftgroesse == b.schriftgroesse;
}

bool operator==(const Empfehlungsraster::Zeile& a, const Empfehlungsraster::Zeile& b)
{
    return a.zellen == b.zellen && a.verbunden == b.verbunden && a.hoehe == b.hoehe && a.ende == b.ende
           && a.fehler == b.fehler;
}

bool Empfehlungsraster::operator==(const Empfehlungsraster& o) const { return m_zeilen == o.m_zeilen; }

} // namespace kav
