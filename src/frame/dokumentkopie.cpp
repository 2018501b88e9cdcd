#include "frame/dokumentkopie.h"

#include "frame/oberflaeche.h"
#include "frame/mdizentral.h"
#include "services/appcontext.h"
#include "services/meldungsbox.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace kav {

namespace {

DokumentWege& wege()
{
    static DokumentWege w{[](QWidget* eltern, const QString& vorschlag) {
        return QFileDialog::getSaveFileName(
            eltern, QStringLiteral("Kopie der %1 speichern").arg(QFileInfo(vorschlag).completeBaseName()), vorschlag,
            QStringLiteral("PDF-Dokumente (*.pdf)"));
    }};
    return w;
}

} // namespace

DokumentWege setDokumentWege(DokumentWege neu)
{
    DokumentWege alt = wege();
    wege() = std::move(neu);
    return alt;
}

void KopieAnbieten(const QString& pfad, const QString& dokument, const QString& titel)
{
    const auto antwort = JaNeinFrage(
        titel,
        QStringLiteral("Die %1 wurde als „%2“ gespeichert, aber kein Programm zum Anzeigen von "
                       "PDF-Dokumenten konnte sie öffnen. Diese Datei wird beim Beenden von Kav gelöscht.\n\n"
                       "Möchten Sie eine Kopie an einem Ort Ihrer Wahl speichern?")
            .arg(dokument, QDir::toNativeSeparators(pfad)),
        QMessageBox::Yes, ui().haupt.data(), QMessageBox::Yes | QMessageBox::No, QMessageBox::Question);
    if (antwort != QMessageBox::Yes || !wege().speicherort)
        return;
    const QString ziel = wege().speicherort(ui().haupt.data(), QDir::homePath() + QLatin1Char('/') + dokument
                                                                   + QStringLiteral(".pdf"));
    if (ziel.isEmpty())
        return;
    const auto melde = [&](const QString& text) {
        if (app().anzeige)
            app().anzeige->zeige(Meldung{0, titel, text, Meldung::Symbol::Warnung});
    };
    // the document itself chosen as the copy: it is kept, and the user is told that it still goes
    if (QFileInfo(ziel).canonicalFilePath() == QFileInfo(pfad).canonicalFilePath()) {
        melde(QStringLiteral("„%1“ ist das Dokument selbst, das beim Beenden von Kav gelöscht wird. Bitte "
                             "speichern Sie die Kopie unter einem anderen Namen oder in einem anderen Ordner.")
                  .arg(QDir::toNativeSeparators(ziel)));
        return;
    }
    if (QFile::exists(ziel))
        QFile::remove(ziel);
    if (!QFile::copy(pfad, ziel))
        melde(QStringLiteral("Die Kopie „%1“ konnte nicht gespeichert werden.").arg(QDir::toNativeSeparators(ziel)));
}

} // namespace kav
