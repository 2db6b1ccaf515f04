#pragma once
// Message boxes: a string-table message with its arguments filled in, shown with
// an icon and a set of buttons, answering the button that was pressed.

#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

// Buttons
constexpr UINT MB_OK = 0x00;
constexpr UINT MB_OKCANCEL = 0x01;
constexpr UINT MB_ABORTRETRYIGNORE = 0x02;
constexpr UINT MB_YESNOCANCEL = 0x03;
constexpr UINT MB_YESNO = 0x04;
constexpr UINT MB_RETRYCANCEL = 0x05;
constexpr UINT MB_TYPEMASK = 0x0F;
// Icons
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = 0x10;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_ICONMASK = 0xF0;
// Default button
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;

// Answers
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

class ITkMessageService {
public:
    virtual ~ITkMessageService() = default;
    // Shows string nIdMessage with args substituted for its %s, %d, %hX, %1 ...
    int ShowMessage(UINT nIdMessage, UINT nType, const std::vector<std::string>& args = {});
    // Shows a text already made; nIdMessage is its string id, or 0.
    virtual int ShowMessageText(UINT nIdMessage, UINT nType, const std::string& strText) = 0;
};

// The text ShowMessage shows.
std::string TkFormatMessage(UINT nIdMessage, const std::vector<std::string>& args);

// The answer of the default button (MB_DEFBUTTONn) of a button set.
int TkDefaultAnswer(UINT nType);

// Answers from a script instead of a user, and keeps what was shown.
class CTkScriptedMessageService : public ITkMessageService {
public:
    struct Shown {
        UINT nIdMessage;
        UINT nType;
        std::string strText;
    };

    int ShowMessageText(UINT nIdMessage, UINT nType, const std::string& strText) override;

    // Answers are used in order; when none is left the default answer is given:
    // the one set, or, when none is set (0), the default button's.
    void QueueAnswer(int nAnswer) { m_answers.push_back(nAnswer); }
    void SetDefaultAnswer(int nAnswer) { m_nDefaultAnswer = nAnswer; }
    const std::vector<Shown>& GetShown() const { return m_shown; }
    std::size_t GetPendingAnswerCount() const { return m_answers.size(); }
    void Reset();

private:
    std::deque<int> m_answers;
    int m_nDefaultAnswer = 0;
    std::vector<Shown> m_shown;
};

// The process-wide message service; a scripted one until another is installed.
ITkMessageService& TkGetMessageService();
// Installs pService (not owned; null restores the scripted one).
void TkSetMessageService(ITkMessageService* pService);
