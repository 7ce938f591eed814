#include "helpviewer/HelpRegistry.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

namespace helpviewer {
namespace {

TEST(HelpRegistry, LoadAndSave) {
    char pattern[] = "/tmp/pelko-helpreg-XXXXXX";
    const std::string dir = ::mkdtemp(pattern);
    struct Case {
        const char* what;
        bool key;
        std::optional<int> stay, size;
        bool onTop;
        int fontSize;
    };
    const Case cases[] = {
        {"no key", false, {}, {}, false, 12},
        {"only Fontsize", true, {}, 14, false, 12},
        {"Fontsize 11", true, 0, 11, false, 12},
        {"on top, 10", true, 1, 10, true, 10},
        {"any non-zero is on", true, 7, 14, true, 14},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string file = dir + "/r" + std::to_string(n++) + ".reg";
        {
            platform::TRegistry w(platform::RegRoot::CurrentUser, file);
            if (c.key) {
                ASSERT_TRUE(w.OpenKey(kHelpViewerKey, true));
                if (c.stay) w.WriteInteger("Stay-on-top", *c.stay);
                if (c.size) w.WriteInteger("Fontsize", *c.size);
                w.CloseKey();
            }
        }
        platform::TRegistry r(platform::RegRoot::CurrentUser, file);
        TViewerSettings s;
        LoadViewerSettings(r, s);
        EXPECT_EQ(s.StayOnTop, c.onTop) << c.what;
        EXPECT_EQ(s.FontSize, c.fontSize) << c.what;
    }
    const std::string file = dir + "/save.reg";
    {
        platform::TRegistry w(platform::RegRoot::CurrentUser, file);
        SaveViewerSettings(w, TViewerSettings{});
    }
    platform::TRegistry r(platform::RegRoot::CurrentUser, file);
    ASSERT_TRUE(r.OpenKey(kHelpViewerKey, false));
    EXPECT_FALSE(r.ReadBool("Stay-on-top"));
    EXPECT_EQ(r.ReadInteger("Fontsize"), 12);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace helpviewer
