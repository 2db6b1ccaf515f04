#pragma once
// The application with its settings and desktop files in folders of the
// test's own, and its message boxes and file dialogs answered by the test.

#include "app/VxApp.h"
#include "document/VxFileDialogService.h"
#include "platform/framework/TkMessageService.h"
#include "support/ScopedEnvironment.h"
#include "support/TestCorpus.h"
#include "support/TestPictures.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class AppTestFixture : public ::testing::Test {
protected:
    AppTestFixture()
    {
        TkSetMessageService(&m_messages);
        VxSetFileDialogService(&m_dialogs);
    }
    ~AppTestFixture() override
    {
        VxSetFileDialogService(nullptr);
        TkSetMessageService(nullptr);
    }

    std::unique_ptr<CVxApp> StartApp(const std::vector<std::string>& args, bool bExpectRun = true)
    {
        auto pApp = std::make_unique<CVxApp>(false);
        EXPECT_EQ(pApp->InitInstance(args), bExpectRun);
        return pApp;
    }
    std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const std::string path = m_folder.filePath(QString::fromStdString(name)).toStdString();
        WriteBytes(path, bytes);
        return path;
    }
    std::string GoodFile(const std::string& name = "good.emf") { return WriteFile(name, BlackRectangleEmf()); }
    QString SettingsFile() const { return m_folder.path() + "/config/Glyphar/Glyphar.conf"; }
    QVariant Setting(const QString& key) const { return QSettings(SettingsFile(), QSettings::IniFormat).value(key); }
    void WriteSetting(const QString& key, const QString& value)
    {
        QSettings(SettingsFile(), QSettings::IniFormat).setValue(key, value);
    }
    std::vector<UINT> ShownIds() const
    {
        std::vector<UINT> ids;
        for (const auto& shown : m_messages.GetShown()) ids.push_back(shown.nIdMessage);
        return ids;
    }

    QTemporaryDir m_folder;
    CScopedEnvironment m_config{"XDG_CONFIG_HOME", m_folder.path().toStdString() + "/config"};
    CScopedEnvironment m_data{"XDG_DATA_HOME", m_folder.path().toStdString() + "/data"};
    CTkScriptedMessageService m_messages;
    CVxScriptedFileDialogService m_dialogs;
};
