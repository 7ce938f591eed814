// Saves a small document the way the program does, so that a test can do it
// as another user:
//
//   save_file_helper KIND FILE [backup]
//
// KIND is plk (native, version 15), plv (template), csv (export) or vok (DOS
// text). Prints the message of the save and ends with 0 when there was none.
#include <cstdio>
#include <memory>
#include <string>

#include "documents/LoadSave.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s plk|plv|csv|vok FILE [backup]\n", argv[0]);
        return 2;
    }
    const std::string kind = argv[1];
    const std::string file = argv[2];
    const FileFormatOptions options{argc > 3 && std::string(argv[3]) == "backup", true, true};
    auto data = std::make_unique<VocabularyFileData>();
    data->Description = "neu gespeichert";
    data->Entries[1].FS1.Set("Haus");
    data->Entries[1].MS1.Set("house");
    data->Entries[1].InUse = 1;
    std::string message;
    if (kind == "plk") {
        message = SaveVocabularyFile(file, *data, 15, options);
    } else if (kind == "vok") {
        message = SaveVocabularyFile(file, *data, 0, options);
    } else if (kind == "plv") {
        message = SaveTemplate(file, *data, options);
    } else if (kind == "csv") {
        message = ExportCsv(file, data->Entries, data->ColumnNames);
    } else {
        std::fprintf(stderr, "unknown kind %s\n", kind.c_str());
        return 2;
    }
    std::printf("%s", message.c_str());
    return message.empty() ? 0 : 1;
}
