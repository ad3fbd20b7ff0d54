// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SymbolChooser.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace wb::ui {
namespace {

std::span<const char* const> OverlayEntries() {
    for (const res::ListInit& list : res::SymbolChooserTemplate().lists) {
        if (list.id == res::IDC_SYMBOL_OVERLAY) {
            return list.entries;
        }
    }
    return {};
}

// The lower-case words of `text`: its runs of letters and digits.
std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) != 0) {
            word += static_cast<char>(std::tolower(u));
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty()) {
        words.push_back(std::move(word));
    }
    return words;
}

bool Matches(const res::SymbolRecord& symbol, const std::vector<std::string>& search) {
    const std::vector<std::string> words = Words(symbol.name);
    return std::all_of(search.begin(), search.end(), [&](const std::string& wanted) {
        return std::any_of(words.begin(), words.end(),
                           [&](const std::string& w) { return w.starts_with(wanted); });
    });
}

}  // namespace

SymbolChooser::SymbolChooser(std::string_view symbolField, std::string_view tableField) {
    const res::SymbolLook look = res::LookUpSymbol(symbolField.empty() ? '\0' : symbolField[0],
                                                   tableField.empty() ? '\0' : tableField[0]);
    m_selected = look.symbol;
    const std::span<const char* const> overlays = OverlayEntries();
    for (std::size_t i = 1; i < overlays.size() && look.overlay != '\0'; ++i) {
        if (overlays[i][0] == look.overlay) {
            m_overlayIndex = static_cast<int>(i);
        }
    }
    Filter("");
}

void SymbolChooser::Filter(std::string_view text) {
    const std::vector<std::string> search = Words(text);
    m_shown.clear();
    for (const res::SymbolRecord& symbol : res::SymbolRecords()) {
        if (Matches(symbol, search)) {
            m_shown.push_back(&symbol);
        }
    }
}

void SymbolChooser::SetSearch(std::string_view text) {
    Filter(text);
    if (Selected() < 0) {
        m_selected = m_shown.empty() ? nullptr : m_shown.front();
    }
}

int SymbolChooser::Selected() const {
    const auto found = std::find(m_shown.begin(), m_shown.end(), m_selected);
    return found == m_shown.end() ? -1 : static_cast<int>(found - m_shown.begin());
}

void SymbolChooser::Select(int shown) {
    if (shown >= 0 && shown < static_cast<int>(m_shown.size())) {
        m_selected = m_shown[static_cast<std::size_t>(shown)];
    }
}

bool SymbolChooser::CanOverlay() const {
    return m_selected != nullptr && m_selected->table == res::kAlternateTable;
}

void SymbolChooser::SetOverlayIndex(int index) {
    if (index >= 0 && index < static_cast<int>(OverlayEntries().size())) {
        m_overlayIndex = index;
    }
}

char SymbolChooser::OverlayCharacter() const {
    return CanOverlay() && m_overlayIndex > 0
               ? OverlayEntries()[static_cast<std::size_t>(m_overlayIndex)][0]
               : '\0';
}

res::SymbolLook SymbolChooser::Look() const {
    if (Selected() < 0) {
        return {};
    }
    return {m_selected, OverlayCharacter()};
}

std::string SymbolChooser::Name() const {
    return Selected() < 0 ? std::string() : res::DescribeSymbol(Look());
}

std::string SymbolChooser::Codes() const {
    const std::optional<Fields> fields = Pick();
    if (!fields) {
        return {};
    }
    return "Symbol: " + fields->symbol + "   Table / Overlay: " + fields->table;
}

std::string SymbolChooser::Tip(const res::SymbolRecord& symbol) {
    return std::string(symbol.name) + "\nSymbol: " + symbol.code + "   Table: " + symbol.table;
}

std::optional<SymbolChooser::Fields> SymbolChooser::Pick() const {
    if (m_selected == nullptr || Selected() < 0) {
        return std::nullopt;
    }
    const char overlay = OverlayCharacter();
    return Fields{std::string(1, m_selected->code),
                  std::string(1, overlay != '\0' ? overlay : m_selected->table)};
}

}  // namespace wb::ui
