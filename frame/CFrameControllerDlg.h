// The frame controller: a small see-through tool window whose twelve buttons
// move the frame, or one of its edges, by one pixel (repeating while held).
// It never takes activation from the frame.
#pragma once

#include "framework/CButton.h"
#include "framework/CDialog.h"

#include <array>

class CFrameControllerDlg : public CDialog {
public:
    CFrameControllerDlg();
    ~CFrameControllerDlg() override;

    // Moves the controller, without activating it, to the centre of the frame.
    void CenterOnFrame();

    CWnd* m_pFrameWnd = nullptr;

    static constexpr int kButtonCount = 12;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    LRESULT OnNcRButtonUp(WPARAM, LPARAM);
    void OnMoveButton(UINT id);
    void OnTabPicture();

    std::array<CButton, kButtonCount> m_buttons;

    DECLARE_MESSAGE_MAP()
};
