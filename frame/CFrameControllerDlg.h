// The frame controller: a small see-through tool window whose twelve buttons
// move the frame, or one of its edges, by one pixel (repeating while held).
// It never takes activation from the frame.
#pragma once

#include "controls/CTransparentBitmapButton.h"
#include "framework/CDialog.h"
#include "res/resource.h"

#include <array>

class CFrameControllerDlg : public CDialog {
public:
    // frame: the capture frame the buttons move, also the controller's owner.
    explicit CFrameControllerDlg(CWnd* frame);
    ~CFrameControllerDlg() override;

    // Moves the controller, without activating it, to the centre of the frame.
    void CenterOnFrame();

    CWnd* const m_pFrameWnd;

    static constexpr int kButtonCount = 12;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    int OnNcHitTest(POINT screen);
    void OnNcRButtonUp(UINT hitTest, POINT screen);
    void OnMoveButton(UINT id);
    void OnTabPicture();

    // Buttons 1009 to 1020 in order: the four moves, then the eight edge
    // buttons, which share four pictures. Drawn with a border and a focus
    // bar, repeating while held.
    std::array<CTransparentBitmapButton, kButtonCount> m_buttons{{
        {IDB_MOVE_LEFT, 2, true},
        {IDB_MOVE_RIGHT, 2, true},
        {IDB_MOVE_UP, 2, true},
        {IDB_MOVE_DOWN, 2, true},
        {IDB_EDGE_LEFT, 2, true},
        {IDB_EDGE_RIGHT, 2, true},
        {IDB_EDGE_LEFT, 2, true},
        {IDB_EDGE_RIGHT, 2, true},
        {IDB_EDGE_UP, 2, true},
        {IDB_EDGE_DOWN, 2, true},
        {IDB_EDGE_UP, 2, true},
        {IDB_EDGE_DOWN, 2, true},
    }};

    DECLARE_MESSAGE_MAP()
};
