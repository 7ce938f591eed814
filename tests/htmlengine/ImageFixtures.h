#pragma once
// The committed picture fixtures (made by scripts/make-image-fixtures.sh).

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "htmlengine/PageImages.h"

inline std::string Fixture(const std::string& name) { return std::string(PELKO_FIXTURES) + "/images/" + name; }

inline std::vector<uint8_t> ReadFixture(const std::string& name) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(htmlengine::ReadWholeFile(Fixture(name), bytes)) << name;
    return bytes;
}
