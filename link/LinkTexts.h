#pragma once
// The texts the transfer windows show, in both interface languages.

#include "model/ProgramState.h"

namespace mx615::LinkTexts {

inline const Bilingual PortError{"Communication port is error, please setting right communication port . ！",
                                 "通讯端口打开错误，请正确设置通讯端口 ！"};
inline const Bilingual Connecting{"Connecting with transceiver. ", "正在与对讲机联络 ！"};
inline const Bilingual FailConnect{"Fail connect with transceiver.", "与对讲机联络失败 ！"};
inline const Bilingual CommFault{"Communication fault.", "与对讲机通讯故障 ！"};
inline const Bilingual DontClose{"Read-write operating，don't close the window. ,", "正在进行读写操作,请勿关窗口 ！,"};

inline const Bilingual ReadDone{"Read Data in gear. ", "数据读出正常 ！"};
inline const Bilingual ReadComplete{"Complete reading the data from transceiver.", "从对讲机中读取数据完毕 ！"};
inline const Bilingual WriteDone{"Complete writing Data ", "数据写入完毕 ！"};
inline const Bilingual WriteComplete{"Complete writing Data to the transceiver.", "向对讲机写入数据完毕 ！"};

// The replies stored during a read no longer answer their requests (another
// transfer overwrote them): nothing of them is taken.
inline const Bilingual ReadUnusable{"The data read from the transceiver could not be used; nothing was changed. Please read again.",
                                    "从对讲机读取的数据无法使用，数据未作改变。请重新读取 ！"};

// A port that vanished in the middle of a transfer (cable pulled).
inline const Bilingual PortLost{"The connection to the transceiver was lost during the transfer.",
                                "传输过程中与对讲机的连接中断 ！"};

// What a screen reader calls the progress bar, which shows no caption.
inline const Bilingual Progress{"Progress", "进度"};

// "Reading 2 Data Block" / "Writing  0  Data Block".
inline Bilingual ReadingBlock(int number)
{
    const std::string n = std::to_string(number);
    return {"Reading " + n + " Data Block", "正在读取 " + n + " 数据块"};
}
inline Bilingual WritingBlock(int number)
{
    const std::string n = std::to_string(number);
    return {"Writing  " + n + "  Data Block", "正在写入  " + n + "  数据块"};
}

}  // namespace mx615::LinkTexts
