#pragma once
// The two adjustment-file dialogs. They only check the name and hand it on:
// the service window, polling every 500 ms, does the reading or writing.

#include "files/ParamFileDialog.h"

namespace mx615 {

class Form_open_adj : public ParamFileDialog {
    Q_OBJECT
public:
    explicit Form_open_adj(WindowHost& host);

protected:
    std::optional<FileError> confirmFile(const std::string& path) override;
};

class Form_save_adj : public ParamFileDialog {
    Q_OBJECT
public:
    explicit Form_save_adj(WindowHost& host);

protected:
    std::optional<FileError> confirmFile(const std::string& path) override;
};

}  // namespace mx615
