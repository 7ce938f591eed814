// GIF decoding against files from an outside encoder, with Qt's own reader
// as the oracle for first frames, and the animation driven by a fake clock.
#include "htmlengine/PageGif.h"
#include "GifAnimations.h"
#include "ImageFixtures.h"
#include "htmlengine/PageImages.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace htmlengine;

namespace {

std::unique_ptr<TGIFImage> Load(std::span<const uint8_t> bytes, const ScreenState& screen) {
    bool nonAnimated = false;
    return LoadGifFromStream(bytes, screen, nonAnimated);
}

// Rewrites a GIF's pixel data into sub-blocks of the given size, optionally
// with a stray zero byte after every frame; codeSizeAt gets the offset of the
// first frame's code-size byte.
std::vector<uint8_t> Rewrite(const std::vector<uint8_t>& in, size_t blockSize, bool strayZeros,
                             size_t* codeSizeAt = nullptr) {
    std::vector<uint8_t> out(in.begin(), in.begin() + 13);
    size_t p = 13;
    if (in[10] & 0x80) {
        const size_t n = 3 * (size_t(1) << ((in[10] & 7) + 1));
        out.insert(out.end(), in.begin() + ptrdiff_t(p), in.begin() + ptrdiff_t(p + n));
        p += n;
    }
    auto copySubBlocks = [&] {
        for (;;) {
            const size_t len = in[p];
            out.insert(out.end(), in.begin() + ptrdiff_t(p), in.begin() + ptrdiff_t(p + 1 + len));
            p += 1 + len;
            if (len == 0) {
                return;
            }
        }
    };
    while (p < in.size()) {
        const uint8_t block = in[p];
        if (block == 0x21) {
            out.push_back(in[p]);
            out.push_back(in[p + 1]);
            p += 2;
            copySubBlocks();
        } else if (block == 0x2C) {
            size_t n = 10;
            if (in[p + 9] & 0x80) {
                n += 3 * (size_t(1) << ((in[p + 9] & 7) + 1));
            }
            out.insert(out.end(), in.begin() + ptrdiff_t(p), in.begin() + ptrdiff_t(p + n + 1));
            if (codeSizeAt && *codeSizeAt == 0) {
                *codeSizeAt = out.size() - 1;
            }
            p += n + 1;
            std::vector<uint8_t> data;
            for (size_t len; (len = in[p]) != 0; p += 1 + len) {
                data.insert(data.end(), in.begin() + ptrdiff_t(p + 1), in.begin() + ptrdiff_t(p + 1 + len));
            }
            ++p;
            for (size_t i = 0; i < data.size(); i += blockSize) {
                const size_t len = std::min(blockSize, data.size() - i);
                out.push_back(uint8_t(len));
                out.insert(out.end(), data.begin() + ptrdiff_t(i), data.begin() + ptrdiff_t(i + len));
            }
            out.push_back(0);
            if (strayZeros) {
                out.push_back(0);
            }
        } else {
            out.push_back(block);
            ++p;
            if (block == 0x3B) {
                break;
            }
        }
    }
    return out;
}

// Every pixel of the composed buffer against Qt's first frame; transparent
// pixels only need to be transparent in both.
void ExpectSameAsQt(const TGIFImage& gif, const QImage& qt, const std::string& name) {
    ASSERT_EQ(gif.Width(), qt.width()) << name;
    ASSERT_EQ(gif.Height(), qt.height()) << name;
    const EngineBitmap& buffer = gif.FrameBuffer();
    int wrong = 0;
    for (int y = 0; y < qt.height(); ++y) {
        for (int x = 0; x < qt.width(); ++x) {
            const QRgb want = qt.pixel(x, y);
            const uint32_t got = buffer.Row32(y)[x];
            const bool same = qAlpha(want) == 0 ? (got >> 24) == 0 : got == (want | 0xFF000000u);
            if (!same && wrong++ < 3) {
                ADD_FAILURE() << name << " pixel " << x << "," << y << " got " << std::hex << got << " want " << want;
            }
        }
    }
    EXPECT_EQ(wrong, 0) << name;
}

} // namespace

TEST(GifDecoder, FirstFrameEqualsQtReader) {
    const ScreenState screen(24);
    for (const char* name : {"plain.gif", "interlaced.gif", "rows_h1.gif", "rows_h3.gif", "rows_h9.gif",
                             "one_pixel.gif", "transparent.gif",
                             "local_tables.gif", "disposal.gif", "delays.gif", "transparent_anim.gif", "large.gif"}) {
        auto gif = Load(ReadFixture(name), screen);
        ASSERT_TRUE(gif) << name;
        QImageReader reader(QString::fromStdString(Fixture(name)));
        const QImage qt = reader.read();
        ASSERT_FALSE(qt.isNull()) << name;
        ExpectSameAsQt(*gif, qt, name);
    }
}

TEST(GifDecoder, InterlacedDecodesLikeItsPlainTwin) {
    const ScreenState screen(24);
    auto plain = Load(ReadFixture("plain.gif"), screen);
    auto interlaced = Load(ReadFixture("interlaced.gif"), screen);
    ASSERT_TRUE(plain && interlaced);
    EXPECT_TRUE(interlaced->Frame(1).Interlaced);
    for (int y = 0; y < plain->Height(); ++y) {
        ASSERT_TRUE(std::equal(plain->FrameBuffer().Row32(y), plain->FrameBuffer().Row32(y) + plain->Width(),
                               interlaced->FrameBuffer().Row32(y)))
            << "row " << y;
    }
}

TEST(GifDecoder, InterlacePassesStayInsideShortPictures) {
    const ScreenState screen(24);
    for (int h : {1, 2, 3, 4, 5, 9}) {
        const std::vector<uint8_t> flat = ReadFixture("rows_h" + std::to_string(h) + ".gif");
        size_t codeSizeAt = 0;
        std::vector<uint8_t> laced = Rewrite(flat, 255, false, &codeSizeAt);
        ASSERT_EQ(laced[codeSizeAt - 1] & 0x80, 0); // no local table: the packed byte comes right before
        laced[codeSizeAt - 1] |= 0x40;
        auto want = Load(flat, screen);
        auto got = Load(laced, screen);
        ASSERT_TRUE(want && got) << h;
        std::vector<int> order; // rows in the order the passes fill them
        for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
            for (int y = start; y < h; y += step) {
                order.push_back(y);
            }
        }
        ASSERT_EQ(int(order.size()), h);
        for (int k = 0; k < h; ++k) {
            EXPECT_EQ(got->FrameBuffer().Row32(order[size_t(k)])[0], want->FrameBuffer().Row32(k)[0])
                << "height " << h << " stored row " << k;
        }
    }
}

TEST(GifDecoder, CodesSpanningManyTinySubBlocksAndStrayZerosDecodeTheSame) {
    const ScreenState screen(24);
    for (const char* name : {"large.gif", "delays.gif", "disposal.gif"}) {
        const std::vector<uint8_t> original = ReadFixture(name);
        auto want = Load(original, screen);
        ASSERT_TRUE(want) << name;
        for (bool zeros : {false, true}) {
            bool nonAnimated = true;
            auto got = LoadGifFromStream(Rewrite(original, 1, zeros), screen, nonAnimated);
            ASSERT_TRUE(got) << name;
            EXPECT_EQ(got->FrameCount(), want->FrameCount()) << name;
            EXPECT_EQ(nonAnimated, !want->Animated()) << name;
            for (int y = 0; y < want->Height(); ++y) {
                ASSERT_TRUE(std::equal(want->FrameBuffer().Row32(y), want->FrameBuffer().Row32(y) + want->Width(),
                                       got->FrameBuffer().Row32(y)))
                    << name << " row " << y;
            }
        }
    }
}

TEST(GifDecoder, HeaderFacts) {
    const ScreenState screen(24);
    auto local = Load(ReadFixture("local_tables.gif"), screen);
    ASSERT_TRUE(local);
    EXPECT_TRUE(local->Animated());
    EXPECT_EQ(local->LoopCount(), 0);
    EXPECT_TRUE(local->Frame(2).HasLocalTable);
    EXPECT_EQ(local->BitsPerPixel(), std::max(local->Frame(2).ColorTableBits, 1));
    EXPECT_GT(local->BitsPerPixel(), 1);

    auto transparent = Load(ReadFixture("transparent.gif"), screen);
    ASSERT_TRUE(transparent);
    EXPECT_TRUE(transparent->Transparent());
    EXPECT_FALSE(transparent->Animated());
    const EngineMask mask = transparent->FirstFrameMask();
    EXPECT_TRUE(mask.Test(0, 0));
    EXPECT_FALSE(mask.Test(2, 1));
    const EngineBitmap still = transparent->GetStaticBitmap();
    EXPECT_EQ(still.Row32(1)[2], Argb(255, 0, 0));
    EXPECT_EQ(ColorRefOfArgb(still.Row32(0)[0]), transparent->Frame(1).TransparentColor);

    auto delays = Load(ReadFixture("delays.gif"), screen);
    ASSERT_TRUE(delays);
    EXPECT_EQ(delays->LoopCount(), 2);
    EXPECT_EQ(delays->Frame(1).Delay, 0);
    EXPECT_EQ(delays->Frame(2).Delay, 100);
    EXPECT_EQ(delays->Frame(3).Delay, 500);
}

TEST(GifDecoder, FirstFrameWithAnOffsetSitsInsideTheScreen) {
    const ScreenState screen(24);
    auto gif = Load(ReadFixture("offset_first.gif"), screen);
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->Width(), 16);
    ASSERT_EQ(gif->Height(), 12);
    const EngineBitmap still = gif->GetStaticBitmap();
    ASSERT_EQ(still.Width(), 16);
    EXPECT_EQ(still.Row32(3)[5], Argb(0, 0, 255));
    EXPECT_EQ(still.Row32(6)[10], Argb(0, 0, 255));
    EXPECT_EQ(still.Row32(2)[5], Argb(0, 0, 0));
    EXPECT_EQ(still.Row32(3)[11], Argb(0, 0, 0));
}

TEST(GifDecoder, DisposalMethodsComposeFrames) {
    const ScreenState screen(24);
    auto gif = Load(ReadFixture("disposal.gif"), screen);
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->FrameCount(), 5);
    EXPECT_EQ(gif->Frame(2).Disposal, 1);
    EXPECT_EQ(gif->Frame(3).Disposal, 2);
    EXPECT_EQ(gif->Frame(4).Disposal, 3);
    const EngineBitmap& b = gif->FrameBuffer();
    const uint32_t white = Argb(255, 255, 255), red = Argb(255, 0, 0), lime = Argb(0, 255, 0),
                   blue = Argb(0, 0, 255), black = Argb(0, 0, 0);
    struct Step { int frame; uint32_t at0, at4, at8, bottom; };
    // Pixels (1,1), (5,1), (9,1) and (1,9) after showing each frame in turn.
    const Step steps[] = {{2, red, white, white, white},
                          {3, red, lime, white, white},
                          {4, red, 0, blue, white},    // frame 3 cleared its area
                          {5, red, 0, white, black}};  // frame 4 restored what was under it
    for (const Step& s : steps) {
        gif->SetCurrentFrame(s.frame);
        EXPECT_EQ(b.Row32(1)[1], s.at0) << s.frame;
        EXPECT_EQ(b.Row32(1)[5], s.at4) << s.frame;
        EXPECT_EQ(b.Row32(1)[9], s.at8) << s.frame;
        EXPECT_EQ(b.Row32(9)[1], s.bottom) << s.frame;
    }
    EXPECT_TRUE(gif->PaintsOpaque()); // the cleared area paints black
}

TEST(GifDecoder, DisposedTransparentFrameLeavesNoGhost) {
    const ScreenState screen(24);
    auto gif = Load(ReadFixture("transparent_anim.gif"), screen);
    ASSERT_TRUE(gif);
    EXPECT_FALSE(gif->PaintsOpaque());
    EXPECT_EQ(gif->FrameBuffer().Row32(1)[1], Argb(255, 0, 0));
    gif->SetCurrentFrame(2);
    EXPECT_EQ(gif->FrameBuffer().Row32(1)[1] >> 24, 0u);
    EXPECT_EQ(gif->FrameBuffer().Row32(7)[7], Argb(0, 0, 255));
    gif->SetCurrentFrame(1);
    EXPECT_EQ(gif->FrameBuffer().Row32(7)[7] >> 24, 0u);
}

TEST(GifAnimation, StepsByDelaysAndStopsAfterTheLoopCount) {
    const ScreenState screen(24);
    auto gif = Load(ReadFixture("delays.gif"), screen); // delays 0, 100, 500 ms; two plays
    ASSERT_TRUE(gif);
    gif->SetAnimate(true, 1000);
    struct Tick { uint32_t now; bool changed; int frame; };
    const Tick ticks[] = {
        {1050, false, 1}, // the first step only starts the clock
        {1100, true, 2},  {1150, false, 2}, {1200, true, 3},  {1650, false, 3},
        {1700, true, 1},  // second play
        {1750, true, 2},  {1800, false, 2}, {1850, true, 3},  {2350, false, 3},
        {2400, false, 3}, // loop count used up: stops on the last frame
        {5000, false, 3},
    };
    for (const Tick& t : ticks) {
        EXPECT_EQ(gif->AnimateStep(t.now), t.changed) << t.now;
        EXPECT_EQ(gif->CurrentFrame(), t.frame) << t.now;
    }
    EXPECT_FALSE(gif->Animating());
}

TEST(GifAnimation, EndlessLoopAndCopiesAnimateOnTheirOwn) {
    const ScreenState screen(24);
    auto gif = Load(ReadFixture("transparent_anim.gif"), screen); // 50 ms per frame, endless
    ASSERT_TRUE(gif);
    TGIFImage copy(*gif);
    gif->SetAnimate(true, 0xFFFFFFF0u); // the clock wraps during the run
    int changes = 0;
    for (uint32_t t = 0xFFFFFFF0u + 50, n = 0; n < 40; ++n, t += 50) {
        changes += gif->AnimateStep(t);
    }
    EXPECT_EQ(changes, 39);
    EXPECT_TRUE(gif->Animating());
    EXPECT_EQ(copy.CurrentFrame(), 1);
    EXPECT_EQ(copy.FrameBuffer().Row32(1)[1], Argb(255, 0, 0));
}

TEST(GifDecoder, BadInputFailsCleanly) {
    const ScreenState screen(24);
    const std::vector<uint8_t> good = ReadFixture("one_pixel.gif");
    std::vector<std::pair<std::string, std::vector<uint8_t>>> cases;
    auto patched = [&](size_t at, uint8_t v) {
        std::vector<uint8_t> b = good;
        b[at] = v;
        return b;
    };
    cases.push_back({"not GIF", patched(2, 'X')});
    cases.push_back({"header only", {good.begin(), good.begin() + 13}});
    size_t codeSizeAt = 0;
    Rewrite(good, 255, false, &codeSizeAt);
    ASSERT_GT(codeSizeAt, 0u);
    cases.push_back({"code size 12", patched(codeSizeAt, 12)});
    cases.push_back({"code size 0", patched(codeSizeAt, 0)});
    std::vector<uint8_t> huge = good; // logical screen 65535 x 65535
    huge[6] = huge[7] = huge[8] = huge[9] = 0xFF;
    cases.push_back({"huge screen", huge});
    std::vector<uint8_t> comments(good.begin(), good.begin() + 13);
    for (int i = 0; i < 100000; ++i) {
        comments.insert(comments.end(), {0x21, 0xFE, 0x01, 'x', 0x00});
    }
    cases.push_back({"endless comments", comments});
    for (const auto& [what, bytes] : cases) {
        bool nonAnimated = false;
        EXPECT_FALSE(LoadGifFromStream(bytes, screen, nonAnimated)) << what;
        EXPECT_TRUE(nonAnimated) << what;
    }
}

TEST(GifDecoder, HugeFrameIsRefusedAndTruncatedFilesNeverCrash) {
    const ScreenState screen(24);
    std::vector<uint8_t> big = ReadFixture("one_pixel.gif");
    size_t codeSizeAt = 0;
    Rewrite(big, 255, false, &codeSizeAt);
    ASSERT_EQ(big[codeSizeAt - 1] & 0x80, 0); // no local table between descriptor and code size
    const size_t descriptor = codeSizeAt - 10;
    big[descriptor + 5] = big[descriptor + 6] = big[descriptor + 7] = big[descriptor + 8] = 0xFF;
    bool nonAnimated = false;
    EXPECT_FALSE(LoadGifFromStream(big, screen, nonAnimated));

    for (const char* name : {"disposal.gif", "interlaced.gif"}) {
        const std::vector<uint8_t> whole = ReadFixture(name);
        for (size_t n = 0; n < whole.size(); ++n) {
            auto gif = LoadGifFromStream(std::span(whole.data(), n), screen, nonAnimated);
            if (gif) {
                EXPECT_GE(gif->FrameCount(), 1);
            }
        }
        // Cut in the middle of the pixel data: the frame keeps what was decoded.
        auto cut = LoadGifFromStream(std::span(whole.data(), whole.size() * 3 / 4), screen, nonAnimated);
        EXPECT_TRUE(cut) << name;
    }
}

TEST(GifDecoder, EightBitScreenUsesTheEnginePalette) {
    const ScreenState screen(8);
    const auto& palette = screen.EnginePalette();
    auto inPalette = [&](uint32_t c) { return std::find(palette.begin(), palette.end(), c | 0xFF000000u) != palette.end(); };
    auto still = Load(ReadFixture("plain.gif"), screen); // static: dithered
    ASSERT_TRUE(still);
    EXPECT_TRUE(still->ReduceColors);
    auto moving = Load(ReadFixture("local_tables.gif"), screen); // animated: mapped
    ASSERT_TRUE(moving);
    EXPECT_FALSE(moving->ReduceColors);
    for (const TGIFImage* gif : {still.get(), moving.get()}) {
        const EngineBitmap& b = gif->FrameBuffer();
        for (int y = 0; y < b.Height(); ++y) {
            for (int x = 0; x < b.Width(); ++x) {
                ASSERT_TRUE(inPalette(b.Row32(y)[x])) << x << "," << y;
            }
        }
    }
}

namespace {

// A 16 x 1 picture of four colours whose pixel data is the given codes, each
// as wide as a decoder expects it (code size 2: clear 4, end 5).
std::vector<uint8_t> FromCodes(const std::vector<int>& codes) {
    std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 16, 0, 1, 0, 0x81, 0, 0};
    for (int c = 0; c < 4; ++c) {
        gif.insert(gif.end(), {uint8_t(60 * c), uint8_t(60 * c), uint8_t(60 * c)});
    }
    gif.insert(gif.end(), {0x2C, 0, 0, 0, 0, 16, 0, 1, 0, 0, 2});
    std::vector<uint8_t> data;
    uint32_t acc = 0;
    int bits = 0, width = 3, next = 6;
    bool first = true;
    for (int code : codes) {
        acc |= uint32_t(code) << bits;
        for (bits += width; bits >= 8; bits -= 8, acc >>= 8) {
            data.push_back(uint8_t(acc));
        }
        if (code == 4) {
            width = 3, next = 6, first = true;
        } else if (first) {
            first = false;
        } else if (++next >= (1 << width) && width < 12) {
            ++width;
        }
    }
    if (bits > 0) {
        data.push_back(uint8_t(acc));
    }
    gif.push_back(uint8_t(data.size()));
    gif.insert(gif.end(), data.begin(), data.end());
    gif.insert(gif.end(), {0, 0x3B});
    return gif;
}

} // namespace

TEST(GifDecoder, DamagedCodesDecodeAsTheTableSays) {
    // A code beyond the table repeats the previous string and its first
    // pixel; an entry made from such a code, or left from before a clear
    // code, is read through the table; a chain that runs in a circle fails.
    struct Case {
        const char* what;
        std::vector<int> codes;
        std::vector<uint8_t> want; // empty with fails
        bool fails;
    } cases[] = {
        {"plain", {4, 1, 2, 6, 5}, {1, 2, 1, 2}, false},
        {"code that is being made", {4, 1, 6, 5}, {1, 1, 1}, false},
        {"no clear code first", {1, 2, 6, 5}, {1, 2, 1, 2}, false},
        {"code beyond the table", {4, 1, 7, 6, 5}, {1, 1, 1, 1, 1}, false},
        {"entry left from before a clear code", {4, 1, 2, 6, 4, 3, 7, 7, 5}, {1, 2, 1, 2, 3, 3, 3, 2, 1, 3}, false},
        {"first code after a clear code is no pixel", {4, 6, 1, 5}, {}, false},
        {"chain through itself", {4, 1, 7, 6, 7}, {}, true},
    };
    const ScreenState screen(24);
    for (const Case& c : cases) {
        auto gif = Load(FromCodes(c.codes), screen);
        if (c.fails) {
            EXPECT_FALSE(gif) << c.what;
            continue;
        }
        ASSERT_TRUE(gif) << c.what;
        const TgfFrame& f = gif->Frame(1);
        ASSERT_EQ(f.Decoded, c.want.size()) << c.what;
        EXPECT_TRUE(std::equal(c.want.begin(), c.want.end(), f.Image.Row8(0))) << c.what;
        // Pixels the data did not reach stay black.
        for (int x = 0; x < 16; ++x) {
            const uint32_t want = size_t(x) < c.want.size() ? Argb(uint8_t(60 * c.want[size_t(x)]),
                                                                   uint8_t(60 * c.want[size_t(x)]),
                                                                   uint8_t(60 * c.want[size_t(x)]))
                                                            : Argb(0, 0, 0);
            EXPECT_EQ(gif->FrameBuffer().Row32(0)[x], want) << c.what << " pixel " << x;
        }
    }
}

TEST(GifDecoder, FrameWhoseDataEndsEarlyDrawsWhatItDecodedLikeQtsReader) {
    const ScreenState screen(24);
    const std::vector<uint8_t> whole = ReadFixture("plain.gif");
    for (size_t percent : {50, 65, 80, 95}) {
        const QByteArray cut(reinterpret_cast<const char*>(whole.data()), qsizetype(whole.size() * percent / 100));
        QBuffer buffer;
        buffer.setData(cut);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "gif");
        const QImage qt = reader.read();
        ASSERT_FALSE(qt.isNull()) << percent;
        auto gif = Load(std::span(whole.data(), size_t(cut.size())), screen);
        ASSERT_TRUE(gif) << percent;
        EXPECT_LT(gif->Frame(1).Decoded, size_t(37 * 23)) << percent;
        ExpectSameAsQt(*gif, qt, "plain.gif cut at " + std::to_string(percent) + "%");
    }
}

TEST(GifDecoder, FrameThatClaimsMoreThanItsDataFillsCostsWhatTheDataFills) {
    // A 16 x 12 picture whose frame claims 1540 x 16387 pixels and brings a
    // few bytes of data: the picture has the claimed size, the frame keeps
    // the one row its data reached and draws only that.
    std::vector<uint8_t> bytes = ReadFixture("one_pixel.gif");
    size_t codeSizeAt = 0;
    bytes = Rewrite(bytes, 255, false, &codeSizeAt);
    const size_t descriptor = codeSizeAt - 10;
    bytes[6] = 16, bytes[8] = 12;
    bytes[descriptor + 5] = 1540 & 0xFF, bytes[descriptor + 6] = 1540 >> 8;
    bytes[descriptor + 7] = 16387 & 0xFF, bytes[descriptor + 8] = 16387 >> 8;
    const ScreenState screen(24);
    auto gif = Load(bytes, screen);
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->Width(), 1540);
    EXPECT_EQ(gif->Height(), 16387);
    const TgfFrame& f = gif->Frame(1);
    EXPECT_EQ(f.Decoded, 1u);
    EXPECT_EQ(f.Image.Height(), 1);
    const EngineBitmap& b = gif->FrameBuffer();
    ASSERT_EQ(b.Width(), 1540);
    ASSERT_EQ(b.Height(), 16387);
    EXPECT_EQ(b.Row32(0)[0], Argb(0x33, 0x66, 0xCC));
    EXPECT_EQ(b.Row32(0)[1], Argb(0, 0, 0));
    EXPECT_EQ(b.Row32(16386)[1539], Argb(0, 0, 0));
}

namespace {

// Codes LSB first, as wide as a decoder reads them with code size 8.
class CodeWriter {
public:
    void Clear() {
        Put(256);
        free_ = 258;
        width_ = 9;
        first_ = true;
    }
    void Put(int code) {
        acc_ |= uint64_t(code) << bits_;
        for (bits_ += width_; bits_ >= 8; bits_ -= 8, acc_ >>= 8) {
            bytes_.push_back(uint8_t(acc_));
        }
        if (code == 256) {
            return;
        }
        // Every code but the first after a clear code makes an entry.
        if (!first_ && free_ < 4096 && ++free_ >= (1 << width_) && width_ < 12) {
            ++width_;
        }
        first_ = false;
    }
    int Free() const { return free_; }
    std::vector<uint8_t> Finish() {
        Put(257);
        if (bits_ > 0) {
            bytes_.push_back(uint8_t(acc_));
        }
        return std::move(bytes_);
    }

private:
    std::vector<uint8_t> bytes_;
    uint64_t acc_ = 0;
    int bits_ = 0, width_ = 9, free_ = 258;
    bool first_ = true;
};

// The codes of pixels of one colour, as an encoder writes them: each code
// is the newest entry, one pixel longer than the one before; a full table
// starts afresh, or with keepFull its longest string is sent again and again.
std::vector<uint8_t> OneColourCodes(size_t pixels, uint8_t index, bool keepFull) {
    CodeWriter w;
    w.Clear();
    w.Put(index);
    for (size_t done = 1; done < pixels;) {
        if (w.Free() < 4096) {
            done += size_t(w.Free() - 256);
            w.Put(w.Free());
        } else if (keepFull) {
            done += 4095 - 256;
            w.Put(4095);
        } else {
            w.Clear();
            w.Put(index);
            ++done;
        }
    }
    return w.Finish();
}

struct OneColourFrame {
    int width, height;
    size_t pixels; // the data fills these, in rows from the top
    uint8_t index;
    bool keepFull = false;
};

// A 256-colour animation, colour i being (i, 255 - i, 7i); every frame
// stands at the top left for 100 ms.
std::vector<uint8_t> OneColourAnimation(int width, int height, const std::vector<OneColourFrame>& frames) {
    std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', uint8_t(width), uint8_t(width >> 8), uint8_t(height),
                                uint8_t(height >> 8), 0xF7, 0, 0};
    for (int i = 0; i < 256; ++i) {
        gif.insert(gif.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(7 * i)});
    }
    for (const OneColourFrame& f : frames) {
        gif.insert(gif.end(), {0x21, 0xF9, 4, 0x04, 10, 0, 0, 0});
        gif.insert(gif.end(), {0x2C, 0, 0, 0, 0, uint8_t(f.width), uint8_t(f.width >> 8), uint8_t(f.height),
                               uint8_t(f.height >> 8), 0, 8});
        gif_animations::AppendSubBlocks(gif, OneColourCodes(f.pixels, f.index, f.keepFull));
    }
    gif.push_back(0x3B);
    return gif;
}

} // namespace

// A long, large animation plays whole; what bounds a file is the pixels its
// data fills, so a file that only claims large frames is cheap and keeps
// them all, and one whose data fills more than the bound loses the rest.
TEST(GifDecoder, FramesAreBoundByThePixelsTheirDataFills) {
    struct Case {
        const char* what;
        int width, height;
        std::vector<OneColourFrame> frames;
        int kept;
    };
    auto many = [](int count, int w, int h, size_t pixels, bool keepFull = false) {
        std::vector<OneColourFrame> frames;
        for (int i = 0; i < count; ++i) {
            frames.push_back({w, h, pixels, uint8_t(i), keepFull});
        }
        return frames;
    };
    const Case cases[] = {
        {"150 frames of 800 x 600", 800, 600, many(150, 800, 600, 800 * 600), 150},
        {"300 small frames", 20, 10, many(300, 20, 10, 200), kMaxGifFrames},
        {"256 frames claiming 4000 x 4000 with a pixel of data", 4000, 4000, many(256, 4000, 4000, 1), 256},
        {"20 frames filling 4000 x 4000", 4000, 4000, many(20, 4000, 4000, 4000 * 4000, true),
         int(kMaxGifDecodedPixels / (4000 * 4000))},
    };
    const ScreenState screen(24);
    std::unique_ptr<TGIFImage> longOne;
    for (const Case& c : cases) {
        const std::vector<uint8_t> bytes = OneColourAnimation(c.width, c.height, c.frames);
        auto gif = Load(bytes, screen);
        ASSERT_TRUE(gif) << c.what;
        ASSERT_EQ(gif->FrameCount(), c.kept) << c.what;
        size_t filled = 0;
        for (int k = 1; k <= gif->FrameCount(); ++k) {
            const TgfFrame& f = gif->Frame(k);
            EXPECT_EQ(f.Decoded, std::min(c.frames[size_t(k - 1)].pixels, size_t(f.Width) * size_t(f.Height)))
                << c.what << " frame " << k;
            filled += size_t(f.Image.Width()) * size_t(f.Image.Height());
        }
        EXPECT_LE(filled, size_t(kMaxGifDecodedPixels)) << c.what;
        if (!longOne) longOne = std::move(gif);
    }

    // The long animation steps through to its last frame and shows its colour.
    TGIFImage& gif = *longOne;
    gif.SetAnimate(true, 0);
    for (uint32_t t = 100; gif.CurrentFrame() < 150 && t <= 200 * 100; t += 100) {
        gif.AnimateStep(t);
    }
    ASSERT_EQ(gif.CurrentFrame(), 150);
    EXPECT_EQ(gif.FrameBuffer().Row32(599)[799], Argb(149, 255 - 149, uint8_t(7 * 149)));
}

namespace {

// The first pixel where the composed buffer differs from what the step must show.
testing::AssertionResult ShowsComposition(const EngineBitmap& b, const gif_animations::Composition& want) {
    if (b.Width() != want.Width() || b.Height() != want.Height()) {
        return testing::AssertionFailure() << "buffer " << b.Width() << " x " << b.Height() << ", picture "
                                           << want.Width() << " x " << want.Height();
    }
    for (int y = 0; y < want.Height(); ++y) {
        const auto [got, wanted] = std::mismatch(b.Row32(y), b.Row32(y) + b.Width(), want.Row(y));
        if (got != b.Row32(y) + b.Width()) {
            return testing::AssertionFailure() << "pixel " << (got - b.Row32(y)) << "," << y << " is " << std::hex
                                               << *got << ", not " << *wanted;
        }
    }
    return testing::AssertionSuccess();
}

} // namespace

// Small frames on a large screen: every step shows what drawing each frame
// over the whole picture and disposing of it shows, whether the picture is
// read after every step or first while a frame that restores what was under
// it is shown and then now and then; so does a jump back to frame 1.
TEST(GifAnimation, SmallFramesOnALargeScreenShowWhatEachStepComposes) {
    using namespace gif_animations;
    struct Case {
        const char* what;
        bool transparentFirst, transparentLater;
        int firstRead, readEvery;
    };
    const Case cases[] = {
        {"opaque frames", false, false, 0, 1},
        {"transparent frames after an opaque first", false, true, 0, 1},
        {"transparent first frame", true, true, 0, 1},
        {"opaque frames read now and then", false, false, 2, 3},
        {"transparent frames read now and then", true, true, 2, 3},
    };
    const ScreenState screen(24);
    for (const Case& c : cases) {
        const std::vector<Frame> frames = SmallFramesOnALargeScreen(c.transparentFirst, c.transparentLater);
        auto gif = Load(Write(kScreenWidth, kScreenHeight, frames), screen);
        ASSERT_TRUE(gif) << c.what;
        ASSERT_EQ(gif->FrameCount(), int(frames.size())) << c.what;
        Composition want(kScreenWidth, kScreenHeight, frames);
        // The frame past the screen's edges widens the picture.
        EXPECT_EQ(gif->Width(), kScreenWidth + 30) << c.what;
        EXPECT_EQ(gif->Height(), kScreenHeight + 20) << c.what;
        EXPECT_EQ(gif->PaintsOpaque(), !c.transparentFirst) << c.what;
        gif->SetAnimate(true, 0);
        EXPECT_FALSE(gif->AnimateStep(100)) << c.what; // only starts the clock
        for (int step = 0; step <= 3 * gif->FrameCount(); ++step) {
            if (step > 0) {
                ASSERT_TRUE(gif->AnimateStep(uint32_t(100 * (step + 1)))) << c.what << " step " << step;
                want.Show(want.Current() % gif->FrameCount() + 1);
                ASSERT_EQ(gif->CurrentFrame(), want.Current()) << c.what << " step " << step;
            }
            if (step >= c.firstRead && (step - c.firstRead) % c.readEvery == 0) {
                ASSERT_TRUE(ShowsComposition(gif->FrameBuffer(), want)) << c.what << " step " << step;
            }
        }
        gif->SetCurrentFrame(1);
        want.Show(1);
        EXPECT_TRUE(ShowsComposition(gif->FrameBuffer(), want)) << c.what << " back at frame 1";
    }
}
