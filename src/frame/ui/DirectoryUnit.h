#pragma once
// The directory chooser: a folder list that enters a folder on double click,
// with the folder shown above it. Callers set SelectedFolder, show it
// modally and read SelectedFolder after OK. One instance lives for the run,
// so it opens where it was left.

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class TDirectorySelectForm : public QDialog {
    Q_OBJECT
public:
    explicit TDirectorySelectForm(QWidget* parent = nullptr);

    std::string SelectedFolder;

    // The folder the list shows, without a trailing separator.
    std::string CurrentFolder() const;
    // Enters the folder; false when it is not a folder that can be listed.
    bool ChangeTo(const std::string& folder);

    QLabel* VZShow = nullptr;
    QListWidget* DirectoryListBox1 = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void ItemActivated(QListWidgetItem* item);

    std::string folder_;
};
