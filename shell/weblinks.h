#pragma once

#include <QString>

class DesktopOpener;
class QWidget;
class UserDialogs;

// Hands `target` (a web address, a document or a program) to the desktop and
// tells the player in German, in a plain box over `parent`, when the desktop
// cannot open it. An empty target does nothing.
void OpenDocument(DesktopOpener& desktop, UserDialogs& dialogs, QWidget* parent, const QString& target);

// The German text for a failure code of the Windows shell; empty for a code
// the table has no text for.
QString OpenFailureText(int code);
