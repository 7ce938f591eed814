#include "documents/AppTools.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>


int32_t Min(int32_t a, int32_t b) {
    return a < b ? a : b;
}

int32_t Max(int32_t a, int32_t b) {
    return a > b ? a : b;
}

char UpAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

std::string UpAscii(std::string text) {
    for (char& c : text) c = UpAscii(c);
    return text;
}

std::string TrimCopy(const std::string& s) {
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && uint8_t(s[begin]) <= 32) ++begin;
    while (end > begin && uint8_t(s[end - 1]) <= 32) --end;
    return s.substr(begin, end - begin);
}

std::string RemoveDoubleBlanks(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == ' ' && !out.empty() && out.back() == ' ') continue;
        out += c;
    }
    return out;
}

std::string OneLine(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;  // the LF stands for the pair
        out += s[i] == '\r' || s[i] == '\n' ? ' ' : s[i];
    }
    return out;
}

bool IsFileReadOnly(const std::string& fileName) {
    struct stat st {};
    if (stat(fileName.c_str(), &st) != 0) {
        return false;
    }
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return true;
    }
    return access(fileName.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS || errno == ETXTBSY);
}
