#pragma once
// Random numbers for the learning and hangman tests: scripted values first,
// then a seeded generator, so that a redraw loop always ends.

#include <cstdint>
#include <deque>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "training/RandomSource.h"

namespace mode_test {

class ScriptedRandom : public RandomSource {
public:
    std::deque<int32_t> values;  // taken modulo the range asked for
    int32_t Random(int32_t n) override {
        if (n <= 0) return 0;
        if (!values.empty()) {
            const int32_t v = values.front();
            values.pop_front();
            return v % n;
        }
        return int32_t(engine_() % uint32_t(n));
    }

private:
    std::mt19937 engine_{12345};
};

// A 2 x 2 Windows bitmap of one colour, 24 bits a pixel.
inline void WriteBmp(const std::string& path, uint8_t r = 200, uint8_t g = 0, uint8_t b = 0) {
    auto le = [](std::vector<uint8_t>& out, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
    };
    const uint32_t rowBytes = 8;  // 2 pixels of 3 bytes, padded to 4
    std::vector<uint8_t> bmp = {'B', 'M'};
    le(bmp, 54 + 2 * rowBytes, 4);
    le(bmp, 0, 4);
    le(bmp, 54, 4);
    le(bmp, 40, 4);
    le(bmp, 2, 4);
    le(bmp, 2, 4);
    le(bmp, 1, 2);
    le(bmp, 24, 2);
    le(bmp, 0, 4);
    le(bmp, 2 * rowBytes, 4);
    le(bmp, 2835, 4);
    le(bmp, 2835, 4);
    le(bmp, 0, 4);
    le(bmp, 0, 4);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            bmp.push_back(b);
            bmp.push_back(g);
            bmp.push_back(r);
        }
        bmp.push_back(0);
        bmp.push_back(0);
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// An information file "series.thm" in `folder` naming the relative pictures
// bild<n>.bmp from first to last, each written.
inline std::string MakeSeries(const std::string& folder, int first, int last) {
    const int step = last >= first ? 1 : -1;
    for (int n = first;; n += step) {
        WriteBmp(folder + "/bild" + std::to_string(n) + ".bmp", uint8_t(n * 20));
        if (n == last) break;
    }
    const std::string thm = folder + "/series.thm";
    WriteText(thm, "bild#.bmp\r\n" + std::to_string(first) + "\r\n" + std::to_string(last) + "\r\n");
    return thm;
}

}  // namespace mode_test
