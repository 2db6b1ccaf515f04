#include "app/VxAboutBox.h"

#include "platform/framework/TkFormat.h"
#include "platform/framework/TkStrings.h"
#include "platform/framework/TkVersionInfo.h"
#include "resources/VxResourceIds.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSplashScreen>
#include <QVBoxLayout>

CVxAboutBox::CVxAboutBox(QWidget* pParent) : QDialog(pParent)
{
    const CTkVersionInfo version;
    setWindowTitle(tr("About %1").arg(QString::fromStdString(version.GetValue("ProductName"))));
    auto* pText = new QLabel(GetText(), this);
    pText->setObjectName(QStringLiteral("text"));
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pText);
    pLayout->addWidget(pButtons);
}

QString CVxAboutBox::GetText()
{
    const CTkVersionInfo version;
    const std::string lines = TkFormat(TkLoadString(IDS_ABOUT_FORMAT).c_str(),
                                       version.GetValue("ProductVersion"),
                                       version.GetValue("LegalCopyright"));
    return QString::fromStdString(version.GetValue("ProductName") + '\n' + lines);
}

std::unique_ptr<QSplashScreen> CVxAboutBox::ShowSplash()
{
    QPixmap pixmap(420, 160);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    painter.end();
    auto pSplash = std::make_unique<QSplashScreen>(pixmap);
    pSplash->showMessage(GetText(), Qt::AlignCenter, Qt::black);
    pSplash->show();
    QApplication::processEvents();
    return pSplash;
}
