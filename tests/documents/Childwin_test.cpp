#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableView>

#include "documents/DocumentTestFiles.h"
#include "documents/FileFormatTestSupport.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/TabelleModel.h"
#include "platform/Dialogs.h"

using platform::ModalResult;
using platform::MsgDlgType;

namespace {

// A version-15 file: header, column names, font block, flags, compact entries.
std::string Version15File(const std::vector<std::vector<std::string>>& entries, const SchriftartenTyp& fonts,
                          const std::string& description) {
    using namespace fmt_test;
    std::string bytes = Header({description}, 15);
    bytes += Record({"Tschechisch", "", "Deutsch"}, 0, 0);
    for (const SchriftartTyp* f :
         {&fonts.TableMS, &fonts.TableFS, &fonts.TableHeader, &fonts.PrintMS, &fonts.PrintFS, &fonts.Print}) {
        bytes += FontBytes(f->Name.Get(), f->Color, f->Style, f->Size, f->Charset, true);
    }
    bytes += char(fonts.HeaderFonts);
    bytes += char(1);  // Present
    bytes += char(0);  // flags: no passwords
    for (const auto& fields : entries) {
        std::string text;
        for (int k = 0; k < 7; ++k) {
            const std::string f = k < int(fields.size()) ? fields[k] : "";
            bytes += char(f.size());
            text += f;
        }
        bytes += U16(0) + text;
    }
    return bytes;
}

class ChildwinTest : public ::testing::Test {
protected:
    void TearDown() override {
        std::vector<QPointer<TMDIChild>> children;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* child = qobject_cast<TMDIChild*>(w)) children.emplace_back(child);
        }
        for (auto& child : children) delete child.data();
    }

    TMDIChild* Open(const DocumentRequest& request, const std::string& caption) {
        TMDIChild* w = TMDIChild::Create(request);
        if (w == nullptr) return nullptr;
        w->SetCaption(caption);
        w->SetTag(1);
        w->resize(760, 480);
        w->show();
        return w;
    }

    static int OpenWindows() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) n += qobject_cast<TMDIChild*>(w) != nullptr ? 1 : 0;
        return n;
    }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs{dialogs};
    TempDir dir;
};

TEST_F(ChildwinTest, NewDocumentShowsBlankRowsAndTheDefaultColumnNames) {
    TMDIChild* w = Open(DocumentRequest::FromMarker("\x1b"), "Vokabeldatei 1");
    ASSERT_NE(w, nullptr);
    const VocabDocument& doc = w->Document();
    for (int r = 1; r <= 500; ++r) ASSERT_TRUE(VocabDocument::IsEntryEmpty(doc.Entries[r]));
    EXPECT_EQ(w->Model().GridRowCount(), 2);  // header and one empty row
    const char* names[] = {"1) Fremdsprache",   "2) Fremdsprache",   "1) Muttersprache ", "2) Muttersprache ",
                           "3) Muttersprache ", "4) Muttersprache ", "5) Muttersprache "};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(w->Model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toStdString(), names[c]);
    }
    EXPECT_EQ(w->Model().headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), "1");
    EXPECT_EQ(w->windowTitle(), "Vokabeldatei 1");
    EXPECT_EQ(doc.Modified, 0);
    EXPECT_EQ(w->Model().CellFont(1, 1).Font.family().toStdString(), Optionen.SchriftFS.Name.Get());
    // Nothing to fit: all seven columns equally wide.
    for (int c = 2; c <= 7; ++c) EXPECT_EQ(w->ColWidth(c), w->ColWidth(1));
    EXPECT_TRUE(w->Speichern1->isEnabled());
    EXPECT_TRUE(w->Anzeigen1->isChecked());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ChildwinTest, Version15FileShowsItsEntriesInTheFilesFonts) {
    SchriftartenTyp fonts = EmptyDocumentSnapshot.Fonts;
    fonts.TableFS = fmt_test::Font("Liberation Mono", 0x0000FF, fsBold, 14, 238);
    fonts.TableMS = fmt_test::Font("Liberation Serif", 0, 0, 11, 0);
    fonts.HeaderFonts = 1;
    const std::string path = dir.Path("tschechisch.plk");
    TempDir::Write(path, Version15File({{"\xe8" "aj", "", "Tee"}, {"pivo", "", "Bier", "", "", "", "beer"}}, fonts,
                                       "Zeile 1\r\nZeile 2"));

    TMDIChild* w = Open(DocumentRequest::FromMarker(path), path);
    ASSERT_NE(w, nullptr);
    TabelleModel& m = w->Model();
    EXPECT_EQ(m.GridRowCount(), 4);
    EXPECT_EQ(m.data(m.index(0, 0), Qt::DisplayRole).toString(), QString::fromUtf8("čaj"));  // Windows-1250
    EXPECT_EQ(m.data(m.index(1, 6), Qt::DisplayRole).toString(), "beer");
    const QFont fs = m.data(m.index(0, 0), Qt::FontRole).value<QFont>();
    EXPECT_EQ(fs.family(), "Liberation Mono");
    EXPECT_EQ(fs.pointSize(), 14);
    EXPECT_TRUE(fs.bold());
    EXPECT_EQ(m.data(m.index(0, 2), Qt::FontRole).value<QFont>().family(), "Liberation Serif");
    // With HeaderFonts the header cells take their column's font; the row numbers keep the header font.
    EXPECT_EQ(m.headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>().family(), "Liberation Mono");
    EXPECT_EQ(m.headerData(2, Qt::Horizontal, Qt::FontRole).value<QFont>().family(), "Liberation Serif");
    EXPECT_EQ(m.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Tschechisch");
    EXPECT_EQ(m.headerData(0, Qt::Vertical, Qt::FontRole).value<QFont>().family().toStdString(),
              fonts.TableHeader.Name.Get());
    EXPECT_EQ(w->Document().FormatVersion, 15);
    EXPECT_EQ(w->DescMemo->toPlainText(), "Zeile 1\nZeile 2");
    EXPECT_EQ(w->windowTitle().toStdString(), path);
}

TEST_F(ChildwinTest, UnreadableFileShowsTheLoadersMessageAndOpensNoWindow) {
    const std::string path = dir.Path("kaputt.plk");
    TempDir::Write(path, std::string(400, 'x'));
    auto data = fmt_test::NewData();
    const std::string expected = LoadVocabularyFile(path, *data, true, 1, FileFormatOptions::From(Optionen)).Message;
    ASSERT_FALSE(expected.empty());

    EXPECT_EQ(TMDIChild::Create(DocumentRequest::FromMarker(path)), nullptr);
    EXPECT_EQ(TMDIChild::Create(DocumentRequest::FromMarker(dir.Path("fehlt.plk"))), nullptr);
    EXPECT_EQ(OpenWindows(), 0);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, expected);
    EXPECT_EQ(dialogs.shown[0].type, MsgDlgType::Error);
    EXPECT_NE(dialogs.shown[1].text.find("fehlt.plk"), std::string::npos);
}

TEST_F(ChildwinTest, MarkedRowPaintsNavyWithWhiteText) {
    auto doc = std::make_unique<VocabDocument>();
    for (int r = 1; r <= 3; ++r) doc->Entries[r] = fmt_test::Entry({"Wort" + std::to_string(r), "", "word"});
    MarksSet(doc->Marks, 2);
    auto* w = new TMDIChild(std::move(doc));
    w->resize(760, 480);
    w->show();

    const int h = w->RowHeight();
    const QImage body = w->Tabelle->viewport()->grab().toImage();
    const QImage numbers = w->Tabelle->verticalHeader()->grab().toImage();
    const QColor navy(0, 0, 128);
    const int inside = w->ColWidth(1) - 4;  // right of the text
    EXPECT_EQ(body.pixelColor(inside, h + h / 2), navy);
    EXPECT_EQ(body.pixelColor(inside, h / 2), QColor(Qt::white));  // row 1 is not marked
    EXPECT_EQ(numbers.pixelColor(2, h + h / 2), navy);
    EXPECT_NE(numbers.pixelColor(2, h / 2), navy);
    // The text of the marked row is white on the navy.
    int white = 0;
    for (int x = 0; x < w->ColWidth(1); ++x) {
        for (int y = h; y < 2 * h; ++y) white += body.pixelColor(x, y) == QColor(Qt::white) ? 1 : 0;
    }
    EXPECT_GT(white, 5);
}

TEST_F(ChildwinTest, ClosingAModifiedWindowAsksAndCancelKeepsIt) {
    QPointer<TMDIChild> w = Open(DocumentRequest::FromMarker("\x1b"), "Vokabeldatei 1");
    ASSERT_TRUE(w);
    w->SetModified(true);
    EXPECT_EQ(w->windowTitle(), "Vokabeldatei 1 *");
    dialogs.messageAnswers = {ModalResult::Cancel};
    EXPECT_FALSE(w->close());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Datei  wurde geändert. Änderungen speichern?"});

    dialogs.messageAnswers = {ModalResult::No};
    EXPECT_TRUE(w->close());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(w);
}

// Another writer or a damaged file may leave sizes of 0 or below in the font
// block: the grid shows those fonts at the default fonts' sizes, and saving
// writes the block back as it was.
TEST_F(ChildwinTest, FontsWithoutASizeShowAtTheDefaultSizeAndAreSavedUnchanged) {
    const std::vector<std::vector<std::string>> entries = {{"amare", "", "lieben"}};
    const std::string sized = dir.Path("latein.plk");
    TempDir::Write(sized, Version15File(entries, EmptyDocumentSnapshot.Fonts, ""));
    SchriftartenTyp fonts = EmptyDocumentSnapshot.Fonts;
    int32_t size = 0;
    for (FontPlace place : kFontPlaces) (fonts.*place).Size = size--;
    const std::string unsized = dir.Path("ohne-groessen.plk");
    TempDir::Write(unsized, Version15File(entries, fonts, ""));

    TMDIChild* reference = Open(DocumentRequest::FromMarker(sized), sized);
    TMDIChild* w = Open(DocumentRequest::FromMarker(unsized), unsized);
    ASSERT_NE(reference, nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->RowHeight(), reference->RowHeight());
    const TabelleModel& m = w->Model();
    EXPECT_EQ(m.data(m.index(0, 0), Qt::FontRole).value<QFont>().pointSize(), Optionen.SchriftFS.Size);
    EXPECT_EQ(m.data(m.index(0, 2), Qt::FontRole).value<QFont>().pointSize(), Optionen.SchriftMS.Size);
    EXPECT_EQ(m.headerData(0, Qt::Vertical, Qt::FontRole).value<QFont>().pointSize(), Optionen.SchriftTab.Size);
    EXPECT_EQ(w->Document().Fonts.TableFS.Size, -1);

    w->SetModified(true);
    w->Speichern1->trigger();
    EXPECT_EQ(w->Document().Modified, 0);
    auto data = fmt_test::NewData();
    ASSERT_EQ(LoadVocabularyFile(unsized, *data, true, 1, FileFormatOptions::From(Optionen)).Message, "");
    fonts.Present = 1;
    EXPECT_EQ(data->Fonts, fonts);
}

TEST_F(ChildwinTest, RestoringFromMinimisedKeepsTheDocumentAndTheCaptionFollows) {
    const std::string path = dir.Path("latein.plk");
    TempDir::Write(path, Version15File({{"amare", "", "lieben"}}, EmptyDocumentSnapshot.Fonts, ""));
    TMDIChild* w = Open(DocumentRequest::FromMarker(path), path);
    ASSERT_NE(w, nullptr);
    w->SetModified(true);
    w->showMinimized();
    EXPECT_EQ(w->windowTitle(), "latein.plk *");
    w->showNormal();
    EXPECT_EQ(w->Document().Modified, 1);
    EXPECT_EQ(w->windowTitle().toStdString(), path + " *");
}

TEST_F(ChildwinTest, HidingAndShowingTheList) {
    TMDIChild* w = Open(DocumentRequest::FromMarker("\x1b"), "Vokabeldatei 1");
    ASSERT_NE(w, nullptr);
    w->HideTable();
    EXPECT_FALSE(w->Tabelle->isVisible());
    EXPECT_FALSE(w->DescMemo->isVisible());
    EXPECT_FALSE(w->Anzeigen1->isChecked());
    w->AnzeigButtonClick();
    EXPECT_TRUE(w->Tabelle->isVisible());
    EXPECT_TRUE(w->DescMemo->isVisible());
    EXPECT_TRUE(w->Anzeigen1->isChecked());
    // The menu item toggles: the description follows the option.
    Optionen.BeschreibungImFensterZeigen = false;
    w->Anzeigen1->trigger();
    EXPECT_FALSE(w->Tabelle->isVisible());
    w->Anzeigen1->trigger();
    EXPECT_TRUE(w->Tabelle->isVisible());
    EXPECT_FALSE(w->DescMemo->isVisible());
    EXPECT_EQ(w->Tabelle->y(), 0);
}

}  // namespace
