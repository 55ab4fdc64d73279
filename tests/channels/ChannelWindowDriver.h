#pragma once
// Drives the channel table as a user does: clicks on cells, keys into the
// editors, and reads back what the cells show.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "channels/frm_chann.h"
#include "support/TestApp.h"

namespace mx615::test {

struct ChannelWindowDriver {
    explicit ChannelWindowDriver(TestApp& app) : app(app)
    {
        // Focus moves (and the commits they cause) need an active window.
        app.main->activateWindow();
        QApplication::setActiveWindow(app.main.get());
    }

    frm_chann* win() const { return app.main->window<frm_chann>(); }
    QTableWidget* grid() const { return win()->MSF_chann; }
    QLineEdit* text() const { return win()->Text_Edit; }
    QComboBox* combo() const { return win()->Combo_edit; }

    QPoint cellCentre(int row, int column) const
    {
        return grid()->visualRect(grid()->model()->index(row, column)).center();
    }
    void click(int row, int column) const
    {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellCentre(row, column));
    }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem* item = grid()->item(row, column);
        return item ? item->text() : QString();
    }
    QStringList rowTexts(int row) const
    {
        QStringList texts;
        for (int column = 1; column < 10; ++column)
            texts << cell(row, column);
        return texts;
    }
    QStringList allCells() const
    {
        QStringList texts;
        for (int row = 1; row <= 16; ++row)
            texts += rowTexts(row);
        return texts;
    }
    // Opens the text editor on a frequency cell and replaces its text.
    void type(int row, int column, const QString& typed) const
    {
        click(row, column);
        QTest::keyClick(text(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(text(), Qt::Key_Backspace);
        QTest::keyClicks(text(), typed);
    }
    void enter(QWidget* editor) const { QTest::keyClick(editor, Qt::Key_Return); }
    // Redraws the grid from the image, as when the window comes to the front.
    void redraw() const { win()->Form_Activate(); }

    TestApp& app;
};

}  // namespace mx615::test
