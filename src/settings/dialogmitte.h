#pragma once
// Places a dialog window over the middle of another window, within the screen.
class QWidget;

namespace kav {

void DialogZentrieren(QWidget* dialog, const QWidget* bezug);

} // namespace kav
