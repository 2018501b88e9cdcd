#pragma once
// The numeric input filter on a line edit: keys, paste and drop all end in a number or nothing.
#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;

namespace kav {

class ZahlenFilter final : public QObject {
    Q_OBJECT
public:
    // Installs the filter on `edit` (the edit owns it) with the locale's decimal separator.
    static ZahlenFilter* installieren(QLineEdit* edit, const QString& dezimalZeichen);

    bool eventFilter(QObject* watched, QEvent* event) override;

    // The beep for a key that is never allowed (the system beep unless replaced).
    static void setPiepen(std::function<void()> piepen);
    // Sounds that beep (for other key filters of the program).
    static void piepen();

private:
    ZahlenFilter(QLineEdit* edit, const QString& dezimalZeichen);
    QLineEdit* m_edit;
    QString m_dezimal;
};

} // namespace kav
