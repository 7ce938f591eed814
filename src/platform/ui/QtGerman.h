#pragma once
// Qt's own dialogs (file, print, page setup, font, colour) and the standard
// texts of edit fields speak German like every other text of both programs,
// whatever the user's locale.

class QCoreApplication;

namespace platform {

// Installs Qt's German translations; false when they are not installed here.
bool InstallGermanQtTranslations(QCoreApplication& app);

}  // namespace platform
