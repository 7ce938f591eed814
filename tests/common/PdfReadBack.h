#pragma once
// Reads back the PDF files the program's printer writes: the pages in their
// order, each with its media box and the texts on it. It knows as much PDF
// as Qt writes: plain objects, content streams packed with zlib, fonts with
// a map from glyphs to Unicode.

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace pdf {

struct Text {
    double x = 0;  // points from the page's left edge
    double y = 0;  // points from the page's top edge to the baseline
    std::string text;
};

struct Page {
    double width = 0;  // the media box, in points
    double height = 0;
    std::vector<Text> texts;  // in the order drawn

    const Text* Find(const std::string& text) const {
        for (const Text& t : texts) {
            if (t.text == text) return &t;
        }
        return nullptr;
    }
    // The first text that starts with prefix.
    const Text* FindStart(const std::string& prefix) const {
        for (const Text& t : texts) {
            if (t.text.rfind(prefix, 0) == 0) return &t;
        }
        return nullptr;
    }
};

namespace detail {

struct Object {
    std::string dict;    // everything before "stream", or the whole body
    std::string stream;  // raw bytes
};

struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    // This one first, then n.
    Matrix Then(const Matrix& n) const {
        return {a * n.a + b * n.c,       a * n.b + b * n.d,       c * n.a + d * n.c,
                c * n.b + d * n.d,       e * n.a + f * n.c + n.e, e * n.b + f * n.d + n.f};
    }
};

inline int RefAfter(const std::string& dict, const std::string& key) {
    const std::size_t at = dict.find(key + " ");
    if (at == std::string::npos) return -1;
    return std::atoi(dict.c_str() + at + key.size() + 1);
}

inline std::vector<int> RefList(const std::string& text) {
    std::vector<int> refs;
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    for (std::size_t i = 0; i + 2 < words.size(); ++i) {
        if (words[i + 2] == "R") refs.push_back(std::atoi(words[i].c_str()));
    }
    return refs;
}

inline std::map<int, Object> Objects(const std::string& file) {
    std::map<int, Object> objects;
    for (std::size_t at = file.find(" 0 obj"); at != std::string::npos; at = file.find(" 0 obj", at + 1)) {
        std::size_t start = at;
        while (start > 0 && std::isdigit(static_cast<unsigned char>(file[start - 1]))) --start;
        if (start == at || (start > 0 && file[start - 1] != '\n' && file[start - 1] != '\r')) continue;
        const int number = std::atoi(file.c_str() + start);
        const std::size_t body = at + 6;
        const std::size_t end = file.find("endobj", body);
        const std::size_t stream = file.find("stream", body);
        Object object;
        if (stream != std::string::npos && stream < end) {
            object.dict = file.substr(body, stream - body);
            std::size_t data = stream + 6;
            if (file[data] == '\r') ++data;
            if (file[data] == '\n') ++data;
            // Up to "endstream" for now; cut to its length below.
            object.stream = file.substr(data, file.find("endstream", data) - data);
        } else {
            object.dict = file.substr(body, end - body);
        }
        objects[number] = object;
    }
    for (auto& [number, object] : objects) {
        const std::size_t key = object.dict.find("/Length ");
        if (key == std::string::npos) continue;
        std::istringstream words(object.dict.substr(key + 8));
        std::string value, generation, r;
        words >> value >> generation >> r;
        std::size_t length = std::size_t(std::atol(value.c_str()));
        if (r == "R") {
            const auto held = objects.find(std::atoi(value.c_str()));
            if (held == objects.end()) continue;
            length = std::size_t(std::atol(held->second.dict.c_str()));
        }
        if (length < object.stream.size()) object.stream.resize(length);
    }
    return objects;
}

inline std::string Data(const Object& object) {
    if (object.dict.find("/FlateDecode") == std::string::npos) return object.stream;
    // qUncompress wants the size first; it grows the buffer when it is short.
    QByteArray packed(4, '\0');
    qToBigEndian<quint32>(quint32(object.stream.size() * 8 + 1024), packed.data());
    packed.append(object.stream.data(), qsizetype(object.stream.size()));
    return qUncompress(packed).toStdString();
}

inline std::vector<unsigned> HexCodes(const std::string& hex) {
    std::vector<unsigned> codes;
    for (std::size_t i = 0; i + 4 <= hex.size(); i += 4) {
        codes.push_back(unsigned(std::strtoul(hex.substr(i, 4).c_str(), nullptr, 16)));
    }
    return codes;
}

// Glyph code to UTF-16 text, from a ToUnicode map.
inline std::map<unsigned, std::u16string> UnicodeMap(const std::string& cmap) {
    std::map<unsigned, std::u16string> map;
    std::vector<std::string> tokens;
    for (std::size_t i = 0; i < cmap.size(); ++i) {
        const char ch = cmap[i];
        if (ch == '<' || ch == '[' || ch == ']') {
            if (ch == '<') {
                const std::size_t end = cmap.find('>', i);
                tokens.push_back("<" + cmap.substr(i + 1, end - i - 1));
                i = end;
            } else {
                tokens.emplace_back(1, ch);
            }
        } else if (std::isalpha(static_cast<unsigned char>(ch))) {
            std::size_t end = i;
            while (end < cmap.size() && std::isalpha(static_cast<unsigned char>(cmap[end]))) ++end;
            tokens.push_back(cmap.substr(i, end - i));
            i = end - 1;
        }
    }
    const auto text = [](const std::string& token) {
        std::u16string s;
        for (unsigned unit : HexCodes(token.substr(1))) s += char16_t(unit);
        return s;
    };
    std::string section;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        if (t == "beginbfchar" || t == "beginbfrange" || t == "endbfchar" || t == "endbfrange") {
            section = t;
        } else if (section == "beginbfchar" && t[0] == '<' && i + 1 < tokens.size()) {
            map[HexCodes(t.substr(1))[0]] = text(tokens[++i]);
        } else if (section == "beginbfrange" && t[0] == '<' && i + 2 < tokens.size()) {
            const unsigned low = HexCodes(t.substr(1))[0];
            const unsigned high = HexCodes(tokens[i + 1].substr(1))[0];
            i += 2;
            if (tokens[i] == "[") {
                for (unsigned code = low; code <= high && tokens[++i] != "]";) map[code++] = text(tokens[i]);
                while (tokens[i] != "]") ++i;
            } else {
                std::u16string first = text(tokens[i]);
                for (unsigned code = low; code <= high; ++code) {
                    map[code] = first;
                    ++first.back();
                }
            }
        }
    }
    return map;
}

inline std::map<std::string, std::map<unsigned, std::u16string>> PageFonts(const std::map<int, Object>& objects,
                                                                          const Object& page) {
    std::map<std::string, std::map<unsigned, std::u16string>> fonts;
    const int resources = RefAfter(page.dict, "/Resources");
    if (objects.count(resources) == 0) return fonts;
    const std::string& dict = objects.at(resources).dict;
    const std::size_t at = dict.find("/Font");
    if (at == std::string::npos) return fonts;
    const std::string list = dict.substr(at + 5, dict.find(">>", at) - at - 5);
    std::istringstream in(list);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    for (std::size_t i = 0; i + 3 < words.size(); ++i) {
        if (words[i][0] != '/' || words[i + 3] != "R") continue;
        const int font = std::atoi(words[i + 1].c_str());
        const int toUnicode = objects.count(font) ? RefAfter(objects.at(font).dict, "/ToUnicode") : -1;
        if (objects.count(toUnicode) != 0) fonts[words[i].substr(1)] = UnicodeMap(Data(objects.at(toUnicode)));
    }
    return fonts;
}

inline std::vector<Text> PageTexts(const std::string& content,
                                   const std::map<std::string, std::map<unsigned, std::u16string>>& fonts,
                                   double pageHeight) {
    std::vector<Text> texts;
    std::vector<Matrix> saved;
    Matrix ctm, line;
    std::vector<std::string> operands;
    const std::map<unsigned, std::u16string>* font = nullptr;
    std::u16string run;
    bool runStarted = false;
    Text current;
    const auto number = [&](std::size_t back) { return std::atof(operands[operands.size() - back].c_str()); };
    for (std::size_t i = 0; i < content.size(); ++i) {
        const char ch = content[i];
        if (std::isspace(static_cast<unsigned char>(ch))) continue;
        if (ch == '<') {
            const std::size_t end = content.find('>', i);
            operands.push_back(content.substr(i, end - i));
            i = end;
            continue;
        }
        std::size_t end = i;
        while (end < content.size() && !std::isspace(static_cast<unsigned char>(content[end])) && content[end] != '<')
            ++end;
        const std::string word = content.substr(i, end - i);
        i = end - 1;
        if (word[0] == '/' || word[0] == '-' || word[0] == '.' || std::isdigit(static_cast<unsigned char>(word[0])) ||
            word == "[" || word == "]") {
            operands.push_back(word);
            continue;
        }
        if (word == "q") {
            saved.push_back(ctm);
        } else if (word == "Q" && !saved.empty()) {
            ctm = saved.back();
            saved.pop_back();
        } else if (word == "cm" && operands.size() >= 6) {
            ctm = Matrix{number(6), number(5), number(4), number(3), number(2), number(1)}.Then(ctm);
        } else if (word == "BT") {
            line = Matrix{};
            run.clear();
            runStarted = false;
        } else if (word == "Tf" && operands.size() >= 2) {
            const auto it = fonts.find(operands[operands.size() - 2].substr(1));
            font = it == fonts.end() ? nullptr : &it->second;
        } else if (word == "Tm" && operands.size() >= 6) {
            line = Matrix{number(6), number(5), number(4), number(3), number(2), number(1)};
        } else if (word == "Td" && operands.size() >= 2) {
            line = Matrix{1, 0, 0, 1, number(2), number(1)}.Then(line);
        } else if (word == "Tj" || word == "TJ") {
            if (!runStarted) {
                const Matrix at = line.Then(ctm);
                current.x = at.e;
                current.y = pageHeight - at.f;
                runStarted = true;
            }
            for (const std::string& operand : operands) {
                if (operand[0] != '<' || font == nullptr) continue;
                for (unsigned code : HexCodes(operand.substr(1))) {
                    const auto glyph = font->find(code);
                    if (glyph == font->end()) continue;
                    // A blank's glyph may stand for a tab as well.
                    run += glyph->second == u"\t" ? u" " : glyph->second;
                }
            }
        } else if (word == "ET" && runStarted) {
            current.text = QString::fromStdU16String(run).toStdString();
            texts.push_back(current);
        }
        operands.clear();
    }
    return texts;
}

inline void CollectPages(const std::map<int, Object>& objects, int node, std::vector<int>& pages, int depth = 0) {
    if (objects.count(node) == 0 || depth > 32) return;
    const std::string& dict = objects.at(node).dict;
    if (dict.find("/Type /Pages") == std::string::npos) {
        pages.push_back(node);
        return;
    }
    const std::size_t kids = dict.find("/Kids");
    const std::size_t open = dict.find('[', kids);
    for (int kid : RefList(dict.substr(open + 1, dict.find(']', open) - open - 1))) {
        CollectPages(objects, kid, pages, depth + 1);
    }
}

}  // namespace detail

// The pages in the order of the document; nothing when the file cannot be
// read.
inline std::vector<Page> Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string file = bytes.str();
    const std::map<int, detail::Object> objects = detail::Objects(file);
    int root = -1;
    for (const auto& [number, object] : objects) {
        if (object.dict.find("/Type /Catalog") != std::string::npos) root = detail::RefAfter(object.dict, "/Pages");
    }
    std::vector<int> order;
    detail::CollectPages(objects, root, order);
    std::vector<Page> pages;
    for (int number : order) {
        const detail::Object& object = objects.at(number);
        Page page;
        const std::size_t box = object.dict.find("/MediaBox");
        if (box != std::string::npos) {
            std::istringstream values(object.dict.substr(object.dict.find('[', box) + 1));
            double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
            values >> x0 >> y0 >> x1 >> y1;
            page.width = x1 - x0;
            page.height = y1 - y0;
        }
        std::string content;
        const std::size_t contents = object.dict.find("/Contents");
        if (contents != std::string::npos) {
            const std::string rest = object.dict.substr(contents + 9);
            const std::size_t close = rest.find_first_of("/>");
            for (int part : detail::RefList(rest.substr(0, close))) {
                if (objects.count(part) != 0) content += detail::Data(objects.at(part)) + "\n";
            }
        }
        page.texts = detail::PageTexts(content, detail::PageFonts(objects, object), page.height);
        pages.push_back(std::move(page));
    }
    return pages;
}

}  // namespace pdf
