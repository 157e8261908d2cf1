// The options dialog: image format, JPEG quality, capture hotkey, frame
// colour, width and tab size, cursor capture, output folder and fixed file
// name. It shows copies of the settings and changes the record only when the
// user confirms; confirming also re-registers a changed capture hotkey on the
// frame window and saves the settings.
#pragma once

#include "app/HotkeySystem.h"
#include "controls/CRGBStatic.h"
#include "controls/CTransparentBitmapButton.h"
#include "framework/CDialog.h"
#include "framework/CFont.h"
#include "framework/CStatic.h"
#include "res/resource.h"

class Profile;
struct Settings;

class COptionsDlg : public CDialog {
public:
    // settings: the record shown and changed, saved through profile; frame:
    // the window the capture hotkey is registered for, also the dialog's
    // owner. hotkeySystem: the calls behind the hotkey's registration and its
    // message boxes; keyHook, the frame's PrintScreen hook, follows the
    // hotkey chosen (none: registration only).
    COptionsDlg(Settings& settings, const Profile& profile, CWnd* frame,
                const HotkeySystem& hotkeySystem = HotkeySystem(), PrintScreenHook* keyHook = nullptr);

    // Selects the PrintScreen choice for 0x2C, otherwise the hot-key control
    // with this value, and shows the members.
    void ShowHotkey(int hotkey);

    int m_nType = 0;
    int m_nQuality = 90;
    int m_nHotkeyChoice = 0;
    bool m_bCombineCursor = false;
    CString m_strOutputFolder;
    bool m_bFixedName = false;
    CString m_strFixedName;
    bool m_bCopyToClipboard = false;
    int m_nDelaySeconds = 3;
    int m_nRecordFormat = 0; // 0 GIF, 1 animated PNG
    int m_nRecordFps = 15;
    int m_nRecordSeconds = 60;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    // The offline help page that the support link opens: Frimlet2.html in
    // the program's folder; empty when that folder cannot be had.
    virtual CString HelpPagePath() const;
    // Shows the help page in the program the user has chosen for it.
    virtual void OpenHelpPage(const CString& path);

private:
    void OnLink(NMHDR* header, LRESULT* result);
    void OnHScroll(UINT request, UINT position, HWND bar);
    void OnSize(UINT type, int cx, int cy);
    void OnHotkeyPrintScreen();
    void OnHotkeyCustom();
    void OnOpenFolder();
    void OnBrowseFolder();
    void OnRestoreDefaults();
    // Shows the name the next capture would get with what the dialog holds.
    void ShowNextFileName();
    DECLARE_MESSAGE_MAP()

    void PlaceQualityScale();
    void BuildBoldFont();
    // The window that holds the capture hotkey registration.
    HWND FrameWindow() const;
    // Registers PrintScreen after the user agreed to switch the system's own
    // use of it off; false when that is not offered, declined or still fails.
    bool FreePrintScreenFor(HWND frame, int hotkey);

    Settings& m_settings;
    const Profile& m_profile;
    HotkeySystem m_hotkeySystem;
    PrintScreenHook* m_pKeyHook = nullptr;
    CTransparentBitmapButton m_typeButtons[4];
    CWnd m_qualitySlider;
    CStatic m_qualityScale;
    CWnd m_hotKeyCtrl;
    CRGBStatic m_frameColor;
    CWnd m_frameWidthList;
    CWnd m_tabSizeList;
    CFont m_boldFont;
    // The help page found when the dialog opened; empty when there is none,
    // and the link is then disabled.
    CString m_strHelpPage;
};
