#pragma once
// A desktop without any icon theme while the object lives: every picture must
// then come from the program itself.

#include <QDir>
#include <QIcon>
#include <QStringList>

class NoIconTheme {
public:
    NoIconTheme() : name_(QIcon::themeName()), paths_(QIcon::themeSearchPaths()) {
        QIcon::setThemeSearchPaths({QDir::tempPath() + "/pelko-no-icon-theme"});
        QIcon::setThemeName("keines");
    }
    ~NoIconTheme() {
        QIcon::setThemeSearchPaths(paths_);
        QIcon::setThemeName(name_);
    }
    NoIconTheme(const NoIconTheme&) = delete;
    NoIconTheme& operator=(const NoIconTheme&) = delete;

private:
    QString name_;
    QStringList paths_;
};
