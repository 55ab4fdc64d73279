#include "files/ChannFileDialog.h"

#include "files/ChannFile.h"
#include "files/PlanOpen.h"

namespace mx615 {

namespace {

const FileDialogKind kOpenKind{
    {"Open Channcle File", "打开信道参数文件"},
    {"Open File:", "打开文件名："},
    {"Open the file name of channel parameter is nullity ", "打开信道参数文件名无效 "},
    {"Nullity file suffix name of channel parameter.", "无效的信道参数文件后缀名！"},
    Bilingual{"Succeed fold the channel parameter from file.", "信道参数从文件调入成功 ！"},
    kNothingLoaded,
    ".chann",
    ".CHANN",
    false,
};

const FileDialogKind kSaveKind{
    {"Save Channel File", "保存信道参数文件"},
    {"Save File:", "保存文件名："},
    {"Store the file name of channel parameter need is nullity. ", "保存信道参数所需要的文件名无效 "},
    {"Advice don't modify file suffix name of system default ！", "建议不要修改系统默认的文件后缀名！"},
    Bilingual{"Complete storing channel parameter.", "信道参数保存完毕 ！"},
    {"Nothing was replaced: a file of that name keeps its content. Choose another folder or name.",
     "未替换任何文件，原有文件内容不变。请选择其他文件夹或文件名。"},
    ".chann",
    ".CHANN",
    true,
};

}  // namespace

Form_open_chann::Form_open_chann(WindowHost& host) : ParamFileDialog(host, kOpenKind) {}

std::optional<FileError> Form_open_chann::confirmFile(const std::string& path)
{
    return LoadChannFile(state(), path);
}

void Form_open_chann::afterDone()
{
    // The windows on show hold the old channels.
    // The dialog is already unloaded: only the host is used from here on.
    PlanFileOpened(host());
}

Form_save_chann::Form_save_chann(WindowHost& host) : ParamFileDialog(host, kSaveKind) {}

std::optional<FileError> Form_save_chann::confirmFile(const std::string& path)
{
    return SaveChannFile(state(), path);
}

}  // namespace mx615
