// Host stand-in for the user interface: message boxes go to standard error,
// or to a list that tests read; beeps are counted; the focus window is
// whatever a test says.  Boxes may come from several threads at once.
#include <cstdio>
#include <mutex>
#include <string>

#include "platform/host/host_control.h"
#include "platform/host/host_state.h"
#include "platform/platform.h"

namespace {

std::mutex boxesInUse;
bool capture = false;
HOST_EARLY std::vector<host::MessageBoxRecord> boxes;
unsigned beeps = 0;
plat::Window focus = nullptr;
thread_local std::string lastTextOnThread;

} // namespace

namespace host::detail {
void ResetUserInterface() {
    const std::lock_guard<std::mutex> lock(boxesInUse);
    capture = false;
    boxes.clear();
    beeps = 0;
    focus = nullptr;
}
} // namespace host::detail

namespace host {

void SetFocusWindow(plat::Window window) { focus = window; }
void CaptureMessageBoxes(bool on) { capture = on; }
const std::vector<MessageBoxRecord> &MessageBoxes() { return boxes; }
void ClearMessageBoxes() {
    const std::lock_guard<std::mutex> lock(boxesInUse);
    boxes.clear();
}
unsigned BeepCount() { return beeps; }
std::string LastMessageBoxTextOnThisThread() { return lastTextOnThread; }

void Reset() {
    detail::ResetProfile();
    detail::ResetSystem();
    detail::ResetModules();
    detail::ResetUserInterface();
}

} // namespace host

namespace plat {

int MessageBox(Window owner, const char *text, const char *caption, unsigned style) {
    const std::lock_guard<std::mutex> lock(boxesInUse);
    lastTextOnThread = text ? text : "";
    if (capture) {
        boxes.push_back({owner, text ? text : "", caption ? caption : "", style});
    } else {
        std::fprintf(stderr, "[%s] %s\n", caption ? caption : "", text ? text : "");
    }
    return 1; // IDOK
}

void MessageBeep(unsigned) {
    const std::lock_guard<std::mutex> lock(boxesInUse);
    ++beeps;
}

Window GetFocus() { return focus; }

} // namespace plat
