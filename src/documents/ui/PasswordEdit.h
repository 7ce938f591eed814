#pragma once
// Password fields of the document dialogs: "*" echo, at most 15
// characters, and only what Windows-1252 can store.

class QLineEdit;

void MakePasswordEdit(QLineEdit* edit);
