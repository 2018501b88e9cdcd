#pragma once
// Colours and picture buttons shared by the plot windows.
#include <QColor>
#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QToolButton;
class QWidget;

namespace kav {

// Opens the plot or group dialog `name` for a new record (`neu`) or a change. One at a time: an open
// dialog is brought forward and keeps what is typed in it.
void plotDialogOeffnen(const QString& name, bool neu);

// A button with a picture over its caption, following the mouse.
QToolButton* bildKnopf(QWidget* eltern, const QString& name, const QString& text, const QString& hinweis);

// The row of picture buttons at the foot of a dialog, right-aligned.
QHBoxLayout* dialogKnoepfe(std::initializer_list<QToolButton*> knoepfe);

} // namespace kav
