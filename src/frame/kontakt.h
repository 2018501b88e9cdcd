#pragma once
// The maker's addresses.
#include <QString>

namespace kav {

inline const QString kHerstellerWeb = QStringLiteral("www.humavera.example");
inline const QString kHerstellerMail = QStringLiteral("info@humavera.example");
inline QString infoText() { return QStringLiteral("Mehr Informationen zu Humavera finden Sie unter ") + kHerstellerWeb; }

} // namespace kav
