#pragma once
// Web pages and mail through the desktop.
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace kav {

// The address as a web address: "www.x.de" gets "http://"; an invalid address gives an empty URL.
QUrl webAdresse(const QString& strAdresse);
// "mailto:" + address + "?Subject= Kav - Humavera".
QUrl mailAdresse(const QString& strAdresse);

// Opens the page in the user's browser. Tells the user when it cannot: "Der Browser konnte nicht
// gestartet werden." when the desktop cannot open it, the page-load message for an unusable address.
void InternetSeiteOeffnen(const QString& strAdresse);
// Opens a new mail to the address. When no mail program starts, the user is told so, with the address.
void MailSenden(const QString& strAdresse);

// Makes a caption look like a link: blue, underlined, the hand over it.
void LinkAussehen(QWidget* beschriftung);

// Opens a written document (a PDF) with the program the desktop associates with it; false when none
// opened it.
bool DokumentOeffnen(const QString& strDatei);
// The opener of documents (the desktop's; tests put their own in). Returns the old one.
using DokumentOeffner = std::function<bool(const QString& datei)>;
DokumentOeffner setDokumentOeffner(DokumentOeffner oeffner);

// The opener of web and mail addresses (the desktop's; tests put their own in). Returns the old one.
using LinkOeffner = std::function<bool(const QUrl&)>;
LinkOeffner setLinkOeffner(LinkOeffner oeffner);

} // namespace kav
