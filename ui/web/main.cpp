// SPDX-License-Identifier: GPL-3.0-or-later
// WrenbeaconConfig in the browser. main builds the page and returns; the page's script then
// calls the functions below, one at a time (a call that waits for the port or the user is
// suspended by Asyncify, and the script queues the next behind it).
#include <emscripten.h>

#include <memory>

#include "config/ConfigFile.h"
#include "core/MessageSink.h"
#include "ui/web/ConfigPage.h"
#include "ui/web/PageBridge.h"

namespace {

std::unique_ptr<wb::web::ConfigPage> page;

}  // namespace

extern "C" {

// A click on the button or check box `id`; 0 when the window has no handler for it.
EMSCRIPTEN_KEEPALIVE int wb_command(int id) {
    return page->Window().OnCommand(id) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void wb_tab_changed() {
    page->Window().OnSelchangeProfileTab();
}

EMSCRIPTEN_KEEPALIVE void wb_form_changed() {
    page->Window().OnFormChanged();
}

// The user picked an entry of the port list ("Choose a port..." asks the browser for a port).
EMSCRIPTEN_KEEPALIVE void wb_port_selected() {
    page->Window().OnPortSelected();
}

// The browser's ports changed, or the port list is about to drop down: it is listed again.
EMSCRIPTEN_KEEPALIVE void wb_ports_changed() {
    page->Window().OnPortListDropDown();
}

// Open and Save As with a file of the page's memory, named as the user's file. 0 on success.
EMSCRIPTEN_KEEPALIVE int wb_open_config(const char* name) {
    return page->Window().OnOpenConfig(name) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int wb_save_config(const char* name) {
    return page->Window().OnSaveConfigAs(name) ? 1 : 0;
}

// A file the browser's picker gave that could not be read, or written; `why` is the browser's
// reason.
EMSCRIPTEN_KEEPALIVE void wb_file_not_read(const char* name, const char* why) {
    wb::ReportCannotLoad(name, why);
}

EMSCRIPTEN_KEEPALIVE void wb_file_not_written(const char* name, const char* why) {
    wb::ReportCannotSave(name, why);
}

// 1 when the window may end now (a tone still on is stopped first).
EMSCRIPTEN_KEEPALIVE int wb_query_close() {
    return page->Window().QueryClose() ? 1 : 0;
}

// Asked as the page goes away, when nothing can wait any more.
EMSCRIPTEN_KEEPALIVE int wb_has_unsaved_changes() {
    return page->Window().Actions().IsBusy() || page->Window().HasUnsavedChanges() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int wb_is_busy() {
    return page->Window().Actions().IsBusy() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void wb_about() {
    page->ShowAbout();
}

}  // extern "C"

int main() {
    wb::SetMessageSink([](const wb::Message& message) { wb::web::ShowBox(message); });
    page = std::make_unique<wb::web::ConfigPage>();
    return 0;
}
