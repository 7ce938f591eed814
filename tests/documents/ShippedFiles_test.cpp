// The files that ship in the program folder beside the programs: every
// vocabulary file and template loads with the program's own readers, the
// help pages link only to pages and pictures that exist and use only the
// HTML the help viewer knows, the default hangman series is complete and the
// wrong-answer sound is a plain wave file.
#include <QImage>
#include <QString>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "documents/LoadSave.h"
#include "platform/Dialogs.h"

namespace fs = std::filesystem;

namespace {

const fs::path kBin = PELKO_BIN_DIR;
// What the build copies into the program folder.
const fs::path kResources = fs::path(PELKO_FIXTURES) / ".." / ".." / "resources";

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Every file below folder whose extension, lower-cased, is one of exts.
std::vector<fs::path> FilesWithExtension(const fs::path& folder, const std::set<std::string>& exts) {
    std::vector<fs::path> found;
    if (!fs::is_directory(folder)) {
        return found;
    }
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        if (e.is_regular_file() && exts.count(Lower(e.path().extension().string())) != 0) {
            found.push_back(e.path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool IsComplete(const VokabelTyp& e) { return e.FS1.Length() > 0 && e.MS1.Length() > 0; }

TEST(ShippedFiles, VocabularyFilesAndTemplatesLoadWithoutAMessage) {
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope{dialogs};
    FileFormatOptions options;

    // Every vocabulary file that ships, as the build copied it.
    std::vector<fs::path> files;
    for (const auto& source : FilesWithExtension(kResources, {".plk"})) {
        files.push_back(kBin / fs::relative(source, kResources));
    }
    ASSERT_FALSE(files.empty()) << "no sample vocabulary file in " << kResources;
    for (const auto& path : files) {
        SCOPED_TRACE(path.string());
        auto data = std::make_unique<VocabularyFileData>();
        LoadResult r = LoadVocabularyFile(path.string(), *data, false, 1, options);
        EXPECT_EQ(r.Message, "");
        EXPECT_EQ(r.Kind, FileKind::Native);
        EXPECT_EQ(r.Version, 15);
        EXPECT_EQ(data->Fonts.Present, 1);
        EXPECT_FALSE(data->Description.empty());
        EXPECT_TRUE(data->ReadPassword.empty());
        EXPECT_TRUE(data->WritePassword.empty());
        EXPECT_GT(data->ColumnNames.FS1.Length(), 0);
        EXPECT_GT(data->ColumnNames.MS1.Length(), 0);
        // A sample the quiz, learning and hangman can run on at once: its
        // entries fill rows 1 to n without gaps, every one complete.
        int used = 0;
        while (used < 500 && data->Entries[used + 1].InUse != 0) {
            EXPECT_TRUE(IsComplete(data->Entries[used + 1])) << "row " << used + 1;
            ++used;
        }
        EXPECT_GE(used, 20);
        for (int row = used + 1; row <= 500; ++row) {
            EXPECT_EQ(data->Entries[row].InUse, 0) << "row " << row;
        }
    }

    auto templates = FilesWithExtension(kBin / "Vorlagen", {".plv"});
    ASSERT_FALSE(templates.empty()) << "no templates in " << kBin / "Vorlagen";
    std::set<std::string> descriptions;
    for (const auto& path : templates) {
        SCOPED_TRACE(path.string());
        // The wizard lists "*.PLV" and shows the name without its last four characters.
        EXPECT_EQ(path.extension().string(), ".PLV");
        auto data = std::make_unique<VocabularyFileData>();
        EXPECT_EQ(LoadTemplate(path.string() + ">", *data), "");
        EXPECT_EQ(fs::file_size(path), 1016u);
        EXPECT_EQ(data->Fonts.Present, 1);
        EXPECT_GT(int32_t(data->Fonts.TableFS.Size), 0);
        EXPECT_GT(data->Fonts.Print.Name.Length(), 0);
        EXPECT_GT(data->ColumnNames.FS1.Length(), 0);
        EXPECT_GT(data->ColumnNames.MS1.Length(), 0);
        EXPECT_TRUE(descriptions.insert(data->Description).second) << "description twice: " << data->Description;
    }
    EXPECT_TRUE(dialogs.shown.empty()) << "a shipped file asked or told something: " << dialogs.shown.size();
}

// ---------------------------------------------------------------- help

// The entity names of the help viewer's engine.
const std::set<std::string>& EngineEntities() {
    static const std::set<std::string> names = [] {
        std::set<std::string> s{"amp", "lt", "gt", "quot", "rsquo", "ndash", "trade", "hellip"};
        const char* latin1[] = {
            "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",
            "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",
            "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12",
            "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil",
            "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde",
            "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",
            "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",
            "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",
            "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
            "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};
        s.insert(std::begin(latin1), std::end(latin1));
        return s;
    }();
    return names;
}

// Tags the pages may use: plain markup that the engine lays out.
const std::set<std::string> kAllowedTags = {
    "html", "head", "title", "body", "h1", "h2",    "h3", "h4",   "h5",     "h6",   "p",   "br", "hr",
    "ul",   "ol",   "li",    "dl",   "dt", "dd",    "a",  "img",  "b",      "i",    "u",   "tt", "font",
    "table", "tr",  "td",    "th",   "center", "pre", "blockquote", "strong", "em", "kbd", "meta", "caption"};

struct Tag {
    std::string name;                          // lower case, without "/"
    bool closing = false;
    std::map<std::string, std::string> attrs;  // lower-case names
};

// A small reader for the pages' own markup (quoted or bare attribute values).
std::vector<Tag> ReadTags(const std::string& page, std::string& problems) {
    std::vector<Tag> tags;
    size_t i = 0;
    while ((i = page.find('<', i)) != std::string::npos) {
        if (page.compare(i, 4, "<!--") == 0) {
            size_t end = page.find("-->", i);
            if (end == std::string::npos) {
                problems += "open comment; ";
                break;
            }
            i = end + 3;
            continue;
        }
        if (page.compare(i, 2, "<!") == 0) {
            i = page.find('>', i);
            continue;
        }
        size_t end = page.find('>', i);
        if (end == std::string::npos) {
            problems += "open tag; ";
            break;
        }
        std::string body = page.substr(i + 1, end - i - 1);
        i = end + 1;
        Tag t;
        size_t p = 0;
        if (!body.empty() && body[0] == '/') {
            t.closing = true;
            p = 1;
        }
        while (p < body.size() && (std::isalnum(static_cast<unsigned char>(body[p])) != 0)) {
            t.name += char(std::tolower(static_cast<unsigned char>(body[p++])));
        }
        while (p < body.size()) {
            while (p < body.size() && std::isspace(static_cast<unsigned char>(body[p])) != 0) {
                ++p;
            }
            std::string name;
            while (p < body.size() && (std::isalnum(static_cast<unsigned char>(body[p])) != 0 || body[p] == '-')) {
                name += char(std::tolower(static_cast<unsigned char>(body[p++])));
            }
            if (name.empty()) {
                if (p < body.size()) {
                    problems += "stray '" + std::string(1, body[p]) + "' in <" + body + ">; ";
                }
                break;
            }
            std::string value;
            if (p < body.size() && body[p] == '=') {
                ++p;
                if (p < body.size() && (body[p] == '"' || body[p] == '\'')) {
                    size_t close = body.find(body[p], p + 1);
                    if (close == std::string::npos) {
                        problems += "open quote in <" + body + ">; ";
                        break;
                    }
                    value = body.substr(p + 1, close - p - 1);
                    p = close + 1;
                } else {
                    while (p < body.size() && std::isspace(static_cast<unsigned char>(body[p])) == 0) {
                        value += body[p++];
                    }
                }
            }
            t.attrs[name] = value;
        }
        tags.push_back(t);
    }
    return tags;
}

struct HelpPage {
    fs::path path;
    std::vector<Tag> tags;
    std::set<std::string> anchors;
};

TEST(ShippedFiles, HelpPagesLinkOnlyToWhatExistsAndUseTheEngineMarkup) {
    const fs::path help = kBin / "Hilfe";
    ASSERT_TRUE(fs::is_regular_file(help / "index.html")) << "the help viewer's start page";
    ASSERT_TRUE(fs::is_regular_file(help / "help.html")) << "the help viewer's own help";

    std::map<fs::path, HelpPage> pages;
    for (const auto& path : FilesWithExtension(help, {".html", ".htm"})) {
        SCOPED_TRACE(path.string());
        // The help search scores only these two extensions, exactly written.
        EXPECT_TRUE(path.extension() == ".html" || path.extension() == ".htm");
        const std::string text = ReadAll(path);
        // Windows-1252 text: the help search compares the pages' bytes, so
        // umlauts, sharp s and the en dash stand as their bytes; anything else
        // beyond ASCII is an entity.
        const std::string ownBytes = "\xC4\xD6\xDC\xE4\xF6\xFC\xDF\x96";
        for (size_t k = 0; k < text.size(); ++k) {
            const auto byte = static_cast<unsigned char>(text[k]);
            ASSERT_TRUE(byte < 128u || ownBytes.find(text[k]) != std::string::npos)
                << "byte " << int(byte) << " at " << k;
        }
        for (size_t k = text.find('&'); k != std::string::npos; k = text.find('&', k + 1)) {
            size_t semi = text.find(';', k);
            ASSERT_NE(semi, std::string::npos) << "'&' without ';' at " << k;
            std::string name = text.substr(k + 1, semi - k - 1);
            EXPECT_EQ(EngineEntities().count(name), 1u) << "entity &" << name << "; unknown to the engine";
        }
        // The search lists a page by its title, read between lower-case marks.
        size_t open = text.find("<title>");
        size_t close = text.find("</title>");
        ASSERT_TRUE(open != std::string::npos && close != std::string::npos && close > open + 7)
            << "no lower-case title";
        // The search list decodes only the umlaut entities of a title.
        const std::string title = text.substr(open + 7, close - open - 7);
        for (size_t k = title.find('&'); k != std::string::npos; k = title.find('&', k + 1)) {
            EXPECT_EQ(title.compare(k + 2, 4, "uml;"), 0) << "title " << title;
        }
        std::string problems;
        HelpPage page{path, ReadTags(text, problems), {}};
        EXPECT_EQ(problems, "");
        for (const auto& t : page.tags) {
            EXPECT_EQ(kAllowedTags.count(t.name), 1u) << "<" << t.name << "> is not for the help pages";
            EXPECT_EQ(t.attrs.count("style"), 0u) << "style sheets are not read";
            if (t.name == "a" && t.attrs.count("name") != 0) {
                page.anchors.insert(t.attrs.at("name"));
            }
        }
        pages[fs::weakly_canonical(path)] = page;
    }

    // Every link and picture exists under the name as written (the test
    // runs on a case-sensitive file system); links into a page
    // name one of its anchors. Every page can be reached from the index.
    std::set<fs::path> reached{fs::weakly_canonical(help / "index.html")};
    std::vector<fs::path> queue(reached.begin(), reached.end());
    for (size_t q = 0; q < queue.size(); ++q) {
        const HelpPage& page = pages.at(queue[q]);
        SCOPED_TRACE(page.path.string());
        for (const auto& t : page.tags) {
            std::string target;
            if (t.name == "a" && t.attrs.count("href") != 0) {
                target = t.attrs.at("href");
            } else if (t.name == "img") {
                ASSERT_EQ(t.attrs.count("src"), 1u) << "picture without src";
                target = t.attrs.at("src");
                std::string ext = Lower(fs::path(target).extension().string());
                EXPECT_TRUE(ext == ".gif" || ext == ".jpg" || ext == ".jpeg" || ext == ".bmp") << target;
            } else {
                continue;
            }
            std::string lower = Lower(target);
            if (lower.rfind("mailto:", 0) == 0 || lower.rfind("http:", 0) == 0 || lower.rfind("https:", 0) == 0) {
                EXPECT_NE(lower.find("example.org"), std::string::npos) << target;
                continue;
            }
            EXPECT_EQ(target.find('\\'), std::string::npos) << target;
            std::string file = target.substr(0, target.find('#'));
            std::string anchor = target.find('#') == std::string::npos ? "" : target.substr(target.find('#') + 1);
            fs::path resolved = file.empty() ? page.path : page.path.parent_path() / file;
            ASSERT_TRUE(fs::is_regular_file(resolved)) << "missing: " << target;
            resolved = fs::weakly_canonical(resolved);
            if (t.name == "img") {
                EXPECT_FALSE(QImage(QString::fromStdString(resolved.string())).isNull()) << "unreadable: " << target;
                continue;
            }
            auto it = pages.find(resolved);
            ASSERT_NE(it, pages.end()) << "link to a non-page: " << target;
            if (!anchor.empty()) {
                EXPECT_EQ(it->second.anchors.count(anchor), 1u) << "no anchor " << anchor << " for " << target;
            }
            if (reached.insert(resolved).second) {
                queue.push_back(resolved);
            }
        }
    }
    for (const auto& [path, page] : pages) {
        EXPECT_EQ(reached.count(path), 1u) << "not reachable from the index: " << path;
    }
}

// ------------------------------------------------------- hangman, sound

TEST(ShippedFiles, DefaultHangmanSeriesIsComplete) {
    const fs::path info = kBin / "Hangman-Bilder" / "Hangman Classic.thm";
    ASSERT_TRUE(fs::is_regular_file(info));
    std::ifstream in(info, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 3u);
    const std::string pattern = lines[0];
    const size_t hash = pattern.find('#');
    ASSERT_NE(hash, std::string::npos) << pattern;
    auto number = [](const std::string& s) {
        EXPECT_FALSE(s.empty());
        EXPECT_EQ(s.find_first_not_of("0123456789"), std::string::npos) << s;
        int v = std::atoi(s.c_str());
        EXPECT_LE(v, 255);
        return v;
    };
    const int first = number(lines[1]);
    const int last = number(lines[2]);
    ASSERT_NE(first, last) << "a series that can never be lost";
    ASSERT_GE(std::abs(last - first), 5) << "too few wrong guesses before the end";
    // The pattern names pictures relative to the information file's folder.
    const int step = last > first ? 1 : -1;
    QSize size;
    for (int n = first;; n += step) {
        std::string name = pattern.substr(0, hash) + std::to_string(n) + pattern.substr(hash + 1);
        fs::path picture = info.parent_path() / name;
        SCOPED_TRACE(picture.string());
        ASSERT_TRUE(fs::is_regular_file(picture));
        QImage image(QString::fromStdString(picture.string()));
        ASSERT_FALSE(image.isNull());
        if (n == first) {
            size = image.size();
        }
        EXPECT_EQ(image.size(), size) << "the pictures of one series have one size";
        if (n == last) {
            break;
        }
    }
}

uint32_t Le32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 | uint32_t(uint8_t(s[at + 2])) << 16 |
           uint32_t(uint8_t(s[at + 3])) << 24;
}

TEST(ShippedFiles, WrongAnswerSoundIsAShortPcmWave) {
    const std::string wav = ReadAll(kBin / "Sounds" / "Bong2.wav");
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(Le32(wav, 4), wav.size() - 8);
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(uint8_t(wav[20]) | uint8_t(wav[21]) << 8, 1) << "PCM";
    const uint32_t rate = Le32(wav, 24);
    const uint32_t bytesPerSecond = Le32(wav, 28);
    EXPECT_GE(rate, 8000u);
    EXPECT_EQ(wav.substr(36, 4), "data");
    const uint32_t data = Le32(wav, 40);
    EXPECT_EQ(data, wav.size() - 44);
    EXPECT_GT(data, bytesPerSecond / 10) << "audible";
    EXPECT_LT(data, bytesPerSecond * 2) << "short, it plays on every wrong answer";
}

}  // namespace
