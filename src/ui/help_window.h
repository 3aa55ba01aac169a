#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace vorex::ui {

// The places the user manual VorexDoc.htm is looked for, in order: beside the executable, in
// ../docs relative to it, and in the source tree's docs folder (when the build named it).
QStringList HelpFileCandidates();

// The first of the candidates that is a readable file; empty when there is none.
QString HelpFilePath();

// Shows the manual in the one modeless window "Vorex Help" (a QTextBrowser: its anchors work,
// Escape hides it), made on the first call and kept, and brings it to the front. When the manual
// cannot be found, a message box names the places it was looked for.
void ShowHelp(QWidget* parent);

}  // namespace vorex::ui
