#pragma once
// The user's locale as the program uses it: date format, decimal separator, number text.
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

namespace kav {

struct Gebietsschema {
    QLocale locale;
    // Qt date format: "dd.MM.yyyy" for a "." separator, "MM/dd/yyyy" for "/", else empty
    // (dates are then written in the locale's short form).
    QString strDatumsFormat;
    QString strDezimalZeichen;
    QString strSQLDatumsFormat = QStringLiteral("yyyy-MM-dd");

    // Date as text in the user's format (for display and the settings file).
    QString datumText(const QDate& d) const;
    // The Qt format dates are shown and typed in: strDatumsFormat, else the locale's short form.
    QString datumsFormat() const;
    // Reads a date written in the user's format, in "dd.MM.yyyy", ISO, with or without a time.
    std::optional<QDateTime> datumLesen(const QString& text) const;

    // A number as locale text without group separators ("11400", "0,5" in German).
    QString zahlText(double v) const;
    // A number in locale notation (also accepted: the C notation); nullopt when it is none.
    std::optional<double> zahlLesen(const QString& text) const;
};

// The date separator of the locale's short date format.
QString datumsTrenner(const QLocale& locale);

// Reads the locale: date format from its separator, decimal separator.
Gebietsschema SystemEinstellungenLesen(const QLocale& locale = QLocale::system());

} // namespace kav
