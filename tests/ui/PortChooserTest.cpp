// SPDX-License-Identifier: GPL-3.0-or-later
// The window's port list and what it remembers: the list from a scripted machine, the port that
// answered found again at another place, a port beyond COM4 opened by its name, the list read
// again when it drops down, the folder of the last Open or Save, and settings files that are
// missing, damaged or cannot be read.
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "link/BrowserPorts.h"
#include "tests/support/TempDir.h"
#include "tests/ui/WindowFixture.h"
#include "ui/IniSettings.h"

namespace wb::test {
namespace {

using res::IDC_COM_PORT;
using res::IDC_READ_VERSION;

class MemorySettings final : public ui::SettingsStore {
public:
    std::optional<std::string> Get(const std::string& key) override {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    void Set(const std::vector<ui::Setting>& set) override {
        ++writes;
        for (const auto& [key, value] : set) {
            values[key] = value;
        }
    }
    std::map<std::string, std::string> values;
    int writes = 0;
};

PortEntry Com(int n, const std::string& name, const std::string& identity) {
    PortEntry e;
    e.number = n;
    e.name = name;
    e.device = name.empty() ? "" : "/dev/" + name;
    e.identity = identity;
    e.label = "COM" + std::to_string(n) + " - " + (name.empty() ? "no port" : name);
    return e;
}

PortEntry Other(const std::string& name, const std::string& identity) {
    PortEntry e = Com(0, name, identity);
    e.label = name;
    return e;
}

// The window on fake controls, its port list from `machine`, its settings in `settings`.
class PortRig {
public:
    explicit PortRig(std::vector<PortEntry> ports, const std::string& remembered = "",
                     const std::string& name = "")
        : machine(std::move(ports)) {
        if (!remembered.empty()) {
            settings.values["port/id"] = remembered;
        }
        if (!name.empty()) {
            settings.values["port/name"] = name;
        }
        window.UseSettings([this] { return machine; }, settings);
        window.OnInitDialog();
    }
    int Selected() { return controls[IDC_COM_PORT].selection; }
    void Answer() {
        backend.QueueRead(std::vector<BYTE>{});
        backend.QueueRead("Wrenbeacon 1.0");
    }

    std::vector<PortEntry> machine;
    MemorySettings settings;
    MessageRecorder messages;
    FakeSerialBackend backend;
    CComPort port{backend};
    CTrackerConfig config;
    FakeControls controls;
    FakeHost host;
    ui::ConfigWindow window{controls, host, config, port};
};

const std::vector<PortEntry> kMachine = {
    Com(1, "ttyUSB0", "by-id/A"),  Com(2, "ttyUSB1", "by-id/B"),
    Com(3, "ttyS0", "/dev/ttyS0"), Com(4, "", ""),
    Other("ttyUSB4", "by-id/E"),
};

TEST(PortChooser, ListsThePortsAndStartsOnTheRememberedOneWhereverItNowStands) {
    PortRig fresh(kMachine);
    EXPECT_EQ(fresh.controls[IDC_COM_PORT].entries,
              (std::vector<std::string>{"COM1 - ttyUSB0", "COM2 - ttyUSB1", "COM3 - ttyS0",
                                        "COM4 - no port", "ttyUSB4"}));
    EXPECT_EQ(fresh.Selected(), 0);
    EXPECT_EQ(fresh.settings.writes, 0);

    // B answered; next time another adapter sorts before it, and B is COM3.
    std::vector<PortEntry> later = {Com(1, "ttyUSB2", "by-id/0"), Com(2, "ttyUSB0", "by-id/A"),
                                    Com(3, "ttyUSB1", "by-id/B"), Com(4, "ttyS0", "/dev/ttyS0"),
                                    Other("ttyUSB4", "by-id/E")};
    for (const auto& [remembered, selected] :
         {std::pair{"by-id/B", 2}, {"by-id/E", 4}, {"by-id/gone", 0}}) {
        EXPECT_EQ(PortRig(later, remembered).Selected(), selected) << remembered;
    }
}

TEST(PortChooser, PortThatAnsweredIsRememberedAndOnesBeyondComFourOpenByName) {
    PortRig rig(kMachine);
    rig.controls[IDC_COM_PORT].selection = 4;
    rig.Answer();
    rig.window.OnCommand(IDC_READ_VERSION);
    EXPECT_EQ(rig.backend.log().front(), "open /dev/ttyUSB4");
    EXPECT_EQ(rig.settings.values, (std::map<std::string, std::string>{{"port/id", "by-id/E"},
                                                                       {"port/name", "ttyUSB4"}}));

    // COM2 that does not answer is not remembered; COM2 by number, as the channel has it.
    rig.backend.ClearLog();
    rig.controls[IDC_COM_PORT].selection = 1;
    rig.window.OnCommand(IDC_READ_VERSION);
    EXPECT_EQ(rig.backend.log().front(), "open 2");
    EXPECT_EQ(rig.settings.values["port/id"], "by-id/E");
    EXPECT_EQ(rig.messages.texts().back(), "Wrenbeacon Not Found");

    // The same port again is not written again; nothing selected stays the channel's refusal.
    rig.controls[IDC_COM_PORT].selection = 4;
    rig.Answer();
    rig.window.OnCommand(IDC_READ_VERSION);
    EXPECT_EQ(rig.settings.writes, 1);
    rig.controls[IDC_COM_PORT].selection = -1;
    rig.window.OnCommand(IDC_READ_VERSION);
    EXPECT_EQ(rig.messages.texts().back(), "Invalid Com Port Number");
}

TEST(PortChooser, DroppingDownListsAgainAndKeepsTheSamePort) {
    PortRig rig(kMachine);
    const auto refreshFrom = [&](int selected, std::vector<PortEntry> now) {
        rig.controls[IDC_COM_PORT].selection = selected;
        rig.machine = std::move(now);
        rig.window.OnPortListDropDown();
        return rig.Selected();
    };
    // COM4 with nothing behind it stays COM4 once something is.
    EXPECT_EQ(refreshFrom(3, {kMachine[0], kMachine[1], kMachine[2],
                              Com(4, "ttyACM0", "/dev/ttyACM0"), kMachine[4]}),
              3);
    EXPECT_EQ(rig.controls[IDC_COM_PORT].entries[3], "COM4 - ttyACM0");
    // An adapter plugged in before B moves B to COM3, and the selection with it.
    EXPECT_EQ(
        refreshFrom(1, {kMachine[0], Com(2, "ttyUSB9", "by-id/0"), Com(3, "ttyUSB1", "by-id/B"),
                        Com(4, "ttyS0", "/dev/ttyS0"), kMachine[4]}),
        2);
    // A port after COM4 that is gone leaves nothing selected.
    EXPECT_EQ(refreshFrom(4, {Com(1, "", ""), Com(2, "", ""), Com(3, "", ""), Com(4, "", "")}), -1);
}

// The page's list: granted ports by their USB ids, the browser's chooser, the simulated beacon.
TEST(PortChooser, BrowserListNeverStartsOnTheChooserWhichAddsThePortPickedOrChangesNothing) {
    PortRig rig(ListBrowserPorts({}, true));
    EXPECT_EQ(rig.controls[IDC_COM_PORT].entries,
              (std::vector<std::string>{"Choose a port...", "Simulated beacon"}));
    EXPECT_EQ(rig.Selected(), 1);

    std::string picked;
    rig.window.Ports().SetPrompt([&] {
        rig.machine = ListBrowserPorts({{7, 0x0403, 0x6001}, {9, 0x0403, 0x6001}, {4}}, true);
        return picked;
    });
    // The user picks the chooser's entry (first 0, then 3) and the browser's chooser answers.
    for (const auto& [answer, chooser, selected] :
         {std::tuple{"", 0, 4}, std::tuple{"port:9", 3, 1}}) {
        picked = answer;
        rig.controls[IDC_COM_PORT].selection = chooser;
        rig.window.OnPortSelected();
        EXPECT_EQ(rig.Selected(), selected) << answer;
    }
    EXPECT_EQ(rig.controls[IDC_COM_PORT].entries,
              (std::vector<std::string>{"USB serial 0403:6001", "USB serial 0403:6001 (2)",
                                        "Serial port", "Choose a port...", "Simulated beacon"}));

    // The second of two alike answered; at the next start it is found by its place.
    rig.Answer();
    rig.window.OnCommand(IDC_READ_VERSION);
    EXPECT_EQ(rig.backend.log().front(), "open port:9");
    EXPECT_EQ(rig.settings.values["port/name"], "granted port 2");
    const std::string id = rig.settings.values["port/id"];
    EXPECT_EQ(PortRig(rig.machine, id, "granted port 2").Selected(), 1);
    EXPECT_EQ(PortRig(rig.machine, id, "granted port 5").Selected(), 0) << "the first alike";
}

TEST(PortChooser, FolderOfTheLastOpenOrSaveWhileItExists) {
    TempDir temp("wb-folder");
    PortRig rig(kMachine);
    EXPECT_EQ(rig.window.StartFolder(), "");
    const std::filesystem::path folder = temp.path / "Bake München";
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(rig.window.OnSaveConfigAs(folder / "beacon.toml"));
    EXPECT_EQ(rig.window.StartFolder(), folder);
    rig.window.OnOpenConfig(temp.path / "missing.toml");  // a failed open still chose the folder
    EXPECT_EQ(rig.window.StartFolder(), temp.path);
    std::filesystem::remove_all(temp.path);
    EXPECT_EQ(rig.window.StartFolder(), "");
}

TEST(IniSettings, MissingDamagedOrUnreadableFilesGiveNoSettingsAndWritesReplaceTheFile) {
    TempDir temp("wb-ini");
    const std::filesystem::path file = temp.path / "WrenbeaconConfig" / "WrenbeaconConfig.ini";
    EXPECT_EQ(ui::IniSettings(file).Get("port/id"), std::nullopt);

    std::filesystem::create_directories(file.parent_path());
    const char garbage[] = {'\x7f', 'E', 'L',  'F', '\0', '\x01', '\xff', '[', 'p', 'o',
                            'r',    't', '\n', '=', 'x',  '\n',   '[',    ']', '\n'};
    std::ofstream(file, std::ios::binary)
        << std::string(garbage, sizeof garbage) << std::string(10000, 'z') << "=y\n";
    ui::IniSettings damaged(file);
    for (const char* key : {"port/id", "port", "", "zz"}) {
        EXPECT_EQ(damaged.Get(key), std::nullopt) << key;
    }
    damaged.Set({{"port/id", "USB\\VID_1A86&PID_7523\\5&2B3F"}, {"port/name", "COM7"}});
    damaged.Set({{"files/folder", "C:\\Users\\Sam\\Bake München"}, {"port/bad", "two\nlines"}});
    EXPECT_EQ(wb::test::FileContents(file),
              "[files]\nfolder=C:\\Users\\Sam\\Bake München\n\n[port]\n"
              "id=USB\\VID_1A86&PID_7523\\5&2B3F\nname=COM7\n");
    EXPECT_EQ(ui::IniSettings(file).Get("port/name"), "COM7");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file left behind";

    // A folder where the file should be: nothing read, nothing written, nothing thrown.
    const std::filesystem::path folder = temp.path / "folder.ini";
    std::filesystem::create_directory(folder);
    ui::IniSettings unreadable(folder);
    EXPECT_EQ(unreadable.Get("port/id"), std::nullopt);
    unreadable.Set({{"port/id", "x"}});
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST(Settings, NoSettingsOptionAndVariable) {
    const std::vector<std::string> plain = {"WrenbeaconConfig"};
    const std::vector<std::string> option = {"WrenbeaconConfig", "--no-settings"};
    EXPECT_TRUE(ui::SettingsWanted(plain, nullptr));
    EXPECT_TRUE(ui::SettingsWanted(plain, ""));
    EXPECT_TRUE(ui::SettingsWanted(plain, "0"));
    EXPECT_FALSE(ui::SettingsWanted(plain, "1"));
    EXPECT_FALSE(ui::SettingsWanted(option, nullptr));
}

}  // namespace
}  // namespace wb::test
