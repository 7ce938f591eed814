#pragma once
// Password fields (the prompt and the document properties): "*" echo, at
// most 15 characters, and only what Windows-1252 can store.

class QLineEdit;

void MakePasswordEdit(QLineEdit* edit);
