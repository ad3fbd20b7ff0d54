// SPDX-License-Identifier: GPL-3.0-or-later
// The beacon's commands, each built from exchanges: open, throw away what the device sent in the
// meantime (the flush read), send the command, read the answer if there is one, close.
#include <algorithm>
#include <cstdio>

#include "link/ComPort.h"
#include "link/DeviceProtocol.h"

namespace {

using namespace wb::device;

template <std::size_t N>
int Size(const BYTE (&)[N]) {
    return static_cast<int>(N);
}

char ToLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when the first `length` characters of `text` start with the banner word, letters in any
// case. A NUL ends the text, so a shorter answer never matches.
bool StartsWithBanner(const char* text, int length) {
    for (int i = 0; i < kBannerLength; ++i) {
        if (i >= length || text[i] == '\0' || ToLower(text[i]) != ToLower(kBanner[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool CComPort::ReadVersion(char* buffer, int size) {
    if (Open()) {
        return true;
    }
    BYTE* bytes = reinterpret_cast<BYTE*>(buffer);
    Read(bytes, size - 1);  // flush; a failure was told and the query goes on
    if (Write(kVersionQuery, Size(kVersionQuery))) {
        Close();
        return true;
    }
    const int n = Read(bytes, size - 1);
    if (n < size) {
        buffer[n] = '\0';
    }
    if (!StartsWithBanner(buffer, n)) {
        Fail("Wrenbeacon Not Found");
        Close();
        return true;
    }
    if (m_answerObserver) {
        m_answerObserver();
    }
    return Close();
}

bool CComPort::Download(const BYTE* image, int count) {
    if (Open()) {
        return true;
    }
    BYTE scratch[kDownloadFlushSize];
    Read(scratch, kDownloadFlushSize);
    if (Write(kDownload, Size(kDownload)) || Write(image, count)) {
        Close();
        return true;
    }
    // Whatever the device answers is left to the next exchange's flush read.
    return Close();
}

int CComPort::Upload(BYTE* buffer, int size) {
    if (Open()) {
        return 0;
    }
    Read(buffer, size);
    if (Write(kUpload, Size(kUpload))) {
        Close();
        return 0;
    }
    const int n = Read(buffer, size);
    if (Close()) {
        return 0;
    }
    return n;
}

bool CComPort::WriteImage(const BYTE* image, int count) {
    if (Download(image, count)) {
        return true;
    }
    BYTE readBack[kImageAreaSize];
    const int n = Upload(readBack, kImageAreaSize);
    if (n != count) {
        char text[64];
        std::snprintf(text, sizeof text, "Write Failed (code %d %d)", count, n);
        return Fail(text);
    }
    if (!std::equal(image, image + count, readBack)) {
        return Fail("Write Failed");
    }
    return false;
}

int CComPort::ReadImage(BYTE* buffer, int size) {
    const int n = Upload(buffer, size);
    if (n == 0) {
        return 0;
    }
    BYTE second[kImageAreaSize];
    const int m = Upload(second, kImageAreaSize);
    if (m != n || !std::equal(buffer, buffer + n, second)) {
        return 0;
    }
    return n;
}

bool CComPort::SendTone(char code) {
    if (Open()) {
        return true;
    }
    if (Write(kToneStop, Size(kToneStop))) {
        Close();
        return true;
    }
    m_backend.Sleep(kTonePauseMs);
    const BYTE tone[] = {kTonePrefix[0], kTonePrefix[1], static_cast<BYTE>(code)};
    if (Write(tone, Size(tone))) {
        Close();
        return true;
    }
    return Close();
}
