// Writes the built-in table to the file named on the command line, with the same code the
// program runs when its data file is missing: the end-to-end tests compare against it.
#include "platform/runtime/AfxMessageBox.h"
#include "score/ArrScore.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    SetAfxMessageBoxHandler([](const CString&) {});
    const ArrScore scores{CString(argv[1])};  // missing, so the defaults are loaded and saved
    return scores.GetSize() == 41 ? 0 : 1;
}
