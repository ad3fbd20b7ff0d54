// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowBackend.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/MessageSink.h"
#include "core/PathText.h"

namespace wb::ui {
namespace {

// Paths may hold any character: on Windows the variable is read in UTF-16.
std::filesystem::path TracePath() {
#ifdef _WIN32
    const wchar_t* value = _wgetenv(L"WRENBEACON_TRACE");
#else
    const char* value = std::getenv("WRENBEACON_TRACE");
#endif
    return value == nullptr ? std::filesystem::path() : std::filesystem::path(value);
}

}  // namespace

WindowBackend::WindowBackend() : m_platform(MakePlatformBackend()) {
    const std::filesystem::path path = TracePath();
    if (path.empty()) {
        return;
    }
    std::string reason;
    m_trace = TracingBackend::ToFile(*m_platform, path, reason);
    if (!m_trace) {
        const std::string name = Utf8Of(path);
        ShowMessage({"The serial trace cannot be written; the window works without it.",
                     {},
                     name + ": " + reason,
                     {name}});
    }
}

}  // namespace wb::ui
