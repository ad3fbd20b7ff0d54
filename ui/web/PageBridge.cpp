// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/web/PageBridge.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>

#include "res/Resources.h"

namespace wb::web {
namespace {

// clang-format off
EM_JS(void, wb_page_begin, (int surface, const char* caption, int length, int cx, int cy), {
    Module.wbPage.begin(surface, Module.wbPage.latin1(caption, length), cx, cy);
});
EM_JS(void, wb_page_add, (int id, int kind, const char* text, int length, unsigned styles,
                          int x, int y, int cx, int cy), {
    Module.wbPage.add(id, kind, Module.wbPage.latin1(text, length), styles, x, y, cx, cy);
});
EM_JS(void, wb_page_add_entry, (int id, const char* text, int length), {
    Module.wbPage.addEntry(id, Module.wbPage.latin1(text, length));
});
EM_JS(void, wb_page_tooltip, (int id, const char* text, int length), {
    Module.wbPage.tooltip(id, Module.wbPage.latin1(text, length));
});
EM_JS(void, wb_page_end, (), {
    Module.wbPage.end();
});
EM_JS(char*, wb_page_get_text, (int id), {
    return Module.wbPage.toWasm(Module.wbPage.getText(id));
});
EM_JS(void, wb_page_set_text, (int id, const char* text, int length), {
    Module.wbPage.setText(id, Module.wbPage.latin1(text, length));
});
EM_JS(int, wb_page_is_checked, (int id), {
    return Module.wbPage.isChecked(id) ? 1 : 0;
});
EM_JS(void, wb_page_set_checked, (int id, int checked), {
    Module.wbPage.setChecked(id, checked !== 0);
});
EM_JS(int, wb_page_get_selection, (int id), {
    return Module.wbPage.getSelection(id);
});
EM_JS(void, wb_page_set_selection, (int id, int index), {
    Module.wbPage.setSelection(id, index);
});
EM_JS(void, wb_page_clear_entries, (int id), {
    Module.wbPage.clearEntries(id);
});
EM_JS(void, wb_page_append_entry, (int id, const char* text, const char* tip), {
    Module.wbPage.appendEntry(id, UTF8ToString(text), UTF8ToString(tip));
});
EM_JS(void, wb_page_set_enabled, (int id, int enabled), {
    Module.wbPage.setEnabled(id, enabled !== 0);
});
EM_JS(int, wb_page_get_tab, (int id), {
    return Module.wbPage.getTab(id);
});
EM_JS(void, wb_page_insert_tab, (int id, int index, const char* text, int length), {
    Module.wbPage.insertTab(id, index, Module.wbPage.latin1(text, length));
});
EM_JS(void, wb_page_set_busy, (int busy), {
    Module.wbPage.setBusy(busy !== 0);
});
EM_JS(void, wb_page_progress, (int done, int total), {
    Module.wbPage.progress(done, total);
});
EM_ASYNC_JS(int, wb_page_box, (const char* text, int textLength, const char* caption,
                               int captionLength, const char* detail, int detailLength,
                               const char* yes, int yesLength, const char* no, int noLength), {
    const t = Module.wbPage.latin1;
    return await Module.wbPage.box(t(text, textLength), t(caption, captionLength),
                                   t(detail, detailLength), t(yes, yesLength), t(no, noLength));
});
EM_ASYNC_JS(void, wb_page_run_dialog, (const char* caption, int length), {
    await Module.wbPage.runDialog(Module.wbPage.latin1(caption, length));
});
EM_JS(void, wb_page_set_icon, (const unsigned char* rgba, int width, int height), {
    Module.wbPage.setIcon(HEAPU8.slice(rgba, rgba + width * height * 4), width, height);
});
// clang-format on

int Length(const std::string& text) {
    return static_cast<int>(text.size());
}

int Length(const char* text) {
    return static_cast<int>(std::char_traits<char>::length(text));
}

const char* TooltipOf(int id) {
    for (const res::ControlTooltip& tip : res::ConfigTooltips()) {
        if (tip.id == id) {
            return tip.text;
        }
    }
    return nullptr;
}

}  // namespace

void BuildControls(const res::DialogTemplate& dialog, Surface surface) {
    wb_page_begin(static_cast<int>(surface), dialog.caption, Length(dialog.caption), dialog.cx,
                  dialog.cy);
    for (const res::ControlTemplate& c : dialog.controls) {
        wb_page_add(c.id, static_cast<int>(c.kind), c.text, Length(c.text), c.styles, c.x, c.y,
                    c.cx, c.cy);
        if (c.id == res::kStaticId || surface != Surface::Form) {
            continue;
        }
        if (const char* tip = TooltipOf(c.id)) {
            wb_page_tooltip(c.id, tip, Length(tip));
        }
    }
    for (const res::ListInit& list : dialog.lists) {
        for (const char* entry : list.entries) {
            wb_page_add_entry(list.id, entry, Length(entry));
        }
    }
    wb_page_end();
}

std::string GetText(int id) {
    const std::unique_ptr<char, decltype(&std::free)> text(wb_page_get_text(id), &std::free);
    return text ? std::string(text.get()) : std::string();
}

void SetText(int id, const std::string& text) {
    wb_page_set_text(id, text.c_str(), Length(text));
}

bool IsChecked(int id) {
    return wb_page_is_checked(id) != 0;
}

void SetChecked(int id, bool checked) {
    wb_page_set_checked(id, checked ? 1 : 0);
}

int GetSelection(int id) {
    return wb_page_get_selection(id);
}

void SetSelection(int id, int index) {
    wb_page_set_selection(id, index);
}

void SetEntries(int id, const std::vector<std::string>& texts,
                const std::vector<std::string>& tips) {
    wb_page_clear_entries(id);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        wb_page_append_entry(id, texts[i].c_str(), i < tips.size() ? tips[i].c_str() : "");
    }
}

void SetEnabled(int id, bool enabled) {
    wb_page_set_enabled(id, enabled ? 1 : 0);
}

int GetTab(int id) {
    return wb_page_get_tab(id);
}

void InsertTab(int id, int index, const std::string& text) {
    wb_page_insert_tab(id, index, text.c_str(), Length(text));
}

void SetBusy(bool busy) {
    wb_page_set_busy(busy ? 1 : 0);
}

void ShowProgress(int done, int total) {
    wb_page_progress(done, total);
}

void ShowBox(const Message& message) {
    const std::string ok = "OK";
    wb_page_box(message.text.c_str(), Length(message.text), message.caption.c_str(),
                Length(message.caption), message.detail.c_str(), Length(message.detail), ok.c_str(),
                Length(ok), "", 0);
}

bool Ask(const Message& question, const std::string& yes, const std::string& no) {
    return wb_page_box(question.text.c_str(), Length(question.text), question.caption.c_str(),
                       Length(question.caption), question.detail.c_str(), Length(question.detail),
                       yes.c_str(), Length(yes), no.c_str(), Length(no)) != 0;
}

void RunDialog(const std::string& caption) {
    wb_page_run_dialog(caption.c_str(), Length(caption));
}

void SetIcon(const unsigned char* rgba, int width, int height) {
    wb_page_set_icon(rgba, width, height);
}

}  // namespace wb::web
