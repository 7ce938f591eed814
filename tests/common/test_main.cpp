// Every test executable runs under one QApplication (offscreen unless the
// environment says otherwise), so widget tests and plain tests share a main.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
// The sanitizer's guess at the bounds of a library's dynamic thread-local
// block misreads this C library's blocks, and the leak check at exit then
// scans a range that is no memory and dies, in whichever test happens to
// meet such a block first. Without the guess those blocks are only no roots
// of the leak check.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
#endif
#endif

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
