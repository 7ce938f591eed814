#include "platform/CodePage.h"

#include <gtest/gtest.h>

using platform::CodePage;

TEST(CodePageTest, EveryByteRoundTripsInBothPages) {
    for (CodePage page : {CodePage::Cp1252, CodePage::Cp1250}) {
        std::string all;
        for (int b = 0; b < 256; ++b) {
            char32_t cp = platform::ByteToUnicode(page, static_cast<uint8_t>(b));
            EXPECT_EQ(platform::UnicodeToByte(page, cp), b) << b;
            all += static_cast<char>(b);
        }
        std::string utf8 = platform::BytesToUtf8(page, all);
        EXPECT_EQ(platform::Utf8ToBytes(page, utf8), all);
    }
}

TEST(CodePageTest, KnownCharacters) {
    struct Case {
        CodePage page;
        uint8_t byte;
        char32_t codePoint;
    };
    const Case cases[] = {
        {CodePage::Cp1252, 0x41, U'A'},     {CodePage::Cp1252, 0x80, U'€'},    {CodePage::Cp1252, 0x8A, U'Š'},
        {CodePage::Cp1252, 0x9F, U'Ÿ'},     {CodePage::Cp1252, 0xA0, 0x00A0},  {CodePage::Cp1252, 0xDF, U'ß'},
        {CodePage::Cp1252, 0xE4, U'ä'},     {CodePage::Cp1252, 0xFF, U'ÿ'},    {CodePage::Cp1252, 0x81, 0x0081},
        {CodePage::Cp1252, 0x8D, 0x008D},   {CodePage::Cp1252, 0x8F, 0x008F},  {CodePage::Cp1252, 0x90, 0x0090},
        {CodePage::Cp1252, 0x9D, 0x009D},   {CodePage::Cp1250, 0x80, U'€'},    {CodePage::Cp1250, 0x8C, U'Ś'},
        {CodePage::Cp1250, 0xA5, U'Ą'},     {CodePage::Cp1250, 0xB9, U'ą'},    {CodePage::Cp1250, 0xE4, U'ä'},
        {CodePage::Cp1250, 0xE8, U'č'},     {CodePage::Cp1250, 0xF5, U'ő'},    {CodePage::Cp1250, 0xFF, U'˙'},
        {CodePage::Cp1250, 0x83, 0x0083},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::ByteToUnicode(c.page, c.byte), c.codePoint) << int(c.byte);
        EXPECT_EQ(platform::UnicodeToByte(c.page, c.codePoint), c.byte) << int(c.byte);
    }
    EXPECT_EQ(platform::BytesToUtf8(CodePage::Cp1252, "Gr\xFC\xDF" "e \x80"), "Grüße €");
    EXPECT_EQ(platform::BytesToUtf8(CodePage::Cp1250, "\xE8" "a\x9A"), "čaš");
}

TEST(CodePageTest, CharacterWithoutCodeIsReported) {
    EXPECT_EQ(platform::UnicodeToByte(CodePage::Cp1252, U'ą'), std::nullopt);
    EXPECT_EQ(platform::UnicodeToByte(CodePage::Cp1250, U'ñ'), std::nullopt);
    EXPECT_EQ(platform::UnicodeToByte(CodePage::Cp1252, U'😀'), std::nullopt);
    EXPECT_EQ(platform::Utf8ToBytes(CodePage::Cp1252, "Grüße"), std::string("Gr\xFC\xDF" "e"));
    EXPECT_EQ(platform::Utf8ToBytes(CodePage::Cp1252, "Zaąb"), std::nullopt);
    EXPECT_EQ(platform::Utf8ToBytes(CodePage::Cp1250, "Zaąb"), std::string("Za\xB9" "b"));
    EXPECT_EQ(platform::Utf8ToBytes(CodePage::Cp1252, ""), "");
    // Text that is not UTF-8 is refused as well.
    for (const char* bad : {"\xC3", "\xC3\x28", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF"}) {
        EXPECT_EQ(platform::Utf8ToBytes(CodePage::Cp1252, bad), std::nullopt) << bad;
    }
}

TEST(CodePageTest, CharsetChoosesThePage) {
    EXPECT_EQ(platform::CodePageForCharset(238), CodePage::Cp1250);
    EXPECT_EQ(platform::CodePageForCharset(0), CodePage::Cp1252);
    EXPECT_EQ(platform::CodePageForCharset(1), CodePage::Cp1252);
}
