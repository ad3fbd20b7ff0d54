// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ImageUsage.h"

#include <cstring>

#include "config/ImageLayout.h"
#include "config/ValueChanges.h"
#include "res/Symbols.h"

namespace wb::ui {

ImageUsage MeasureImage(const CTrackerConfig& record) {
    CTrackerConfig copy = record;
    BYTE bytes[2 * image::kSize] = {};
    Messages unshown;  // the line says it
    const int count = copy.EncodeImage(bytes, sizeof bytes, unshown);

    ImageUsage usage;
    for (const ValueChange& change : ValueChanges(record)) {
        usage.changes.push_back(DescribeChange(change));
    }
    if (count == 0) {
        usage.addressesRefused = true;
        return usage;
    }
    // The status texts come last, each with its zero; the Secondary one is stored only when it
    // differs. What the encoder cuts off them still counts as needed.
    const bool shared = std::strcmp(copy.m_szStatus[0], copy.m_szStatus[1]) == 0;
    usage.needed = bytes[image::kStatusOffset] + static_cast<int>(std::strlen(copy.m_szStatus[0])) +
                   1 + (shared ? 0 : static_cast<int>(std::strlen(copy.m_szStatus[1])) + 1);
    usage.textsCut = usage.needed > image::kSize;

    // Judged as the beacon would hold them (an empty field becomes its default).
    CTrackerConfig held;
    if (!held.DecodeImage(bytes, image::kSize, unshown)) {  // false: decoded
        for (int i = 0; i < kProfileCount; ++i) {
            if (!res::LookUpSymbol(held.m_cSymbol[i], held.m_cSymbolTable[i]).symbol) {
                usage.strangeSymbols.push_back(std::string(kProfileNames[i]) + " Symbol");
            }
        }
    }
    return usage;
}

std::string DescribeUsage(const ImageUsage& usage) {
    const std::string of = std::to_string(usage.needed) + " of " + std::to_string(image::kSize);
    if (usage.addressesRefused) {
        return "Paths too long: Write will refuse them";
    }
    if (!usage.changes.empty()) {
        return usage.changes.front();
    }
    if (usage.textsCut) {
        return "Needs " + of + " bytes: a status text will be cut";
    }
    if (!usage.strangeSymbols.empty()) {
        return usage.strangeSymbols.front() + ": " + res::kNotAprsSymbol;
    }
    return "Uses " + of + " bytes";
}

}  // namespace wb::ui
