#include "platform/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace kav {

SettingsStore::SettingsStore(const QString& iniPath)
    : m_path(iniPath), m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() { m_settings->sync(); }

QString SettingsStore::defaultPath()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Humavera/Kav.ini");
}

QString SettingsStore::keyOf(const QString& subkey, const QString& name)
{
    QString path = subkey;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path + QLatin1Char('/') + name;
}

void SettingsStore::RegistrySchreiben(const QString& subkey, const QString& name, const QString& value)
{
    m_settings->setValue(keyOf(subkey, name), value);
}

QString SettingsStore::RegistryWertLesen(const QString& subkey, const QString& name) const
{
    const QVariant v = m_settings->value(keyOf(subkey, name));
    if (!v.isValid())
        return {};
    // QSettings hands a value with commas back as a list; join it as it was written.
    QString text = v.typeId() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(','))
                                                         : v.toString();
    if (text.size() > 254)
        return {};
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

QString SettingsStore::RegistryLesen(const QString& subkey, const QString& name,
                                     const QString& defaultText) const
{
    const QString v = RegistryWertLesen(subkey, name);
    return v.isEmpty() ? defaultText : v;
}

bool SettingsStore::sync()
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_settings->sync();
    switch (m_settings->status()) {
    case QSettings::NoError:
        return true;
    case QSettings::FormatError:
        // a file that could not be read (random bytes) keeps this status after it was written over;
        // whether it was written shows when it is read again
        return QSettings(m_path, QSettings::IniFormat).status() == QSettings::NoError;
    case QSettings::AccessError:
        break;
    }
    return false;
}

} // namespace kav
