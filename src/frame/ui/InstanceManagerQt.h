#pragma once
// The start of both programs: the one call that decides whether this start
// goes on. Call it right after the QApplication exists and before options,
// forms or windows:
//
//   switch (InstanceManagerInit(kPelkoInstanceMutexName, argc, argv)) {
//   case InstanceStart::End: return 0;
//   ...
//   }
//
// The first instance then serves hand-overs in the event loop: each complete
// message is answered with 1 at once, and the text reaches ReceivedCommandLine
// and OnCommandLineReceived from the event loop a moment later, so a handler
// that shows a dialog never keeps the sender waiting.

#include <cstdint>
#include <string>

#include "frame/InstanceManager.h"

// Throws std::system_error when the guard's folder, lock or socket cannot be
// made; the program then reports the error and does not start.
InstanceStart InstanceManagerInit(const char* name, int argc, char** argv);
// The same with the folder and the text to hand over given (tests).
InstanceStart InstanceManagerInit(const std::string& name, const std::string& folder,
                                  const std::string& commandLine);

// Made when a main window's close begins, which may ask its questions in
// boxes while starts come in. A start that hands over meanwhile cancels the
// close, so its files open here; once the close is settled, this instance
// answers no start any more, and the next one becomes the running instance
// itself instead of handing its files to a program on its way out.
class InstanceClose {
public:
    InstanceClose();
    // A hand-over came since the close began, or waits for its handler.
    bool Interrupted() const;
    // True when no hand-over came since the close began and none waits for
    // its handler: answering has then stopped, and the close may go on.
    // False: the close is to be cancelled; answering goes on.
    bool StopAnswering();

private:
    uint64_t answered_;
};

// At the end of the program: stops listening and removes the socket file.
void InstanceManagerDone();
