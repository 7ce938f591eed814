#include "frame/OpenDocuments.h"

#include "documents/AppSettings.h"

uint8_t FormatVersionForFilter(int filterIndex) {
    return filterIndex == kDosFilterIndex ? kDosFormatVersion : kCurrentFormatVersion;
}

namespace {

platform::FileDialogRequest DialogRequest(const OptionenTyp& options, const char* title, const char* filter) {
    platform::FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.multiSelect = true;
    if (options.StandardArbeitsverzeichnisNutzen) {
        request.initialDir = options.StandardArbeitsverzeichnis;
    }
    return request;
}

}  // namespace

platform::FileDialogRequest OpenDialogRequest(const OptionenTyp& options) {
    return DialogRequest(options, kOpenDialogTitle, kOpenDialogFilter);
}

platform::FileDialogRequest ImportDialogRequest(const OptionenTyp& options) {
    return DialogRequest(options, kImportDialogTitle, kImportDialogFilter);
}

OpenDecision DecideOpen(const std::string& path, const std::vector<std::string>& fileNames, int active) {
    if (fileNames.empty()) {
        return {OpenAction::Create, 0};
    }
    if (active >= 0 && size_t(active) < fileNames.size() && fileNames[size_t(active)] == path) {
        return {OpenAction::AlreadyActive, size_t(active)};
    }
    for (size_t i = 0; i < fileNames.size(); ++i) {
        if (fileNames[i] == path) {
            return {OpenAction::Activate, i};
        }
    }
    return {OpenAction::Create, 0};
}

void ReportMissingFile(const std::string& path, RecentFileSlots& slots, platform::DialogSeam& dialogs) {
    dialogs.MessageDlg("Datei nicht gefunden: " + path, platform::MsgDlgType::Error, platform::mbOK);
    RemoveFromMRU(slots, path);
}
