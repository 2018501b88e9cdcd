#pragma once
// One run of the plan construction: its row counter and the steps that write the dressings.
#include "plan/duengeplan.h"
#include "services/gebietsschema.h"

namespace kav {

class Planlauf {
public:
    Planlauf(WizardState& s, const PlanKopf& kopf, const Planquellen& q, const Gebietsschema& g, int jahr,
             Empfehlungsraster& r)
        : m_s(s), m_kopf(kopf), m_q(q), m_g(g), m_jahr(jahr), m_r(r)
    {
    }

    void gewoehnlicheKultur(); // base dressing on the start date and up to two top dressings
    void dauerkultur();        // three dressings placed by calendar week
    void mischkultur();        // base dressing without nitrogen, then one nitrogen dressing per week

    int intZeile = 0;
    int intDuengung = 0;

private:
    // Nitrogen fertilisers: Typ begins with "N" and the fertiliser holds nitrogen.
    static bool stickstoff(const DuengerPlanZeile& z);
    // The amount of a nitrogen fertiliser for `restN`, at most what is left of it.
    static float stickstoffRegel(const DuengerPlanZeile& z, float restN);
    // Takes `menge` off the row and, with `summen`, off the totals; returns the nitrogen given.
    float buchen(DuengerPlanZeile& z, float menge, bool summen, bool nurPK = false);
    // The amount text: grams to 5 g steps, or kilograms above 1000 g; the long form names the area.
    QString mengenText(const DuengerPlanZeile& z, float menge, bool kurz) const;
    // Grams for the whole plot, rounded to 5 g.
    float gerundeteGramm(float menge) const;

    WizardState& m_s;
    const PlanKopf& m_kopf;
    const Planquellen& m_q;
    const Gebietsschema& m_g;
    int m_jahr;
    Empfehlungsraster& m_r;
};

} // namespace kav
