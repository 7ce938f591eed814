#pragma once
// Qt's own dialogs (file, print, page setup, font, colour) and the standard
// texts of edit fields speak German like every other text of both programs,
// whatever the user's locale; so do the sizes, types and dates a file dialog
// lists.

class QCoreApplication;
class QFileDialog;

namespace platform {

// Installs Qt's German translations and makes German the default locale;
// false when the translations are not installed here.
bool SpeakGerman(QCoreApplication& app);

// Qt's file list formats sizes and dates in the session's own language;
// the dialog shows them in German instead.
void ListFilesInGerman(QFileDialog& dialog);

}  // namespace platform
