#include "platform/ui/Glyphs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "common/NoIconTheme.h"
#include "platform/TempDir.h"

using namespace platform;

TEST(GlyphsTest, EveryOwnGlyphHasTheSizesOfButtonsAndToolbars) {
    NoIconTheme none;
    for (const char* name : {"neu", "assistent", "oeffnen", "speichern", "rueckgaengig", "wiederherstellen", "drucken",
                             "ausschneiden", "kopieren", "einfuegen", "suchen", "weitersuchen", "eingabemaske",
                             "lernen", "abfragen", "hangman", "autosize", "schriftarten", "optionen", "lautsprecher",
                             "stumm", "gefragt", "eingegeben", "richtig", "ok", "abbrechen", "zurueck", "vorwaerts",
                             "inhalt", "verlauf", "ende", "neuladen"}) {
        const QIcon glyph = Glyph("kein-solches-symbol", name);
        EXPECT_EQ(glyph.availableSizes(), (QList<QSize>{{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}})) << name;
    }
    for (const QIcon& icon : {MainProgramIcon(), HelpViewerIcon()}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(256, 256)));
        EXPECT_FALSE(icon.pixmap(32).isNull());
    }
    EXPECT_TRUE(OwnGlyph("kein-solches-symbol").isNull());
}

TEST(GlyphsTest, TheDesktopsThemeComesFirstWhereItHasTheIcon) {
    TempDir dir;
    QDir(QString::fromStdString(dir.Path())).mkpath("probe/24x24/actions");
    TempDir::Write(dir.Path("probe/index.theme"),
                   "[Icon Theme]\nName=Probe\nDirectories=24x24/actions\n\n[24x24/actions]\nSize=24\nType=Fixed\n");
    QImage red(24, 24, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(QString::fromStdString(dir.Path("probe/24x24/actions/document-new.png"))));
    NoIconTheme restore;
    QIcon::setThemeSearchPaths({QString::fromStdString(dir.Path())});
    QIcon::setThemeName("probe");
    EXPECT_EQ(Glyph("document-new", "neu").pixmap(24).toImage().pixelColor(12, 12), QColor(Qt::red));
    EXPECT_EQ(Glyph("edit-undo", "rueckgaengig").pixmap(24).toImage(), OwnGlyph("rueckgaengig").pixmap(24).toImage());
}
