// SPDX-License-Identifier: GPL-3.0-or-later
// The symbol chooser without a toolkit: which symbols the grid shows for a search, which one is
// selected, the overlay chosen for it, and what picking it fills into "Symbol:" and
// "Table / Overlay:". A front end draws dialog 110 from it and forwards what the user does.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "res/Symbols.h"

namespace wb::ui {

class SymbolChooser {
public:
    // Opens on what the two fields hold: that symbol selected and its overlay chosen; nothing is
    // selected when they hold no APRS symbol.
    SymbolChooser(std::string_view symbolField, std::string_view tableField);

    // The grid: every named symbol, primary table first, whose name has each word of the search
    // at the start of one of its words, in any case. The search starts empty (all shown).
    void SetSearch(std::string_view text);
    const std::vector<const res::SymbolRecord*>& Shown() const { return m_shown; }

    // The selected symbol's place in Shown(), or -1. A search keeps the selection while it is
    // shown and otherwise selects the first symbol shown.
    int Selected() const;
    void Select(int shown);

    // The overlay list of dialog 110: index 0 is none, then the characters. Only an alternate
    // symbol takes one; the choice stays while a primary symbol is selected.
    bool CanOverlay() const;
    int OverlayIndex() const { return m_overlayIndex; }
    void SetOverlayIndex(int index);

    // The selection as the form would show it, its name, and its characters
    // ("Symbol: >   Table / Overlay: /"); the last two are empty when nothing is selected.
    res::SymbolLook Look() const;
    std::string Name() const;
    std::string Codes() const;

    // What picking the selection fills into the two fields; nothing when none is selected.
    struct Fields {
        std::string symbol;
        std::string table;
    };
    std::optional<Fields> Pick() const;

    // What the pointer resting on a symbol of the grid tells: its name, then its characters.
    static std::string Tip(const res::SymbolRecord& symbol);

private:
    void Filter(std::string_view text);
    char OverlayCharacter() const;

    std::vector<const res::SymbolRecord*> m_shown;
    const res::SymbolRecord* m_selected = nullptr;
    int m_overlayIndex = 0;
};

}  // namespace wb::ui
