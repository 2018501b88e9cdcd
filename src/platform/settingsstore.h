#pragma once
// Text values under key paths, kept as strings in an INI file.
#include <QString>
#include <memory>

class QSettings;

namespace kav {

class SettingsStore {
public:
    explicit SettingsStore(const QString& iniPath);
    ~SettingsStore();

    // Default location under the user's configuration folder.
    static QString defaultPath();

    // subkey uses backslashes as in "Software\KRN-Software\Kav\Pfade".
    void RegistrySchreiben(const QString& subkey, const QString& name, const QString& value);
    // Empty when the key or value is missing or longer than 254 characters.
    QString RegistryWertLesen(const QString& subkey, const QString& name) const;
    // The value, or the default when it is missing or empty.
    QString RegistryLesen(const QString& subkey, const QString& name, const QString& defaultText) const;

    // Writes pending values to the file; false when the file could not be written (a file that could
    // not be read, and was written over, is no write error).
    bool sync();
    QString path() const { return m_path; }

private:
    static QString keyOf(const QString& subkey, const QString& name);
    QString m_path;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace kav
