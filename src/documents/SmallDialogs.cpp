#include "documents/SmallDialogs.h"

#include <cstdlib>

#include "documents/RowOperations.h"
#include "platform/Dialogs.h"

using platform::Dialogs;
using platform::kCancelMarker;
using platform::ModalResult;
using platform::MsgDlgType;

namespace {

int HighestUsedRow(const VokabelArrayTyp& entries) {
    for (int r = kMaxEntries; r >= 1; --r) {
        if (entries[r].InUse != 0) return r;
    }
    return 0;
}

// Digits only, as the field lets them in; a pasted sign or blank fails.
std::optional<int> ParseNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    const int number = std::atoi(text.c_str());
    if (number < 1) return std::nullopt;
    return number;
}

void ShowError(const std::string& text) { Dialogs().MessageDlg(text, MsgDlgType::Error, platform::mbOK); }

}  // namespace

int GotoItemFromLastNr(int32_t lastGotoNr) {
    if (lastGotoNr > 0) return kGotoNumber;
    // A stored value from elsewhere may name no item.
    return -lastGotoNr <= kGotoLastGap ? int(-lastGotoNr) : kGotoFirst;
}

int GotoTargetRow(const VokabelArrayTyp& entries, int item, int number) {
    switch (item) {
        case kGotoFirst: return 1;
        case kGotoLast: return HighestUsedRow(entries);
        case kGotoFirstGap:
            for (int r = 1; r <= kMaxEntries; ++r) {
                if (entries[r].InUse == 0) return r;
            }
            return 0;
        case kGotoLastGap:
            for (int r = HighestUsedRow(entries) - 1; r >= 1; --r) {
                if (entries[r].InUse == 0) return r;
            }
            return 0;
        default: return number >= 1 && number <= kMaxEntries ? number : 0;
    }
}

std::optional<int> GotoOk(const VokabelArrayTyp& entries, int item, const std::string& numberText,
                          int32_t& lastGotoNr) {
    int number = 0;
    if (item == kGotoNumber) {
        const std::optional<int> parsed = ParseNumber(numberText);
        if (!parsed) {
            ShowError("Fehler beim Umwandeln der eingegebenen Vokabelnummer.");
            return std::nullopt;
        }
        number = *parsed;
        lastGotoNr = number;
        if (number > HighestUsedRow(entries) + 1 || number > kMaxEntries) {
            if (Dialogs().MessageDlg("Vokabel ist leer. Möchten Sie zur ersten freien Stelle springen?",
                                     MsgDlgType::Confirmation,
                                     platform::mbYes | platform::mbCancel) != ModalResult::Yes) {
                return std::nullopt;
            }
            item = kGotoFirstGap;
        }
    } else {
        lastGotoNr = -item;
    }
    return GotoTargetRow(entries, item, number);
}

std::optional<std::string> AskNewWritePassword(const std::string& current) {
    if (!current.empty()) {
        for (;;) {
            const std::string old = Dialogs().AskPassword("Bitte geben Sie das bisherige Kennwort eingeben:");
            if (old == kCancelMarker) return std::nullopt;
            if (old == current) break;
        }
    }
    const std::string typed = Dialogs().AskPassword("Bitte das neue Kennwort eingeben:");
    if (typed == kCancelMarker) return std::nullopt;
    if (!typed.empty()) {
        const std::string again = Dialogs().AskPassword("Bitte das neue Kennwort zur Bestätigung noch einmal eingeben:");
        if (again != typed) {
            // A cancelled repeat is no confirmation either.
            if (again != kCancelMarker) ShowError("Die eingegebenen Kennwörter stimmen nicht überein.");
            return std::nullopt;
        }
        return typed;
    }
    if (Dialogs().MessageDlg("Möchten Sie den Schreibschutz der Datei aufheben?", MsgDlgType::Confirmation,
                             platform::mbYes | platform::mbNo) != ModalResult::Yes) {
        return std::nullopt;
    }
    return std::string();
}

std::string PasswordPairsMessage(const std::string& read1, const std::string& read2, const std::string& write1,
                                 const std::string& write2) {
    if (read1 != read2) return "Bitte geben Sie das Lese-Kennwort zweimal identisch oder überhaupt nicht ein!";
    if (write1 != write2) return "Bitte geben Sie das Schreibschutz-Kennwort zweimal identisch oder überhaupt nicht ein!";
    return "";
}

void ApplyColumnNames(VocabDocument& doc, const std::array<std::string, 7>& names) {
    doc.PushUndo("Spaltennamen ändern");
    bool changed = false;
    for (int k = 1; k <= 7; ++k) {
        ShortString<50>& name = doc.ColumnNames.Field(k);
        const std::string before = name.Get();
        name.Set(names[k - 1]);
        changed = changed || name.Get() != before;
    }
    if (changed) doc.SetModified(true);
}

std::vector<std::string> SortFieldItems(const SpaltennamenTyp& names) {
    std::vector<std::string> items;
    for (int k = 1; k <= 7; ++k) items.push_back(std::to_string(k) + ":     " + names.Field(k).Get());
    return items;
}

void SortByField(VocabDocument& doc, int field) {
    doc.PushUndo("Alphabetisch sortieren");
    SortRows(doc, field);
}
