#pragma once
// A one-line text input of at most 30 characters.

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class TStringEingForm : public QDialog {
    Q_OBJECT
public:
    explicit TStringEingForm(QWidget* parent = nullptr);

    // The typed text as Windows-1252 bytes; nothing when cancelled.
    std::optional<std::string> Ask(const std::string& caption, const std::string& prompt,
                                   const std::string& text);

    QLabel* Anzeige = nullptr;
    QLineEdit* Eingabe = nullptr;
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3;

protected:
    void showEvent(QShowEvent* event) override;
};
