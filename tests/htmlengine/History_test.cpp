#include "htmlengine/HistoryModel.h"
#include "htmlengine/LinkResolver.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace htmlengine {
namespace {

THistoryEntry E(const std::string& file, int32_t position = 0, uint8_t kind = 0) { return {file, "", position, kind}; }

std::vector<std::string> Files(const THistoryList& h) {
    std::vector<std::string> out;
    for (const auto& e : h.Entries) out.push_back(e.File);
    return out;
}

TEST(History, PushOverwritesLeftPageAndDropsNewerOnes) {
    THistoryList h;
    int changes = 0;
    h.OnChange = [&] { ++changes; };
    h.Push(E(""), E("a"));
    EXPECT_TRUE(h.Entries.empty());  // switched off until a maximum is set
    h.SetMaxCount(128);
    h.Push(E(""), E("a"));
    h.Push(E("a", 40), E("b"));
    h.Push(E("b", 7), E("c"));
    EXPECT_EQ(Files(h), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(h.Entries[1].Position, 7);  // the left page keeps where it was
    // Back two, then open d: c and b go.
    h.Cursor = 2;
    h.Push(E("a", 5), E("d"));
    EXPECT_EQ(Files(h), (std::vector<std::string>{"d", "a"}));
    EXPECT_EQ(h.Entries[1].Position, 5);
    EXPECT_EQ(h.Cursor, 0);
    // Nothing changed: no entry.
    h.Push(E("d"), E("d"));
    EXPECT_EQ(h.Count(), 2);
    // A buffer was shown (no left file): the entry at the cursor is not overwritten.
    h.Push(E(""), E("e"));
    EXPECT_EQ(Files(h), (std::vector<std::string>{"e", "d", "a"}));
    EXPECT_EQ(changes, 5);
    EXPECT_FALSE(h.CanGoTo(0));
    EXPECT_FALSE(h.CanGoTo(3));
    EXPECT_FALSE(h.CanGoTo(-1));
    EXPECT_TRUE(h.CanGoTo(2));
}

TEST(History, MaximumDropsOldestAndLoweringClears) {
    THistoryList h;
    h.SetMaxCount(128);
    std::string last;
    for (int i = 0; i < 129; ++i) {
        const std::string f = "p" + std::to_string(i);
        h.Push(E(last), E(f));
        last = f;
    }
    EXPECT_EQ(h.Count(), 128);
    EXPECT_EQ(h.Entries.front().File, "p128");
    EXPECT_EQ(h.Entries.back().File, "p1");
    h.SetMaxCount(-1);
    EXPECT_EQ(h.Count(), 128);
    h.SetMaxCount(10);
    EXPECT_EQ(h.Count(), 0);
    EXPECT_EQ(h.MaxCount(), 10);
}

TEST(History, VisitedListIsMostRecentFirstIgnoringCase) {
    TVisitedList v;
    EXPECT_EQ(v.Record("/h/a.html"), TVisitedList::Recorded::New);
    EXPECT_EQ(v.Record("/H/A.HTML"), TVisitedList::Recorded::AlreadyFirst);
    EXPECT_EQ(v.Record("/h/b.html"), TVisitedList::Recorded::New);
    EXPECT_EQ(v.Record("/h/A.html"), TVisitedList::Recorded::Moved);
    EXPECT_EQ(v.Urls, (std::vector<std::string>{"/h/A.html", "/h/b.html"}));
    EXPECT_FALSE(v.SetMaxCount(1));
    EXPECT_EQ(v.Urls.size(), 1u);
    EXPECT_TRUE(v.SetMaxCount(0));
    EXPECT_TRUE(v.Urls.empty());
    EXPECT_EQ(v.Record("x"), TVisitedList::Recorded::Ignored);
}

TEST(LinkResolution, ExtensionsAndAnchors) {
    struct Case { const char* file; TLinkTarget kind; };
    const Case cases[] = {{"/h/a.htm", TLinkTarget::Html},      {"/h/a.HTML", TLinkTarget::Html},
                          {"/h/a.htmlx", TLinkTarget::Html},    {"/h/x.gif", TLinkTarget::Picture},
                          {"/h/x.Jpeg", TLinkTarget::Picture},  {"/h/x.png", TLinkTarget::Picture},
                          {"/h/notiz.txt", TLinkTarget::Other}, {"/h.d/datei", TLinkTarget::Other}};
    for (const Case& c : cases) EXPECT_EQ(ClassifyLink(c.file), c.kind) << c.file;
    EXPECT_EQ(SplitAnchor("a.html#Teil#2").File, "a.html");
    EXPECT_EQ(SplitAnchor("a.html#Teil#2").Anchor, "Teil#2");
    EXPECT_EQ(SplitAnchor("a#" + std::string(300, 'x')).Anchor.size(), 255u);
    EXPECT_EQ(SplitAnchor("a.html").Anchor, "");
}

TEST(LinkResolution, ResolvesAgainstFolderBaseAndRoot) {
    char pattern[] = "/tmp/pelko-links-XXXXXX";
    const std::string dir = ::mkdtemp(pattern);
    std::filesystem::create_directories(dir + "/Hilfe/Unter");
    std::ofstream(dir + "/Hilfe/Unter/Seite.html") << "x";
    const std::string page = dir + "/Hilfe/index.html";
    const std::filesystem::path cwd = std::filesystem::current_path();
    const std::string fileUrl = "file://" + dir + "/hilfe/unter/seite.html";
    struct Case { std::string link; TLinkContext ctx; std::string expected; };
    const Case cases[] = {
        {" unter\\seite.HTML ", {page, "", ""}, dir + "/Hilfe/Unter/Seite.html"},
        {"Unter/../Unter/Seite.html", {page, "", ""}, dir + "/Hilfe/Unter/Seite.html"},
        {"neu.html", {page, "", ""}, dir + "/Hilfe/neu.html"},
        {fileUrl, {page, "", ""}, dir + "/Hilfe/Unter/Seite.html"},
        {"/Unter/Seite.html", {page, "", dir + "/Hilfe"}, dir + "/Hilfe/Unter/Seite.html"},
        {"Seite.html", {page, dir + "/Hilfe/Unter/", ""}, dir + "/Hilfe/Unter/Seite.html"},
        {"Seite.html", {page, dir + "/Hilfe/Unter", ""}, dir + "/Hilfe/UnterSeite.html"},
        {"Unter\\Seite.html", {page, "dospath", ""}, "Unter/Seite.html"},
        {"Unter%2FSeite.html", {page, "", ""}, dir + "/Hilfe/Unter/Seite.html"},
    };
    for (const Case& c : cases) EXPECT_EQ(ResolveLinkToFile(c.link, c.ctx), c.expected) << c.link;
    // Page bytes are Windows-1252; the file system's names UTF-8.
    std::ofstream(dir + "/Hilfe/\xC3\xBC" "bung.html") << "x";
    EXPECT_EQ(ResolveLinkToFile("\xFC" "bung.html", {page, "", ""}), dir + "/Hilfe/\xC3\xBC" "bung.html");
    std::filesystem::current_path(cwd);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace htmlengine
