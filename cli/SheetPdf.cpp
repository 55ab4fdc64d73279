#include "cli/SheetPdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontDatabase>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include "model/ProgramState.h"

namespace mx615::cli {

namespace {

// The smallest scale a sheet is shrunk to before it is given up: far below
// what a plan of 16 channels needs.
constexpr double kSmallestScale = 0.5;

// A font with the Chinese characters: the one the program's scripts install,
// else any.
std::optional<QString> chineseFont()
{
    const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    if (families.contains(QString::fromStdString(kSheetChineseFont)))
        return QString::fromStdString(kSheetChineseFont);
    if (families.isEmpty())
        return std::nullopt;
    return families.front();
}

}  // namespace

std::optional<std::string> SheetPdf(const PlanSheet& sheet, Paper paper, std::string& pdf)
{
    const auto font = chineseFont();
    if (sheet.chinese && !font)
        return std::string("No font with Chinese characters is installed, so the sheet cannot be printed in Chinese. "
                           "Install one (Debian: sudo apt-get install fonts-wqy-microhei), or print without --chinese.");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter));
        writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        writer.setResolution(600);
        writer.setTitle(QString::fromStdString(sheet.title));
        writer.setCreator(QString::fromStdString("mx615-cli " + ProgramState().VersionText));

        QTextDocument document;
        document.documentLayout()->setPaintDevice(&writer);
        document.setDocumentMargin(0);
        // Words are not cut; a column title breaks at its blanks only.
        QTextOption wrap = document.defaultTextOption();
        wrap.setWrapMode(QTextOption::WordWrap);
        document.setDefaultTextOption(wrap);
        const QString family = font ? *font : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        document.setHtml(QString::fromStdString(SheetHtml(sheet, paper, family.toStdString())));
        // Laid out on a larger page and drawn smaller when the page cannot hold
        // it at its own size, so that the sheet never runs onto a second page.
        const QSizeF area = writer.pageLayout().paintRectPixels(writer.resolution()).size();
        double scale = 1.0;
        for (;; scale -= 0.05) {
            document.setPageSize(area / scale);
            // A table as wide as the page measures a pixel or two wider.
            if (document.pageCount() == 1 && document.idealWidth() <= area.width() / scale + 2)
                break;
            if (scale - 0.05 < kSmallestScale)
                return std::string("The sheet does not fit on one page.");
        }
        QPainter painter(&writer);
        painter.scale(scale, scale);
        document.drawContents(&painter, QRectF(QPointF(0, 0), area / scale));
    }
    pdf = buffer.data().toStdString();
    return std::nullopt;
}

}  // namespace mx615::cli
