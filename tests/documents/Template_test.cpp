// Templates: the 1,016-byte file, older font blocks and damaged files.
#include <gtest/gtest.h>

#include "documents/FileFormatTestSupport.h"
#include "documents/LoadSave.h"
#include "platform/Dialogs.h"

using namespace fmt_test;

namespace {

class TemplateTest : public ::testing::Test {
protected:
    TempDir dir;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope{dialogs};
};

std::string TemplateHeader(const std::string& description, uint16_t version) {
    return Record({"Pelko32-Vorlage", "", description}, 1, version);
}

TEST_F(TemplateTest, BytesAndRoundTrip) {
    auto d = SampleData();
    d->Fonts.Present = 0;
    ASSERT_EQ(SaveTemplate(dir.Path("muster.plv"), *d, {false, true, true}), "");
    Golden g;
    g.Add(TemplateHeader("Englisch, Lektion 1", 11));
    g.Add(Record({"Englisch", "", "Deutsch"}, 0, 0));
    g.Add(FontBytes("Arial", 0x000000, 0, 10, 0, true) + FontBytes("Times New Roman", 0x0000FF, fsBold, 12, 238, true) +
          FontBytes("Arial", 0x800000, fsItalic, 9, 0, true) + FontBytes("Courier New", 0, 0, 11, 0, true) +
          FontBytes("Courier New", 0, fsUnderline, 11, 0, true) + FontBytes("Arial", 0x123456, 0, 8, 0, true) +
          "\x01" + std::string(1, '\0'));
    EXPECT_TRUE(Matches(ReadFile(dir.Path("muster.plv")), g));

    auto back = NewData();
    ASSERT_EQ(LoadTemplate(" " + dir.Path("muster.plv") + " >", *back), "");
    EXPECT_EQ(back->Description, d->Description);
    EXPECT_EQ(back->ColumnNames, d->ColumnNames);
    d->Fonts.Present = 1;
    EXPECT_EQ(back->Fonts, d->Fonts);
}

TEST_F(TemplateTest, OldTemplatesCarryTheShortFontBlock) {
    std::string fonts;
    for (int i = 0; i < 6; ++i) {
        fonts += FontBytes(i == 4 ? "Courier New" : "Arial", 0x10 * i, 0, 8 + i, 0, false);
    }
    WriteFile(dir.Path("alt.plv"), TemplateHeader("alt", 10) + Record({"A", "B"}, 0, 0) + fonts + std::string("\x01\x00", 2));
    auto d = NewData();
    d->Fonts.PrintFS.Charset = 238;
    ASSERT_EQ(LoadTemplate(dir.Path("alt.plv") + ">", *d), "");
    EXPECT_EQ(d->Fonts.PrintFS.Name.Get(), "Courier New");
    EXPECT_EQ(int32_t(d->Fonts.PrintFS.Size), 12);
    EXPECT_EQ(d->Fonts.PrintFS.Charset, 238);  // kept
    EXPECT_EQ(d->Fonts.HeaderFonts, 1);
    EXPECT_EQ(d->Fonts.Present, 1);
}

TEST_F(TemplateTest, DamagedTemplatesGiveTheirMessages) {
    auto d = SampleData();
    ASSERT_EQ(SaveTemplate(dir.Path("t.plv"), *d, {false, true, true}), "");
    const std::string good = ReadFile(dir.Path("t.plv"));
    const std::string q = "\"" + dir.Path("t.plv") + "\"";
    std::string wrongMagic = good;
    wrongMagic[3] = 'x';
    std::string tooNew = good;
    tooNew[358] = 12;
    const std::pair<std::string, std::string> cases[] = {
        {good.substr(0, 300), "Konnte nur 300 Bytes aus der Datei " + q + " lesen."},
        {good.substr(0, 700), "Konnte nur 700 Bytes aus der Datei " + q + " lesen."},
        {good.substr(0, 1000), "Konnte nur 640 Bytes der Schriftarten-Informationen aus der Datei " + q + " lesen."},
        {wrongMagic, "Dies ist keine gültige Pelko32-Vorlage."},
        {tooNew, "Die Version der zu öffnenden Datei ist zu neu. Diese Version von Pelko32 kann diese Datei nicht "
                 "öffnen. Laden Sie aus dem Internet die neuste Version herunter."},
    };
    for (const auto& [bytes, message] : cases) {
        WriteFile(dir.Path("t.plv"), bytes);
        auto back = NewData();
        EXPECT_EQ(LoadTemplate(dir.Path("t.plv") + ">", *back), message);
        EXPECT_EQ(back->Fonts.Present, 0);  // a half-read block never counts as fonts
    }
    auto back = NewData();
    EXPECT_EQ(LoadTemplate(dir.Path("fehlt.plv") + ">", *back),
              "Die Datei \"" + dir.Path("fehlt.plv") +
                  "\" kann nicht geöffnet werden: Die Datei oder der Ordner existiert nicht.");
}

}  // namespace
