#pragma once
// The texts of the service window and of its file dialogs, in both interface
// languages. The labels of the values keep their Chinese captions in English
// too. The adjustment exchange also uses the transfer texts of LinkTexts
// (connecting, the block labels, the timeout and fault messages).

#include <array>
#include <string>

#include "model/ProgramState.h"

namespace mx615::AdjustTexts {

// A caption shown in Chinese whatever the interface language.
inline Bilingual ChineseOnly(const std::string& text) { return {text, text}; }

// Window captions.
inline const Bilingual Window{"Test", "调试"};
inline const Bilingual Read{"Read", "读取"};
inline const Bilingual Write{"Write", "写入"};
inline const Bilingual Close{"Close", "关闭"};
inline const Bilingual Open = ChineseOnly("打开");
inline const Bilingual Save = ChineseOnly("保存");
inline const Bilingual Version{"MCU Version", "MCU 软件版本"};

// Value labels and frames.
inline const Bilingual SquelchOpen = ChineseOnly("静噪各等级打开值");
inline const Bilingual VoiceDeviation = ChineseOnly("话音调制度");
inline const Bilingual CtcssDeviation = ChineseOnly("模拟哑音调制度");
inline const Bilingual DcsDeviation = ChineseOnly("数字哑音调制度");
inline const Bilingual VolumeCoarse = ChineseOnly("RDA1846音量粗调");
inline const Bilingual VolumeFine = ChineseOnly("RDA1846音量细调");
inline const Bilingual Transmit = ChineseOnly("发射");
inline const Bilingual Receive = ChineseOnly("接收");
inline const Bilingual HighPower = ChineseOnly("高功率");
inline const Bilingual LowPower = ChineseOnly("低功率");
inline const Bilingual Crystal = ChineseOnly("晶体");
inline const std::array<std::string, 2> CrystalEntries{"26 M", "13 M"};

// The option boxes of bytes 13 and 14, by bit 0..3.
inline const std::array<Bilingual, 4> TxOptions{ChineseOnly("宽带"), ChineseOnly("预加重"), ChineseOnly("语音高通"),
                                                ChineseOnly("语音低通")};
inline const std::array<Bilingual, 4> RxOptions{ChineseOnly("宽带"), ChineseOnly("去加重"), ChineseOnly("语音高通"),
                                                ChineseOnly("语音低通")};

// Messages of the window. Titled "Operate prompt" (kOperatePrompt): Busy and
// DontClose. Titled "Operate Prompt" (kOperatePromptCapital): the others.
inline const Bilingual Busy{"Read-write operating with transceiver .", "正在与对讲机进行读写操作 ！"};
inline const Bilingual DontClose{"Read-write operating，don't close the window.,", "正在进行读写操作,请勿关窗口 ！,"};
inline const Bilingual PortError{"Communication Port Open Error ！", "通讯端口打开错误，请正确设置通讯端口 ！"};
inline const Bilingual ReadDone{"Read optional parameters in gear. ", "调整参数读出正常 ！"};
inline const Bilingual ReadComplete{"Complete reading the data from transceiver.", "从对讲机中读取调整数据完毕 ！"};
inline const Bilingual WriteDone{"Complete writing optional parameters ", "调整参数写入完毕 ！"};
inline const Bilingual WriteComplete{"Complete writing optional parameters to the transceiver.", "调整参数写入完毕 ！"};
inline const Bilingual FileLoaded{"Succeed fold the optional parameters from file.", "调整参数从文件调入成功 ！"};
inline const Bilingual FileSaved{"Complete storing optional parameters.", "调整参数保存完毕 ！"};
// Beneath the reason when a file could not be loaded or saved.
inline const Bilingual LoadFailed{"Nothing was loaded: the adjustment parameters are as they were.",
                                  "未调入任何数据，调整参数保持不变。"};
inline const Bilingual SaveFailed{"Nothing was replaced: a file of that name keeps its content. Choose another folder or name.",
                                  "未替换任何文件，原有文件内容不变。请选择其他文件夹或文件名。"};

// The two file dialogs (drive label, Confirm and Cancel are those of every
// file dialog). Their name box starts with, and the file list shows, "*.adj".
inline const std::string FilePattern = "*.adj";
struct FileDialogTexts {
    Bilingual caption;
    Bilingual nameLabel;
    Bilingual forbidden;
    Bilingual suffix;
};
inline const FileDialogTexts OpenDialog{
    {"Open Adjust File", "打开调整参数文件"},
    {"Open File:", "打开文件名："},
    {"The file name of adjust parameter to open is nullity.", "打开调整参数文件名无效 "},
    {"Nullity file suffix name of adjust parameter.", "无效的调整参数文件后缀名！"},
};
inline const FileDialogTexts SaveDialog{
    {"Save Adjust File", "保存调整参数文件"},
    {"Save File:", "保存文件名："},
    {"Store the file name of adjust parameter need is nullity. ", "保存调整参数所需要的文件名无效 "},
    {"Advice don't modify file suffix name of system default ！", "建议不要修改系统默认的文件后缀名！"},
};

}  // namespace mx615::AdjustTexts
