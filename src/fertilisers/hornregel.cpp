#include "fertilisers/hornregel.h"

#include "requirement/mischkultur.h"
#include "services/calendarweeks.h"

namespace kav {

namespace {

const QString kHorn = QStringLiteral("KAV - Horndünger");

Hinweis hinweis(const QString& caption, const char16_t* text)
{
    return {caption, QStringLiteral("Bitte beachten Sie:"), QString::fromUtf16(text), QStringLiteral("Horn")};
}

bool kuehl(int woche, int bis, int ab) { return woche < bis || woche > ab; }

} // namespace

std::optional<int> HornStartwoche(const WizardState& s, const PlanQuelle& plaene)
{
    if (s.blnDauerKultur)
        return std::nullopt; // permanent crops get no notice
    if (istMischkulturPlan(s)) {
        const std::vector<PlanZeile> zeilen = plaene.planZeilen(s.strAktKulturNr);
        if (zeilen.empty())
            return std::nullopt;
        return MischkulturStartwoche(zeilen);
    }
    if (!s.datKulturbeginn.date().isValid())
        return std::nullopt;
    return isoWoche(s.datKulturbeginn.date());
}

std::optional<Hinweis> HornHinweis(const QString& strDuengerNr, bool norg, int woche)
{
    if (strDuengerNr == QLatin1String("Du1004"))
        return hinweis(kHorn, u"Hornspäne haben eine recht lange Umsetzungsdauer. Der Stickstoff steht somit den "
                              u"Pflanzen erst mit einer größeren zeitlichen Verzögerung zur Verfügung. Hornspäne eignen "
                              u"sich somit v.a. zur Düngung von Gehölzen.");
    if (strDuengerNr == QLatin1String("Du1003")) {
        if (!kuehl(woche, 19, 30))
            return std::nullopt;
        return hinweis(kHorn, u"Horngrieß kann - insbesondere bei kühlen Temperaturen - eine längere Umsetzungsdauer "
                              u"haben. Der Stickstoff steht somit den Pflanzen im Vergleich zu Hornmehl oder "
                              u"mineralischen Düngern erst mit einer gewissen zeitlichen Verzögerung zur Verfügung.");
    }
    if (strDuengerNr == QLatin1String("Du1001") || strDuengerNr == QLatin1String("Du1020")) {
        if (!kuehl(woche, 17, 32))
            return std::nullopt;
        return hinweis(kHorn, u"Hornmehl kann - insbesondere bei kühlen Temperaturen - eine etwas längere "
                              u"Umsetzungsdauer haben. Der Stickstoff steht somit den Pflanzen im Vergleich zu "
                              u"mineralischen Düngern erst mit einer gewissen zeitlichen Verzögerung zur Verfügung.");
    }
    if (!norg || !kuehl(woche, 19, 30))
        return std::nullopt;
    return hinweis(QStringLiteral("KAV - organischer N-Dünger"),
                   u"Organische Stickstoffdünger können - insbesondere bei kühlen Temperaturen - eine längere "
                   u"Umsetzungsdauer haben. Der Stickstoff steht somit den Pflanzen im Vergleich zu "
                   u"mineralischen Düngern erst mit einer gewissen zeitlichen Verzögerung zur Verfügung.");
}

} // namespace kav
