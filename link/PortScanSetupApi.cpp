// SPDX-License-Identifier: GPL-3.0-or-later
// The ports of a Windows machine, from SetupAPI and the names the system can open.
#include <windows.h>

// clang-format off: initguid.h must come first, so that devguid.h defines the GUIDs it names.
#include <cfgmgr32.h>
#include <devguid.h>
#include <initguid.h>
#include <setupapi.h>
// clang-format on

#include <string>
#include <vector>

#include "link/PortScan.h"

namespace wb {
namespace {

std::string Utf8(const wchar_t* text, int length = -1) {
    if (text == nullptr || length == 0) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    if (length < 0 && !out.empty() && out.back() == '\0') {
        out.pop_back();
    }
    return out;
}

// A text property of the device, or "" when it has none.
std::string TextProperty(HDEVINFO set, SP_DEVINFO_DATA& info, DWORD property) {
    wchar_t text[512] = {};
    DWORD type = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(
            set, &info, property, &type, reinterpret_cast<BYTE*>(text), sizeof text - 2, nullptr) ||
        (type != REG_SZ && type != REG_MULTI_SZ)) {
        return {};
    }
    return Utf8(text);
}

std::string InstanceId(HDEVINFO set, SP_DEVINFO_DATA& info) {
    wchar_t id[MAX_DEVICE_ID_LEN + 1] = {};
    return SetupDiGetDeviceInstanceIdW(set, &info, id, MAX_DEVICE_ID_LEN, nullptr) ? Utf8(id)
                                                                                   : std::string();
}

// The port name ("COM3") the device's own registry key gives it.
std::string PortName(HDEVINFO set, SP_DEVINFO_DATA& info) {
    HKEY key = SetupDiOpenDevRegKey(set, &info, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) {
        return {};
    }
    wchar_t name[64] = {};
    DWORD size = sizeof name - 2;
    DWORD type = 0;
    const LONG read =
        RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS && type == REG_SZ ? Utf8(name) : std::string();
}

// A device without a driver key, or one Windows failed to install a driver for.
bool HasDriver(HDEVINFO set, SP_DEVINFO_DATA& info) {
    ULONG status = 0;
    ULONG problem = 0;
    if (CM_Get_DevNode_Status(&status, &problem, info.DevInst, 0) == CR_SUCCESS &&
        (status & DN_HAS_PROBLEM) != 0 &&
        (problem == CM_PROB_FAILED_INSTALL || problem == CM_PROB_NOT_CONFIGURED)) {
        return false;
    }
    return !TextProperty(set, info, SPDRP_DRIVER).empty();
}

std::vector<WindowsDevice> Devices(const GUID* deviceClass, const wchar_t* enumerator) {
    std::vector<WindowsDevice> devices;
    const DWORD flags = DIGCF_PRESENT | (deviceClass == nullptr ? DIGCF_ALLCLASSES : 0);
    HDEVINFO set = SetupDiGetClassDevsW(deviceClass, enumerator, nullptr, flags);
    if (set == INVALID_HANDLE_VALUE) {
        return devices;
    }
    SP_DEVINFO_DATA info{};
    info.cbSize = sizeof info;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &info); ++i) {
        WindowsDevice device;
        device.instanceId = InstanceId(set, info);
        device.friendlyName = TextProperty(set, info, SPDRP_FRIENDLYNAME);
        if (device.friendlyName.empty()) {
            device.friendlyName = TextProperty(set, info, SPDRP_DEVICEDESC);
        }
        device.portName = deviceClass != nullptr ? PortName(set, info) : std::string();
        device.hasDriver = HasDriver(set, info);
        devices.push_back(device);
    }
    SetupDiDestroyDeviceInfoList(set);
    return devices;
}

class SetupApiDevices final : public WindowsDevices {
public:
    std::vector<WindowsDevice> Ports() override { return Devices(&GUID_DEVCLASS_PORTS, nullptr); }
    std::vector<WindowsDevice> UsbDevices() override { return Devices(nullptr, L"USB"); }

    std::vector<std::string> ComNames() override {
        std::vector<wchar_t> names(16384);
        DWORD length = 0;
        while ((length = QueryDosDeviceW(nullptr, names.data(),
                                         static_cast<DWORD>(names.size()))) == 0 &&
               GetLastError() == ERROR_INSUFFICIENT_BUFFER && names.size() < (1u << 22)) {
            names.resize(names.size() * 4);
        }
        std::vector<std::string> found;
        for (const wchar_t* name = names.data(); name < names.data() + length && *name != L'\0';
             name += wcslen(name) + 1) {
            if (_wcsnicmp(name, L"COM", 3) == 0) {
                found.push_back(Utf8(name));
            }
        }
        return found;
    }
};

}  // namespace

std::unique_ptr<WindowsDevices> MakeSetupApiDevices() {
    return std::make_unique<SetupApiDevices>();
}

PortScan ScanPlatformPorts() {
    SetupApiDevices system;
    return ScanWindowsPorts(system);
}

}  // namespace wb
