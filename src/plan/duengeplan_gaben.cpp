// The dressings of the three kinds of plan: amounts handed out fertiliser by fertiliser.
#include "plan/duengeplan_lauf.h"
#include "plan/zeitraumtexte.h"
#include "requirement/bedarf.h"
#include "requirement/mischkultur.h"
#include "platform/rounding.h"

#include <algorithm>

namespace kav {

bool Planlauf::stickstoff(const DuengerPlanZeile& z)
{
    // a nitrogen type without nitrogen is planned like a fertiliser without nitrogen
    return z.Typ.startsWith(QLatin1Char('N')) && z.NGabe > 0.0f;
}

float Planlauf::stickstoffRegel(const DuengerPlanZeile& z, float restN)
{
    float menge = restN > 0.0f ? restN * 100.0f / z.NGabe : 0.0f;
    if (z.Menge < menge)
        menge = z.Menge;
    return menge;
}

float Planlauf::buchen(DuengerPlanZeile& z, float menge, bool summen, bool nurPK)
{
    const float n = z.NGabe / 100.0f * menge;
    z.Menge -= menge;
    if (summen) {
        if (!nurPK)
            m_s.sngDuengerN -= n;
        m_s.sngDuengerP -= z.PGabe / 100.0f * menge;
        m_s.sngDuengerK -= z.KGabe / 100.0f * menge;
    }
    return n;
}

float Planlauf::gerundeteGramm(float menge) const
{
    return runden(menge * m_s.sngFlaecheGroesse / 5.0f) * 5.0f;
}

QString Planlauf::mengenText(const DuengerPlanZeile& z, float menge, bool kurz) const
{
    const float t = menge * m_s.sngFlaecheGroesse;
    QString text = t > 1000.0f
                       ? m_g.locale.toString(static_cast<double>(t / 1000.0f), 'f', 2) + QStringLiteral(" kg ")
                       : m_g.locale.toString(static_cast<qlonglong>(gerundeteGramm(menge))) + QStringLiteral(" g ");
    text += z.Duenger;
    if (!kurz)
        text += QStringLiteral(" auf ") + EinfacheZahl(m_s.sngFlaecheGroesse, m_g) + QStringLiteral(" m²");
    return text;
}

void Planlauf::gewoehnlicheKultur()
{
    m_r.ueberschrift(intZeile, QStringLiteral("Grunddüngung am ") + m_g.datumText(m_s.datKulturbeginn.date())
                                   + QStringLiteral(" mit: "));
    bool blnDuengung = false;
    float grundN = std::max(m_s.sngNSaldoGD, 0.0f);
    for (DuengerPlanZeile& z : m_s.rsDuengerPlan) {
        float menge = stickstoff(z) ? stickstoffRegel(z, grundN) : z.Menge;
        menge = std::min(menge, z.Menge);
        if (menge * m_s.sngFlaecheGroesse > 0.5f) {
            blnDuengung = true;
            m_r.menge(intZeile + 1, mengenText(z, menge, false));
            ++intZeile;
        }
        grundN -= buchen(z, menge, true);
    }
    if (!blnDuengung) {
        m_r.menge(intZeile + 1, QStringLiteral("Keine Grunddüngung erforderlich"));
        ++intZeile;
    }
    intZeile += 2;
    intDuengung = 0;

    const int tageKD[2] = {rundenGanz(m_kopf.kultur->TerminKD1 * 7.0), rundenGanz(m_kopf.kultur->TerminKD2 * 7.0)};
    const float saldo[2] = {m_s.sngNSaldoKD1, m_s.sngNSaldoKD2};
    for (int k = 0; k < 2; ++k) {
        float restN = std::max(saldo[k], 0.0f);
        bool ersteZeile = true;
        const QDate termin = m_s.datKulturbeginn.date().addDays(tageKD[k]);
        for (DuengerPlanZeile& z : m_s.rsDuengerPlan) {
            if (!(z.Menge > 0.0f))
                continue;
            const float menge = stickstoff(z) ? stickstoffRegel(z, restN) : 0.0f;
            if (!(menge > 0.0f))
                continue;
            if (ersteZeile) {
                ++intDuengung;
                m_r.ueberschrift(intZeile, QString::number(intDuengung) + QStringLiteral(". Kopfdüngung in der ")
                                               + frmNPK4_WochenText(termin) + QStringLiteral(" mit: "));
                ++intZeile;
                ersteZeile = false;
            }
            if (gerundeteGramm(menge) > 0.0f) {
                m_r.menge(intZeile, mengenText(z, menge, false));
                ++intZeile;
            }
            restN -= buchen(z, menge, true);
        }
        ++intZeile;
    }
}

void Planlauf::dauerkultur()
{
    intDuengung = 0;
    const KulturZeile& k = *m_kopf.kultur;
    const DauerkulturWochen w = DauerkulturWochenBerechnen(k.TerminGD, k.TerminKD1, k.TerminKD2);
    const int wochen[3] = {w.grund, w.kopf1, w.kopf2};
    const float saldo[3] = {m_s.sngNSaldoGD, m_s.sngNSaldoKD1, m_s.sngNSaldoKD2};
    for (int gabe = 0; gabe < 3; ++gabe) {
        float restN = std::max(saldo[gabe], 0.0f);
        bool ersteZeile = true;
        for (DuengerPlanZeile& z : m_s.rsDuengerPlan) {
            if (!(z.Menge > 0.0f))
                continue;
            // a fertiliser without nitrogen goes wholly into the first dressing
            const float menge = stickstoff(z) ? stickstoffRegel(z, restN) : z.Menge;
            if (!(menge > 0.0f))
                continue;
            if (ersteZeile) {
                ++intDuengung;
                m_r.ueberschrift(intZeile, QString::number(intDuengung) + QStringLiteral(". Düngung ")
                                               + frmNPK4_ZeitraumText(wochen[gabe], m_s.strAktKulturNr, m_jahr)
                                               + QStringLiteral(" mit:"));
                ++intZeile;
                ersteZeile = false;
            }
            if (gerundeteGramm(menge) > 0.0f) {
                m_r.menge(intZeile, mengenText(z, menge, false));
                ++intZeile;
            }
            restN -= buchen(z, menge, true);
        }
        ++intZeile;
    }
}

void Planlauf::mischkultur()
{
    m_s.sngFlaecheGroesse = m_s.sngBeetLaenge * m_s.sngBeetBreite;
    m_s.sngKulturPH = 1;
    m_r.ueberschrift(intZeile, QStringLiteral("Grunddüngung vor Kulturbeginn mit: "));
    m_r.menge(intZeile + 1, QStringLiteral("Keine Grunddüngung erforderlich."));
    for (DuengerPlanZeile& z : m_s.rsDuengerPlan) {
        if (stickstoff(z))
            continue;
        const float menge = z.Menge;
        m_r.menge(intZeile + 1, mengenText(z, menge, false));
        ++intZeile;
        buchen(z, menge, true, true);
    }
    intZeile += 3;
    intDuengung = 1;

    // the plan's dressings from its first week on, as the calculation counts them
    const int start = MischkulturStartwoche(m_q.plaene, m_s.strAktKulturNr);
    const int letzte = std::min(53, static_cast<int>(m_s.arrMischkulturWerte.size()) - 1);
    for (int w = start; w <= letzte; ++w) {
        const float saldo = m_s.arrMischkulturWerte[static_cast<size_t>(w)].Saldo;
        if (!(saldo > 0.0f))
            continue;
        // named by the week after it; the last week of a year that has no week after it by itself
        QString zeitraum = frmNPK4_ZeitraumText(w + 1, m_s.strAktKulturNr, m_jahr);
        if (zeitraum.isEmpty())
            zeitraum = frmNPK4_ZeitraumText(w, m_s.strAktKulturNr, m_jahr);
        m_r.ueberschrift(intZeile, QString::number(intDuengung) + QStringLiteral(". N-Düngung ") + zeitraum);
        ++intDuengung;
        ++intZeile;
        float restN = saldo;
        for (DuengerPlanZeile& z : m_s.rsDuengerPlan) {
            if (!stickstoff(z))
                continue;
            const float menge = stickstoffRegel(z, restN);
            m_r.menge(intZeile, mengenText(z, menge, true));
            intZeile += 2;
            restN -= buchen(z, menge, false);
        }
    }
}

} // namespace kav
