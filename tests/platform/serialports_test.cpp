#include "platform/comports.h"
#include "platform/portenumeration.h"

#include <gtest/gtest.h>

#include "support/tempfolder.h"

#include <fstream>
#include <tuple>

namespace qmx::platform {
namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
}

void linkTo(const fs::path& target, const fs::path& link) {
    fs::create_directories(link.parent_path());
    fs::create_symlink(target, link);
}

// A link in the ports folder wins, even beyond the device ranges and when it dangles (so the
// open reports it instead of a wrong device); names parse only in their exact form.
TEST(ComPorts, IndexesMapToTheLinksAndTheThreeDeviceFamilies) {
    const testing::TempFolder folder;
    const fs::path home = folder.path();
    linkTo("/dev/null", home / "ports" / "COM3");
    linkTo(home / "nowhere", home / "ports" / "COM200");
    const std::pair<int, std::optional<fs::path>> paths[] = {
        {0, "/dev/ttyS0"},     {31, "/dev/ttyS31"},          {32, "/dev/ttyUSB0"},
        {95, "/dev/ttyACM31"}, {96, std::nullopt},           {-1, std::nullopt},
        {3, "/dev/ttyS3"},     {2, home / "ports" / "COM3"}, {199, home / "ports" / "COM200"},
    };
    for (const auto& [index, path] : paths)
        EXPECT_EQ(serialDevicePath(home, index), path) << index;

    const std::pair<const char*, int> links[] = {
        {"COM1", 0}, {"COM256", 255}, {"COM0", -1}, {"COM257", -1}, {"COM01", -1}};
    for (const auto& [name, index] : links)
        EXPECT_EQ(portIndexOfComName(name).value_or(-1), index) << name;
}

// A small /sys: class/tty/<name>/device links into devices/, as the kernel lays it out.
class FakeSysfs {
public:
    explicit FakeSysfs(const fs::path& root) : m_root(root) {}
    fs::path ttyRoot() const { return m_root / "class" / "tty"; }

    void addTty(const std::string& name, const std::string& deviceFolder) {
        fs::create_directories(m_root / "devices" / deviceFolder);
        linkTo(m_root / "devices" / deviceFolder, ttyRoot() / name / "device");
    }
    void addDriver(const std::string& deviceFolder) {
        fs::create_directories(m_root / "bus" / "drivers" / "serial");
        linkTo(m_root / "bus" / "drivers" / "serial", m_root / "devices" / deviceFolder / "driver");
    }
    void setAttribute(const std::string& relative, const std::string& value) {
        writeText(m_root / relative, value);
    }

private:
    fs::path m_root;
};

TEST(PortEnumeration, ListsRealDevicesWithUsbNamesAndThePortsLinks) {
    const testing::TempFolder folder;
    const fs::path temp = folder.path();
    FakeSysfs sys(temp / "sys");
    sys.addTty("ttyS0", "pnp0/00:01");
    sys.addDriver("pnp0/00:01");
    sys.setAttribute("class/tty/ttyS0/type", "4");
    sys.addTty("ttyS1", "platform/serial8250"); // registered, no UART behind it
    sys.addDriver("platform/serial8250");
    sys.setAttribute("class/tty/ttyS1/type", "0");
    sys.addTty("ttyS2", "platform/unbound"); // no driver
    sys.addTty("ttyUSB0", "usb1/1-1/1-1:1.0/ttyUSB0");
    sys.addTty("ttyACM0", "usb1/1-2/1-2:1.0");
    sys.setAttribute("devices/usb1/1-2/manufacturer", "Arduino");
    sys.setAttribute("devices/usb1/1-2/product", "Arduino Uno");
    sys.addTty("ttyUSB1", "usb1/1-3/1-3:1.0/ttyUSB1");
    sys.setAttribute("devices/usb1/1-3/manufacturer", "FTDI");
    sys.setAttribute("devices/usb1/1-3/product", "FT232R USB UART");
    sys.setAttribute("devices/usb1/1-3/idVendor", "0403");
    sys.setAttribute("devices/usb1/1-3/idProduct", "6001");
    sys.setAttribute("devices/usb1/1-3/serial", "A50285BI");
    sys.addTty("ttyUSB5", "usb1/1-4/1-4:1.0/ttyUSB5"); // no strings offered
    fs::create_directories(sys.ttyRoot() / "tty0");    // a console: no device, no COM number

    const fs::path home = temp / "home";
    writeText(temp / "pty", "");
    linkTo(temp / "pty", home / "ports" / "COM7");
    linkTo(temp / "pty", home / "ports" / "COM33"); // takes ttyUSB0's place
    linkTo(temp / "gone", home / "ports" / "COM8");
    linkTo(temp / "pty", home / "ports" / "notes");

    const auto ports = enumeratePorts(sys.ttyRoot(), home);
    std::vector<std::tuple<int, std::string, std::string>> got;
    for (const auto& p : ports)
        got.emplace_back(p.portIndex, p.device.string(), p.displayName);
    const std::string pty = fs::canonical(temp / "pty").string();
    const std::vector<std::tuple<int, std::string, std::string>> expected{
        {0, "/dev/ttyS0", "ttyS0"},
        {6, (home / "ports" / "COM7").string(), pty},
        {32, (home / "ports" / "COM33").string(), pty},
        {33, "/dev/ttyUSB1", "FTDI FT232R USB UART (ttyUSB1)"},
        {37, "/dev/ttyUSB5", "ttyUSB5"},
        {64, "/dev/ttyACM0", "Arduino Uno (ttyACM0)"},
    };
    EXPECT_EQ(got, expected);
    // Two adapters of one kind are told apart by their serial numbers.
    ASSERT_TRUE(ports[3].details.usb);
    const UsbIdentity& usb = *ports[3].details.usb;
    EXPECT_EQ(std::tie(usb.vendorId, usb.productId, usb.serial),
              std::make_tuple("0403", "6001", "A50285BI"));
    EXPECT_FALSE(ports[0].details.usb);
    EXPECT_TRUE(enumeratePorts(temp / "no-sys", temp / "no-home").empty());
}

} // namespace
} // namespace qmx::platform
