#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "documents/AppSettings.h"
#include "documents/ui/AppSettingsQt.h"

namespace {

template <typename T>
std::vector<uint8_t> BytesOf(const T& record) {
    std::vector<uint8_t> bytes(sizeof(T));
    std::memcpy(bytes.data(), &record, sizeof(T));
    return bytes;
}

VokabelTyp Entry(const std::string& fs1) {
    VokabelTyp e;
    e.FS1.Set(fs1);
    e.InUse = 1;
    return e;
}

}  // namespace

TEST(RecordLayoutTest, EntryFieldsSitWhereTheFilesExpectThem) {
    VokabelTyp e;
    for (int k = 1; k <= 7; ++k) {
        e.Field(k).Set(std::string(size_t(k), char('a' + k - 1)));
    }
    e.InUse = 1;
    e.Reserve = 0x0F02;
    const auto bytes = BytesOf(e);
    for (int k = 1; k <= 7; ++k) {
        const size_t start = 51 * size_t(k - 1);
        EXPECT_EQ(bytes[start], k) << "field " << k;
        EXPECT_EQ(bytes[start + 1], 'a' + k - 1) << "field " << k;
    }
    EXPECT_EQ(bytes[357], 1);
    EXPECT_EQ(bytes[358], 0x02);
    EXPECT_EQ(bytes[359], 0x0F);
}

TEST(RecordLayoutTest, FontBlockKeepsItsOrderAndFillers) {
    SchriftartenTyp block;
    block.TableMS.Name.Set("MS");
    block.TableFS.Name.Set("FS");
    block.Print.Color = 0x00332211;
    block.Print.Style = fsBold | fsStrikeOut;
    block.Print.Size = -2;
    block.Print.Charset = 238;
    block.HeaderFonts = 1;
    block.Present = 1;
    const auto bytes = BytesOf(block);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[49], 2);
    EXPECT_EQ(bytes[50], 'F');
    const size_t print = 245;
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + print + 36, bytes.begin() + print + 49),
              (std::vector<uint8_t>{0x11, 0x22, 0x33, 0x00, 9, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 238}));
    EXPECT_EQ(bytes[294], 1);
    EXPECT_EQ(bytes[295], 1);
}

TEST(ShortStringTest, CorruptLengthNeverReadsPastTheField) {
    VokabelTyp e;
    e.FS1.Set(std::string(50, 'x'));
    e.FS2.Set("next");
    std::vector<uint8_t> bytes = BytesOf(e);
    bytes[0] = 255;  // as a damaged file might have it
    std::memcpy(&e, bytes.data(), sizeof e);
    EXPECT_EQ(e.FS1.Length(), 50u);
    EXPECT_EQ(e.FS1.Get(), std::string(50, 'x'));

    ShortString<5> s;
    s.Set("abcdefgh");
    EXPECT_EQ(s.Get(), "abcde");
    s.Set("ab");
    EXPECT_EQ(std::string(s.chars, 5), std::string("ab\0\0\0", 5));
    s.Clear();  // copies nothing, so no null source reaches memcpy
    EXPECT_TRUE(s.Empty());
    EXPECT_EQ(std::string(s.chars, 5), std::string(5, '\0'));
}

TEST(RecordLayoutTest, InUseIsOnlyEverSwitchedOn) {
    VokabelTyp empty;
    RecomputeInUse(empty);
    EXPECT_EQ(empty.InUse, 0);

    VokabelTyp filled;
    filled.MS5.Set("x");
    RecomputeInUse(filled);
    EXPECT_EQ(filled.InUse, 1);

    VokabelTyp keptInUse;
    keptInUse.InUse = 1;
    RecomputeInUse(keptInUse);
    EXPECT_EQ(keptInUse.InUse, 1);
}

TEST(ClipListTest, CyclesThroughTheEntriesInAppendOrder) {
    ZwischenspeicherTyp clip;
    ClipListReset(clip);
    EXPECT_TRUE(ClipListAtEnd(clip));
    for (const char* text : {"eins", "zwei", "drei"}) {
        ClipListAppend(clip, Entry(text));
    }
    EXPECT_EQ(ClipListCount(clip), 3);
    EXPECT_FALSE(ClipListAtEnd(clip));

    VokabelTyp out;
    const std::vector<std::pair<std::string, bool>> expected = {
        {"eins", false}, {"zwei", false}, {"drei", true}, {"eins", false}};
    for (const auto& [text, last] : expected) {
        EXPECT_EQ(ClipListNext(clip, out), last) << text;
        EXPECT_EQ(out.FS1.Get(), text);
    }
}

TEST(ClipListTest, EmptyClipboardYieldsTheBlankEntry) {
    ZwischenspeicherTyp clip;
    clip.Entries[1] = Entry("alt");
    ClipListReset(clip);
    VokabelTyp out = Entry("vorher");
    EXPECT_TRUE(ClipListNext(clip, out));
    EXPECT_EQ(out, BlankEntry);
    EXPECT_EQ(clip.Cursor, 1);
}

TEST(ClipListTest, AppendStopsAtTheLastSlot) {
    ZwischenspeicherTyp clip;
    ClipListReset(clip);
    for (int i = 0; i < 505; ++i) {
        ClipListAppend(clip, Entry(std::to_string(i)));
    }
    EXPECT_EQ(ClipListCount(clip), 500);
    EXPECT_EQ(clip.Entries[500].FS1.Get(), "499");
}

TEST(MarksTest, RangeAnchorIsTheSecondArgument) {
    for (const auto& [a, b] : {std::pair<uint16_t, uint16_t>{7, 3}, {3, 7}}) {
        MarkierungTyp marks;
        MarksSetRange(marks, a, b);
        for (int row = 1; row <= 10; ++row) {
            EXPECT_EQ(MarksGet(marks, row), row >= 3 && row <= 7) << a << "," << b << " row " << row;
        }
        EXPECT_EQ(marks.Anchor, b);
    }
}

TEST(MarksTest, ToggleSetAndExtend) {
    MarkierungTyp marks;
    EXPECT_FALSE(MarksAny(marks));
    MarksToggle(marks, 10);
    EXPECT_TRUE(MarksAny(marks));
    EXPECT_FALSE(MarksSeveral(marks));
    EXPECT_EQ(marks.Anchor, 10);

    MarksExtendTo(marks, 12);
    EXPECT_TRUE(MarksSeveral(marks));
    EXPECT_TRUE(MarksGet(marks, 11));
    EXPECT_EQ(marks.Anchor, 12);

    MarksToggle(marks, 12);
    EXPECT_FALSE(MarksGet(marks, 12));

    MarksClear(marks);
    EXPECT_FALSE(MarksAny(marks));
    EXPECT_EQ(marks.Anchor, 0);
    // No anchor yet: only the row itself.
    MarksExtendTo(marks, 5);
    EXPECT_TRUE(MarksGet(marks, 5));
    EXPECT_FALSE(MarksSeveral(marks));
    EXPECT_EQ(marks.Anchor, 5);
}

TEST(MarksTest, RowsOutsideTheTableAreIgnored) {
    MarkierungTyp marks;
    MarksSet(marks, 0);
    MarksToggle(marks, 501);
    MarksSet(marks, -3);
    EXPECT_FALSE(MarksAny(marks));
    EXPECT_EQ(marks.Anchor, 0);
    MarksSetRange(marks, 0, 600);
    EXPECT_TRUE(MarksGet(marks, 1));
    EXPECT_TRUE(MarksGet(marks, 500));
    EXPECT_FALSE(MarksGet(marks, 501));
}

TEST(FontRecordTest, OldFormKeepsTheCharsetAndUnnamedBytes) {
    SchriftartAltTyp old;
    old.Name.Set("Courier New");
    old.Color = 0x123456;
    old.Style = fsItalic;
    old.Size = 14;
    SchriftartTyp rec;
    rec.Charset = 238;
    FontRecOldToNew(old, rec);
    EXPECT_EQ(rec.Name.Get(), "Courier New");
    EXPECT_EQ(rec.Color, 0x123456u);
    EXPECT_EQ(rec.Style, fsItalic);
    EXPECT_EQ(rec.Size, 14);
    EXPECT_EQ(rec.Charset, 238);

    SchriftartAltTyp back;
    back.Filler1[1] = 0xAA;
    back.Filler2[2] = 0xBB;
    FontRecNewToOld(rec, back);
    EXPECT_EQ(back.Name.Get(), "Courier New");
    EXPECT_EQ(back.Size, 14);
    EXPECT_EQ(back.Filler1[1], 0xAA);
    EXPECT_EQ(back.Filler2[2], 0xBB);
}

TEST(FontConversionTest, RecordAndQtFontRoundTrip) {
    SchriftartTyp rec;
    rec.Name.Set("Times New Roman");
    rec.Color = 0x000080;  // maroon
    rec.Style = fsBold | fsUnderline;
    rec.Size = 12;
    rec.Charset = 238;
    TFontObject font;
    font.Font.setItalic(true);
    FontRecToFont(rec, font, &SchriftartenTyp::TableFS);
    EXPECT_EQ(font.Font.family(), "Times New Roman");
    EXPECT_EQ(font.Color, QColor(128, 0, 0));
    EXPECT_EQ(font.Font.pointSize(), 12);
    EXPECT_EQ(font.Charset, 238);
    EXPECT_TRUE(font.Font.bold());
    EXPECT_FALSE(font.Font.italic());
    EXPECT_TRUE(font.Font.underline());
    EXPECT_FALSE(font.Font.strikeOut());

    SchriftartTyp back;
    FontToFontRec(back, font);
    EXPECT_EQ(back, rec);
}

TEST(FontConversionTest, FaceNamesGoThroughWindows1252) {
    SchriftartTyp rec;
    rec.Name.Set("Caf\xe9 \x80");
    TFontObject font;
    FontRecToFont(rec, font, &SchriftartenTyp::TableFS);
    EXPECT_EQ(font.Font.family(), QString::fromUtf8("Café €"));
    font.Font.setFamily(QString::fromUtf8("Café € \u4e2d"));
    FontToFontRec(rec, font);
    EXPECT_EQ(rec.Name.Get(), "Caf\xe9 \x80 ?");
}

TEST(FontConversionTest, LongFaceNameIsCutTo32Characters) {
    TFontObject font;
    font.Font.setFamily(QString(40, QChar('N')));
    font.Font.setStrikeOut(true);
    SchriftartTyp rec;
    FontToFontRec(rec, font);
    EXPECT_EQ(rec.Name.Get(), std::string(32, 'N'));
    EXPECT_EQ(rec.Style, fsStrikeOut);
}

TEST(FontConversionTest, DamagedSizeStaysUsable) {
    SchriftartTyp rec;
    rec.Name.Set("Arial");
    TFontObject font;
    for (int32_t size : {0, -5, 2000000000}) {
        rec.Size = size;
        FontRecToFont(rec, font, &SchriftartenTyp::TableFS);
        EXPECT_GE(font.Font.pointSize(), 1) << size;
        EXPECT_LE(font.Font.pointSize(), 1000) << size;
    }
}
