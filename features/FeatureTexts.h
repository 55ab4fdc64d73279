#pragma once
// The texts of the five feature editors, in both interface
// languages: window captions, control captions by control name, the fixed
// entries of their lists and their messages. The records (OptionRecord.h,
// KeyRecord.h, ScanRecord.h, TestFrequencies.h, MessageRecord.h) pair the list
// entries with the codes they store.

#include <array>

#include "channels/ChannelGrid.h"
#include "features/Choices.h"

namespace mx615 {

namespace FeatureTexts {
// The two buttons every feature editor has; the same words as the channel windows.
inline const Bilingual& Close = ChannelGridTexts::Close;
inline const Bilingual& Help = ChannelGridTexts::Help;
inline const Bilingual Off{"Off", "关"};
}  // namespace FeatureTexts

// frm_option.
namespace OptionTexts {
inline const Bilingual Caption{"Optional Features", "可选参数"};

inline const Bilingual Tot{"Time Out Timer(TOT)[s]", "超时定时器(TOT)[秒]"};
inline const Bilingual Toa{"TOT Pre-Alert[s]", "超时定时器预警[秒]"};
inline const Bilingual PttId{"PTT ID", "PTT ID"};
inline const Bilingual PttType{"PTT ID Type", "PTT ID 类型"};
inline const Bilingual Squelch{"Squelch Level", "静噪电平"};
inline const Bilingual BatterySave{"Battery Save", "电池省电"};
inline const Bilingual Beep{"Beep", "哔音"};
inline const Bilingual Voice{"Voice Annunciation", "语音通知"};
inline const Bilingual VoxReceive{"VOX Inhibit on Receive", "接收时禁止 VOX "};
inline const Bilingual Vox{"VOX Function", "VOX 功能"};
inline const Bilingual VoxFrame{"VOX", "VOX(声控发射)"};
inline const Bilingual VoxGain{"VOX Gain Level", "VOX 增益电平"};
inline const Bilingual VoxDelay{"VOX Delay Time[s]", "VOX 延迟时间[秒]"};
inline const Bilingual VoxTone{"VOX Proceed Tone", "VOX 可进行音调"};
inline const Bilingual ScramblerActivation{"Scrambler Activation", "扰频器激活"};
inline const Bilingual ScramblerBackup{"Scrambler Backup", "扰频器备份"};
inline const Bilingual Mic{"Mic Sensitivity", "麦克风灵敏度"};
inline const Bilingual Clone{"Clone Mode", "复制模式"};
inline const Bilingual ModeFrame{"Mode", "模式"};
inline const Bilingual CancelOperation{"Cancel Operation", "取消操作"};
inline const Bilingual TxBegin{"Begin of TX", "发射开始"};
inline const Bilingual TxEnd{"End of TX", "发射结束"};

// The fixed list entries, in list order.
inline const std::array<Bilingual, 3> PttIdEntries{{{"BOT", "发射开始"}, {"EOT", "发射结束"}, {"Both", "两者"}}};
inline const std::array<Bilingual, 2> PttTypeEntries{{{"DTMF", "DTMF(双音多频)"}, {"FleetSync", "FleetSync(队列同步)"}}};
inline const std::array<Bilingual, 3> VoiceEntries{{{"Off", "关"}, {"Chinese", "中文"}, {"English", "英语"}}};
inline const std::array<Bilingual, 2> MicEntries{{{"Normal", "常规"}, {"High", "高"}}};
inline const std::array<Bilingual, 6> VoxDelayEntries{
    {{"0.3", "0.3"}, {"0.5", "0.5"}, {"1", "1"}, {"1.5", "1.5"}, {"2", "2"}, {"3", "3"}}};

inline const std::vector<ControlCaption> Captions{
    {"Label_tot", Tot},
    {"Label_toa", Toa},
    {"Label_PTT_ID", PttId},
    {"Frame_pttid", PttId},
    {"Label_ptt_Type", PttType},
    {"Label_sql", Squelch},
    {"Check_Save", BatterySave},
    {"Check_Beep", Beep},
    {"Label_voice", Voice},
    {"Check_vox_Receive", VoxReceive},
    {"Check_VOX", Vox},
    {"Frame_vox", VoxFrame},
    {"Label_Vox_g", VoxGain},
    {"Label_VOX_t", VoxDelay},
    {"Check_vox_Tone", VoxTone},
    {"Check_Scr_Acti", ScramblerActivation},
    {"Check_Scr_Back", ScramblerBackup},
    {"Label_mic_level", Mic},
    {"Check_Clone", Clone},
    {"Frame_mode", ModeFrame},
    {"Check_vox_Operation", CancelOperation},
    {"Label_TX_begin", TxBegin},
    {"Label_TX_end", TxEnd},
    {"Command_close", FeatureTexts::Close},
    {"Command_help", FeatureTexts::Help},
};
}  // namespace OptionTexts

// Form_edit_Key. "Assingment" is the window's own spelling.
namespace KeyTexts {
inline const Bilingual Caption{"Key Assingment", "键设定"};
inline const Bilingual Pf1{"PF1", "PF1"};
inline const Bilingual Pf2{"PF2", "PF2"};

// The twelve functions, in list order (the codes are in KeyRecord.h).
inline const std::array<Bilingual, 12> FunctionEntries{{
    {"None", "无"},
    {"Autodial", "自动拨号"},
    {"Key Lock", "按键锁定"},
    {"Key Lock with Backup", "按键锁定及备份"},
    {"Monitor", "监听"},
    {"Monitor Momentary", "监听瞬时"},
    {"Scan", "扫描"},
    {"Scan+Temporary Delete", "扫描 + 暂时删除"},
    {"Scrambler", "扰频器"},
    {"Squelch Off", "取消静噪"},
    {"Squelch Off Momentary", "瞬时取消静噪"},
    {"Temporary Delete", "暂时删除"},
}};

inline const std::vector<ControlCaption> Captions{
    {"Label_PF1", Pf1},
    {"Label_PF2", Pf2},
    {"Command_close", FeatureTexts::Close},
    {"Command_Help", FeatureTexts::Help},
};
}  // namespace KeyTexts

// Form_Edit_scan.
namespace ScanTexts {
inline const Bilingual Caption{"Scan Information", "扫描信息"};

inline const Bilingual Priority{"Priority", "优先"};
inline const Bilingual PriorityChannel{"Priority Channel", "优先信道"};
inline const Bilingual LookBackA{"Look Back Time A(s)", "回扫时间 A(秒)"};
inline const Bilingual LookBackB{"Look Back Time B(s)", "回扫时间 B(秒)"};
inline const Bilingual Revert{"Revert Channel", "返回信道"};
inline const Bilingual Dropout{"Dropout Delay Time (s)", "扫描接收恢复延迟时间(秒)"};
inline const Bilingual Dwell{"TX Dwell Time (s)", "扫描发射恢复延迟时间(秒)"};

inline const std::array<Bilingual, 3> PriorityEntries{{{"None", "无"}, {"Fixed", "固定"}, {"Selected", "选定"}}};
// The four revert choices by their stored code 0..3; which of them a list
// holds depends on the priority mode (ScanRecord.h).
inline const std::array<Bilingual, 4> RevertEntries{{
    {"Selected", "选定"},
    {"Selected+Talk Back", "选定+当前通话"},
    {"Priority", "优先"},
    {"Priority+Talk Back", "优先+当前通话"},
}};

// The English text of the original is a single blank; the Chinese text says
// what is meant.
inline const Bilingual PriorityChannelRange{"Priority channel must be between 1 and 16.", "优先信道号在 1 - 16 之间 ！"};

inline const std::vector<ControlCaption> Captions{
    {"Label_pri", Priority},
    {"Label_prich", PriorityChannel},
    {"Label_BA", LookBackA},
    {"Label_BB", LookBackB},
    {"Label_BC", Revert},
    {"Label_RYC", Dropout},
    {"Label_TYC", Dwell},
    {"Command_close", FeatureTexts::Close},
    {"Command_Help", FeatureTexts::Help},
};
}  // namespace ScanTexts

// Form_Edit_Test. Its three warnings are the channel table's
// (ChannelGridTexts::RxOutOfBand, TxOutOfBand, RxFirst, BadFrequency).
namespace TestTexts {
inline const Bilingual Caption{"Test Frequency", "测试频率"};
// What a screen reader calls the grid.
inline const Bilingual GridName{"Test channels", "测试信道列表"};
// The grid's column format, centred titles separated by "|".
inline const Bilingual ColumnFormat{"^ Channel |^ RX Frequency |^ TX Frequency ",
                                    "^信道号|^接收频率(MHZ)|^发射频率(MHZ)"};

inline const std::vector<ControlCaption> Captions{
    {"Command_close", FeatureTexts::Close},
    {"Command_Help", FeatureTexts::Help},
};
}  // namespace TestTexts

// Form_Edit_Message. The two message boxes have no label on screen; a screen
// reader calls them by these names.
namespace MessageTexts {
inline const Bilingual Caption{"Embedded Message", "嵌入信息"};

inline const std::vector<ControlCaption> Captions{
    {"Text_MS1", {"Message 1", "信息 1"}},
    {"Text_MS2", {"Message 2", "信息 2"}},
    {"Command_close", FeatureTexts::Close},
    {"Command_Help", FeatureTexts::Help},
};
}  // namespace MessageTexts

}  // namespace mx615
