#pragma once
// The two channel-file dialogs: the open dialog loads a ".chann" file into
// RadioImage, the save dialog writes one.

#include "files/ParamFileDialog.h"

namespace mx615 {

class Form_open_chann : public ParamFileDialog {
    Q_OBJECT
public:
    explicit Form_open_chann(WindowHost& host);

protected:
    std::optional<FileError> confirmFile(const std::string& path) override;
    void afterDone() override;
};

class Form_save_chann : public ParamFileDialog {
    Q_OBJECT
public:
    explicit Form_save_chann(WindowHost& host);

protected:
    std::optional<FileError> confirmFile(const std::string& path) override;
};

}  // namespace mx615
