// The "Text" dialog and its advanced options, answered through their widgets.

#include "editing/VxDrawTextDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QPushButton* Button(QWidget& dialog, QDialogButtonBox::StandardButton which)
{
    return dialog.findChild<QDialogButtonBox*>()->button(which);
}

// Opens the advanced options from dialog, ticks the first box and leaves
// with which.
void TickClipAndLeave(CVxDrawTextDlg& dialog, QDialogButtonBox::StandardButton which)
{
    QTimer::singleShot(0, [which] {
        QWidget* pAdvanced = QApplication::activeModalWidget();
        ASSERT_NE(pAdvanced, nullptr);
        pAdvanced->findChild<QCheckBox*>()->setChecked(true);
        Button(*pAdvanced, which)->click();
    });
    for (QPushButton* pButton : dialog.findChildren<QPushButton*>()) {
        if (pButton->text().startsWith(QStringLiteral("&Advanced"))) pButton->click();
    }
}

TEST(VxDrawTextDlgTest, OkWaitsForTextAndOnlyOkKeepsTheAdvancedTicks)
{
    VxTextDialogData data{u"", FALSE, TRUE, TRUE};
    CVxDrawTextDlg dialog(data, nullptr);
    QPushButton* pOk = Button(dialog, QDialogButtonBox::Ok);
    EXPECT_FALSE(pOk->isEnabled());
    dialog.findChild<QLineEdit*>()->setText(QStringLiteral("Wörter"));
    EXPECT_TRUE(pOk->isEnabled());

    TickClipAndLeave(dialog, QDialogButtonBox::Cancel);
    EXPECT_FALSE(dialog.GetData().bClip);
    TickClipAndLeave(dialog, QDialogButtonBox::Ok);
    const VxTextDialogData chosen = dialog.GetData();
    EXPECT_EQ(chosen.strText, u"Wörter");
    EXPECT_TRUE(chosen.bClip);
    EXPECT_TRUE(chosen.bOpaque);
    EXPECT_TRUE(chosen.bSizeToFit);
}

}  // namespace
