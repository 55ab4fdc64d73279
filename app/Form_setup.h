#pragma once
// The port dialog: which of COM1 .. COM8 the transfer windows open. Beside each
// port it shows the device that port stands for on this machine. The port is
// not opened or tested here.

#include <array>

#include "ui/ChildWindow.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace mx615 {

class Form_setup : public ChildWindow {
    Q_OBJECT
public:
    static constexpr int kPorts = 8;

    explicit Form_setup(WindowHost& host);

    void Form_Load() override;

    // Handlers.
    void Command_ok_Click();
    void Command1_Click();

    // Option n (1..8) stands for port n; its device is shown beside it.
    QRadioButton* option(int n) const { return Option[n - 1]; }
    QLabel* device(int n) const { return devices_[n - 1]; }

    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, kPorts> Option{};
    QPushButton* Command_ok = nullptr;
    QPushButton* Command1 = nullptr;

private:
    std::array<QLabel*, kPorts> devices_{};
};

}  // namespace mx615
