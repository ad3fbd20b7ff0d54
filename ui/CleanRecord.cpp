// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CleanRecord.h"

#include <cstring>

namespace wb::ui {
namespace {

template <int N>
void ClearAfterEnd(char (&text)[N]) {
    const std::size_t length = strnlen(text, N);
    std::memset(text + length, 0, N - length);
}

CTrackerConfig Comparable(CTrackerConfig c) {
    c.m_nProfile = 0;
    c.m_bCalDirty = 0;
    for (int p = 0; p < kProfileCount; ++p) {
        c.m_bSlotMinute[p] = 0;
        c.m_bSlotTenMinute[p] = 0;
        ClearAfterEnd(c.m_szCallsign[p]);
        ClearAfterEnd(c.m_szPath[p]);
        ClearAfterEnd(c.m_szStatus[p]);
    }
    return c;
}

}  // namespace

bool SameConfiguration(const CTrackerConfig& a, const CTrackerConfig& b) {
    return Comparable(a) == Comparable(b);
}

CleanRecord::CleanRecord(const ConfigForm& form, const CTrackerConfig& config)
    : m_form(form), m_config(config), m_clean(config) {}

void CleanRecord::Note() {
    m_clean = m_config;
}

bool CleanRecord::FormDiffers() const {
    return !SameConfiguration(m_form.Preview(), m_clean);
}

}  // namespace wb::ui
