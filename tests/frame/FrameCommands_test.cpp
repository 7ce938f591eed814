#include <gtest/gtest.h>

#include "frame/FrameState.h"
#include "frame/Sonderzeichen.h"
#include "frame/WheelScroll.h"
#include "frame/WindowLayout.h"

namespace {

TEST(FrameStateTest, ButtonsAndStatusPanelsFollowTheActiveDocument) {
    const FrameCommandState none = ComputeFrameState(0, std::nullopt, false);
    EXPECT_FALSE(none.documentCommands);
    EXPECT_FALSE(none.undo);
    EXPECT_FALSE(none.redo);
    EXPECT_EQ(none.passwordPanel, "");
    EXPECT_EQ(none.countPanel, "keine Vokabeldatei geöffnet");

    struct Case {
        bool write, read;
        const char* panel;
    } const cases[] = {{true, true, "Schreib- und Leseschutz"},
                       {true, false, "Schreibschutz"},
                       {false, true, "Leseschutz"},
                       {false, false, "kein Kennwortschutz"}};
    for (const Case& c : cases) {
        const FrameCommandState state = ComputeFrameState(2, ActiveDocumentSummary{c.write, c.read, 1, false, 7}, true);
        EXPECT_EQ(state.passwordPanel, c.panel);
        EXPECT_EQ(state.countPanel, "Anzahl der Vokabeln: 7");
        EXPECT_TRUE(state.documentCommands);
        EXPECT_TRUE(state.editPressed);
        EXPECT_FALSE(state.undo);
    }
    EXPECT_TRUE(ComputeFrameState(1, ActiveDocumentSummary{false, false, 2, true, 0}, false).undo);
    EXPECT_TRUE(ComputeFrameState(1, ActiveDocumentSummary{false, false, 2, true, 0}, false).redo);
}

TEST(WheelScrollTest, ThreeRowsPerStepWithinTheGrid) {
    struct Case {
        int top, visible, rows;
        bool away;
        int expected;
    } const cases[] = {
        {2, 20, 501, true, 1},     // near the top: row 1
        {4, 20, 501, true, 1},
        {10, 20, 501, true, 7},
        {10, 20, 501, false, 13},
        {478, 20, 501, false, 481},  // the end stops where the last row shows
        {481, 20, 501, false, 481},
        {1, 20, 5, false, 1},        // a short search result never goes above row 1
        {1, 20, 5, true, 1},
        {475, 20, 501, false, 478},
        {480, 20, 501, false, 481},  // top + 3 would pass the last top row
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WheelTopRow(c.top, c.visible, c.rows, c.away), c.expected) << c.top << " " << c.rows;
    }
}

TEST(WheelScrollTest, FineWheelsAddUpToWholeSteps) {
    WheelSteps steps;
    EXPECT_EQ(steps.Add(40), 0);
    EXPECT_EQ(steps.Add(40), 0);
    EXPECT_EQ(steps.Add(40), 1);
    EXPECT_EQ(steps.Add(-240), -2);
    EXPECT_EQ(steps.Add(360), 3);
}

TEST(SonderzeichenTest, PopupsGiveTheirCodePageBytes) {
    const auto& bpop = BpopMenu();
    ASSERT_EQ(bpop.size(), 6u);
    EXPECT_EQ(bpop[0].caption, "&A");
    ASSERT_EQ(bpop[0].items.size(), 10u);
    EXPECT_EQ(bpop[0].items[0].caption, "&1   á");
    EXPECT_EQ(bpop[0].items[9].caption, "&0   Å");
    EXPECT_EQ(bpop[0].items[9].code, 0xC5);
    EXPECT_EQ(bpop[5].items[6].caption, "&7   ÿ");
    EXPECT_EQ(bpop[5].items[6].code, 0xFF);

    const auto& cz = BpopCzMenu();
    ASSERT_EQ(cz.size(), 4u);
    EXPECT_EQ(cz[1].caption, "lange Vokale, &groß");
    EXPECT_EQ(cz[1].items[3].caption, "&5   Ó");
    EXPECT_EQ(cz[0].items[6].name, "u_kringel");
    EXPECT_EQ(cz[0].items[6].code, 249);
    EXPECT_EQ(cz[2].items[4].caption, "&5   š");
    EXPECT_EQ(cz[2].items[4].code, 154);
    EXPECT_EQ(cz[3].items[5].name, "z_hacek_big");
    EXPECT_EQ(cz[3].items[5].code, 142);

    const std::pair<const char*, int> codes[] = {
        {"c_hacek", 232},     {"e_hacek", 236},     {"n_hacek", 242},     {"r_hacek", 248},     {"s_hacek", 154},
        {"z_hacek", 158},     {"c_hacek_big", 200}, {"n_hacek_big", 210}, {"e_hacek_big", 204}, {"r_hacek_big", 216},
        {"s_hacek_big", 138}, {"z_hacek_big", 142}, {"u_kringel", 249},   {"u_kringel_big", 217},
    };
    for (const auto& [name, code] : codes) EXPECT_EQ(CzPictureCode(name).value_or(0), code) << name;
    EXPECT_FALSE(CzPictureCode("a_hacek").has_value());
}

TEST(WindowLayoutTest, TilingSharesTheAreaWithoutGapsOrOverlaps) {
    EXPECT_EQ(TileWindows(2, 800, 600, true), (std::vector<WindowRect>{{0, 0, 400, 600}, {400, 0, 400, 600}}));
    EXPECT_EQ(TileWindows(2, 800, 600, false), (std::vector<WindowRect>{{0, 0, 800, 300}, {0, 300, 800, 300}}));
    for (int n = 1; n <= 12; ++n) {
        for (bool side : {true, false}) {
            const std::vector<WindowRect> rects = TileWindows(n, 801, 601, side);
            ASSERT_EQ(int(rects.size()), n);
            long area = 0;
            for (const WindowRect& r : rects) {
                EXPECT_GT(r.width, 0);
                EXPECT_GT(r.height, 0);
                EXPECT_LE(r.x + r.width, 801);
                EXPECT_LE(r.y + r.height, 601);
                area += long(r.width) * r.height;
            }
            EXPECT_EQ(area, 801L * 601) << n;
        }
    }
    EXPECT_EQ(CascadeWindows(3, 800, 600, 20),
              (std::vector<WindowRect>{{0, 0, 760, 560}, {20, 20, 760, 560}, {40, 40, 760, 560}}));
    // More windows than half the height holds steps: the cascade begins again.
    const std::vector<WindowRect> many = CascadeWindows(20, 800, 200, 20);
    ASSERT_EQ(many.size(), 20u);
    EXPECT_EQ(many[5], (WindowRect{100, 100, 700, 100}));
    EXPECT_EQ(many[6], (WindowRect{0, 0, 700, 100}));
    EXPECT_EQ(ArrangeIcons(3, 350, 400, 160, 30),
              (std::vector<WindowRect>{{0, 370, 160, 30}, {160, 370, 160, 30}, {0, 340, 160, 30}}));
}

}  // namespace
