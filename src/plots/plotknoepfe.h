#pragma once
// Colours and picture buttons shared by the plot windows.
#include <QColor>
#include <QString>

class QToolButton;
class QWidget;

namespace kav {

// The user colour and its light shade (intRot.. and intRotHell..).
QColor benutzerFarbe();
QColor benutzerFarbeHell();

// A button with a picture over its caption, following the mouse.
QToolButton* bildKnopf(QWidget* eltern, const QString& name, const QString& text, const QString& hinweis);

} // namespace kav
