#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace vorex::ui {

// The places the user manual VorexDoc.htm is looked for, in order: beside the executable, where
// the build copies it, then in ../share/vorex relative to it, where an installation puts it. Both
// follow the program, so an installed or moved program never looks into the tree it was built in.
QStringList HelpFileCandidates();
QStringList HelpFileCandidates(const QString& programFolder);

// The first of the candidates that is a readable file; empty when there is none.
QString HelpFilePath();

// Shows the manual in the one modeless window "Vorex Help" (a QTextBrowser: its anchors work,
// Escape hides it), made on the first call and kept, and brings it to the front. When the manual
// cannot be found, a message box names the places it was looked for.
void ShowHelp(QWidget* parent);

}  // namespace vorex::ui
