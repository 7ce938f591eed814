#include "frame/RecentFiles.h"

#include <gtest/gtest.h>

namespace {

RecentFileSlots Slots(std::initializer_list<const char*> names) {
    RecentFileSlots slots;
    size_t i = 0;
    for (const char* name : names) {
        slots[i++] = name;
    }
    return slots;
}

}  // namespace

TEST(UpdateMRUTest, MovesToTheFrontAndKeepsNine) {
    struct Case {
        RecentFileSlots before;
        std::string path;
        RecentFileSlots after;
        bool rebuild;
    };
    const Case cases[] = {
        {Slots({}), "/a", Slots({"/a"}), true},
        {Slots({"/a", "/b"}), "/c", Slots({"/c", "/a", "/b"}), true},
        // From slot 4 to the front; the others keep their order.
        {Slots({"1", "2", "3", "4", "5"}), "4", Slots({"4", "1", "2", "3", "5"}), true},
        // Slot 1 again: nothing changes, not even the menus.
        {Slots({"1", "2"}), "1", Slots({"1", "2"}), false},
        // A tenth file drops the oldest.
        {Slots({"1", "2", "3", "4", "5", "6", "7", "8", "9"}), "new",
         Slots({"new", "1", "2", "3", "4", "5", "6", "7", "8"}), true},
        {Slots({"1", "2", "3", "4", "5", "6", "7", "8", "9"}), "9",
         Slots({"9", "1", "2", "3", "4", "5", "6", "7", "8"}), true},
        // An empty path only asks for the menus.
        {Slots({"1"}), "", Slots({"1"}), true},
        // The same letters in another case are another file.
        {Slots({"/a/X.plk"}), "/a/x.plk", Slots({"/a/x.plk", "/a/X.plk"}), true},
    };
    for (const Case& c : cases) {
        RecentFileSlots slots = c.before;
        EXPECT_EQ(UpdateMRU(slots, c.path), c.rebuild) << c.path;
        EXPECT_EQ(slots, c.after) << c.path;
    }
}

TEST(UpdateMRUTest, RemovalMovesTheLaterSlotsUp) {
    RecentFileSlots slots = Slots({"1", "gone", "3", "4", "5", "6", "7", "8", "9"});
    RemoveFromMRU(slots, "gone");
    EXPECT_EQ(slots, Slots({"1", "3", "4", "5", "6", "7", "8", "9", ""}));
    RemoveFromMRU(slots, "not there");
    EXPECT_EQ(slots, Slots({"1", "3", "4", "5", "6", "7", "8", "9", ""}));
    // The slot that moved up is not looked at again.
    slots = Slots({"x", "x", "y", "x"});
    RemoveFromMRU(slots, "x");
    EXPECT_EQ(slots, Slots({"x", "y"}));
}

TEST(RecentFileMenuTest, CaptionsHintsAndVisibility) {
    EXPECT_EQ(ShortFileCaption("/home/u/1234567890123.plk"), "/home/u/1234567890123.plk");  // 25
    EXPECT_EQ(ShortFileCaption("/home/u/12345678901234.plk"), "12345678901234.plk");       // 26
    // Characters, not bytes.
    EXPECT_EQ(ShortFileCaption("/home/ü/Übungsvokabel.plk"), "/home/ü/Übungsvokabel.plk");

    RecentFileMenu menu = RecentFileMenuItems(Slots({"/v/a.plk", "/v/Tom & Jerry/wörter-zum-lernen.plk"}));
    EXPECT_EQ(menu.items[0].caption, "&1  /v/a.plk");
    EXPECT_EQ(menu.items[0].hint, "Öffnet die Datei /v/a.plk");
    EXPECT_EQ(menu.items[1].caption, "&2  wörter-zum-lernen.plk");
    EXPECT_EQ(menu.items[1].hint, "Öffnet die Datei /v/Tom & Jerry/wörter-zum-lernen.plk");
    EXPECT_TRUE(menu.items[1].visible);
    EXPECT_FALSE(menu.items[2].visible);
    EXPECT_TRUE(menu.separatorVisible);
    EXPECT_EQ(RecentFileMenuItems(Slots({"/v/R&D.plk"})).items[0].caption, "&1  /v/R&&D.plk");

    menu = RecentFileMenuItems(Slots({}));
    EXPECT_FALSE(menu.separatorVisible);
    EXPECT_FALSE(menu.items[0].visible);
}
